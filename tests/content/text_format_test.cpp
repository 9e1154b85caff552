#include <gtest/gtest.h>

#include "content/gx_content_text_reader.h"
#include "content/gx_content_text_writer.h"
#include "content_test_support.h"

using gxtest::LogCapture;

namespace {

std::string WriteText(const std::function<void(GxContentWriterBase&)>& write) {
    return gxtest::WriteToBytes<GxContentTextWriter>(write);
}

using ReaderOver = gxtest::ReaderOver<GxContentTextReader>;

TEST(TextFormat, WritesLinesAsHandWrittenText) {
    struct Case {
        const char* what;
        std::function<void(GxContentWriterBase&)> write;
        std::string text;
    };
    const Case cases[] = {
        {"header", [](auto& w) { w.WriteFileHeader("TGD", 100); }, "TGD\t100\n"},
        {"s32", [](auto& w) { w.WriteValue("m_X", GxS32{-5}); }, "05\tm_X\t-5\n"},
        {"bool", [](auto& w) { w.WriteValue("m_B", true); }, "0b\tm_B\t1\n"},
        {"f32", [](auto& w) { w.WriteValue("m_F", 0.1234567f); }, "09\tm_F\t0.123457\n"},
        {"u64", [](auto& w) { w.WriteValue("m_U", GxU64{18446744073709551615ull}); },
         "08\tm_U\t18446744073709551615\n"},
        {"s8", [](auto& w) { w.WriteValue("m_S", GxS8{-128}); }, "01\tm_S\t-128\n"},
        {"point2",
         [](auto& w) {
             w.WriteValue("m_P", GxPoint2{1, -2});
         },
         "32\tm_P\t1\t-2\n"},
        {"bit32", [](auto& w) { w.WriteValue("m_F", GxBit32{4294967295u}); },
         "15\tm_F\t4294967295\n"},
        {"string", [](auto& w) { w.WriteValue("m_S", u"a\tb\n\\\"'"); },
         "1a\tm_S\t12\t\"a\\tb\\n\\\\\\\"\\'\"\n"},
        {"list",
         [](auto& w) {
             w.WriteListBegin("m_L", "Item", 2);
             w.WriteListEnd();
         },
         "20\tm_L\tItem\t2\t{\n21\t}\n"},
        {"tree",
         [](auto& w) {
             w.WriteTreeBegin("m_T", "Node");
             w.WriteTreeStratumBegin();
             w.WriteTreeStratumEnd();
             w.WriteTreeEnd();
         },
         "22\tm_T\tNode\t{\n24\t{\n25\t}\n23\t}\n"},
        {"empty block", [](auto& w) { w.WriteBinary("m_B", "", 0); }, "1b\tm_B\t0\n\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WriteText(c.write), c.text) << c.what;
}

TEST(TextFormat, ThirtyThreeByteBlockTakesTwoDataLines) {
    std::string data(33, '\0');
    for (int i = 0; i < 33; ++i)
        data[i] = static_cast<char>(i * 7);
    const std::string text = WriteText([&](auto& w) { w.WriteBinary("m_D", data.data(), 33); });
    const auto first_end = text.find('\n');
    const auto second_end = text.find('\n', first_end + 1);
    EXPECT_EQ(text.substr(0, first_end), "1b\tm_D\t33");
    EXPECT_EQ(second_end - first_end - 1, 64u);
    EXPECT_EQ(text.substr(second_end + 1), "e0\n");
    ReaderOver reader(text);
    GxBinBuffer block;
    EXPECT_TRUE(reader.ReadBinary("m_D", block));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block.GetData()), block.GetSize()), data);
}

