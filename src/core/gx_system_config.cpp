#include "core/gx_system_config.h"

#include "base/gx_format.h"
#include "content/gx_ini_file.h"
#include "file/gx_file.h"

namespace {

constexpr std::u16string_view kSystemConfigPath = u"system/sysconf.ini";
constexpr std::u16string_view kDeveloperSettingsPath = u"setting.ini";

constexpr std::u16string_view kFolderDefaults[FOLDER_COUNT] = {
    u"scripts/",       u"cg/",     u"cg/bg/",         u"cg/ev/",      u"cg/name/",
    u"cg/stand/",      u"cg/ui/",  u"cg/tr/",         u"data/",       u"gnc/",
    u"gnc/gis/",       u"uigis/",  u"fonts/",         u"models/",     u"models/textures/",
    u"models/extras/", u"bgms/",   u"sounds/",        u"sounds/sys/", u"sounds/se/",
    u"sounds/bgvs/",   u"voices/", u"voices/battle/", u"movies/",
};

constexpr std::u16string_view kSystemSoundNames[] = {u"push.wav",  u"cancel.wav", u"open.wav",
                                                     u"close.wav", u"drop.wav",   u"decide.wav"};

constexpr std::u16string_view kBgmKeys[BGM_COUNT] = {u"TITLE", u"CGMODE", u"RPMODE", u"EXTRA"};

const std::u16string kEmpty;

void ReadColor(const GxINIFile& ini, std::u16string_view key, GxU32& value) {
    value = static_cast<GxU32>(ini.GetInt64(key, static_cast<GxS64>(value)));
}

void ReadString(const GxINIFile& ini, std::u16string_view key, std::u16string& value) {
    value = ini.GetString(key, value);
}

}  // namespace

GxSystemConfig::GxSystemConfig()
    : m_NoLineStartChars(
          u"!),.:;?]}°’”‰′″℃、。々〉》」』】〕゛゜ゝゞ・ヽヾ！），．：；？］｝｡｣､･ﾞﾟ"),
      m_NoLineEndChars(u"‘“〈《「『【〔（［｛｢") {
    for (int i = 0; i < FOLDER_COUNT; ++i)
        m_Folders[i] = kFolderDefaults[i];
    for (size_t i = 0; i < std::size(kSystemSoundNames); ++i) {
        m_SystemSounds[i] = std::u16string(kFolderDefaults[FOLDER_SOUNDS_SYS]) +
                            std::u16string(kSystemSoundNames[i]);
    }
}

