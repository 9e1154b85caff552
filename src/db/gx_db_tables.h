#pragma once

#include <array>
#include <string>
#include <string_view>

#include "db/gx_db_base.h"

// The seven game tables under data/. Row members carry the column names.

struct DBAvgCharRow : GxDBRecord {
    GxS32 ID = 0;
    std::u16string CharName;
    GxS32 SubLayerNum = 0;
    std::u16string StandPath;
    std::u16string NCProjFileName;
    std::u16string VoicePath;
    GxS32 VoiceVolumeID = 0;
    std::u16string Comment;
};
class DBAvgChar : public GxDBTable<DBAvgCharRow, 80> {
public:
    DBAvgChar();
};

struct DBBGMModeRow : GxDBRecord {
    GxS32 ID = 0;
    std::u16string Name;
    std::u16string FileName;
    GxU32 LoopPosTime = 0;
    GxS32 ButtonIndex = 0;
};
class DBBGMMode : public GxDBTable<DBBGMModeRow, 60> {
public:
    DBBGMMode();
    // The first row whose Name equals `name`; 0 when none does (or `name` is empty).
    int FindIDByName(std::u16string_view name) const;
};

struct DBCGModeRow : GxDBRecord {
    GxS32 ID = 0;
    GxS32 Group = 0;
    std::u16string Thumbnail;
    std::array<std::u16string, 32> FileName;
    GxS32 Count = 0;
};
class DBCGMode : public GxDBTable<DBCGModeRow, 200> {
public:
    DBCGMode();
};

struct DBRPModeRow : GxDBRecord {
    GxS32 ID = 0;
    GxS32 Group = 0;
    std::u16string Thumbnail;
    std::u16string Label;
    std::u16string Help;
};
class DBRPMode : public GxDBTable<DBRPModeRow, 200> {
public:
    DBRPMode();
};

struct DBUIModuleRow : GxDBRecord {
    GxS32 ID = 0;
    GxS32 UIType = 0;
    std::u16string ModuleName;
    std::u16string ImageSetName;
    std::u16string ImageName;
    GxS32 Width = 0;
    GxS32 Height = 0;
    GxS32 ClientLeft = 0;
    GxS32 ClientTop = 0;
    GxS32 ClientWidth = 0;
    GxS32 ClientHeight = 0;
    GxS32 ShapeType = 0;
    GxS32 FontIndex = 0;
    GxS32 AnimeSpeed = 0;
};
class DBUIModule : public GxDBTable<DBUIModuleRow, 256> {
public:
    DBUIModule();
};

struct DBUILayoutRow : GxDBRecord {
    GxS32 ID = 0;
    std::u16string ParentName;
    GxS32 ParentIndex = 0;
    std::u16string ModuleName;
    std::u16string TaskName;
    GxS32 TaskIndex = 0;
    GxS32 Create = 0;
    GxS32 Visible = 0;
    GxS32 Enabled = 0;
    GxF32 Left = 0;
    GxF32 Top = 0;
    GxF32 OrderZ = 0;
    GxS32 GroupID = 0;
    std::u16string Text;
    std::u16string Label;
    GxS32 Value = 0;
    GxS32 Min = 0;
    GxS32 Max = 0;
    GxS32 AutoHelpTime = 0;
    std::u16string Descript;
};
class DBUILayout : public GxDBTable<DBUILayoutRow, 512> {
public:
    DBUILayout();
};

struct DBEffectRow : GxDBRecord {
    GxS32 ID = 0;
    std::u16string GNCName;
    std::u16string MotionGroup;
    std::u16string Motion;
    std::u16string Name;
    std::u16string Descript;
};
class DBEffect : public GxDBTable<DBEffectRow, 80> {
public:
    DBEffect();
    // The first row whose Name equals `name`; 0 when none does (or `name` is empty).
    int FindIDByName(std::u16string_view name) const;
};

// The game's tables, created once and reached by class.
struct GxDatabase {
    DBAvgChar avgChar;
    DBBGMMode bgmMode;
    DBCGMode cgMode;
    DBRPMode rpMode;
    DBUIModule uiModule;
    DBUILayout uiLayout;
    DBEffect effect;
};

namespace gx {

GxDatabase& GetDatabase();
// Loads the seven files in start-up order; a table that fails keeps what it
// loaded and the others still load.
void LoadDatabaseTables(GxDatabase& database);

// The first module row with that non-empty ModuleName; null (after a message) if none.
const DBUIModuleRow* FindUIModule(std::u16string_view name);
// The first layout row with that non-empty TaskName; null (after a message) if none.
const DBUILayoutRow* FindUILayout(std::u16string_view name);

}  // namespace gx
