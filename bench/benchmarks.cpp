// Text reading against the plain conversions, the rules' arithmetic against the x87, whole
// presses of each button, and the batch.
#include <benchmark/benchmark.h>
#include <fast_float/fast_float.h>

#include <array>
#include <charconv>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/extended.h"
#include "calc/fp_environment.h"
#include "calc/text_to_number.h"
#include "cli/batch.h"
#include "cli/press_outcome.h"

namespace {

using namespace quorvel;

// Typical box texts: totals and decimal odds as users type them.
const std::vector<std::string>& typical_texts() {
    static const std::vector<std::string> texts = {
        "100", "1000", "250", "99999999", "2.5",  "1.6",  "4.8",  "3",   "1.85", "2.05",
        "5.5", "10",   "1.2", "7.5",      "3.25", "12.5", "1.01", "0.5", "6",    "2.0000001"};
    return texts;
}

void text_to_number_typical(benchmark::State& state) {
    const auto& texts = typical_texts();
    for (auto _ : state) {
        for (const auto& text : texts) {
            benchmark::DoNotOptimize(text_to_number(text));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(text_to_number_typical);

void from_chars_typical(benchmark::State& state) {
    const auto& texts = typical_texts();
    for (auto _ : state) {
        for (const auto& text : texts) {
            double value = 0.0;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(from_chars_typical);

void fast_float_typical(benchmark::State& state) {
    const auto& texts = typical_texts();
    for (auto _ : state) {
        for (const auto& text : texts) {
            double value = 0.0;
            fast_float::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(fast_float_typical);

void strtod_typical(benchmark::State& state) {
    const auto& texts = typical_texts();
    for (auto _ : state) {
        for (const auto& text : texts) {
            benchmark::DoNotOptimize(std::strtod(text.c_str(), nullptr));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(texts.size()));
}
BENCHMARK(strtod_typical);

// The arithmetic of a typical press, button 1 with four odds and two comparisons of odds as the
// break-even rules make them: 8 divisions, 4 additions (three in the sum, one forming the
// difference of the check), 4 multiplications and 3 comparisons of a difference with 1e-7, each
// result stored as a double where a rule stores it; in the portable type, and on the x87 in
// long double for comparison.
template <class wide, class to_double>
double typical_press_arithmetic(const std::array<double, 5>& in, to_double store) {
    const double total = in[0];
    std::array<double, 4> stake{};
    for (std::size_t k = 0; k < 4; ++k) {
        stake.at(k) = store(wide(total) / in.at(k + 1));
    }
    wide sum = stake[0];
    for (std::size_t k = 1; k < 4; ++k) {
        sum = sum + stake.at(k);
    }
    const double raw_sum = store(sum);
    bool passes = wide(total) - raw_sum > 1e-7;
    passes = passes && !(wide(in[1]) - in[2] > 1e-7);
    passes = passes && !(wide(in[3]) - in[4] > 1e-7);
    double out = 0.0;
    for (std::size_t k = 0; k < 4; ++k) {
        const double quotient = store(wide(stake.at(k)) / raw_sum);
        out += store(wide(quotient) * total);
    }
    return passes ? out : 0.0;
}

const std::array<double, 5> press_inputs = {100.0, 3.0, 4.0, 5.0, 6.0};

void arithmetic_portable(benchmark::State& state) {
    std::array<double, 5> in = press_inputs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in.data());
        benchmark::DoNotOptimize(typical_press_arithmetic<extended>(
            in, [](const extended& value) { return value.to_double(); }));
    }
}
BENCHMARK(arithmetic_portable);

#if defined(__x86_64__)
void arithmetic_x87(benchmark::State& state) {
    std::array<double, 5> in = press_inputs;
    for (auto _ : state) {
        benchmark::DoNotOptimize(in.data());
        benchmark::DoNotOptimize(typical_press_arithmetic<long double>(
            in, [](long double value) { return static_cast<double>(value); }));
    }
}
BENCHMARK(arithmetic_x87);
#endif

void whole_press(benchmark::State& state, button pressed, cli::box_texts texts) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(cli::run_press(pressed, texts));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(whole_press, equal_return_split, button::按钮1,
                  cli::box_texts{"100", "3", "4", "5", ""});
BENCHMARK_CAPTURE(whole_press, lowest_odds_break_even, button::按钮2,
                  cli::box_texts{"100", "3", "4", "5", "6"});
BENCHMARK_CAPTURE(whole_press, highest_odds_break_even, button::按钮3,
                  cli::box_texts{"1000", "3", "4", "5", "10"});
BENCHMARK_CAPTURE(whole_press, notice, button::按钮1, cli::box_texts{"100", "2", "2", "", ""});

void batch_lines(benchmark::State& state) {
    const std::array<std::string, 4> lines = {"1\t100\t3\t4\t5\t", "2\t100\t3\t4\t5\t6",
                                              "3\t1000\t3\t4\t5\t10", "1\t100\t2\t2\t\t"};
    cli::batch_runner runner;
    std::string out;
    for (auto _ : state) {
        out.clear();
        for (const auto& line : lines) {
            runner.run_line(line, out);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(batch_lines);

}  // namespace

int main(int argc, char** argv) {
    quorvel::set_fp_environment();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