bool GxSystemConfig::LoadSystemConfig(GxPackFileOpener openPackFile) {
    GxINIFile ini;
    if (!ini.Load(kSystemConfigPath, true))
        return false;

    ReadString(ini, u"APP_TITLE", m_AppTitle);
    ReadString(ini, u"APP_SAVEDIR", m_AppSaveDir);
    for (int i = 0; i < kFontSizeCount; ++i) {
        m_FontSize[i] = ini.GetInt(gx::Format(u"FONTSIZE_%d", i), m_FontSize[i]);
    }
    ReadColor(ini, u"SYSTEM_TEXT_COLOR0", m_SystemTextColor0);
    ReadColor(ini, u"SYSTEM_TEXT_COLOR1", m_SystemTextColor1);
    ReadColor(ini, u"SYSTEM_SHADOW_COLOR", m_SystemShadowColor);
    ReadColor(ini, u"SYSTEM_EDGE_COLOR", m_SystemEdgeColor);
    ReadColor(ini, u"MESWIN_TEXT_COLOR0", m_MeswinTextColor0);
    ReadColor(ini, u"MESWIN_TEXT_COLOR1", m_MeswinTextColor1);
    ReadColor(ini, u"MESWIN_SHADOW_COLOR", m_MeswinShadowColor);
    ReadColor(ini, u"MESWIN_EDGE_COLOR", m_MeswinEdgeColor);
    m_MeswinLetterMarginWidth = ini.GetInt(u"MESWIN_LETTER_MARGINWIDTH", m_MeswinLetterMarginWidth);
    ReadString(ini, u"MESWIN_TEXT_BUILTINFONTNAME", m_MeswinTextBuiltinFontName);
    ReadColor(ini, u"AVGLOG_TEXT_COLOR0", m_AvglogTextColor0);
    ReadColor(ini, u"AVGLOG_TEXT_COLOR1", m_AvglogTextColor1);
    ReadColor(ini, u"AVGLOG_EDGE_COLOR", m_AvglogEdgeColor);
    ReadColor(ini, u"SELECT_TEXT_COLOR0", m_SelectTextColor0);
    ReadColor(ini, u"SELECT_TEXT_COLOR1", m_SelectTextColor1);
    ReadColor(ini, u"SELECT_EDGE_COLORNA", m_SelectEdgeColorNA);
    for (int i = 0; i < BGM_COUNT; ++i) {
        m_BgmName[i] = ini.GetString(gx::Format(u"BGM_NAME_%s", kBgmKeys[i]), u"");
        m_BgmLoop[i] = ini.GetInt(gx::Format(u"BGM_LOOP_%s", kBgmKeys[i]), 0);
    }
    ReadString(ini, u"MOV_NAME_OPENING", m_MovNameOpening);
    ReadString(ini, u"LABEL_NAME_EXTRA", m_LabelNameExtra);
    ReadString(ini, u"FILE_CG_ERROR", m_FileCgError);
    ReadString(ini, u"FILE_CG_BG_DEFAULT", m_FileCgBgDefault);
    m_SaveToMyDocuments = ini.GetBool(u"SAVE_TO_MYDOCUMENTS", m_SaveToMyDocuments);

    GxPackFileOpener open = openPackFile ? openPackFile : &OpenPackFile;
    for (int i = 0; i < kPackFileKeyCount; ++i) {
        std::u16string archive = ini.GetString(gx::Format(u"PACK_FILE_%02d", i), u"");
        if (!archive.empty())
            open(archive);
    }
    return true;
}

bool GxSystemConfig::LoadDeveloperSettings() {
    if (FileExists(kDeveloperSettingsPath) != 1)
        return false;
    GxINIFile ini;
    if (!ini.Load(kDeveloperSettingsPath, true))
        return false;

    m_DebugModeFlag = ini.GetBool(u"DebugModeFlag", false);
    m_DebugConsoleFlag = ini.GetBool(u"DebugConsoleFlag", false);
    m_AutoCompile = ini.GetBool(u"AutoCompile", false);
    m_SaveToMyDocuments = ini.GetBool(u"SaveToMyDocuments", m_SaveToMyDocuments);
    m_TextEditorCommand = ini.GetString(u"TextEditorCommand", u"");
    m_SkipSlightError = ini.GetBool(u"SkipSlightError", true);
    m_CleanErrorLog = ini.GetBool(u"CleanErrorLog", false);
    m_ErrorStopNotFound_BGM = ini.GetBool(u"ErrorStopNotFound_BGM", false);
    m_ErrorStopNotFound_BGV = ini.GetBool(u"ErrorStopNotFound_BGV", false);
    m_ErrorStopNotFound_SE = ini.GetBool(u"ErrorStopNotFound_SE", false);
    m_ErrorStopNotFound_VO = ini.GetBool(u"ErrorStopNotFound_VO", false);
    m_ErrorStopNotFound_BG = ini.GetBool(u"ErrorStopNotFound_BG", false);
    m_ErrorStopNotFound_EV = ini.GetBool(u"ErrorStopNotFound_EV", false);
    return true;
}

GxS32 GxSystemConfig::GetFontSize(int index) const {
    return index >= 0 && index < kFontSizeCount ? m_FontSize[index] : 0;
}

const std::u16string& GxSystemConfig::GetFolder(int index) const {
    return index >= 0 && index < FOLDER_COUNT ? m_Folders[index] : kEmpty;
}

const std::u16string& GxSystemConfig::GetSystemSound(int index) const {
    return index >= 0 && index < kSystemSoundCount ? m_SystemSounds[index] : kEmpty;
}

const std::u16string& GxSystemConfig::GetBgmName(int index) const {
    return index >= 0 && index < BGM_COUNT ? m_BgmName[index] : kEmpty;
}

GxS32 GxSystemConfig::GetBgmLoop(int index) const {
    return index >= 0 && index < BGM_COUNT ? m_BgmLoop[index] : 0;
}
