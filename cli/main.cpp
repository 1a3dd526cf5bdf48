// quorvel-cli: one press from the command line, or many from standard input, over the same
// press flow as the window.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "calc/fp_environment.h"
#include "cli/batch.h"
#include "cli/explanation.h"
#include "cli/json_output.h"
#include "cli/press_outcome.h"
#include "cli/stream_io.h"
#include "codec/gbk_codec.h"
#include "quorvel/version.h"

#if defined(_WIN32)
#include "codec/windows_text.h"
#endif

namespace {

using namespace quorvel;

constexpr int exit_result = 0;
constexpr int exit_notice = 1;
constexpr int exit_silent = 2;
constexpr int exit_usage = 64;
constexpr int exit_unavailable = 69;
constexpr int exit_io_error = 74;

// Windows gives a program its arguments as characters, never as raw bytes: there --gbk reads
// them as characters, as without it.
#if defined(_WIN32)
constexpr bool arguments_are_characters = true;
#else
constexpr bool arguments_are_characters = false;
#endif

constexpr const char* usage_text =
    "usage: quorvel-cli [--gbk] [--explain | --json] BUTTON [TOTAL [X [Y [Z [T]]]]]\n"
    "       quorvel-cli --batch [--json]\n"
    "       quorvel-cli --version\n"
    "\n"
    "One press of BUTTON (1, 2 or 3) with the five box texts; a missing text is an empty box.\n"
    "Texts are UTF-8, or raw GBK bytes with --gbk. Prints the result line or the notice.\n"
    "--explain adds, after a result line, each letter's stake, odds, return and profit, the\n"
    "total, the sum staked, what is left unspent, the worst and best profit and the book's\n"
    "margin (the sum of 1/odds, less 1, in per cent). --json prints the same as one JSON object.\n"
    "\n"
    "--batch reads lines BUTTON<TAB>T1<TAB>...<TAB>T5 (raw GBK, escapes \\\\ \\t \\n \\r \\xHH)\n"
    "and writes one line each: result<TAB>LINE, notice<TAB>TEXT, silent or error<TAB>REASON,\n"
    "or with --json one JSON object. Each answer is written before the next line is awaited.\n"
    "\n"
    "Exit status: 0 result line (and a batch read to its end), 1 notice, 2 nothing shown,\n"
    "64 usage error, 69 no GBK converter on this system, 74 standard input or output failed.\n";

int usage_error(const std::string& reason) {
    static_cast<void>(std::fprintf(stderr, "quorvel-cli: %s\n%s", reason.c_str(), usage_text));
    return exit_usage;
}

int converter_missing(const codec::converter_unavailable& failure) {
    static_cast<void>(std::fprintf(stderr, "quorvel-cli: %s\n", failure.what()));
    return exit_unavailable;
}

// Writes the text to standard output; a failed write is reported and gives exit_io_error.
int write_or_fail(std::string_view text, int status) {
    if (const int error = cli::write_output(text); error != 0) {
        cli::report_write_error(error);
        return exit_io_error;
    }
    return status;
}

// Writes text for a person (a single press's answer, the usage) as write_or_fail does, through
// the console's own output where standard output is a Windows console.
int write_text_or_fail(std::string_view text, int status) {
    if (const int error = cli::write_text_output(text); error != 0) {
        cli::report_write_error(error);
        return exit_io_error;
    }
    return status;
}

// Reads presses from standard input and answers each as it comes: whatever has been answered is
// written out before the program waits for more input.
int run_batch(cli::output_format format) {
    cli::batch_runner runner(format);
    cli::batch_reader reader(runner);
    std::string out;
    static char chunk[1U << 16U];
    try {
        for (;;) {
            if (!out.empty()) {
                if (write_or_fail(out, 0) != 0) {
                    return exit_io_error;
                }
                out.clear();
            }
            const cli::read_result got = cli::read_input(chunk, sizeof chunk);
            if (got.error != 0) {
                // Every line answered so far is written; a line the failure cut gets no answer.
                cli::report_read_error(got.error);
                return exit_io_error;
            }
            if (got.count == 0) {
                reader.finish(out);
                break;
            }
            reader.feed(std::string_view(chunk, got.count), out);
        }
    } catch (const codec::converter_unavailable& failure) {
        // The answers before the line that needed the converter still go out.
        return write_or_fail(out, converter_missing(failure));
    }
    return write_or_fail(out, 0);
}

struct options {
    bool batch = false;
    bool raw_gbk = false;
    bool explain = false;
    bool json = false;
    bool help = false;
    bool version = false;
    int first_operand = 1;  // BUTTON, then the texts
};

// The options before BUTTON, in any order. Texts after BUTTON are texts, whatever they hold.
options read_options(int argc, char** argv) {
    options o;
    for (; o.first_operand < argc; ++o.first_operand) {
        const std::string_view argument = argv[o.first_operand];
        if (argument == "--batch") {
            o.batch = true;
        } else if (argument == "--gbk") {
            o.raw_gbk = true;
        } else if (argument == "--explain") {
            o.explain = true;
        } else if (argument == "--json") {
            o.json = true;
        } else if (argument == "--help" || argument == "-h") {
            o.help = true;
        } else if (argument == "--version") {
            o.version = true;
        } else {
            break;
        }
    }
    return o;
}

int run_one(int argc, char** argv, const options& o) {
    const int first = o.first_operand;
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
        if (o.raw_gbk && !arguments_are_characters) {
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
    const std::string notice = outcome.shown == cli::press_outcome::kind::notice
                                   ? codec::gbk_to_utf8(outcome.text)
                                   : std::string();
    const int status = outcome.shown == cli::press_outcome::kind::result   ? exit_result
                       : outcome.shown == cli::press_outcome::kind::notice ? exit_notice
                                                                           : exit_silent;
    if (o.json) {
        return write_text_or_fail(
            cli::press_json(outcome, notice, cli::explain(texts, outcome)) + "\n", status);
    }
    std::string out;
    if (outcome.shown == cli::press_outcome::kind::result) {
        out = outcome.text + "\n";
        if (o.explain) {
            out += "\n" + cli::explanation_text(*cli::explain(texts, outcome));
        }
    } else if (outcome.shown == cli::press_outcome::kind::notice) {
        out = notice + "\n";
    }
    return write_text_or_fail(out, status);
}

int run(int argc, char** argv) {
    set_fp_environment();
    cli::use_binary_streams();
    const options o = read_options(argc, argv);
    if (o.help) {
        return write_text_or_fail(usage_text, 0);
    }
    if (o.version) {
        return write_text_or_fail("quorvel-cli " QUORVEL_VERSION "\n", 0);
    }
    if (o.explain && o.json) {
        return usage_error("--explain and --json do not go together");
    }
    try {
        if (o.batch) {
            if (o.raw_gbk || o.explain || o.first_operand < argc) {
                return usage_error("--batch takes no other arguments but --json");
            }
            return run_batch(o.json ? cli::output_format::json : cli::output_format::text);
        }
        return run_one(argc, argv, o);
    } catch (const codec::converter_unavailable& failure) {
        return converter_missing(failure);
    }
}

}  // namespace

#if defined(_WIN32)
// Windows gives the arguments as wide characters, so that Chinese and full-width texts typed in
// any console reach the press as they would from a box; they go on as UTF-8.
int wmain(int argc, wchar_t** wide_argv) {
    std::vector<std::string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(codec::windows::utf8_from_wide(wide_argv[i]));
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    return run(argc, argv.data());
}
#else
int main(int argc, char** argv) {
    return run(argc, argv);
}
#endif
