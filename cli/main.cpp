// quorvel-cli: one press from the command line, or many from standard input, over the same
// press flow as the window.

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/fp_environment.h"
#include "cli/batch.h"
#include "cli/press_outcome.h"
#include "codec/gbk_codec.h"

namespace {

using namespace quorvel;

constexpr int exit_result = 0;
constexpr int exit_notice = 1;
constexpr int exit_silent = 2;
constexpr int exit_usage = 64;
constexpr int exit_io_error = 74;

constexpr const char* usage_text =
    "usage: quorvel-cli [--gbk] BUTTON [TOTAL [X [Y [Z [T]]]]]\n"
    "       quorvel-cli --batch\n"
    "\n"
    "One press of BUTTON (1, 2 or 3) with the five box texts; a missing text is an empty box.\n"
    "Texts are UTF-8, or raw GBK bytes with --gbk. Prints the result line or the notice.\n"
    "Exit status: 0 result line, 1 notice, 2 nothing shown, 64 usage error.\n"
    "\n"
    "--batch reads lines BUTTON<TAB>T1<TAB>...<TAB>T5 (raw GBK, escapes \\\\ \\t \\n \\r \\xHH)\n"
    "and writes one line each: result<TAB>LINE, notice<TAB>TEXT, silent or error<TAB>REASON.\n";

int usage_error(const std::string& reason) {
    static_cast<void>(std::fprintf(stderr, "quorvel-cli: %s\n%s", reason.c_str(), usage_text));
    return exit_usage;
}

bool write_all(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

int run_batch() {
    cli::batch_runner runner;
    std::string out;
    std::string pending;    // the start of a line that the last chunk cut
    bool overlong = false;  // the current line has passed the limit; skip to its end
    static char chunk[1U << 16U];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, stdin);
        std::string_view data(chunk, got);
        while (!data.empty()) {
            const std::size_t newline = data.find('\n');
            const std::string_view piece = data.substr(0, newline);
            if (newline == std::string_view::npos) {
                if (!overlong) {
                    pending.append(piece);
                    overlong = pending.size() > cli::batch_runner::max_line_bytes + 1;
                    if (overlong) {
                        pending.clear();
                    }
                }
                break;
            }
            if (overlong) {
                cli::batch_runner::refuse_overlong_line(out);
                overlong = false;
            } else if (pending.empty()) {
                runner.run_line(piece, out);
            } else {
                pending.append(piece);
                runner.run_line(pending, out);
                pending.clear();
            }
            data.remove_prefix(newline + 1);
        }
        if (out.size() >= sizeof chunk || got == 0) {
            if (!write_all(out)) {
                return exit_io_error;
            }
            out.clear();
        }
        if (got == 0) {
            break;
        }
    }
    if (overlong) {
        cli::batch_runner::refuse_overlong_line(out);
    } else if (!pending.empty()) {
        runner.run_line(pending, out);
    }
    if (!write_all(out) || std::fflush(stdout) != 0 || std::ferror(stdin) != 0) {
        return exit_io_error;
    }
    return 0;
}

int run_one(int argc, char** argv, int first, bool raw_gbk) {
    if (first >= argc) {
        return usage_error("missing BUTTON");
    }
    button pressed{};
    if (!cli::parse_button(argv[first], pressed)) {
        return usage_error(std::string("unknown button \"") + argv[first] +
                           "\" (expected 1, 2 or 3)");
    }
    cli::box_texts texts;
    const int text_count = argc - first - 1;
    if (text_count > static_cast<int>(texts.size())) {
        return usage_error("more than five texts after the button");
    }
    for (int i = 0; i < text_count; ++i) {
        const std::string_view argument = argv[first + 1 + i];
        auto& text = texts.at(static_cast<std::size_t>(i));
        if (raw_gbk) {
            text.assign(argument);
            continue;
        }
        auto gbk = codec::utf8_to_gbk(argument);
        if (!gbk) {
            return usage_error("text " + std::to_string(i + 1) +
                               " is not valid UTF-8 (use --gbk for raw GBK bytes)");
        }
        text = std::move(*gbk);
    }

    const cli::press_outcome outcome = cli::run_press(pressed, texts);
    switch (outcome.shown) {
        case cli::press_outcome::kind::result:
            std::printf("%s\n", outcome.text.c_str());
            return exit_result;
        case cli::press_outcome::kind::notice:
            std::printf("%s\n", codec::gbk_to_utf8(outcome.text).c_str());
            return exit_notice;
        case cli::press_outcome::kind::silent:
            break;
    }
    return exit_silent;
}

}  // namespace

int main(int argc, char** argv) {
    set_fp_environment();
    if (argc >= 2 && std::strcmp(argv[1], "--batch") == 0) {
        return argc == 2 ? run_batch() : usage_error("--batch takes no other arguments");
    }
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        return std::fputs(usage_text, stdout) < 0 ? exit_io_error : 0;
    }
    const bool raw_gbk = argc >= 2 && std::strcmp(argv[1], "--gbk") == 0;
    return run_one(argc, argv, raw_gbk ? 2 : 1, raw_gbk);
}
