#include "cli/stream_io.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quorvel::cli {
namespace {

void report(const char* what, int error) {
    static_cast<void>(std::fprintf(stderr, "quorvel-cli: cannot %s: %s\n", what,
                                   std::strerror(error)));  // NOLINT(concurrency-mt-unsafe)
}

}  // namespace

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

void report_read_error(int error) {
    report("read standard input", error);
}

void report_write_error(int error) {
    report("write standard output", error);
}

}  // namespace quorvel::cli
