#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "content/gx_content_file.h"
#include "content_test_support.h"
#include "support/temp_dir.h"

namespace {

std::unique_ptr<GxBinBuffer> Buffer(const std::string& bytes) {
    auto buffer = std::make_unique<GxBinBuffer>(static_cast<std::uint32_t>(bytes.size()));
    if (!bytes.empty())
        std::memcpy(buffer->GetData(), bytes.data(), bytes.size());
    return buffer;
}

TEST(ContentFile, FirstByteChoosesTheForm) {
    EXPECT_EQ(gx::DetectContentForm(*Buffer("TGD\t100\n")), gx::ContentForm::Text);
    EXPECT_EQ(gx::DetectContentForm(*Buffer("BGD")), gx::ContentForm::Binary);
    EXPECT_EQ(gx::DetectContentForm(*Buffer("")), gx::ContentForm::Binary);
    EXPECT_EQ(gx::ContentTagForForm("BNCPROJ", gx::ContentForm::Text), "TNCPROJ");
    EXPECT_EQ(gx::ContentTagForForm("BNCPROJ", gx::ContentForm::Binary), "BNCPROJ");
    EXPECT_EQ(gx::PeekContentHeaderTag(*Buffer("TGIMGSET\t100\n")), "TGIMGSET");
    EXPECT_EQ(gx::PeekContentHeaderTag(
                  *Buffer(std::string("BPD\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x64", 20))),
              "BPD");
    gxtest::LogCapture log;
    EXPECT_EQ(gx::OpenContentReader(*Buffer("TPD\t100\n"), "BGD", nullptr), nullptr);
    EXPECT_EQ(gxtest::LastLog(log), "GxContentTextReader/FileHeader Isn't TGD Line=1\n");
}

TEST(ContentFile, SaveReplacesTheFileOnlyOnSuccess) {
    gxtest::TempDir dir;
    const std::u16string path = dir.U16() + u"/save.gd";
    auto write_number = [](GxS32 n) {
        return [n](GxContentWriterBase& w) {
            return w.WriteFileHeader("BGD", 100) && w.WriteValue("m_N", n);
        };
    };
    ASSERT_TRUE(gx::SaveContentFile(path, gx::ContentForm::Binary, write_number(1)));
    const std::string first = dir.Read("save.gd");
    EXPECT_EQ(first.size(), 25u);

    gxtest::LogCapture log;
    EXPECT_FALSE(gx::SaveContentFile(path, gx::ContentForm::Binary, [](GxContentWriterBase& w) {
        w.WriteValue("m_N", GxS32{2});
        return false;
    }));
    // A header the writer refuses counts as a failed write even if the caller ignores it.
    EXPECT_FALSE(gx::SaveContentFile(path, gx::ContentForm::Text, [](GxContentWriterBase& w) {
        w.WriteFileHeader("TTOOLONGTAGNAME16", 100);
        return true;
    }));
    EXPECT_EQ(dir.Read("save.gd"), first);
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "save.gd.tmp"));
    EXPECT_EQ(gxtest::LastLog(log),
              "Error/SaveContentFile/File write error:" + dir.Str() + "/save.gd\n");

    EXPECT_FALSE(gx::SaveContentFile(dir.U16() + u"/missing/save.gd", gx::ContentForm::Text,
                                     write_number(3)));
    ASSERT_TRUE(gx::SaveContentFile(path, gx::ContentForm::Text, [](GxContentWriterBase& w) {
        return w.WriteFileHeader("TGD", 100) && w.WriteValue("m_N", GxS32{4});
    }));
    EXPECT_EQ(dir.Read("save.gd"), "TGD\t100\n05\tm_N\t4\n");
}

}  // namespace
