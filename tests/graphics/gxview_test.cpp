#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "graphics/gx_image.h"
#include "support/temp_dir.h"

namespace {

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(file)), {});
}

int RunGxView(const std::string& arguments) {
    const char* bin = std::getenv("GX_BIN_DIR");
    const std::string command = std::string(bin ? bin : ".") + "/gxview " + arguments;
    return std::system(command.c_str());
}

GxImage ReadPng(const std::filesystem::path& path) {
    const auto bytes = ReadAll(path);
    GxImage image;
    std::string error;
    EXPECT_TRUE(gx::DecodePngImage(bytes.data(), bytes.size(), image, error)) << error;
    return image;
}

TEST(GxView, DrawsPicturesAtTheirPositionsWithBlendAndAlpha) {
    gxtest::TempDir dir;
    // A 2 × 2 picture of opaque red, written with the engine's own encoder.
    const std::uint32_t red[4] = {0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u};
    const std::u16string picture = dir.U16() + u"/red.png";
    ASSERT_TRUE(SaveImageAsPng(picture, 2, 2, reinterpret_cast<const std::uint8_t*>(red)));
    const std::string out = dir.Str() + "/frame.png";
    ASSERT_EQ(RunGxView("--bg 0xFF0000FF --at 10,20 " + dir.Str() +
                        "/red.png --alpha 128 --at 30,40 " + dir.Str() + "/red.png --out " + out),
              0);
    const GxImage frame = ReadPng(out);
    ASSERT_EQ(frame.width, 1024);
    ASSERT_EQ(frame.height, 768);
    const auto at = [&](int x, int y) { return frame.pixels[static_cast<size_t>(y) * 1024 + x]; };
    EXPECT_EQ(at(0, 0), 0xFF0000FFu);
    EXPECT_EQ(at(10, 20), 0xFFFF0000u);
    EXPECT_EQ(at(11, 21), 0xFFFF0000u);
    EXPECT_EQ(at(12, 21), 0xFF0000FFu);
    const std::uint32_t half = at(30, 40);
    EXPECT_NEAR(static_cast<int>(half >> 16 & 0xFF), 128, 1);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 127, 1);
}

TEST(GxView, RendersJapaneseTextAndReportsBadInput) {
    gxtest::TempDir dir;
    const std::string out = dir.Str() + "/text.png";
    ASSERT_EQ(RunGxView("--at 0,0 --text 'あいA' --size 32 --color 0xFFFFFFFF --out " + out), 0);
    const GxImage frame = ReadPng(out);
    const auto inked = [&](int left, int width) {
        int count = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = left; x < left + width; ++x) {
                count += (frame.pixels[static_cast<size_t>(y) * 1024 + x] & 0xFF) > 128;
            }
        }
        return count;
    };
    EXPECT_GT(inked(0, 32), 30);   // あ: full width, 32 pixels
    EXPECT_GT(inked(32, 32), 30);  // い
    EXPECT_GT(inked(64, 16), 10);  // A: half width, 16 pixels
    EXPECT_EQ(inked(80, 100), 0);

    std::ofstream(dir.Path() / "broken.png") << "not a picture";
    EXPECT_NE(RunGxView(dir.Str() + "/broken.png --out " + dir.Str() + "/b.png 2>/dev/null"), 0);
    EXPECT_NE(RunGxView("--blend --out x.png 2>/dev/null"), 0);
}

}  // namespace
