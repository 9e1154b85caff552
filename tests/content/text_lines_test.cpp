#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/gx_text_lines.h"
#include "support/current_dir.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

using Lines = std::vector<std::u16string>;

class TextLinesTest : public ::testing::Test {
protected:
    gxtest::TempDir game;
    gxtest::ScopedCurrentDir inGame{game.Path()};
};

TEST_F(TextLinesTest, EncodingsAndLineEnds) {
    struct Case {
        const char* name;
        std::string bytes;
        bool skipEmpty;
        Lines expected;
    };
    const Case cases[] = {
        {"utf8 mark", "\xEF\xBB\xBF\xE3\x81\x84\nb\n", false, {u"い", u"b"}},
        {"utf16le mark", std::string("\xFF\xFE\x44\x30\n\0\r\0b\0", 10), false, {u"い", u"b"}},
        {"cp932", "\x82\xA2\r\n\x95\\\n", false, {u"い", u"表"}},
        {"crlf", "a\r\nb\r\n", false, {u"a", u"b"}},
        {"no final line feed", "a\nb", false, {u"a", u"b"}},
        {"empty lines kept", "a\n\nb\n\n", false, {u"a", u"", u"b", u""}},
        {"empty lines skipped", "a\n\n\nb\n", true, {u"a", u"b"}},
        {"cr and ff after lf belong to the line end", "a\n\r\f\rb\n\f\n", false, {u"a", u"b", u""}},
        {"lone cr and ff are dropped", "a\rb\fc\n", false, {u"abc"}},
        {"zero ends the text", std::string("a\nb\0c\nd\n", 8), false, {u"a", u"b"}},
        {"only a line feed", "\n", false, {u""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        game.Write("data/table.txt", c.bytes);
        Lines lines;
        ASSERT_TRUE(LoadTextLines(lines, u"data/table.txt", c.skipEmpty));
        EXPECT_EQ(lines, c.expected);
    }
}

TEST_F(TextLinesTest, AppendsToTheList) {
    game.Write("a.txt", "x\n");
    Lines lines{u"kept"};
    ASSERT_TRUE(LoadTextLines(lines, u"a.txt", false));
    EXPECT_EQ(lines, (Lines{u"kept", u"x"}));
}

TEST_F(TextLinesTest, RefusesMissingEmptyAndBigEndianFiles) {
    game.Write("empty.txt", "");
    game.Write("be.txt", std::string("\xFE\xFF\0a", 4));
    gxtest::LogCapture log;
    Lines lines;
    EXPECT_FALSE(LoadTextLines(lines, u"missing.txt", false));
    EXPECT_FALSE(LoadTextLines(lines, u"empty.txt", false));
    EXPECT_FALSE(LoadTextLines(lines, u"be.txt", false));
    EXPECT_TRUE(lines.empty());
    ASSERT_EQ(log.lines.size(), 3u);
    EXPECT_EQ(log.lines[0], u"File open error or not exist:missing.txt\n");
}

TEST(ParseIntTest, Cases) {
    struct Case {
        const char16_t* text;
        int base;
        bool noOctal;
        GxS32 value;
        int consumed;
    };
    const Case cases[] = {
        {u"42", 0, false, 42, 2},
        {u"  \t-42x", 0, false, -42, 6},
        {u"+7", 0, false, 7, 2},
        {u"\xFF0D"
         u"5",
         0, false, -5, 2},
        {u"\xFF0B"
         u"5",
         0, false, 5, 2},
        {u"010", 0, false, 8, 3},
        {u"010", 0, true, 10, 3},
        {u"0x1F", 0, false, 31, 4},
        {u"0XfF", 0, false, 255, 4},
        {u"0b101", 0, false, 5, 5},
        {u"0", 0, false, 0, 1},
        {u"019", 0, false, 1, 2},
        {u"0xFFAAEEFF", 0, false, -5574913, 10},
        {u"0x123456789", 0, false, 0x12345678, 10},  // at most 8 hexadecimal digits
        {u"12345678901", 0, false, 1234567890, 10},  // at most 10 decimal digits
        {u"4294967295", 0, false, -1, 10},           // low 32 bits
        {u"-2147483648", 0, false, INT32_MIN, 11},
        {u"0x1F", 16, false, 31, 4},
        {u"1F", 16, false, 31, 2},
        {u"017", 8, false, 15, 3},
        {u"0b11", 2, false, 3, 4},
        {u"zz", 35, false, 0, 0},
        {u"yy", 35, false, 34 * 35 + 34, 2},
        {u"12", 36, false, 0, 0},
        {u"12", 1, false, 0, 0},
        {u"abc", 0, false, 0, 0},
        {u"", 10, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        const char16_t* end = nullptr;
        EXPECT_EQ(ParseInt(c.text, &end, c.base, c.noOctal), c.value);
        EXPECT_EQ(end - c.text, c.consumed);
    }
    EXPECT_EQ(ParseInt(u"5", nullptr, 0, false), 5);
}

TEST(ParseInt64Test, Cases) {
    const char16_t* end = nullptr;
    EXPECT_EQ(ParseInt64(u"0xFFAAEEFF", &end, 0, true), 4289392383LL);
    EXPECT_EQ(ParseInt64(u"9223372036854775807", &end, 0, true), INT64_MAX);
    EXPECT_EQ(ParseInt64(u"-9223372036854775808", &end, 0, true), INT64_MIN);
    EXPECT_EQ(ParseInt64(u"0x123456789ABCDEF01", &end, 0, true), 0x123456789ABCDEF0LL);
    EXPECT_EQ(*end, u'1');
    EXPECT_EQ(ParseInt64(u"0777", nullptr, 0, false), 511);
    EXPECT_EQ(ParseInt64(u"-0b1", nullptr, 0, false), -1);
}

TEST(ClassifyNumberTest, Cases) {
    struct Case {
        std::u16string text;
        int result;
        int length;
    };
    const Case cases[] = {
        {u"0x1Fz", 2, 4}, {u"+12a", 1, 3}, {u"0x", 0, 0}, {u"-7", 1, 2}, {u"12", 1, 2},
        {u"+0x1F", 1, 2}, {u"abc", 0, 0},  {u"+", 0, 0},  {u"", 0, 0},   {u"0xg", 0, 0},
        {u"007", 1, 3},   {u"0X0", 2, 3},  {u"-x", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        int length = -1;
        EXPECT_EQ(ClassifyNumber(c.text.data(), &length, c.text.data() + c.text.size()), c.result);
        EXPECT_EQ(length, c.length);
    }
    // Characters at or past the end are not looked at.
    const std::u16string text = u"0x1F";
    int length = -1;
    EXPECT_EQ(ClassifyNumber(text.data(), &length, text.data() + 3), 2);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(ClassifyNumber(text.data(), &length, text.data() + 2), 0);
}

}  // namespace
