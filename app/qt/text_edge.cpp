#include "app/qt/text_edge.h"

#include "codec/gbk_codec.h"

namespace quorvel::qt {

std::string to_gbk(const QString& text) {
    // Qt writes a lone surrogate as a replacement character, so the bytes are always UTF-8.
    const QByteArray utf8 = text.toUtf8();
    return codec::utf8_to_gbk(
               std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))
        .value_or(std::string(static_cast<std::size_t>(text.size()), '?'));
}

QString from_gbk(std::string_view gbk) {
    return from_utf8(codec::gbk_to_utf8(gbk));
}

}  // namespace quorvel::qt
