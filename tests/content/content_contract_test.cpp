#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "content/gx_content_binary_reader.h"
#include "content/gx_content_binary_writer.h"
#include "content/gx_content_file.h"
#include "content/gx_content_text_reader.h"
#include "content/gx_content_text_writer.h"
#include "content/gx_simple_tree.h"
#include "content_test_support.h"

namespace {

// Every value is written under a name and read back through one routine in both
// forms; the values are ones that the text form's six decimals keep exactly.
struct Everything {
    GxS8 s8 = -128;
    GxU8 u8 = 255;
    GxS16 s16 = -32768;
    GxU16 u16 = 65535;
    GxS32 s32 = -2147483647 - 1;
    GxU32 u32 = 4294967295u;
    GxS64 s64 = -9223372036854775807ll - 1;
    GxU64 u64 = 18446744073709551615ull;
    GxF32 f32 = -1234.5f;
    GxF64 f64 = -98765.4375;
    bool flag = true;
    GxVector2 v2{0.5f, -0.25f};
    GxVector3 v3{1, 2, 3};
    GxVector4 v4{-1, -2, -3, -4};
    GxQuat quat{0, 0.5f, 0, 0.75f};
    GxFColor color{0.125f, 0.25f, 0.5f, 1};
    GxMatrix matrix;
    GxRect rect{-1, -2, 3, 4};
    GxFRect frect{0.5f, 1.5f, 2.5f, 3.5f};
    GxPoint2 p2{-7, 7};
    GxPoint3 p3{1, -1, 2147483647};
    GxPoint4 p4{5, 6, 7, -8};
    GxBit32 bits{0x80000001u};
    std::u16string wide = u"かな\t\"quoted\"\\\n";
    std::string narrow = "ascii 'text'";
    std::string block = std::string("\0\x01\xff", 3) + std::string(40, 'z');

    Everything() { matrix.m[12] = 100.25f; }

    void Write(GxContentWriterBase& w) const {
        w.WriteValue("m_S8", s8);
        w.WriteValue("m_U8", u8);
        w.WriteValue("m_S16", s16);
        w.WriteValue("m_U16", u16);
        w.WriteValue("m_S32", s32);
        w.WriteValue("m_U32", u32);
        w.WriteValue("m_S64", s64);
        w.WriteValue("m_U64", u64);
        w.WriteValue("m_F32", f32);
        w.WriteValue("m_F64", f64);
        w.WriteValue("m_Flag", flag);
        w.WriteValue("m_V2", v2);
        w.WriteValue("m_V3", v3);
        w.WriteValue("m_V4", v4);
        w.WriteValue("m_Quat", quat);
        w.WriteValue("m_Color", color);
        w.WriteValue("m_Matrix", matrix);
        w.WriteValue("m_Rect", rect);
        w.WriteValue("m_FRect", frect);
        w.WriteValue("m_P2", p2);
        w.WriteValue("m_P3", p3);
        w.WriteValue("m_P4", p4);
        w.WriteValue("m_Bits", bits);
        w.WriteValue("m_Wide", wide);
        w.WriteValue("m_Narrow", narrow);
        w.WriteBinary("m_Block", block.data(), static_cast<std::uint32_t>(block.size()));
    }

