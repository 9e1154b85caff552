#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "base/gx_string.h"
#include "platform/gx_process.h"
#include "support/temp_dir.h"

namespace {

// Runs the built gxadv in a fresh game folder, as a player's machine would.
class GxadvRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("GX_BIN_DIR");
        ASSERT_NE(bin, nullptr) << "GX_BIN_DIR names the folder of the built programs";
        m_Gxadv = std::string(bin) + "/gxadv";
        ASSERT_TRUE(std::filesystem::exists(m_Gxadv));
        setenv("XDG_RUNTIME_DIR", m_Runtime.Str().c_str(), 1);
        setenv("HOME", m_Home.Str().c_str(), 1);
        m_Game.Write("system/sysconf.ini",
                     "APP_TITLE=Run Test\r\nAPP_SAVEDIR=RUN_SAVE\r\nSAVE_TO_MYDOCUMENTS=0\r\n");
    }
    // Starts gxadv with `arguments`, its stderr going to `errFile` below the game folder.
    gx::GxProcessId Start(const std::string& arguments, const std::string& errFile) {
        std::string command =
            "exec \"$0\" " + arguments + " 2>\"" + (m_Game.Path() / errFile).string() + "\"";
        gx::GxProcessId process = 0;
        EXPECT_TRUE(gx::StartProcess(
            {u"sh", u"-c", gx::Utf8ToUtf16(command), gx::Utf8ToUtf16(m_Gxadv)}, process));
        return process;
    }
    int Run(const std::string& arguments, const std::string& errFile = "stderr.txt") {
        return gx::WaitProcess(Start(arguments, errFile));
    }
    std::string GameArg() const { return "--headless --game \"" + m_Game.Str() + "\""; }

    gxtest::TempDir m_Runtime;
    gxtest::TempDir m_Home;
    gxtest::TempDir m_Game;
    std::string m_Gxadv;
};

TEST_F(GxadvRunTest, HeadlessRunMakesTheSaveFolderWritesUtf16LogsAndExitsCleanly) {
    EXPECT_EQ(Run(GameArg() + " --frames 120"), 0) << m_Game.Read("stderr.txt");
    EXPECT_TRUE(std::filesystem::is_directory(m_Game.Path() / "RUN_SAVE"));
    EXPECT_NE(m_Game.Read("stderr.txt")
                  .find("インストールフォルダにセーブフォルダ[RUN_SAVE]を作成しました。"),
              std::string::npos);
    int logs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_Game.Path() / "RUN_SAVE")) {
        if (entry.path().extension() != ".log")
            continue;
        ++logs;
        std::string bytes = m_Game.Read("RUN_SAVE/" + entry.path().filename().string());
        ASSERT_GE(bytes.size(), 2u);
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << entry.path();
        EXPECT_EQ(bytes.size() % 2, 0u) << entry.path();
    }
    EXPECT_GE(logs, 1);
    for (const auto& entry : std::filesystem::directory_iterator(m_Game.Path())) {
        EXPECT_NE(entry.path().extension(), ".log")
            << "log outside the save folder: " << entry.path();
    }
}

TEST_F(GxadvRunTest, SecondInstanceOfTheSameTitleIsRefused) {
    gx::GxProcessId first = Start(GameArg() + " --frames 100000", "first.txt");
    // The save folder is made after the lock is taken; probing the lock itself
    // could make the first instance find it held.
    bool held = false;
    for (int attempt = 0; attempt < 400 && !held; ++attempt) {
        held = std::filesystem::is_directory(m_Game.Path() / "RUN_SAVE");
        if (!held)
            std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    ASSERT_TRUE(held) << m_Game.Read("first.txt");

    EXPECT_NE(Run(GameArg() + " --frames 10", "second.txt"), 0);
    std::string err = m_Game.Read("second.txt");
    EXPECT_NE(err.find("既に起動中です"), std::string::npos) << err;
    EXPECT_EQ(err.find("セーブフォルダ"), std::string::npos) << err;

    kill(static_cast<pid_t>(first), SIGKILL);
    gx::WaitProcess(first);
}

TEST_F(GxadvRunTest, FailuresExitNonZero) {
    EXPECT_EQ(Run("--frames"), 2);
    EXPECT_EQ(Run("--frames 0"), 2);
    EXPECT_EQ(Run("--bogus"), 2);
    EXPECT_NE(Run("--headless --frames 5 --game \"" + m_Game.Str() + "/no-such-folder\""), 0);
    // No usable video system: no window can be made.
    setenv("SDL_VIDEODRIVER", "no-such-video-driver", 1);
    EXPECT_NE(Run("--frames 5 --game \"" + m_Game.Str() + "\""), 0);
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    EXPECT_EQ(Run("--help"), 0);
}

}  // namespace
