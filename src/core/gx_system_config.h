#pragma once

#include <array>
#include <string>
#include <string_view>

#include "base/gx_types.h"

// Indexes of the game's data folders (`GxSystemConfig::GetFolder`).
enum GxFolderIndex : int {
    FOLDER_SCRIPTS,
    FOLDER_CG,
    FOLDER_CG_BG,
    FOLDER_CG_EV,
    FOLDER_CG_NAME,
    FOLDER_CG_STAND,
    FOLDER_CG_UI,
    FOLDER_CG_TR,
    FOLDER_DATA,
    FOLDER_GNC,
    FOLDER_GNC_GIS,
    FOLDER_UIGIS,
    FOLDER_FONTS,
    FOLDER_MODELS,
    FOLDER_MODELS_TEXTURES,
    FOLDER_MODELS_EXTRAS,
    FOLDER_BGMS,
    FOLDER_SOUNDS,
    FOLDER_SOUNDS_SYS,
    FOLDER_SOUNDS_SE,
    FOLDER_SOUNDS_BGVS,
    FOLDER_VOICES,
    FOLDER_VOICES_BATTLE,
    FOLDER_MOVIES,
    FOLDER_COUNT
};

// Menu music entries (`GxSystemConfig::GetBgmName` / `GetBgmLoop`).
enum GxBgmIndex : int { BGM_TITLE, BGM_CGMODE, BGM_RPMODE, BGM_EXTRA, BGM_COUNT };

// Opens one extra pack archive; the file layer's `OpenPackFile` unless a caller supplies another.
using GxPackFileOpener = bool (*)(std::u16string_view path);

// The game's fixed configuration: built-in defaults, then "system/sysconf.ini"
// (game data, loose or archived), then the developer switches of "setting.ini".
class GxSystemConfig {
public:
    static constexpr int kFontSizeCount = 6;
    static constexpr int kSystemSoundCount = 10;
    static constexpr int kPackFileKeyCount = 32;

    GxSystemConfig();
    virtual ~GxSystemConfig() = default;

    // Reads "system/sysconf.ini" through the file layer and opens every archive
    // named by PACK_FILE_00 .. PACK_FILE_31. False, changing nothing, without the file.
    bool LoadSystemConfig(GxPackFileOpener openPackFile = nullptr);
    // Reads the loose file "setting.ini". False, changing nothing, without it.
    bool LoadDeveloperSettings();

    bool IsDebugMode() const { return m_DebugModeFlag; }
    bool IsDebugConsole() const { return m_DebugConsoleFlag; }
    bool IsAutoCompile() const { return m_AutoCompile; }
    bool IsSaveToMyDocuments() const { return m_SaveToMyDocuments; }
    const std::u16string& GetTextEditorCommand() const { return m_TextEditorCommand; }
    bool IsSkipSlightError() const { return m_SkipSlightError; }
    bool IsCleanErrorLog() const { return m_CleanErrorLog; }
    bool IsErrorStopNotFoundBGM() const { return m_ErrorStopNotFound_BGM; }
    bool IsErrorStopNotFoundBGV() const { return m_ErrorStopNotFound_BGV; }
    bool IsErrorStopNotFoundSE() const { return m_ErrorStopNotFound_SE; }
    bool IsErrorStopNotFoundVO() const { return m_ErrorStopNotFound_VO; }
    bool IsErrorStopNotFoundBG() const { return m_ErrorStopNotFound_BG; }
    bool IsErrorStopNotFoundEV() const { return m_ErrorStopNotFound_EV; }