TEST(TextFormat, ReadsHandWrittenTextWithCrLf) {
    const std::string text =
        "TGD\t100\r\n05\tm_X\t-5\r\n0b\tm_B\t1\r\n09\tm_F\t0.123457\r\n1a\tm_S\t3\t\"a\\tb\"\r\n"
        "1b\tm_E\t0\r\n\r\n1b\tm_D\t2\r\n0aFF\r\n20\tm_L\t\t1\t{\r\n21\t}\r\n";
    ReaderOver reader(text);
    GxU32 version = 0;
    EXPECT_TRUE(reader.ReadFileHeader("TGD", &version));
    EXPECT_EQ(version, 100u);
    EXPECT_EQ(reader.ReadS32("m_X"), -5);
    EXPECT_TRUE(reader.ReadBool("m_B"));
    EXPECT_EQ(reader.ReadF32("m_F"), 0.123457f);
    EXPECT_EQ(reader.ReadWString("m_S"), u"a\tb");
    GxBinBuffer block;
    EXPECT_TRUE(reader.ReadBinary("m_E", block));
    EXPECT_EQ(block.GetSize(), 0u);
    EXPECT_TRUE(reader.ReadBinary("m_D", block));
    ASSERT_EQ(block.GetSize(), 2u);
    EXPECT_EQ(block.GetData()[0], 0x0a);
    EXPECT_EQ(block.GetData()[1], 0xff);
    GxU32 count = 0;
    EXPECT_TRUE(reader.ReadListBegin("m_L", &count));
    EXPECT_EQ(count, 1u);
    EXPECT_TRUE(reader.ReadListEnd());
    EXPECT_TRUE(reader.IsEnd());
    EXPECT_EQ(reader.GetErrorCount(), 0);
    EXPECT_EQ(reader.GetLineCount(), 11u);
}

TEST(TextFormat, StringsOfBothCodes) {
    // CP932 "表" (95 5C) ends in a backslash byte, which must not escape the quote.
    const std::string sjis = "18\tm_S\t2\t\"\x95\x5c\"\n";
    EXPECT_EQ(ReaderOver(sjis).ReadString("m_S"), "\x95\x5c");
    EXPECT_EQ(ReaderOver(sjis).ReadWString("m_S"), u"\u8868");
    const std::string utf8 = WriteText([](auto& w) { w.WriteValue("m_S", u"日本語\\表"); });
    EXPECT_EQ(ReaderOver(utf8).ReadWString("m_S"), u"日本語\\表");
    EXPECT_EQ(ReaderOver(utf8).ReadString("m_S"), gx::Utf16ToAnsi(u"日本語\\表"));
    // Not quoted: empty, not an error.
    ReaderOver bare("1a\tm_S\t3\tabc\n");
    EXPECT_EQ(bare.ReadWString("m_S"), u"");
    EXPECT_EQ(bare.GetErrorCount(), 0);
}

TEST(TextFormat, NameCheckReportsTheLineAndCanBeSwitchedOff) {
    LogCapture log;
    const std::string text = "TGD\t100\n05\tm_A\t1\n";
    ReaderOver reader(text);
    reader.ReadFileHeader("TGD", nullptr);
    EXPECT_EQ(reader.ReadS32("m_B"), 0);
    EXPECT_EQ(gxtest::LastLog(log), "GxContentTextReader/ValueName does not match Line=2\n");
    ReaderOver lenient(text);
    lenient.SetCheckName(0);
    lenient.ReadFileHeader("TGD", nullptr);
    EXPECT_EQ(lenient.ReadS32("m_B"), 1);
    EXPECT_EQ(lenient.GetErrorCount(), 0);
}

TEST(TextFormat, TypeAndHeaderMessagesCarryTheLine) {
    LogCapture log;
    ReaderOver reader("TGD\t100\n06\tm_A\t1\n15\tm_F\t1\n1a\tm_S\t0\t\"\"\n");
    EXPECT_FALSE(reader.ReadFileHeader("TPD", nullptr));
    EXPECT_EQ(gxtest::LastLog(log), "GxContentTextReader/FileHeader Isn't TPD Line=1\n");
    EXPECT_EQ(reader.ReadS32("m_A"), 0);
    EXPECT_EQ(gxtest::LastLog(log), "GxContentTextReader/ValueType Isn't VALTYPE_GxS32 Line=2\n");
    reader.ReadPoint2("m_F");
    EXPECT_EQ(gxtest::LastLog(log),
              "GxContentTextReader/ValueType Isn't VALTYPE_GxPoint2 Line=3\n");
    reader.ReadBit32("m_S");
    EXPECT_EQ(gxtest::LastLog(log),
              "GxContentStringReader/ValueType Isn't VALTYPE_GxBit32 Line=4\n");
    EXPECT_EQ(reader.GetErrorCount(), 4);
}

TEST(TextFormat, VectorsDoNotCrossRead) {
    ReaderOver reader("0d\tv\t1\t2\t3\n");
    GxVector4 four;
    EXPECT_FALSE(reader.ReadValue("v", four));
}

