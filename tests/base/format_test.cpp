#include <gtest/gtest.h>

#include "base/gx_format.h"
#include "base/gx_string.h"

namespace {

TEST(Format, MessageFormatsAsWritten) {
    struct Case {
        std::u16string expected, actual;
    };
    const std::u16string wide = u"SeqTitle";
    const Case cases[] = {
        {u"SeqTitle/btn[2]:0", gx::Format(u"%s/%s[%d]:%d", wide, "btn", 2, 0)},
        {u"ID 18446744073709551615", gx::Format(u"ID %I64u", UINT64_MAX)},
        {u"-9223372036854775808", gx::Format(u"%I64d", INT64_MIN)},
        {u"ffffffff FFFFFFFF", gx::Format(u"%x %X", -1, -1)},
        {u"0x1f|  31|31   |00031", gx::Format(u"%#x|%4d|%-5d|%05d", 31, 31, 31, 31)},
        {u"-0042", gx::Format(u"%05d", -42)},
        {u"Quenwood FPS 59.94/60", gx::Format(u"%s FPS %2.2f/%d", u"Quenwood", 59.9412, 60)},
        {u"PACK_FILE_05", gx::Format(u"PACK_FILE_%02d", 5)},
        {u"100%", gx::Format(u"%d%%", 100)},
        {u"[ab]", gx::Format(u"[%.2s]", u"abc")},
        {u"x=あ", gx::Format(u"x=%c", u'あ')},
        {u"日本語 text", gx::Format(u"%s text", "日本語")},
        {u"1.5", gx::Format(u"%g", 1.5f)},
        {u"   -7", gx::Format(u"%*d", 5, -7)},
        {u"missing: ", gx::Format(u"missing: %d")},
        {u"tail %", gx::Format(u"tail %")},
        {u"-1", gx::Format(u"%hd", 65535)},
        {u"65535", gx::Format(u"%hu", -1)},
    };
    for (const Case& c : cases) EXPECT_EQ(gx::Utf16ToUtf8(c.actual), gx::Utf16ToUtf8(c.expected));
}

}  // namespace