    void Read(GxContentReaderBase& r) {
        r.ReadValue("m_S8", s8);
        r.ReadValue("m_U8", u8);
        r.ReadValue("m_S16", s16);
        r.ReadValue("m_U16", u16);
        r.ReadValue("m_S32", s32);
        r.ReadValue("m_U32", u32);
        r.ReadValue("m_S64", s64);
        r.ReadValue("m_U64", u64);
        r.ReadValue("m_F32", f32);
        r.ReadValue("m_F64", f64);
        r.ReadValue("m_Flag", flag);
        r.ReadValue("m_V2", v2);
        r.ReadValue("m_V3", v3);
        r.ReadValue("m_V4", v4);
        r.ReadValue("m_Quat", quat);
        r.ReadValue("m_Color", color);
        r.ReadValue("m_Matrix", matrix);
        r.ReadValue("m_Rect", rect);
        r.ReadValue("m_FRect", frect);
        r.ReadValue("m_P2", p2);
        r.ReadValue("m_P3", p3);
        r.ReadValue("m_P4", p4);
        r.ReadValue("m_Bits", bits);
        r.ReadValue("m_Wide", wide);
        r.ReadValue("m_Narrow", narrow);
        GxBinBuffer buffer;
        r.ReadBinary("m_Block", buffer);
        block.assign(reinterpret_cast<const char*>(buffer.GetData()), buffer.GetSize());
    }
};

template <class T>
bool SameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// A tree node with one value; the tree travels as nested sibling chains.
struct Node : GxSimpleNode {
    explicit Node(GxS32 v) : value(v) {}
    GxS32 value;
};

void WriteChain(GxContentWriterBase& w, const GxSimpleNode* node) {
    for (; node; node = node->GetNextSibling()) {
        w.WriteTreeStratumBegin();
        w.WriteValue("m_Value", static_cast<const Node*>(node)->value);
        WriteChain(w, node->GetFirstChild());
        w.WriteTreeStratumEnd();
    }
}

void ReadChain(GxContentReaderBase& r, GxSimpleTree& tree, GxSimpleNode* parent) {
    GxSimpleNode* last = nullptr;
    while (r.GetErrorCount() == 0 && r.PeekValueType() == VALTYPE_TreeStratumBegin) {
        r.ReadTreeStratumBegin();
        auto* node = new Node(r.ReadS32("m_Value"));
        last = last ? tree.InsertAfter(last, node, 1) : tree.InsertChild(parent, node, 1);
        if (r.PeekValueType() == VALTYPE_TreeStratumBegin)
            ReadChain(r, tree, node);
        r.ReadTreeStratumEnd();
    }
}

std::string Describe(const GxSimpleNode* node) {
    std::string out;
    for (; node; node = node->GetNextSibling()) {
        out += std::to_string(static_cast<const Node*>(node)->value);
        if (node->GetFirstChild())
            out += "(" + Describe(node->GetFirstChild()) + ")";
        out += " ";
    }
    return out;
}

class ContentContract : public ::testing::TestWithParam<gx::ContentForm> {
protected:
    std::string Write(const std::function<void(GxContentWriterBase&)>& write) {
        if (GetParam() == gx::ContentForm::Text) {
            return gxtest::WriteToBytes<GxContentTextWriter>(write);
        }
        return gxtest::WriteToBytes<GxContentBinaryWriter>(write);
    }
    const char* Tag() const { return GetParam() == gx::ContentForm::Text ? "TGD" : "BGD"; }
};

TEST_P(ContentContract, EveryTypeReadsBackWithTheSameBits) {
    const Everything original;
    const std::string bytes = Write([&](GxContentWriterBase& w) {
        w.WriteFileHeader(Tag(), 100);
        original.Write(w);
    });
    GxBinBuffer buffer(static_cast<std::uint32_t>(bytes.size()));
    std::memcpy(buffer.GetData(), bytes.data(), bytes.size());
    ASSERT_EQ(gx::DetectContentForm(buffer), GetParam());
    GxU32 version = 0;
    auto reader = gx::OpenContentReader(buffer, "BGD", &version);
    ASSERT_TRUE(reader);
    EXPECT_EQ(version, 100u);

    Everything copy;
    copy.s8 = 0, copy.u64 = 0, copy.f32 = 0, copy.flag = false, copy.matrix = GxMatrix{};
    copy.wide.clear(), copy.narrow.clear(), copy.block.clear(), copy.bits = {};
    copy.Read(*reader);
    EXPECT_EQ(reader->GetErrorCount(), 0);
    EXPECT_TRUE(reader->IsEnd());
    EXPECT_EQ(copy.s8, original.s8);
    EXPECT_EQ(copy.u8, original.u8);
    EXPECT_EQ(copy.s16, original.s16);
    EXPECT_EQ(copy.u16, original.u16);
    EXPECT_EQ(copy.s32, original.s32);
    EXPECT_EQ(copy.u32, original.u32);
    EXPECT_EQ(copy.s64, original.s64);
    EXPECT_EQ(copy.u64, original.u64);
    EXPECT_TRUE(SameBits(copy.f32, original.f32));
    EXPECT_TRUE(SameBits(copy.f64, original.f64));
    EXPECT_EQ(copy.flag, original.flag);
    EXPECT_TRUE(SameBits(copy.v2, original.v2));
    EXPECT_TRUE(SameBits(copy.v3, original.v3));
    EXPECT_TRUE(SameBits(copy.v4, original.v4));
    EXPECT_TRUE(SameBits(copy.quat, original.quat));
    EXPECT_TRUE(SameBits(copy.color, original.color));
    EXPECT_TRUE(SameBits(copy.matrix, original.matrix));
    EXPECT_TRUE(SameBits(copy.rect, original.rect));
    EXPECT_TRUE(SameBits(copy.frect, original.frect));
    EXPECT_TRUE(SameBits(copy.p2, original.p2));
    EXPECT_TRUE(SameBits(copy.p3, original.p3));
    EXPECT_TRUE(SameBits(copy.p4, original.p4));
    EXPECT_EQ(copy.bits.bits, original.bits.bits);
    EXPECT_EQ(copy.wide, original.wide);
    EXPECT_EQ(copy.narrow, original.narrow);
    EXPECT_EQ(copy.block, original.block);
}

TEST_P(ContentContract, ListsAndTreesKeepTheirShape) {
    GxSimpleTree tree;
    GxSimpleNode* a = tree.InsertTop(new Node(1), 0);
    GxSimpleNode* b = tree.InsertAfter(a, new Node(2), 0);
    tree.InsertChild(b, new Node(3), 0);
    tree.InsertAfter(b->GetFirstChild(), new Node(4), 0);
    tree.InsertChild(a, new Node(5), 0);
    const std::string bytes = Write([&](GxContentWriterBase& w) {
        w.WriteFileHeader(Tag(), 100);
        w.WriteListBegin("m_List", "", 2);
        for (GxS32 i = 0; i < 2; ++i) {
            w.WriteListItemBegin();
            w.WriteValue("m_Item", i * 10);
            w.WriteListItemEnd();
        }
        w.WriteListEnd();
        w.WriteTreeBegin("m_Tree", "Node");
        WriteChain(w, tree.GetTop());
        w.WriteTreeEnd();
        w.WriteValue("m_After", GxS32{99});
    });
    GxBinBuffer buffer(static_cast<std::uint32_t>(bytes.size()));
    std::memcpy(buffer.GetData(), bytes.data(), bytes.size());
    auto reader = gx::OpenContentReader(buffer, "BGD", nullptr);
    ASSERT_TRUE(reader);
    GxU32 count = 0;
    EXPECT_TRUE(reader->ReadListBegin("m_List", &count));
    ASSERT_EQ(count, 2u);
    for (GxU32 i = 0; i < count; ++i) {
        reader->ReadListItemBegin();
        EXPECT_EQ(reader->ReadS32("m_Item"), static_cast<GxS32>(i * 10));
        reader->ReadListItemEnd();
    }
    EXPECT_TRUE(reader->ReadListEnd());
    GxSimpleTree copy;
    EXPECT_TRUE(reader->ReadTreeBegin("m_Tree"));
    ReadChain(*reader, copy, nullptr);
    EXPECT_TRUE(reader->ReadTreeEnd());
    EXPECT_EQ(reader->ReadS32("m_After"), 99);
    EXPECT_EQ(reader->GetErrorCount(), 0);
    EXPECT_EQ(Describe(copy.GetTop()), "1(5 ) 2(3 4 ) ");
    EXPECT_EQ(Describe(copy.GetTop()), Describe(tree.GetTop()));
}

TEST_P(ContentContract, WritersCountWhatTheyCouldNotWrite) {
    gxtest::LogCapture log;
    int errors = 0;
    const std::string bytes = Write([&](GxContentWriterBase& w) {
        EXPECT_FALSE(w.WriteFileHeader("TOOLONGHEADERTAG", 100));
        EXPECT_FALSE(w.WriteBinary("m_Block", nullptr, 4));
        EXPECT_TRUE(w.WriteBinary("m_Empty", nullptr, 0));
        errors = w.GetErrorCount();
    });
    EXPECT_EQ(errors, 2);
    EXPECT_EQ(gxtest::LastLog(log),
              GetParam() == gx::ContentForm::Text
                  ? "GxContentTextWriter/Header String Too Long(Limit=15 Chars)\n"
                  : "GxContentBinaryWriter/Header String Too Long(Limit=15 Chars)\n");
    EXPECT_EQ(bytes, GetParam() == gx::ContentForm::Text ? "1b\tm_Empty\t0\n\n"
                                                         : std::string("\x1b\0\0\0\0", 5));
}

INSTANTIATE_TEST_SUITE_P(BothForms, ContentContract,
                         ::testing::Values(gx::ContentForm::Binary, gx::ContentForm::Text),
                         [](const auto& param_info) {
                             return param_info.param == gx::ContentForm::Text ? "Text" : "Binary";
                         });

}  // namespace
