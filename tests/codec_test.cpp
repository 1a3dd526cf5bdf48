#include "codec/gbk_codec.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quorvel::codec
