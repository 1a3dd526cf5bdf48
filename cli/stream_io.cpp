#include "cli/stream_io.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "codec/windows_text.h"
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace quorvel::cli {
namespace {

void report(const char* what, int error) {
    static_cast<void>(std::fprintf(stderr, "quorvel-cli: cannot %s: %s\n", what,
                                   std::strerror(error)));  // NOLINT(concurrency-mt-unsafe)
}

}  // namespace

#if defined(_WIN32)

void use_binary_streams() {
    static_cast<void>(_setmode(_fileno(stdin), _O_BINARY));
    static_cast<void>(_setmode(_fileno(stdout), _O_BINARY));
    static_cast<void>(_setmode(_fileno(stderr), _O_BINARY));
}

read_result read_input(char* buffer, std::size_t size) {
    const int got = _read(0, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
    if (got >= 0) {
        return {static_cast<std::size_t>(got), 0};
    }
    return {0, errno};
}

int write_output(std::string_view data) {
    while (!data.empty()) {
        const auto chunk = static_cast<unsigned>(std::min<std::size_t>(data.size(), INT_MAX));
        const int written = _write(1, data.data(), chunk);
        if (written < 0) {
            return errno;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int write_text_output(std::string_view utf8) {
    // A console shows UTF-16 whatever its code page; a pipe or a file gets UTF-8 bytes.
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (utf8.empty() || GetConsoleMode(output, &mode) == 0) {
        return write_output(utf8);
    }
    const std::wstring wide = codec::windows::widened(CP_UTF8, utf8);
    DWORD written = 0;
    if (WriteConsoleW(output, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) ==
        0) {
        return EIO;
    }
    return 0;
}

#else

void use_binary_streams() {}

read_result read_input(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, size);
        if (got >= 0) {
            return {static_cast<std::size_t>(got), 0};
        }
        if (errno != EINTR) {
            return {0, errno};
        }
    }
}

int write_output(std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int write_text_output(std::string_view utf8) {
    return write_output(utf8);
}

#endif

void report_read_error(int error) {
    report("read standard input", error);
}

void report_write_error(int error) {
    report("write standard output", error);
}

}  // namespace quorvel::cli
