#include "codec/gbk_codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>

#include "codec/utf8.h"

namespace quorvel::codec {
namespace {

// One converter per direction and thread, opened on first use and reset before each text.
class converter {
  public:
    converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        // iconv_open reports failure as (iconv_t)-1.
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
            throw converter_unavailable(
                "this system's iconv cannot convert between UTF-8 and CP936");
        }
    }
    ~converter() { iconv_close(handle_); }
    converter(const converter&) = delete;
    converter& operator=(const converter&) = delete;

    // Converts as much as it can; returns false at a byte sequence it cannot convert, with in
    // pointing at it.
    bool convert(const char*& in, std::size_t& in_left, std::string& out) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char chunk[256];
        while (in_left > 0) {
            char* out_next = chunk;
            std::size_t out_left = sizeof chunk;
            char* in_next = const_cast<char*>(in);
            const std::size_t done = iconv(handle_, &in_next, &in_left, &out_next, &out_left);
            out.append(chunk, static_cast<std::size_t>(out_next - chunk));
            in = in_next;
            if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return false;
            }
        }
        return true;
    }

  private:
    iconv_t handle_;
};

}  // namespace

std::optional<std::string> utf8_to_gbk(std::string_view utf8) {
    if (!is_valid_utf8(utf8)) {
        return std::nullopt;
    }
    thread_local converter to_gbk("CP936", "UTF-8");
    std::string out;
    const char* in = utf8.data();
    std::size_t in_left = utf8.size();
    while (!to_gbk.convert(in, in_left, out)) {
        // A character without a GBK form: one "?" in its place.
        const std::size_t length = utf8::sequence_length(std::string_view(in, in_left));
        out += '?';
        in += length;
        in_left -= length;
    }
    return out;
}

std::string gbk_to_utf8(std::string_view gbk) {
    thread_local converter to_utf8("UTF-8", "CP936");
    std::string out;
    const char* in = gbk.data();
    std::size_t in_left = gbk.size();
    while (!to_utf8.convert(in, in_left, out)) {
        out += "\xEF\xBF\xBD";
        ++in;
        --in_left;
    }
    return out;
}

}  // namespace quorvel::codec