TEST(TextFormat, PeekAndSkip) {
    const std::string text =
        "TGD\t1\n1b\tm_D\t33\n" + std::string(64, 'a') + "\nbb\n1b\tm_E\t0\n\n05\tn\t4\n";
    ReaderOver reader(text);
    EXPECT_EQ(reader.PeekValueType(), 0);  // the header is no value
    reader.ReadFileHeader("TGD", nullptr);
    EXPECT_EQ(reader.PeekValueType(), 0x1b);
    EXPECT_EQ(reader.GetLineCount(), 1u);
    EXPECT_TRUE(reader.SkipValue());
    EXPECT_TRUE(reader.SkipValue());
    EXPECT_EQ(reader.ReadS32("n"), 4);
    EXPECT_EQ(reader.PeekValueType(), 0);
    EXPECT_EQ(reader.GetLineCount(), 7u);
    EXPECT_TRUE(reader.IsEnd());
    EXPECT_EQ(reader.GetErrorCount(), 0);
}

TEST(TextFormat, DamagedNumbersAndBlocksAreErrors) {
    struct Case {
        const char* text;
        std::function<bool(GxContentTextReader&)> read;
        const char* message;
    };
    GxBinBuffer block;
    const Case cases[] = {
        {"01\tv\t300\n",
         [](auto& r) {
             GxS8 v;
             return r.ReadValue("v", v);
         },
         "GxContentTextReader/Bad Number Line=1\n"},
        {"05\tv\t12abc\n",
         [](auto& r) {
             GxS32 v;
             return r.ReadValue("v", v);
         },
         "GxContentTextReader/Bad Number Line=1\n"},
        {"05\tv\t99999999999\n",
         [](auto& r) {
             GxS32 v;
             return r.ReadValue("v", v);
         },
         "GxContentTextReader/Bad Number Line=1\n"},
        {"06\tv\t-1\n",
         [](auto& r) {
             GxU32 v;
             return r.ReadValue("v", v);
         },
         "GxContentTextReader/Bad Number Line=1\n"},
        {"09\tv\t1e999\n",
         [](auto& r) {
             GxF32 v;
             return r.ReadValue("v", v);
         },
         "GxContentTextReader/Bad Number Line=1\n"},
        {"0d\tv\t1\t2\n",
         [](auto& r) {
             GxVector3 v;
             return r.ReadValue("v", v);
         },
         "GxContentTextReader/Missing Field Line=1\n"},
        {"1b\tv\t4\n0102zz04\n", [&](auto& r) { return r.ReadBinary("v", block); },
         "GxContentTextReader/Bad Binary Data Line=2\n"},
        {"1b\tv\t4\n010203\n05\tn\t1\n", [&](auto& r) { return r.ReadBinary("v", block); },
         "GxContentTextReader/Bad Binary Data Line=2\n"},
        {"1b\tv\t4000000000\n00\n", [&](auto& r) { return r.ReadBinary("v", block); },
         "GxContentTextReader/Binary Size Overrun(4000000000) Line=1\n"},
        {"1b\tv\t-1\n", [&](auto& r) { return r.ReadBinary("v", block); },
         "GxContentTextReader/Bad Number Line=1\n"},
        {"20\tv\t\t4000000000\t{\n",
         [](auto& r) {
             GxU32 n;
             return r.ReadListBegin("v", &n);
         },
         "GxContentTextReader/List Count Overrun(4000000000) Line=1\n"},
    };
    for (const Case& c : cases) {
        LogCapture log;
        ReaderOver reader(c.text);
        EXPECT_FALSE(c.read(reader)) << c.text;
        EXPECT_EQ(reader.GetErrorCount(), 1) << c.text;
        EXPECT_EQ(gxtest::LastLog(log), c.message) << c.text;
    }
}

TEST(TextFormat, EmptyBlockAtTheEndAndBeforeAValue) {
    const std::string text = WriteText([](auto& w) {
        w.WriteBinary("a", "", 0);
        w.WriteValue("n", GxS32{3});
        w.WriteBinary("b", "", 0);
    });
    ReaderOver reader(text);
    GxBinBuffer block;
    EXPECT_TRUE(reader.ReadBinary("a", block));
    EXPECT_EQ(reader.ReadS32("n"), 3);
    EXPECT_TRUE(reader.ReadBinary("b", block));
    EXPECT_TRUE(reader.IsEnd());
    EXPECT_EQ(reader.GetErrorCount(), 0);
}

}  // namespace
