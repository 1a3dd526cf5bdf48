// Feeds any bytes to the batch reader, whole and cut into pieces at fuzzed places, in either
// output format. Checks that the output has one line per input line, each of a known kind, and
// that it does not depend on how the input was cut into reads.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "calc/fp_environment.h"
#include "cli/batch.h"

namespace {

using namespace quorvel;

std::string answers(std::string_view input, const std::vector<std::size_t>& cuts,
                    cli::output_format format) {
    cli::batch_runner runner(format);
    cli::batch_reader reader(runner);
    std::string out;
    std::size_t start = 0;
    for (const std::size_t cut : cuts) {
        reader.feed(input.substr(start, cut - start), out);
        start = cut;
    }
    reader.feed(input.substr(start), out);
    reader.finish(out);
    return out;
}

bool is_known_line(std::string_view line, cli::output_format format) {
    if (format == cli::output_format::json) {
        return line.size() >= 2 && line.front() == '{' && line.back() == '}' &&
               line.find('\n') == std::string_view::npos;
    }
    return line == "silent" || line.starts_with("result\tx:") || line.starts_with("notice\t") ||
           line.starts_with("error\t");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    set_fp_environment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const auto format =
        provider.ConsumeBool() ? cli::output_format::json : cli::output_format::text;
    std::vector<std::size_t> cuts(provider.ConsumeIntegralInRange<std::size_t>(0, 8));
    for (auto& cut : cuts) {
        cut = provider.ConsumeIntegral<std::uint16_t>();
    }
    const std::string input = provider.ConsumeRemainingBytesAsString();
    for (auto& cut : cuts) {
        cut = input.empty() ? 0 : cut % (input.size() + 1);
    }
    std::sort(cuts.begin(), cuts.end());

    const std::string whole = answers(input, {}, format);
    if (answers(input, cuts, format) != whole) {
        std::abort();  // the answers depend on how the input was read
    }
    const auto input_lines =
        static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n')) +
        (input.empty() || input.back() == '\n' ? 0 : 1);
    std::size_t output_lines = 0;
    for (std::size_t start = 0; start < whole.size(); ++output_lines) {
        const std::size_t end = whole.find('\n', start);
        if (end == std::string::npos ||
            !is_known_line(std::string_view(whole).substr(start, end - start), format)) {
            std::abort();  // an unfinished or unknown output line
        }
        start = end + 1;
    }
    if (output_lines != input_lines) {
        std::abort();
    }
    return 0;
}
