#include <gtest/gtest.h>

#include "base/gx_string.h"
#include "gl_fixture.h"
#include "graphics/gx_texture.h"
#include "support/temp_dir.h"

#include <fstream>

namespace {

::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new gxtest::GLEnvironment);

using DeviceTest = gxtest::GLTest;

TEST_F(DeviceTest, ClearFillsTheViewportOnly) {
    GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF102030u);
    GxRect inner{100, 50, 200, 150};
    GxGraphics::SetViewport(&inner);
    GxGraphics::Clear(D3DCLEAR_TARGET, 0xFFFF0000u);
    const auto frame = Frame();
    EXPECT_EQ(At(frame, 0, 0), 0xFF102030u);
    EXPECT_EQ(At(frame, 99, 50), 0xFF102030u);
    EXPECT_EQ(At(frame, 100, 50), 0xFFFF0000u);
    EXPECT_EQ(At(frame, 199, 149), 0xFFFF0000u);
    EXPECT_EQ(At(frame, 200, 149), 0xFF102030u);
    EXPECT_EQ(At(frame, 199, 150), 0xFF102030u);
}

TEST_F(DeviceTest, NestedScenesAndPresentBetweenThemIsRefused) {
    gxtest::LogCapture log;
    EXPECT_TRUE(GxGraphics::BeginScene());
    EXPECT_TRUE(GxGraphics::BeginScene());
    EXPECT_EQ(GxGraphics::GetSceneCount(), 2);
    EXPECT_FALSE(GxGraphics::Present());
    EXPECT_TRUE(gxtest::LogContains(
        log, u"BeginScene～EndSceneが完了していないのにPresentが呼ばれました\n"));
    EXPECT_TRUE(GxGraphics::EndScene());
    EXPECT_TRUE(GxGraphics::EndScene());
    EXPECT_EQ(GxGraphics::GetSceneCount(), 0);
    EXPECT_TRUE(GxGraphics::Present());
}

TEST_F(DeviceTest, DriverErrorOnPresentRequestsAnOrderlyQuit) {
    gxtest::LogCapture log;
    int quitRequests = 0;
    GxGraphics::SetFatalErrorHandler([&] { ++quitRequests; });
    GxGraphics::SimulateDriverErrorOnNextPresent();
    EXPECT_FALSE(GxGraphics::Present());
    EXPECT_EQ(quitRequests, 1);
    EXPECT_TRUE(GxGraphics::HasFatalError());
    EXPECT_TRUE(gxtest::LogContains(log, u"PresentでD3DERR_DRIVERINTERNALERRORが発生しました\n"));
    GxGraphics::SetFatalErrorHandler(nullptr);
}

TEST_F(DeviceTest, StateCachesSkipRepeatsAndSurviveAReset) {
    EXPECT_TRUE(GxGraphics::SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE));
    EXPECT_EQ(GxGraphics::GetRenderState(D3DRS_SRCBLEND), D3DBLEND_ONE);
    EXPECT_TRUE(GxGraphics::SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR));
    EXPECT_FALSE(GxGraphics::SetRenderState(GxGraphics::kRenderStateCount, 1));
    EXPECT_TRUE(GxGraphics::Reset(true, SCRMODE_WINDOW, SCRMODE_WINDOW));
    EXPECT_EQ(GxGraphics::GetRenderState(D3DRS_SRCBLEND), D3DBLEND_ONE);
    EXPECT_EQ(GxGraphics::GetSamplerState(0, D3DSAMP_MAGFILTER), D3DTEXF_LINEAR);
}

struct ResetCalls {
    static inline int before = 0, after = 0, lastNew = -1, lastOld = -1;
    static void Before(int newMode, int oldMode) {
        ++before;
        lastNew = newMode;
        lastOld = oldMode;
    }
    static void After(int, int) { ++after; }
};

TEST_F(DeviceTest, FailedModeChangeKeepsTheOldMode) {
    const int oldMode = GxGraphics::GetSettings().screenMode;
    GxGraphics::SimulateResetFailureOnNextReset();
    gxtest::LogCapture log;
    EXPECT_FALSE(GxGraphics::ChangeScreenMode(SCRMODE_FULLSCREEN));
    EXPECT_EQ(GxGraphics::GetSettings().screenMode, oldMode);
    EXPECT_TRUE(gxtest::LogContains(log, u"Resetでデバイスの復帰に失敗しました\n"));
    EXPECT_TRUE(GxGraphics::ChangeScreenMode(SCRMODE_WINDOWSIZE));
    EXPECT_EQ(GxGraphics::GetSettings().screenMode, SCRMODE_WINDOWSIZE);
    EXPECT_TRUE(GxGraphics::ChangeScreenMode(oldMode));
}

