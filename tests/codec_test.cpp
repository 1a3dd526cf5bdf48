#include "codec/gbk_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "codec/gbk_table.h"
#include "codec/utf8.h"

namespace quorvel::codec {
namespace {

TEST(gbk_codec, converts_both_ways) {
    EXPECT_EQ(utf8_to_gbk("赔率不够！(1)").value(), "\xC5\xE2\xC2\xCA\xB2\xBB\xB9\xBB\xA3\xA1(1)");
    EXPECT_EQ(gbk_to_utf8("\xC5\xE2\xC2\xCA\xB2\xBB\xB9\xBB\xA3\xA1(1)"), "赔率不够！(1)");
    EXPECT_EQ(utf8_to_gbk("１２.５　").value(), "\xA3\xB1\xA3\xB2.\xA3\xB5\xA1\xA1");
    EXPECT_EQ(utf8_to_gbk("").value(), "");
}

TEST(gbk_codec, a_character_without_a_gbk_form_becomes_a_question_mark) {
    EXPECT_EQ(utf8_to_gbk("1😀2").value(), "1?2");
    EXPECT_EQ(utf8_to_gbk("ﬀ😀😀").value(), "???");
}

TEST(gbk_codec, refuses_malformed_utf8) {
    for (const char* text : {"\xFF", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                             "abc\xE4\xB8", "\x80"}) {
        EXPECT_FALSE(utf8_to_gbk(text).has_value()) << text;
        EXPECT_FALSE(is_valid_utf8(text));
    }
}

TEST(gbk_codec, bytes_that_are_not_gbk_become_replacement_characters) {
    EXPECT_EQ(gbk_to_utf8("1\xFF"
                          "2"),
              "1\xEF\xBF\xBD"
              "2");
    EXPECT_EQ(gbk_to_utf8("1\xA3"), "1\xEF\xBF\xBD");
}

// The generated tables that WebAssembly converts with must do exactly what this system's iconv
// does: every character, every byte and byte pair, and random byte strings.
TEST(gbk_table, encodes_every_character_as_iconv_does) {
    int mismatches = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue;
        }
        std::string text;
        utf8::append(c, text);
        const std::string by_table = gbk_table::from_utf8(text);
        if (by_table != utf8_to_gbk(text).value() && ++mismatches <= 5) {
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(gbk_table, decodes_every_byte_pair_as_iconv_does) {
    int mismatches = 0;
    for (unsigned first = 0; first < 0x100; ++first) {
        for (const int second : {-1, 0x41, 0x81}) {
            for (unsigned last = 0; last < (second < 0 ? 0x101U : 0x100U); ++last) {
                std::string gbk(1, static_cast<char>(first));
                if (second >= 0) {
                    gbk += static_cast<char>(second);
                }
                if (last < 0x100) {
                    gbk += static_cast<char>(last);
                }
                if (gbk_table::to_utf8(gbk) != gbk_to_utf8(gbk) && ++mismatches <= 5) {
                    ADD_FAILURE() << testing::PrintToString(gbk);
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(gbk_table, converts_random_texts_as_iconv_does) {
    std::mt19937_64 random(936);
    std::uniform_int_distribution<int> length(1, 12);
    // Mostly bytes of the lead and trail ranges, where two-byte characters start and end.
    std::uniform_int_distribution<int> byte(0x00, 0x1FF);
    for (int i = 0; i < 200000; ++i) {
        std::string gbk;
        for (int n = length(random); n > 0; --n) {
            const int b = byte(random);
            gbk += static_cast<char>(b < 0x100 ? b : 0x80 + (b & 0x7F));
        }
        const std::string utf8_text = gbk_to_utf8(gbk);
        ASSERT_EQ(gbk_table::to_utf8(gbk), utf8_text) << testing::PrintToString(gbk);
        ASSERT_EQ(gbk_table::from_utf8(utf8_text), utf8_to_gbk(utf8_text).value())
            << testing::PrintToString(gbk);
    }
}

}  // namespace
}  // namespace quorvel::codec
