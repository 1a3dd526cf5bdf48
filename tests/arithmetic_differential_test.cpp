// The rules' arithmetic against an exact model of it: for many random and near-tie inputs, every
// value a rule stores and the way it ends must be exactly those of the model, which rounds each
// operation to a 64-bit significand and each stored value to a double, and nothing else.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calc/equal_return_split.h"
#include "calc/highest_odds_break_even.h"
#include "calc/lowest_odds_break_even.h"
#include "calc/notice_texts.h"
#include "calc/result_line.h"
#include "exact_model.h"

namespace quorvel {
namespace {

using testing::exact;
using testing::extended;
using testing::stored;

// What a press stored and how it ended, from the core or from the model.
struct press_record {
    std::array<std::optional<double>, 4> stakes;
    std::optional<double> scratch_a, scratch_b, scratch_c, pivot_odds;
    std::string ending;  // the notice, or "line"
};

bool same_double(std::optional<double> a, std::optional<double> b) {
    if (a.has_value() != b.has_value()) {
        return false;
    }
    if (!a) {
        return true;
    }
    return std::memcmp(&*a, &*b, sizeof(double)) == 0 || (std::isnan(*a) && std::isnan(*b));
}

// The model of the three rules, step by step.
class model {
  public:
    model(double total, const std::vector<double>& odds) : total_(exact::of(total)) {
        for (double o : odds) {
            odds_.push_back(exact::of(o));
        }
    }

    press_record equal_return_split() {
        const std::size_t n = count();
        press_record record;
        std::vector<exact> raw;
        for (std::size_t i = 0; i < n; ++i) {
            raw.push_back(stored(extended(total_ / odds_[i])));
        }
        const exact sum = stored(extended_sum(raw, no_letter));
        record.scratch_a = sum.to_double();
        if (!(extended(total_ - sum) > margin())) {
            store_stakes(record, raw);
            record.ending =
                std::string(std::array{notice_text::odds_short_two, notice_text::odds_short_three,
                                       notice_text::odds_short_four}[n - 2]);
            return record;
        }
        std::vector<exact> final_stakes;
        for (std::size_t i = 0; i < n; ++i) {
            final_stakes.push_back(share(raw[i], sum, total_));
        }
        store_stakes(record, final_stakes);
        record.ending = "line";
        return record;
    }

    press_record break_even(bool lowest) {
        const std::size_t n = count();
        std::size_t pivot = 0;
        for (std::size_t i = 1; i < n; ++i) {
            const exact difference = extended(odds_[pivot] - odds_[i]);
            const bool keeps =
                lowest ? (difference < -margin() || difference.is_nan()) : difference > margin();
            if (!keeps) {
                pivot = i;
            }
        }
        press_record record;
        std::vector<exact> stakes;
        for (std::size_t i = 0; i < n; ++i) {
            stakes.push_back(stored(extended(total_ / odds_[i])));
        }
        if (n == 2) {
            const exact sum = stored(extended(stakes[0] + stakes[1]));
            record.scratch_a = sum.to_double();
            if (!(extended(total_ - sum) > margin())) {
                store_stakes(record, stakes);
                record.ending = std::string(notice_text::odds_short_two);
                return record;
            }
            stakes[1 - pivot] = stored(extended(total_ - stakes[pivot]));
            store_stakes(record, stakes);
            record.ending = "line";
            return record;
        }
        record.pivot_odds = odds_[pivot].to_double();
        const exact remainder = stored(extended(total_ - stakes[pivot]));
        record.scratch_a = remainder.to_double();
        const exact raw_sum = stored(extended_sum(stakes, no_letter));
        record.scratch_b = raw_sum.to_double();
        if (!(extended(total_ - raw_sum) > margin())) {
            store_stakes(record, stakes);
            record.ending = std::string(notice_text::odds_short_overall);
            return record;
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (i != pivot) {
                stakes[i] = stored(extended(remainder / odds_[i]));
            }
        }
        const exact other_sum = stored(extended_sum(stakes, pivot));
        record.scratch_c = other_sum.to_double();
        if (!(extended(remainder - other_sum) > margin())) {
            store_stakes(record, stakes);
            record.ending = std::string(notice_text::odds_short_remainder);
            return record;
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (i != pivot) {
                stakes[i] = share(stakes[i], other_sum, remainder);
            }
        }
        store_stakes(record, stakes);
        record.ending = "line";
        return record;
    }

  private:
    [[nodiscard]] std::size_t count() const { return odds_.size(); }
    static exact margin() { return exact::of(1e-7); }
    static constexpr std::size_t no_letter = 4;

