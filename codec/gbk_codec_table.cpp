// The GBK edge where the C library has no converter for code page 936 (WebAssembly): the
// generated tables, which convert as the Linux build's converter does.
#include "codec/gbk_codec.h"
#include "codec/gbk_table.h"

namespace quorvel::codec {

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    if (!is_valid_utf8(utf8)) {
        return std::nullopt;
    }
    return gbk_table::from_utf8(utf8);
}

std::string gbk_to_utf8(std::string_view gbk) {
    return gbk_table::to_utf8(gbk);
}

}  // namespace quorvel::codec
