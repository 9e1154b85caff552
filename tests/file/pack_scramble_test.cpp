#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gx_string.h"
#include "file/gx_pack_file.h"
#include "file/gx_pack_scramble.h"
#include "file/gx_pack_writer.h"
#include "support/temp_dir.h"

namespace {

// The key byte for position n, straight from its definition.
GxU8 KeyByte(GxU64 n) {
    static const GxU8 table[23] = {0x5c, 0x0b, 0x9e, 0x17, 0xd2, 0xf4, 0x0a, 0x6c,
                                   0x83, 0xbe, 0x51, 0xd7, 0x09, 0x2f, 0xc4, 0xe8,
                                   0x6a, 0x1d, 0xb3, 0x0f, 0x7e, 0x29, 0x5c};
    return static_cast<GxU8>((n % 256) ^ table[n % 23]);
}

TEST(PackScrambleTest, MatchesTheKeyStreamAtAnyPositionAndLength) {
    // The first bytes of a scrambled run of zeros, written out.
    GxU8 zeros[6] = {};
    gx::ScramblePackBytes(zeros, sizeof(zeros), 0);
    EXPECT_EQ(std::vector<GxU8>(zeros, zeros + 6),
              (std::vector<GxU8>{0x5c, 0x0a, 0x9c, 0x14, 0xd6, 0xf1}));

    for (GxU64 position : {0ULL, 1ULL, 22ULL, 255ULL, 5887ULL, 5888ULL, 5900ULL, 1ULL << 33}) {
        for (size_t size : {1u, 15u, 64u, 65u, 5888u, 12000u}) {
            std::vector<GxU8> bytes(size);
            for (size_t i = 0; i < size; ++i)
                bytes[i] = static_cast<GxU8>(i * 7 + 3);
            std::vector<GxU8> expected = bytes;
            for (size_t i = 0; i < size; ++i)
                expected[i] ^= KeyByte(position + i);
            gx::ScramblePackBytes(bytes.data(), size, position);
            ASSERT_EQ(bytes, expected) << "position " << position << " size " << size;
        }
    }
}

TEST(PackWriterTest, NamesOutsideCp932NeedUtf16) {
    gxtest::TempDir dir;
    dir.Write("in/x.txt", "x");
    const std::u16string name = u"\uD55C.txt";  // a Hangul syllable
    const std::vector<GxPackSource> sources{{name, dir.Str() + "/in/x.txt"}};
    std::string error;
    GxPackOptions options;
    EXPECT_FALSE(gx::WritePackFile(dir.Str() + "/a.gxp", sources, options, error));
    EXPECT_NE(error.find("--utf16"), std::string::npos);
    EXPECT_TRUE(dir.Read("a.gxp").empty());  // nothing left behind

    options.utf16Names = true;
    ASSERT_TRUE(gx::WritePackFile(dir.Str() + "/a.gxp", sources, options, error)) << error;
    GxPackFileHeaderCache archive;
    ASSERT_TRUE(archive.Load(dir.U16() + u"/a.gxp"));
    ASSERT_NE(archive.FindEntry(u"\uD55C.TXT"), nullptr);
    EXPECT_EQ(archive.FindEntry(u"\uD55C.TXT")->size, 1u);
}

}  // namespace
