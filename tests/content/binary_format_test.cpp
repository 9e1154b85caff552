#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "content/gx_content_binary_reader.h"
#include "content/gx_content_binary_writer.h"
#include "content_test_support.h"

using gxtest::Bytes;
using gxtest::LogCapture;

namespace {

std::string WriteBinary(const std::function<void(GxContentWriterBase&)>& write) {
    return gxtest::WriteToBytes<GxContentBinaryWriter>(write);
}

using ReaderOver = gxtest::ReaderOver<GxContentBinaryReader>;

TEST(BinaryFormat, WritesValuesAsHandWrittenBytes) {
    struct Case {
        const char* what;
        std::function<void(GxContentWriterBase&)> write;
        std::string bytes;
    };
    const Case cases[] = {
        {"u32 1", [](auto& w) { w.WriteValue("v", GxU32{1}); }, Bytes({0x06, 0, 0, 0, 1})},
        {"s16 -2", [](auto& w) { w.WriteValue("v", GxS16{-2}); }, Bytes({0x03, 0xff, 0xfe})},
        {"s8 -1", [](auto& w) { w.WriteValue("v", GxS8{-1}); }, Bytes({0x01, 0xff})},
        {"bool", [](auto& w) { w.WriteValue("v", true); }, Bytes({0x0b, 0x01})},
        {"f32 1.0", [](auto& w) { w.WriteValue("v", 1.0f); }, Bytes({0x09, 0x3f, 0x80, 0, 0})},
        {"s64 -2", [](auto& w) { w.WriteValue("v", GxS64{-2}); },
         Bytes({0x07, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xfe})},
        {"bit32", [](auto& w) { w.WriteValue("v", GxBit32{0x01020304}); },
         Bytes({0x15, 1, 2, 3, 4})},
        {"point2",
         [](auto& w) {
             w.WriteValue("v", GxPoint2{1, -1});
         },
         Bytes({0x32, 0, 0, 0, 1, 0xff, 0xff, 0xff, 0xff})},
        {"abc", [](auto& w) { w.WriteValue("v", "abc"); },
         Bytes({0x1a, 0, 0, 0, 3, 'a', 'b', 'c', 0})},
        {"empty string", [](auto& w) { w.WriteValue("v", u""); }, Bytes({0x1a, 0, 0, 0, 0, 0})},
        {"wide to utf8", [](auto& w) { w.WriteValue("v", u"\u3042"); },
         Bytes({0x1a, 0, 0, 0, 3, 0xe3, 0x81, 0x82, 0})},
        {"ansi to utf8", [](auto& w) { w.WriteValue("v", "\x82\xa0"); },
         Bytes({0x1a, 0, 0, 0, 3, 0xe3, 0x81, 0x82, 0})},
        {"binary", [](auto& w) { w.WriteBinary("v", "\x01\x02", 2); },
         Bytes({0x1b, 0, 0, 0, 2, 1, 2})},
        {"list",
         [](auto& w) {
             w.WriteListBegin("v", "Type", 2);
             w.WriteListItemBegin();
             w.WriteListItemEnd();
             w.WriteListEnd();
         },
         Bytes({0x20, 0, 0, 0, 2, 0x21})},
        {"tree",
         [](auto& w) {
             w.WriteTreeBegin("v", "Type");
             w.WriteTreeStratumBegin();
             w.WriteTreeStratumEnd();
             w.WriteTreeEnd();
         },
         Bytes({0x22, 0x24, 0x25, 0x23})},
        {"header", [](auto& w) { w.WriteFileHeader("BGD", 100); },
         Bytes({'B', 'G', 'D', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteBinary(c.write), c.bytes) << c.what;
}

TEST(BinaryFormat, HeaderTagOfFifteenCharsIsTheLimit) {
    LogCapture log;
    EXPECT_EQ(
        WriteBinary([](auto& w) { EXPECT_TRUE(w.WriteFileHeader("ABCDEFGHIJKLMNO", 1)); }).size(),
        20u);
    int errors = -1;
    EXPECT_EQ(WriteBinary([&](auto& w) {
                  EXPECT_FALSE(w.WriteFileHeader("ABCDEFGHIJKLMNOP", 1));
                  errors = w.GetErrorCount();
              }),
              "");
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(gxtest::LastLog(log),
              "GxContentBinaryWriter/Header String Too Long(Limit=15 Chars)\n");
}

TEST(BinaryFormat, HeaderIsCheckedAndLeftInPlaceOnMismatch) {
    LogCapture log;
    const std::string bytes = WriteBinary([](auto& w) { w.WriteFileHeader("BGD", 100); });
    ReaderOver reader(bytes);
    GxU32 version = 0;
    EXPECT_FALSE(reader.ReadFileHeader("BPD", &version));
    EXPECT_EQ(gxtest::LastLog(log), "GxContentBinaryReader/FileHeader Isn't BPD\n");
    EXPECT_TRUE(reader.ReadFileHeader("BGD", &version));
    EXPECT_EQ(version, 100u);
    EXPECT_TRUE(reader.IsEnd());

    ReaderOver short_reader(bytes.substr(0, 19));
    EXPECT_FALSE(short_reader.ReadFileHeader("BGD", &version));
    EXPECT_EQ(gxtest::LastLog(log), "GxContentBinaryReader/ReadPos Overrun\n");
}

TEST(BinaryFormat, VectorsCrossReadAndTheNextValueStillFits) {
    const std::string v3 = Bytes({0x0d, 0x3f, 0x80, 0, 0, 0x40, 0, 0, 0, 0x40, 0x40, 0, 0,  // 1 2 3
                                  0x05, 0, 0, 0, 7});
    ReaderOver reader(v3);
    GxVector4 four{9, 9, 9, 9};
    EXPECT_TRUE(reader.ReadValue("v", four));
    EXPECT_EQ(four.x, 1.0f);
    EXPECT_EQ(four.z, 3.0f);
    EXPECT_EQ(four.w, 0.0f);
    EXPECT_EQ(reader.ReadS32("n"), 7);

    const std::string v4 = Bytes({0x0e, 0x3f, 0x80, 0, 0,    0x40, 0, 0, 0,
                                  0x40, 0x40, 0,    0, 0x40, 0x80, 0, 0,  // 1 2 3 4
                                  0x05, 0,    0,    0, 8});
    ReaderOver reader4(v4);
    const GxVector3 three = reader4.ReadVector3("v");
    EXPECT_EQ(three.z, 3.0f);
    EXPECT_EQ(reader4.ReadS32("n"), 8);
    ReaderOver as_quat(v4);
    EXPECT_EQ(as_quat.ReadQuat("q").w, 4.0f);
    ReaderOver as_color(v4);
    EXPECT_EQ(as_color.ReadFColor("c").a, 4.0f);
    EXPECT_EQ(reader.GetErrorCount() + reader4.GetErrorCount() + as_quat.GetErrorCount() +
                  as_color.GetErrorCount(),
              0);
}

TEST(BinaryFormat, IntegerTypesNeverConvert) {
    LogCapture log;
    const std::string bytes = Bytes({0x06, 0, 0, 0, 5});
    ReaderOver reader(bytes);
    GxS32 value = 42;
    EXPECT_FALSE(reader.ReadValue("v", value));
    EXPECT_EQ(value, 42);
    EXPECT_EQ(reader.GetErrorCount(), 1);
    EXPECT_EQ(gxtest::LastLog(log), "GxContentBinaryReader/ValueType Isn't VALTYPE_GxS32\n");
    ReaderOver string_reader(bytes);
    EXPECT_EQ(string_reader.ReadWString("s"), u"");
    EXPECT_EQ(
        gxtest::LastLog(log),
        "GxContentBinaryReader/ValueType Isn't VALTYPE_GxStringSJIS or VALTYPE_GxStringUTF8\n");
}

TEST(BinaryFormat, ReadAtTheEndCountsTwoErrorsAndPeekCountsNone) {
    LogCapture log;
    GxContentBinaryReader reader(nullptr, 0);
    EXPECT_EQ(reader.PeekValueType(), 255);
    EXPECT_EQ(reader.GetErrorCount(), 0);
    EXPECT_EQ(reader.ReadU16("v"), 0);
    EXPECT_EQ(reader.GetErrorCount(), 2);
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(gx::Utf16ToUtf8(log.lines[0]), "GxContentBinaryReader/ReadPos Overrun\n");
    EXPECT_EQ(gx::Utf16ToUtf8(log.lines[1]),
              "GxContentBinaryReader/ValueType Isn't VALTYPE_GxU16\n");
    EXPECT_FALSE(reader.SkipValue());
    EXPECT_EQ(reader.GetErrorCount(), 3);
}

TEST(BinaryFormat, TruncatedPayloadKeepsComponentsAlreadyRead) {
    LogCapture log;
    const std::string bytes = Bytes({0x12, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0});
    ReaderOver reader(bytes);
    GxRect rect{9, 9, 9, 9};
    EXPECT_FALSE(reader.ReadValue("r", rect));
    EXPECT_EQ(rect.left, 1);
    EXPECT_EQ(rect.top, 2);
    EXPECT_EQ(rect.right, 9);
    EXPECT_EQ(gxtest::LastLog(log), "GxContentBinaryReader/ReadPos Overrun\n");
}

TEST(BinaryFormat, StoredBooleanByteIsNormalised) {
    const std::string bytes = Bytes({0x0b, 0x05, 0x0b, 0x00});
    ReaderOver reader(bytes);
    bool first = false;
    EXPECT_TRUE(reader.ReadValue("b", first));
    unsigned char raw;
    std::memcpy(&raw, &first, 1);
    EXPECT_EQ(raw, 1);
    EXPECT_FALSE(reader.ReadBool("b"));
}

TEST(BinaryFormat, StringsOfBothCodesAndDamagedLengths) {
    LogCapture log;
    // CP932 "表" is 95 5C: the trail byte is a backslash, which must survive.
    const std::string sjis = Bytes({0x18, 0, 0, 0, 2, 0x95, 0x5c, 0});
    ReaderOver narrow(sjis);
    EXPECT_EQ(narrow.ReadString("s"), "\x95\x5c");
    ReaderOver wide(sjis);
    EXPECT_EQ(wide.ReadWString("s"), u"\u8868");
    ReaderOver utf8(Bytes({0x1a, 0, 0, 0, 3, 0xe3, 0x81, 0x82, 0}));
    EXPECT_EQ(utf8.ReadString("s"), "\x82\xa0");

    // A zero byte inside the length cuts the text; the cursor still moves past L + 1.
    ReaderOver cut(Bytes({0x1a, 0, 0, 0, 3, 'a', 0, 'c', 0, 0x02, 9}));
    EXPECT_EQ(cut.ReadString("s"), "a");
    EXPECT_EQ(cut.ReadU8("n"), 9);

    // A length past the end: overrun, empty, cursor right after the length.
    ReaderOver past(Bytes({0x1a, 0, 0, 0, 9, 'a', 'b'}));
    EXPECT_EQ(past.ReadString("s"), "");
    EXPECT_EQ(gxtest::LastLog(log), "GxContentBinaryReader/ReadPos Overrun\n");
    EXPECT_EQ(past.PeekValueType(), 'a');

    // The terminator missing at the very end: the text is read, the cursor stops at the end.
    ReaderOver unterminated(Bytes({0x1a, 0, 0, 0, 3, 'a', 'b', 'c'}));
    EXPECT_EQ(unterminated.ReadString("s"), "abc");
    EXPECT_TRUE(unterminated.IsEnd());
    EXPECT_EQ(unterminated.GetErrorCount(), 0);
}

TEST(BinaryFormat, BlocksAndListCountsAreCheckedBeforeAllocating) {
    LogCapture log;
    GxBinBuffer block;
    block.Alloc(4);
    ReaderOver huge(Bytes({0x1b, 0xff, 0xff, 0xff, 0xff, 1, 2}));
    EXPECT_FALSE(huge.ReadBinary("b", block));
    EXPECT_EQ(block.GetSize(), 4u);  // untouched
    EXPECT_EQ(gxtest::LastLog(log), "GxContentBinaryReader/ReadPos Overrun\n");

    ReaderOver fine(Bytes({0x1b, 0, 0, 0, 2, 7, 8, 0x1b, 0, 0, 0, 0}));
    EXPECT_TRUE(fine.ReadBinary("b", block));
    ASSERT_EQ(block.GetSize(), 2u);
    EXPECT_EQ(block.GetData()[1], 8);
    EXPECT_EQ(block.GetUseCount(), 1);
    EXPECT_TRUE(fine.ReadBinary("b", block));
    EXPECT_EQ(block.GetSize(), 0u);

    ReaderOver list(Bytes({0x20, 0x7f, 0xff, 0xff, 0xff, 0x21}));
    GxU32 count = 5;
    EXPECT_FALSE(list.ReadListBegin("l", &count));
    EXPECT_EQ(count, 5u);
    EXPECT_EQ(gxtest::LastLog(log), "GxContentBinaryReader/List Count Overrun(2147483647)\n");
}

TEST(BinaryFormat, SkipValueStepsOverEveryType) {
    const std::string bytes = WriteBinary([](GxContentWriterBase& w) {
        w.WriteValue("a", GxS8{1});
        w.WriteValue("a", GxU16{2});
        w.WriteValue("a", GxBit32{3});
        w.WriteValue("a", GxU64{4});
        w.WriteValue("a", true);
        w.WriteValue("a", GxVector2{});
        w.WriteValue("a", GxVector3{});
        w.WriteValue("a", GxQuat{});
        w.WriteValue("a", GxMatrix{});
        w.WriteValue("a", GxPoint2{});
        w.WriteValue("a", GxPoint3{});
        w.WriteValue("a", GxPoint4{});
        w.WriteValue("a", u"text");
        w.WriteBinary("a", "xyz", 3);
        w.WriteListBegin("a", "", 1);
        w.WriteListEnd();
        w.WriteTreeBegin("a", "");
        w.WriteTreeEnd();
        w.WriteValue("last", GxS32{77});
    });
    ReaderOver reader(bytes);
    for (int i = 0; i < 18; ++i)
        EXPECT_TRUE(reader.SkipValue()) << i;
    EXPECT_EQ(reader.ReadS32("last"), 77);
    EXPECT_EQ(reader.GetErrorCount(), 0);

    // A string length past the end leaves the cursor at the end without an error.
    ReaderOver damaged(Bytes({0x1a, 0, 0, 1, 0, 'a'}));
    EXPECT_TRUE(damaged.SkipValue());
    EXPECT_TRUE(damaged.IsEnd());
    ReaderOver short_fixed(Bytes({0x11, 0, 0}));
    EXPECT_FALSE(short_fixed.SkipValue());
}

TEST(BinaryFormat, FailedStreamWritesAreCountedAndDoNotStopLaterWrites) {
    FILE* read_only = std::fopen("/dev/null", "rb");
    ASSERT_NE(read_only, nullptr);
    GxContentBinaryWriter writer(read_only);
    EXPECT_FALSE(writer.WriteValue("a", GxS32{1}));
    EXPECT_FALSE(writer.WriteValue("a", u"x"));
    EXPECT_EQ(writer.GetErrorCount(), 2);
    std::fclose(read_only);
}

TEST(BinaryFormat, ExtremeValuesKeepTheirBits) {
    const float pi = 3.14159274f;
    const float tiny = 1.4e-45f;
    const std::string bytes = WriteBinary([&](GxContentWriterBase& w) {
        w.WriteValue("a", std::numeric_limits<GxS64>::min());
        w.WriteValue("a", std::numeric_limits<GxU64>::max());
        w.WriteValue("a", std::numeric_limits<GxS32>::min());
        w.WriteValue("a", pi);
        w.WriteValue("a", tiny);
        w.WriteValue("a", -0.0);
        w.WriteValue("a", std::numeric_limits<double>::quiet_NaN());
    });
    ReaderOver reader(bytes);
    EXPECT_EQ(reader.ReadS64("a"), std::numeric_limits<GxS64>::min());
    EXPECT_EQ(reader.ReadU64("a"), std::numeric_limits<GxU64>::max());
    EXPECT_EQ(reader.ReadS32("a"), std::numeric_limits<GxS32>::min());
    EXPECT_EQ(reader.ReadF32("a"), pi);
    EXPECT_EQ(reader.ReadF32("a"), tiny);
    EXPECT_TRUE(std::signbit(reader.ReadF64("a")));
    EXPECT_TRUE(std::isnan(reader.ReadF64("a")));
    EXPECT_EQ(reader.GetErrorCount(), 0);
}

}  // namespace
