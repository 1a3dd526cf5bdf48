#pragma once

#include <QString>
#include <string>
#include <string_view>

// Conversions at the edge of the Qt window: the table's texts are UTF-8, the core's are GBK.
namespace quorvel::qt {

inline QString from_utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A box's text as GBK bytes; a character GBK cannot hold becomes "?".
std::string to_gbk(const QString& text);

QString from_gbk(std::string_view gbk);

}  // namespace quorvel::qt
