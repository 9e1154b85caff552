#include <gtest/gtest.h>

#include "base/gx_path.h"
#include "base/gx_string.h"

namespace {

TEST(Strings, Utf8RoundTripIncludingSurrogatePairs) {
    const std::string text = "abc 日本語 \xF0\x9F\x98\x80";
    std::u16string wide = gx::Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 10u);
    EXPECT_EQ(wide[8], 0xD83D);
    EXPECT_EQ(gx::Utf16ToUtf8(wide), text);
}

TEST(Strings, MalformedUtf8BecomesReplacementCharacters) {
    EXPECT_EQ(gx::Utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(gx::Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    EXPECT_FALSE(gx::IsValidUtf8("\xC0\xAF"));                            // overlong
    EXPECT_EQ(gx::Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");             // lone surrogate
}

TEST(Strings, AnsiCodePageIsCp932) {
    const std::string sjis = "\x82\xA0\x82\xA2 abc \x93\xFA\x96\x7B";  // あい abc 日本
    EXPECT_EQ(gx::AnsiToUtf16(sjis), u"あい abc 日本");
    EXPECT_EQ(gx::Utf16ToAnsi(u"あい abc 日本"), sjis);
    EXPECT_EQ(gx::AnsiToUtf16("a\x82"), u"a\uFFFD");  // truncated double-byte character
    EXPECT_TRUE(gx::IsAnsiLeadByte(0x82));
    EXPECT_FALSE(gx::IsAnsiLeadByte(0xA0));
}

TEST(Strings, KeysLowerAsciiOnly) {
    EXPECT_EQ(gx::ToLowerAscii(u"CG/Bg/ÄＡ.PNG"), u"cg/bg/ÄＡ.png");
    EXPECT_TRUE(gx::EqualsIgnoreAsciiCase(u"System/SYSCONF.ini", u"system/sysconf.INI"));
}

TEST(Strings, ExtensionFollowsLastSeparator) {
    EXPECT_EQ(gx::GetExtension(u"cg/bg/room.PNG"), u".PNG");
    EXPECT_EQ(gx::GetExtension(u"dir.v2/name"), u"");
    EXPECT_EQ(gx::GetExtension(u"c:file.ogg"), u".ogg");
    EXPECT_TRUE(gx::HasExtension(u"a/b.Ogg", u".ogg"));
}

TEST(Strings, SplitExactlyPadsAndDrops) {
    auto parts = gx::SplitExactly(u"pic|1", u'|', 3);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0], u"pic");
    EXPECT_EQ(parts[1], u"1");
    EXPECT_EQ(parts[2], u"");
    parts = gx::SplitExactly(u"a|b|c|d", u'|', 3);
    EXPECT_EQ(parts[2], u"c");
}

TEST(Paths, JoinAndTrailingSeparator) {
    EXPECT_EQ(gx::JoinPath(u"", u"b"), u"b");
    EXPECT_EQ(gx::JoinPath(u"a/", u"b"), u"a/b");
    EXPECT_EQ(gx::JoinPath(u"a\\", u"b"), u"a\\b");
    EXPECT_EQ(gx::JoinPath(u"a", u"b", u'\\'), u"a\\b");
    EXPECT_EQ(gx::EnsureTrailingSeparator(u""), u"");
    EXPECT_EQ(gx::EnsureTrailingSeparator(u"x"), u"x/");
    EXPECT_EQ(gx::EnsureTrailingSeparator(u"x\\"), u"x\\");
}

}  // namespace
