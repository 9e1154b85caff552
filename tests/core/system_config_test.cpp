#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/gx_system_config.h"
#include "game_folder.h"

namespace {

std::vector<std::u16string> g_Opened;

bool RecordOpen(std::u16string_view path) {
    g_Opened.emplace_back(path);
    return true;
}

class SystemConfigTest : public ::testing::Test {
protected:
    void SetUp() override { g_Opened.clear(); }
    gxtest::GameFolder m_Game;
    GxSystemConfig m_Config;
};

TEST_F(SystemConfigTest, WithoutFilesEveryDefaultStays) {
    EXPECT_FALSE(m_Config.LoadSystemConfig(&RecordOpen));
    EXPECT_FALSE(m_Config.LoadDeveloperSettings());
    EXPECT_EQ(m_Config.GetAppTitle(), u"Quenwood");
    EXPECT_EQ(m_Config.GetAppSaveDir(), u"Quenwood_SAVE");
    EXPECT_TRUE(m_Config.IsSkipSlightError());
    EXPECT_FALSE(m_Config.IsDebugMode());
    EXPECT_TRUE(m_Config.IsSaveToMyDocuments());
    EXPECT_EQ(m_Config.GetSystemTextColor1(), 0xFFAAEEFFu);
    EXPECT_EQ(m_Config.GetSelectEdgeColorNA(), 0xFF808080u);
    EXPECT_EQ(m_Config.GetFontSize(5), 38);
    EXPECT_EQ(m_Config.GetSequenceTransitionTime(), 400);
    EXPECT_EQ(m_Config.GetNoLineStartChars().size(), 47u);
    EXPECT_EQ(m_Config.GetNoLineEndChars().size(), 12u);
    EXPECT_EQ(m_Config.GetFolder(FOLDER_CG_BG), u"cg/bg/");
    EXPECT_EQ(m_Config.GetFolder(FOLDER_MOVIES), u"movies/");
    EXPECT_EQ(m_Config.GetFolder(FOLDER_COUNT), u"");
    EXPECT_EQ(m_Config.GetSystemSound(5), u"sounds/sys/decide.wav");
    EXPECT_EQ(m_Config.GetSystemSound(6), u"");
    EXPECT_EQ(m_Config.GetDefaultBackgroundFile(), u"cg/bg/黒.png");
    EXPECT_TRUE(g_Opened.empty());
}

TEST_F(SystemConfigTest, SystemConfigOverridesItsKeysOnly) {
    m_Game.Write("system/sysconf.ini",
                 "APP_TITLE=My Game\r\nAPP_SAVEDIR = MY_SAVE \r\nFONTSIZE_3=20\r\n"
                 "SYSTEM_TEXT_COLOR0=0x12345678\r\nMESWIN_LETTER_MARGINWIDTH=6\r\n"
                 "BGM_NAME_TITLE=bgm01\r\nBGM_LOOP_TITLE=1\r\nBGM_NAME_EXTRA=bgm09\r\n"
                 "SAVE_TO_MYDOCUMENTS=0\r\nDebugModeFlag=1\r\n");
    EXPECT_TRUE(m_Config.LoadSystemConfig(&RecordOpen));
    EXPECT_EQ(m_Config.GetAppTitle(), u"My Game");
    EXPECT_EQ(m_Config.GetAppSaveDir(), u"MY_SAVE");
    for (int i = 0; i < GxSystemConfig::kFontSizeCount; ++i) {
        const GxS32 defaults[] = {11, 15, 23, 24, 22, 38};
        EXPECT_EQ(m_Config.GetFontSize(i), i == 3 ? 20 : defaults[i]) << i;
    }
    EXPECT_EQ(m_Config.GetSystemTextColor0(), 0x12345678u);
    EXPECT_EQ(m_Config.GetMeswinLetterMarginWidth(), 6);
    EXPECT_EQ(m_Config.GetBgmName(BGM_TITLE), u"bgm01");
    EXPECT_EQ(m_Config.GetBgmLoop(BGM_TITLE), 1);
    EXPECT_EQ(m_Config.GetBgmName(BGM_EXTRA), u"bgm09");
    EXPECT_EQ(m_Config.GetBgmLoop(BGM_EXTRA), 0);
    EXPECT_FALSE(m_Config.IsSaveToMyDocuments());
    EXPECT_FALSE(m_Config.IsDebugMode());  // a developer switch is read from setting.ini only
}

TEST_F(SystemConfigTest, DeveloperSettingsTakeTheirOwnDefaultsAndKeepSaveLocation) {
    m_Game.Write("system/sysconf.ini", "SAVE_TO_MYDOCUMENTS=0\n");
    m_Game.Write("setting.ini", "DebugModeFlag=1\n");
    ASSERT_TRUE(m_Config.LoadSystemConfig(&RecordOpen));
    ASSERT_TRUE(m_Config.LoadDeveloperSettings());
    EXPECT_FALSE(
        m_Config.IsSaveToMyDocuments());  // no SaveToMyDocuments key: the system value stays
    EXPECT_TRUE(m_Config.IsDebugMode());
    EXPECT_TRUE(m_Config.IsSkipSlightError());
    EXPECT_FALSE(m_Config.IsCleanErrorLog());

    m_Game.Write("setting.ini",
                 "SaveToMyDocuments=1\nSkipSlightError=0\nErrorStopNotFound_EV=1\n"
                 "TextEditorCommand=vim +%d %s\n");
    ASSERT_TRUE(m_Config.LoadDeveloperSettings());
    EXPECT_TRUE(m_Config.IsSaveToMyDocuments());
    EXPECT_FALSE(m_Config.IsSkipSlightError());
    EXPECT_FALSE(m_Config.IsDebugMode());  // absent in this file: back to its default
    EXPECT_TRUE(m_Config.IsErrorStopNotFoundEV());
    EXPECT_FALSE(m_Config.IsErrorStopNotFoundBG());
    EXPECT_EQ(m_Config.GetTextEditorCommand(), u"vim +%d %s");
}

TEST_F(SystemConfigTest, PackFileKeysOpenEachNamedArchiveOnceInKeyOrder) {
    m_Game.Write("system/sysconf.ini", "PACK_FILE_05=extra05.gxp\n");
    ASSERT_TRUE(m_Config.LoadSystemConfig(&RecordOpen));
    EXPECT_EQ(g_Opened, std::vector<std::u16string>{u"extra05.gxp"});

    g_Opened.clear();
    m_Game.Write("system/sysconf.ini",
                 "PACK_FILE_31=last.gxp\nPACK_FILE_00=first.gxp\nPACK_FILE_32=beyond.gxp\n"
                 "PACK_FILE_5=unpadded.gxp\nPACK_FILE_02=\n");
    ASSERT_TRUE(m_Config.LoadSystemConfig(&RecordOpen));
    EXPECT_EQ(g_Opened, (std::vector<std::u16string>{u"first.gxp", u"last.gxp"}));
}

}  // namespace
