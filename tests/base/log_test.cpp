#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/gx_bin_buffer.h"
#include "base/gx_log.h"
#include "base/gx_string.h"
#include "support/temp_dir.h"

namespace {

struct Recorder : GxDebugListenerBase {
    std::vector<std::pair<std::u16string, int>> lines;
    void OnDebugOutput(std::u16string_view text, int level) override {
        lines.emplace_back(std::u16string(text), level);
    }
};

class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        gx::SetLogPaths(dir.U16() + u"/error.log", dir.U16() + u"/debug.log",
                        dir.U16() + u"/device.log");
        gx::ResetErrorCount();
        gx::SetSkipSlightErrors(false);
        gx::SetDebugListener(&recorder);
    }
    void TearDown() override {
        gx::SetDebugListener(nullptr);
        gx::SetLogPaths(u"", u"", u"");
    }
    gxtest::TempDir dir;
    Recorder recorder;
};

TEST_F(LogTest, FilesAreUtf16LeWithByteOrderMarkAndAppend) {
    LogError(u"エラー%d\n", 1);
    LogError(u"two\n");
    const std::string bytes = dir.Read("error.log");
    const std::string expected = std::string("\xFF\xFE", 2) +
                                 std::string("\xA8\x30\xE9\x30\xFC\x30" "1\0\r\0\n\0", 12) +
                                 std::string("t\0w\0o\0\r\0\n\0", 10);
    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(gx::GetErrorCount(), 2);
}

TEST_F(LogTest, LevelsCountersAndListener) {
    LogDebug(u"d\n");
    LogDevice(u"dev\n");
    LogSlightError(u"slight\n");
    gx::SetSkipSlightErrors(true);
    LogSlightError(u"skipped\n");
    EXPECT_EQ(gx::GetErrorCount(), 1);
    ASSERT_EQ(recorder.lines.size(), 2u);  // the device log has no listener level
    EXPECT_EQ(recorder.lines[0].second, 2);
    EXPECT_EQ(recorder.lines[1].second, 0);
    EXPECT_FALSE(dir.Read("device.log").empty());
}

TEST_F(LogTest, NarrowAndByteLogsBecomeUtf16) {
    LogErrorNarrow("narrow %s\n", "日本");
    const char sjis[] = "\x93\xFA\x96\x7B\n";  // 日本 in CP932
    LogErrorBytes(sjis, 5);
    std::string bytes = dir.Read("error.log");
    std::u16string text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
    EXPECT_EQ(text, u"narrow 日本\r\n日本\r\n");
    EXPECT_EQ(gx::GetErrorCount(), 2);
}

TEST(BinBuffer, UseCountAndReallocation) {
    GxBinBuffer buffer;
    EXPECT_EQ(buffer.GetFirstByte(), 0);
    buffer.Release();  // at 0: nothing happens
    EXPECT_EQ(buffer.GetUseCount(), 0);
    std::uint8_t* data = buffer.Alloc(4);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data[3], 0);
    data[0] = 7;
    EXPECT_EQ(buffer.GetFirstByte(), 7);
    buffer.AddRef();
    buffer.Release();
    EXPECT_EQ(buffer.GetSize(), 4u);
    buffer.Release();
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.GetData(), nullptr);
}

}  // namespace
