// Faults for quorvel-cli's tests, preloaded into the program (LD_PRELOAD):
//   QUORVEL_FAIL_READ_AFTER=N  reading standard input fails with EIO once N bytes have been read
//   QUORVEL_FAIL_ICONV=1       iconv_open fails, as on a system without the converter
#include <dlfcn.h>
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>

namespace {

template <class Function>
Function next_definition(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));  // NOLINT(*-reinterpret-cast)
}

}  // namespace

extern "C" ssize_t read(int fd, void* buffer, std::size_t size) {
    static const auto real_read = next_definition<ssize_t (*)(int, void*, std::size_t)>("read");
    static const char* const limit_text = std::getenv("QUORVEL_FAIL_READ_AFTER");
    static std::size_t done = 0;
    if (fd != STDIN_FILENO || limit_text == nullptr) {
        return real_read(fd, buffer, size);
    }
    const std::size_t limit = std::strtoull(limit_text, nullptr, 10);
    if (done >= limit) {
        errno = EIO;
        return -1;
    }
    const ssize_t got = real_read(fd, buffer, std::min(size, limit - done));
    if (got > 0) {
        done += static_cast<std::size_t>(got);
    }
    return got;
}

extern "C" iconv_t iconv_open(const char* to, const char* from) {
    static const auto real_open =
        next_definition<iconv_t (*)(const char*, const char*)>("iconv_open");
    if (std::getenv("QUORVEL_FAIL_ICONV") != nullptr) {
        errno = EINVAL;
        return reinterpret_cast<iconv_t>(-1);  // NOLINT(*-reinterpret-cast, *-no-int-to-ptr)
    }
    return real_open(to, from);
}