    // Left to right, each partial sum rounded to the 64-bit significand.
    static exact extended_sum(const std::vector<exact>& terms, std::size_t skipped) {
        std::optional<exact> sum;
        for (std::size_t i = 0; i < terms.size(); ++i) {
            if (i != skipped) {
                sum = sum ? extended(*sum + terms[i]) : terms[i];
            }
        }
        return *sum;
    }

    static exact share(const exact& stake, const exact& sum, const exact& amount) {
        const exact quotient = stored(extended(stake / sum));
        return stored(extended(quotient * amount));
    }

    static void store_stakes(press_record& record, const std::vector<exact>& stakes) {
        for (std::size_t i = 0; i < stakes.size(); ++i) {
            record.stakes.at(i) = stakes[i].to_double();
        }
    }

    exact total_;
    std::vector<exact> odds_;
};

class recorder final : public window_port {
  public:
    std::string ending;
    std::string read_box_text(box) override { return {}; }
    void set_result_text(std::string_view) override { ending = "line"; }
    void show_notice(std::string_view text) override { ending = text; }
};

// Runs the core's rule on fresh working values whose unwritten fields hold a marker, and keeps
// what the rule wrote.
press_record core_press(int rule, double total, const std::vector<double>& odds) {
    constexpr double untouched = -7777.25;
    working_values values;
    for (double working_values::*field :
         {&working_values::stake_x, &working_values::stake_y, &working_values::stake_z,
          &working_values::stake_t, &working_values::scratch_a, &working_values::scratch_b,
          &working_values::scratch_c, &working_values::pivot_odds}) {
        values.*field = untouched;
    }
    values.total = total;
    for (std::size_t i = 0; i < odds.size(); ++i) {
        values.*odds_of.at(i) = odds[i];
    }
    recorder window;
    const int n = static_cast<int>(odds.size());
    switch (rule) {
        case 0:
            equal_return_split(n, values, window);
            break;
        case 1:
            lowest_odds_break_even(n, values, window);
            break;
        default:
            highest_odds_break_even(n, values, window);
            break;
    }
    const auto written = [&](double value) -> std::optional<double> {
        return std::memcmp(&value, &untouched, sizeof value) == 0 ? std::nullopt
                                                                  : std::optional(value);
    };
    press_record record;
    for (std::size_t i = 0; i < 4; ++i) {
        record.stakes.at(i) = written(values.*stake_of.at(i));
    }
    record.scratch_a = written(values.scratch_a);
    record.scratch_b = written(values.scratch_b);
    record.scratch_c = written(values.scratch_c);
    record.pivot_odds = written(values.pivot_odds);
    record.ending = window.ending;
    return record;
}

std::string describe(int rule, double total, const std::vector<double>& odds) {
    char text[64];
    std::string out = "rule " + std::to_string(rule + 1) + ", total ";
    std::snprintf(text, sizeof text, "%.17g", total);
    out += text;
    for (double o : odds) {
        std::snprintf(text, sizeof text, " %.17g", o);
        out += text;
    }
    return out;
}

// Inputs as users type them, with near ties planted among them: odds a few units in the last
// place apart or 1e-7 apart, odds whose reciprocals add up to almost exactly 1, totals at the
// edges of the double range, zero and negative values.
class input_source {
  public:
    explicit input_source(std::uint64_t seed) : random_(seed) {}

    double total() {
        switch (pick(8)) {
            case 0:
                return static_cast<double>(pick(99999999) + 1);
            case 1:
                return decimal(1, 100000, 2);
            case 2:
                return -decimal(1, 1000, 2);
            case 3:
                return 0.0;
            case 4:
                return std::ldexp(1.0, static_cast<int>(pick(2000)) - 1000) * 1.5;
            default:
                return static_cast<double>(pick(100000) + 1);
        }
    }

