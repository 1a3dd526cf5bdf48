// Feeds any bytes to the GBK codec both ways. Checks that nothing crashes, that GBK read as
// UTF-8 is well-formed UTF-8, that it converts back to GBK and reads the same again (a
// replacement character, which has no GBK form, coming back as "?"), and that well-formed UTF-8
// always converts to GBK.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "codec/gbk_codec.h"

namespace {

using namespace quorvel;

std::string with_question_marks(std::string_view utf8) {
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t found = utf8.find("\xEF\xBF\xBD", at);
        out.append(utf8.substr(at, found - at));
        if (found == std::string_view::npos) {
            return out;
        }
        out += '?';
        at = found + 3;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string utf8 = codec::gbk_to_utf8(bytes);
    if (!codec::is_valid_utf8(utf8)) {
        std::abort();
    }
    const auto gbk = codec::utf8_to_gbk(utf8);
    if (!gbk || codec::gbk_to_utf8(*gbk) != with_question_marks(utf8)) {
        std::abort();  // a character read from GBK does not go back and forth
    }

    if (codec::is_valid_utf8(bytes)) {
        const auto from_utf8 = codec::utf8_to_gbk(bytes);
        if (!from_utf8 || !codec::is_valid_utf8(codec::gbk_to_utf8(*from_utf8))) {
            std::abort();
        }
    } else if (codec::utf8_to_gbk(bytes).has_value()) {
        std::abort();  // malformed UTF-8 is refused
    }
    return 0;
}
