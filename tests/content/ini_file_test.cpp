#include <gtest/gtest.h>

#include <string>

#include "content/gx_ini_file.h"
#include "support/current_dir.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    // Writes `bytes` as setting.ini in the game folder and loads it.
    void Load(const std::string& bytes) {
        game.Write("setting.ini", bytes);
        ASSERT_TRUE(ini.Load(u"setting.ini", false));
    }
    gxtest::TempDir game;
    gxtest::ScopedCurrentDir inGame{game.Path()};
    GxINIFile ini;
};

TEST_F(IniFileTest, LinesSplitTrimAndKeepTheFirstValue) {
    Load(
        "[section]\r\n"
        "  KEY  =  two words  \r\n"
        "pair=a=b\n"
        "dup=first\n"
        "dup=second\n"
        "; comment=becomes a key\n"
        "no equals sign\n"
        "\tTabbed\t=\tvalue\t\r\n"
        "last=no newline");
    struct Case {
        const char16_t* key;
        const char16_t* expected;
    };
    const Case cases[] = {
        {u"KEY", u"two words"},
        {u"pair", u"a=b"},
        {u"dup", u"first"},
        {u"; comment", u"becomes a key"},
        {u"Tabbed", u"value"},
        {u"last", u"no newline"},
        {u"key", u"(absent)"},
        {u"[section]", u"(absent)"},
        {u"no equals sign", u"(absent)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.GetString(c.key, u"(absent)"), c.expected);
    }
}

TEST_F(IniFileTest, IntegerGetters) {
    Load(
        "octal=010\n"
        "colour=0xFFAAEEFF\n"
        "binary=0b101\n"
        "fullwidth=\xEF\xBC\x8D"
        "5\n"  // U+FF0D then 5, UTF-8
        "negative=-2147483648\n"
        "big=2147483648\n"
        "huge=99999999999999999999999\n"
        "padded=000000000012\n"
        "word=abc\n"
        "trailing=12px\n"
        "yes=1\n"
        "no=0\n"
        "spaced= -7\n"
        "text=true\n");
    EXPECT_EQ(ini.GetInt(u"octal", -1), 10);
    EXPECT_EQ(ini.GetInt64(u"colour", -1), 4289392383LL);
    EXPECT_EQ(ini.GetInt(u"colour", -1), -5574913);
    EXPECT_EQ(ini.GetInt(u"binary", -1), 5);
    EXPECT_EQ(ini.GetInt(u"fullwidth", 0), -5);
    EXPECT_EQ(ini.GetInt(u"negative", 0), INT32_MIN);
    EXPECT_EQ(ini.GetInt(u"padded", 0), 12);
    EXPECT_EQ(ini.GetInt(u"word", -1), 0);
    EXPECT_EQ(ini.GetInt(u"trailing", -1), 12);
    EXPECT_EQ(ini.GetInt(u"missing", 77), 77);
    EXPECT_EQ(ini.GetInt64(u"big", 0), 2147483648LL);
    {
        // Out-of-range decimals keep the default instead of wrapping, with a warning.
        gxtest::LogCapture log;
        EXPECT_EQ(ini.GetInt(u"big", 640), 640);
        EXPECT_EQ(ini.GetInt64(u"huge", 480), 480);
        EXPECT_EQ(log.lines.size(), 2u);
    }
    EXPECT_TRUE(ini.GetBool(u"yes", false));
    EXPECT_FALSE(ini.GetBool(u"no", true));
    EXPECT_TRUE(ini.GetBool(u"spaced", false));
    EXPECT_FALSE(ini.GetBool(u"text", true));
    EXPECT_TRUE(ini.GetBool(u"missing", true));
}

TEST_F(IniFileTest, EncodingsFollowTheMarkThenUtf8ThenCp932) {
    Load("\xEF\xBB\xBFtitle=\xE6\x97\xA5\xE6\x9C\xAC\n");  // UTF-8 with mark: 日本
    EXPECT_EQ(ini.GetString(u"title", u""), u"日本");
    Load("title=\xE6\x97\xA5\xE6\x9C\xAC\n");  // valid UTF-8 without mark
    EXPECT_EQ(ini.GetString(u"title", u""), u"日本");
    Load("title=\x93\xFA\x96\x7B\n");  // CP932
    EXPECT_EQ(ini.GetString(u"title", u""), u"日本");
    Load(std::string("\xFF\xFEt\0=\0x\0", 8));  // UTF-16LE with mark
    EXPECT_EQ(ini.GetString(u"t", u""), u"x");
}

TEST_F(IniFileTest, LoadClearsTheMapAndFailsOnMissingOrBigEndianFiles) {
    Load("a=1\n");
    gxtest::LogCapture log;
    EXPECT_FALSE(ini.Load(u"missing.ini", true));
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(ini.GetString(u"a", u"gone"), u"gone");
    EXPECT_FALSE(ini.Load(u"missing.ini", false));
    EXPECT_EQ(log.lines, std::vector<std::u16string>{u"File open error:missing.ini\n"});
    game.Write("be.ini", std::string("\xFE\xFF\0a\0=\0b", 8));
    EXPECT_FALSE(ini.Load(u"be.ini", false));
    EXPECT_EQ(log.lines.size(), 2u);
}

}  // namespace