    std::vector<double> odds(int n) {
        std::vector<double> odds;
        for (int i = 0; i < n; ++i) {
            odds.push_back(one_odds());
        }
        switch (pick(6)) {
            case 0: {  // a near tie between two odds
                const std::size_t a = pick(static_cast<std::uint64_t>(n));
                const std::size_t b =
                    (a + 1 + pick(static_cast<std::uint64_t>(n - 1))) % static_cast<std::size_t>(n);
                const double steps[] = {1e-7, -1e-7, 1.0000001e-7, 9.999999e-8, 0.0};
                odds[b] = odds[a] + steps[pick(5)];
                if (pick(2) == 0) {
                    odds[b] = std::nextafter(odds[b], pick(2) == 0 ? 0.0 : 100.0);
                }
                break;
            }
            case 1: {  // reciprocals adding up to almost exactly 1
                double rest = 1.0;
                for (int i = 0; i + 1 < n; ++i) {
                    rest -= 1.0 / odds[static_cast<std::size_t>(i)];
                }
                if (rest > 0) {
                    odds.back() = 1.0 / rest;
                    for (std::uint64_t k = pick(4); k > 0; --k) {
                        odds.back() = std::nextafter(odds.back(), pick(2) == 0 ? 0.0 : 1e9);
                    }
                }
                break;
            }
            default:
                break;
        }
        return odds;
    }

  private:
    std::uint64_t pick(std::uint64_t count) { return random_() % count; }

    double decimal(std::uint64_t low, std::uint64_t high, int places) {
        const double scale = std::pow(10.0, places);
        const auto units =
            static_cast<double>(low * static_cast<std::uint64_t>(scale) +
                                pick((high - low) * static_cast<std::uint64_t>(scale) + 1));
        return units / scale;
    }

    double one_odds() {
        switch (pick(20)) {
            case 0:
                return 0.0;
            case 1:
                return -decimal(1, 5, 2);
            case 2:
                return std::ldexp(1.0, static_cast<int>(pick(2000)) - 1000);
            case 3:
                return decimal(1, 10, 8);
            default:
                return decimal(1, 20, static_cast<int>(pick(3)) + 1);
        }
    }

    std::mt19937_64 random_;
};

TEST(arithmetic, every_stored_value_matches_the_exact_model) {
    input_source source(20261211);
    int compared = 0;
    for (int i = 0; i < 100000; ++i) {
        const double total = source.total();
        const int n = 2 + i % 3;
        const std::vector<double> odds = source.odds(n);
        for (int rule = 0; rule < 3; ++rule) {
            model exact_model(total, odds);
            const press_record expected =
                rule == 0 ? exact_model.equal_return_split() : exact_model.break_even(rule == 1);
            const press_record actual = core_press(rule, total, odds);
            const std::string where = describe(rule, total, odds);
            ASSERT_EQ(actual.ending, expected.ending) << where;
            for (std::size_t s = 0; s < 4; ++s) {
                ASSERT_TRUE(same_double(actual.stakes.at(s), expected.stakes.at(s)))
                    << where << ": stake " << s;
            }
            ASSERT_TRUE(same_double(actual.scratch_a, expected.scratch_a)) << where;
            ASSERT_TRUE(same_double(actual.scratch_b, expected.scratch_b)) << where;
            ASSERT_TRUE(same_double(actual.scratch_c, expected.scratch_c)) << where;
            ASSERT_TRUE(same_double(actual.pivot_odds, expected.pivot_odds)) << where;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 300000);
}

TEST(exact_model, rounds_to_nearest_with_ties_to_even) {
    // 1 + 2^-53 lies halfway between 1 and the next double: it rounds to the even 1, and stays
    // exact at 64 bits.
    const exact halfway = exact::of(1.0) + exact::of(std::ldexp(1.0, -53));
    EXPECT_EQ(halfway.to_double_precision().to_double(), 1.0);
    EXPECT_FALSE(halfway.to_extended().to_double_precision().to_double() != 1.0);
    // Rounding twice differs from rounding once: 1 + 2^-53 + 2^-66 goes up when rounded once to
    // 53 bits, but to 1 when first rounded to 64 bits (which drops the 2^-66).
    const exact above = halfway + exact::of(std::ldexp(1.0, -66));
    EXPECT_EQ(above.to_double_precision().to_double(), std::nextafter(1.0, 2.0));
    EXPECT_EQ(above.to_extended().to_double_precision().to_double(), 1.0);
    // Overflow and subnormals.
    const exact huge = exact::of(std::numeric_limits<double>::max()) * exact::of(2.0);
    EXPECT_TRUE(std::isinf(huge.to_double_precision().to_double()));
    const exact tiny = exact::of(std::numeric_limits<double>::denorm_min()) / exact::of(3.0);
    EXPECT_EQ(tiny.to_double_precision().to_double(), 0.0);
    const exact two_thirds_tiny =
        exact::of(std::numeric_limits<double>::denorm_min()) * exact::of(2.0) / exact::of(3.0);
    EXPECT_EQ(two_thirds_tiny.to_double_precision().to_double(),
              std::numeric_limits<double>::denorm_min());
}

}  // namespace
}  // namespace quorvel
