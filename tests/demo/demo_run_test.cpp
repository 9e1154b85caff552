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

    const std::string command = "exec \"$0\" --headless --frames 90 --game \"" + game.Str() +
                                "\" 2>\"" + game.Str() + "/stderr.txt\"";
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
}

}  // namespace