TEST_F(DeviceTest, RenderTargetPushAndPopRestoreTargetAndViewport) {
    GxTexture target;
    ASSERT_TRUE(target.CreateRenderTarget(u"Capture", 1024, 768));
    EXPECT_EQ(target.GetWidth(), 1024u);
    EXPECT_EQ(target.GetHeight(), 1024u);
    GxRect part{0, 0, 256, 128};
    ASSERT_TRUE(GxGraphics::PushRenderTarget(0, &target, nullptr, &part));
    EXPECT_EQ(GxGraphics::GetViewport().width, 256);
    GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF00FF00u);
    GxTexture inner;
    ASSERT_TRUE(inner.CreateRenderTarget(u"Inner", 64, 64));
    ASSERT_TRUE(GxGraphics::PushRenderTarget(0, &inner, nullptr, nullptr));
    EXPECT_EQ(GxGraphics::GetViewport().width, 64);
    GxGraphics::Clear(D3DCLEAR_TARGET, 0xFF0000FFu);
    EXPECT_TRUE(GxGraphics::PopRenderTarget(0));
    EXPECT_EQ(GxGraphics::GetViewport().width, 256);
    EXPECT_TRUE(GxGraphics::PopRenderTarget(0));
    EXPECT_EQ(GxGraphics::GetRenderTargetDepth(0), 0u);
    EXPECT_EQ(GxGraphics::GetViewport().width, 1024);
    EXPECT_EQ(target.GetPixel(10, 10), 0xFF00FF00u);
    EXPECT_EQ(target.GetPixel(300, 10), 0u);
    EXPECT_EQ(inner.GetPixel(63, 63), 0xFF0000FFu);
    EXPECT_EQ(At(Frame(), 10, 10), 0xFF000000u);
}

std::u16string ReadUtf16Log(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), {});
    std::u16string text;
    if (bytes.size() < 2 || static_cast<unsigned char>(bytes[0]) != 0xFF ||
        static_cast<unsigned char>(bytes[1]) != 0xFE) {
        return text;
    }
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto c = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             static_cast<unsigned char>(bytes[i + 1]) << 8);
        if (c != u'\r')
            text.push_back(c);  // lines end with CR LF
    }
    return text;
}

size_t CountOf(const std::u16string& text, std::u16string_view part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::u16string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST_F(DeviceTest, DeviceLogHoldsTheReportAfterEveryStart) {
    gxtest::TempDir dir;
    const std::u16string deviceLog = dir.U16() + u"/device.log";
    gx::SetLogPaths(u"", u"", deviceLog);
    GxGraphics::Shutdown();
    ASSERT_TRUE(GxGraphics::InitializeHidden());
    GxGraphics::Shutdown();
    ASSERT_TRUE(GxGraphics::InitializeHidden());
    gx::SetLogPaths(u"", u"", u"");
    const std::u16string text = ReadUtf16Log(dir.Path() / "device.log");
    EXPECT_EQ(CountOf(text, u"Direct3D9の初期化を開始します\n"), 2u);
    const std::u16string& renderer = GxGraphics::GetSettings().videoCardName;
    ASSERT_FALSE(renderer.empty());
    EXPECT_EQ(CountOf(text, u"\t・ビデオカード名:" + renderer + u"\n"), 2u);
    EXPECT_EQ(CountOf(text, u"\t・ドライバ名:" + GxGraphics::GetSettings().driverName + u" (" +
                                GxGraphics::GetSettings().driverVersion + u")\n"),
              2u);
    EXPECT_EQ(CountOf(text, u"\t・画面モード:SCRMODE_WINDOW\n"), 4u);
    EXPECT_EQ(CountOf(text, u"\t・TextureFormat:D3DFMT_A8R8G8B8\n"), 4u);
    EXPECT_EQ(
        CountOf(
            text,
            u"\t・Direct3Dを D3DDEVTYPE_HAL - D3DCREATE_MIXED_VERTEXPROCESSING で初期化しました\n"),
        2u);
    InitializeDrawStates();
}

TEST(Letterbox, FrameFitsCentredWithBars) {
    const GxRect same = gx::FitLetterbox(1024, 768, 1024, 768);
    EXPECT_EQ(same.right, 1024);
    EXPECT_EQ(same.bottom, 768);
    const GxRect wide = gx::FitLetterbox(1920, 1080, 1024, 768);  // bars left and right
    EXPECT_EQ(wide.left, 240);
    EXPECT_EQ(wide.right, 1680);
    EXPECT_EQ(wide.top, 0);
    EXPECT_EQ(wide.bottom, 1080);
    const GxRect tall = gx::FitLetterbox(1024, 1024, 1024, 768);  // bars above and below
    EXPECT_EQ(tall.top, 128);
    EXPECT_EQ(tall.bottom, 896);
    const GxRect none = gx::FitLetterbox(0, 0, 1024, 768);
    EXPECT_EQ(none.right, 0);
}

TEST(DeviceNames, FormatNamesAndErrorTexts) {
    EXPECT_EQ(std::u16string(GxGraphics::GetFormatName(D3DFMT_A8R8G8B8)), u"D3DFMT_A8R8G8B8");
    EXPECT_EQ(std::u16string(GxGraphics::GetFormatName(D3DFMT_DXT5)), u"D3DFMT_DXT5");
    EXPECT_EQ(std::u16string(GxGraphics::GetFormatName(D3DFMT_R8G8_B8G8)), u"D3DFMT_R8G8_B8G8");
    EXPECT_EQ(std::u16string(GxGraphics::GetFormatName(12345)), u"ERROR");
    EXPECT_EQ(std::u16string(GxGraphics::GetErrorText(D3DERR_DEVICELOST)),
              u"デバイスは消失していますが現在リセットできません。レンダリングは不可能です。");
    EXPECT_EQ(std::u16string(GxGraphics::GetErrorText(0x12345)),
              u"未知のエラーです。(code:0x12345)");
    EXPECT_EQ(std::u16string(GxGraphics::GetScreenModeName(SCRMODE_FULLSCREENX2)),
              u"SCRMODE_FULLSCREENX2");
}

}  // namespace
