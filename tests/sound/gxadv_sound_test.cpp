#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "sound/sound_test_support.h"
#include "support/temp_dir.h"

namespace {

// The engine opens the sound device at start-up, services it from the main
// loop and closes it at shutdown, reporting the device in device.log.
TEST(GxadvSound, HeadlessRunOpensTheDeviceAndReportsIt) {
    const char* bin = std::getenv("GX_BIN_DIR");
    ASSERT_NE(bin, nullptr);
    gxtest::TempDir game, runtime, home;
    game.Write("system/sysconf.ini",
               "APP_TITLE=Sound Run\r\nAPP_SAVEDIR=SAVE\r\nSAVE_TO_MYDOCUMENTS=0\r\n");
    // The tables are read at every start; without them error.log would hold their absence.
    for (const char* table : {"avgchar", "bgmmode", "cgmode", "rpmode", "uimodule", "uilayout",
                              "effect"})
        game.Write(std::string("data/db_") + table + ".txt", "#ID\n");
    const std::string command = "XDG_RUNTIME_DIR=\"" + runtime.Str() + "\" HOME=\"" + home.Str() +
                                "\" ASAN_OPTIONS=detect_leaks=0 SDL_AUDIODRIVER=dummy \"" + bin +
                                "/gxadv\" --headless --game \"" + game.Str() +
                                "\" --frames 40 2>/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string log = game.Read("SAVE/device.log");
    std::u16string text;
    for (size_t i = 2; i + 1 < log.size(); i += 2)
        text.push_back(char16_t(GxU8(log[i]) | (GxU8(log[i + 1]) << 8)));
    EXPECT_NE(text.find(u"サウンドデバイスの能力情報"), std::u16string::npos);
    EXPECT_NE(text.find(u"出力先:dummy"), std::u16string::npos);
    EXPECT_TRUE(game.Read("SAVE/error.log").empty());
}

}  // namespace