    GxU32 GetSystemTextColor0() const { return m_SystemTextColor0; }
    GxU32 GetSystemTextColor1() const { return m_SystemTextColor1; }
    GxU32 GetSystemShadowColor() const { return m_SystemShadowColor; }
    GxU32 GetSystemEdgeColor() const { return m_SystemEdgeColor; }
    GxU32 GetMeswinTextColor0() const { return m_MeswinTextColor0; }
    GxU32 GetMeswinTextColor1() const { return m_MeswinTextColor1; }
    GxU32 GetMeswinShadowColor() const { return m_MeswinShadowColor; }
    GxU32 GetMeswinEdgeColor() const { return m_MeswinEdgeColor; }
    GxS32 GetMeswinLetterMarginWidth() const { return m_MeswinLetterMarginWidth; }
    const std::u16string& GetMeswinTextBuiltinFontName() const {
        return m_MeswinTextBuiltinFontName;
    }
    GxU32 GetAvglogTextColor0() const { return m_AvglogTextColor0; }
    GxU32 GetAvglogTextColor1() const { return m_AvglogTextColor1; }
    GxU32 GetAvglogEdgeColor() const { return m_AvglogEdgeColor; }
    GxU32 GetSelectTextColor0() const { return m_SelectTextColor0; }
    GxU32 GetSelectTextColor1() const { return m_SelectTextColor1; }
    GxU32 GetSelectEdgeColorNA() const { return m_SelectEdgeColorNA; }
    const std::u16string& GetNameBrackets() const { return m_NameBrackets; }
    GxU32 GetBackgroundColor() const { return m_BackgroundColor; }
    GxS32 GetStandTransitionTime() const { return m_StandTransitionTime; }
    GxS32 GetPictureTransitionTime() const { return m_PictureTransitionTime; }
    GxS32 GetSequenceTransitionTime() const { return m_SequenceTransitionTime; }
    char16_t GetRubyOpenMark() const { return m_RubyOpenMark; }
    char16_t GetRubyCloseMark() const { return m_RubyCloseMark; }
    char16_t GetRubySeparatorMark() const { return m_RubySeparatorMark; }
    char16_t GetLineBreakMark() const { return m_LineBreakMark; }
    const std::u16string& GetNoLineStartChars() const { return m_NoLineStartChars; }
    const std::u16string& GetNoLineEndChars() const { return m_NoLineEndChars; }
    // Sizes 0 .. 5 of the system fonts; 0 for an index outside.
    GxS32 GetFontSize(int index) const;
    GxS32 GetCountSettingA() const { return m_CountSettingA; }
    GxS32 GetBacklogCapacity() const { return m_BacklogCapacity; }
    GxS32 GetBacklogStep() const { return m_BacklogStep; }
    // A data folder (relative, '/'-separated, trailing '/'); empty for an index outside.
    const std::u16string& GetFolder(int index) const;
    // A system sound file name by index 0 .. 9; empty for an index outside.
    const std::u16string& GetSystemSound(int index) const;
    const std::u16string& GetAppTitle() const { return m_AppTitle; }
    const std::u16string& GetAppSaveDir() const { return m_AppSaveDir; }
    const std::u16string& GetQuickSaveFileName() const { return m_QuickSaveFileName; }
    const std::u16string& GetBgmName(int index) const;
    GxS32 GetBgmLoop(int index) const;
    const std::u16string& GetOpeningMovieName() const { return m_MovNameOpening; }
    const std::u16string& GetExtraLabelName() const { return m_LabelNameExtra; }
    const std::u16string& GetErrorPictureFile() const { return m_FileCgError; }
    const std::u16string& GetDefaultBackgroundFile() const { return m_FileCgBgDefault; }

private:
    bool m_DebugModeFlag = false;
    bool m_DebugConsoleFlag = false;
    bool m_AutoCompile = false;
    bool m_SaveToMyDocuments = true;
    std::u16string m_TextEditorCommand;
    bool m_SkipSlightError = true;
    bool m_CleanErrorLog = false;
    bool m_ErrorStopNotFound_BGM = false;
    bool m_ErrorStopNotFound_BGV = false;
    bool m_ErrorStopNotFound_SE = false;
    bool m_ErrorStopNotFound_VO = false;
    bool m_ErrorStopNotFound_BG = false;
    bool m_ErrorStopNotFound_EV = false;
    GxU32 m_SystemTextColor0 = 0xFFFFFFFF;
    GxU32 m_SystemTextColor1 = 0xFFAAEEFF;
    GxU32 m_SystemShadowColor = 0x80000000;
    GxU32 m_SystemEdgeColor = 0x80000000;
    GxU32 m_MeswinTextColor0 = 0xFFFFFFFF;
    GxU32 m_MeswinTextColor1 = 0xFFAAEEFF;
    GxU32 m_MeswinShadowColor = 0x80000000;
    GxU32 m_MeswinEdgeColor = 0x80000000;
    GxS32 m_MeswinLetterMarginWidth = 4;
    std::u16string m_MeswinTextBuiltinFontName;
    // Read and kept; the backlog screen draws with the system colours.
    GxU32 m_AvglogTextColor0 = 0xFFFFFFFF;
    GxU32 m_AvglogTextColor1 = 0x80000000;
    GxU32 m_AvglogEdgeColor = 0x80000000;
    GxU32 m_SelectTextColor0 = 0xFFFFFFFF;
    GxU32 m_SelectTextColor1 = 0xFFAAEEFF;
    GxU32 m_SelectEdgeColorNA = 0xFF808080;
    std::u16string m_NameBrackets = u"「（";
    GxU32 m_BackgroundColor = 0xFF000000;
    GxS32 m_StandTransitionTime = 800;
    GxS32 m_PictureTransitionTime = 1000;
    GxS32 m_SequenceTransitionTime = 400;
    char16_t m_RubyOpenMark = u'\u226A';
    char16_t m_RubyCloseMark = u'\u226B';
    char16_t m_RubySeparatorMark = u'\uFF0F';
    char16_t m_LineBreakMark = u'|';
    std::u16string m_NoLineStartChars;
    std::u16string m_NoLineEndChars;
    std::array<GxS32, kFontSizeCount> m_FontSize{11, 15, 23, 24, 22, 38};
    GxS32 m_CountSettingA = 10;
    GxS32 m_BacklogCapacity = 100;
    GxS32 m_BacklogStep = 5;
    std::array<std::u16string, FOLDER_COUNT> m_Folders;
    std::array<std::u16string, kSystemSoundCount> m_SystemSounds;
    std::u16string m_AppTitle = u"Quenwood";
    std::u16string m_AppSaveDir = u"Quenwood_SAVE";
    std::u16string m_QuickSaveFileName = u"gamedata_quick.gd";
    std::array<std::u16string, BGM_COUNT> m_BgmName;
    std::array<GxS32, BGM_COUNT> m_BgmLoop{};
    std::u16string m_MovNameOpening;
    std::u16string m_LabelNameExtra;
    std::u16string m_FileCgError = u"cg/error.png";
    std::u16string m_FileCgBgDefault = u"cg/bg/黒.png";
};
