#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/gx_string.h"
#include "platform/gx_process.h"
#include "support/temp_dir.h"

namespace {

// Plays the built demo game headless from a copy of its folder, as a player would
// run it, and checks that it starts from its archive and ends without an error.
TEST(DemoGame, PlaysHeadlessFromItsArchiveWithoutErrors) {
    const char* bin = std::getenv("GX_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    const std::filesystem::path built = std::filesystem::path(bin).parent_path() / "demo-game";
    ASSERT_TRUE(std::filesystem::exists(built / "system.gxp"));

    gxtest::TempDir game, runtime, home;
    std::filesystem::copy(built, game.Path(), std::filesystem::copy_options::recursive);
    setenv("XDG_RUNTIME_DIR", runtime.Str().c_str(), 1);
    setenv("HOME", home.Str().c_str(), 1);

    const std::string shot = game.Str() + "/shot.png";
    const std::string command = "exec \"$0\" --headless --frames 90 --screenshot \"" + shot +
                                "\" --game \"" + game.Str() + "\" 2>\"" + game.Str() +
                                "/stderr.txt\"";
    gx::GxProcessId process = 0;
    ASSERT_TRUE(gx::StartProcess(
        {u"sh", u"-c", gx::Utf8ToUtf16(command), gx::Utf8ToUtf16(std::string(bin) + "/gxadv")},
        process));
    EXPECT_EQ(gx::WaitProcess(process), 0) << game.Read("stderr.txt");

    // The title and save folder come from system/sysconf.ini inside system.gxp.
    const std::filesystem::path saves = game.Path() / "Lanternfall_SAVE";
    EXPECT_TRUE(std::filesystem::is_directory(saves)) << game.Read("stderr.txt");
    EXPECT_FALSE(std::filesystem::exists(saves / "error.log"))
        << "error.log was written: " << game.Read("Lanternfall_SAVE/error.log");
    EXPECT_TRUE(std::filesystem::exists(saves / "device.log"));

    // The last presented frame, 1024 × 768, as PNG (width and height are big-endian in IHDR).
    const std::string png = game.Read("shot.png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x04\0\0\0\x03\0", 8));
}

}  // namespace

namespace {

// Compiles the demo's scenario and runs it headless to its end with rillrun.
TEST(DemoGame, ScenarioCompilesAndRunsToItsEnd) {
    const char* bin = std::getenv("GX_BIN_DIR");
    const char* source = std::getenv("GX_SOURCE_DIR");
    ASSERT_NE(bin, nullptr);
    ASSERT_NE(source, nullptr);
    gxtest::TempDir out;
    const std::string run = "\"" + std::string(bin) + "/rillc\" \"" + source +
                            "/demo/scripts\" \"" + out.Str() + "\" && \"" + bin + "/rillrun\" \"" +
                            out.Str() + "/rillcode.rwb\" --trace >\"" + out.Str() +
                            "/stdout.txt\" 2>\"" + out.Str() + "/stderr.txt\"";
    EXPECT_EQ(std::system(run.c_str()), 0) << out.Read("stderr.txt");
    const std::string printed = out.Read("stdout.txt");
    EXPECT_NE(printed.find("ミオ「初めてのお客さまね。」"), std::string::npos) << printed;
    EXPECT_NE(printed.find("visits: 1, lanterns lit: 3"), std::string::npos) << printed;
    EXPECT_NE(printed.find("The end."), std::string::npos) << printed;
    EXPECT_TRUE(out.Read("stderr.txt").empty()) << out.Read("stderr.txt");
}

}  // namespace
