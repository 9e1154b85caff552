#include "db/gx_db_tables.h"

#include "base/gx_log.h"

namespace {

// The first row, in row order, whose `member` equals a non-empty `name`; -1 when none does.
template <class Row>
int FindFirst(const std::vector<Row>& rows, std::u16string Row::*member, std::u16string_view name) {
    if (name.empty())
        return -1;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].*member == name)
            return static_cast<int>(i);
    }
    return -1;
}

// Name searches of the music and effect tables answer 0 for "none", as their callers expect.
template <class Row>
int FindIDOrZero(const std::vector<Row>& rows, std::u16string Row::*member,
                 std::u16string_view name) {
    const int id = FindFirst(rows, member, name);
    return id < 0 ? 0 : id;
}

using C = DBAvgCharRow;
const GxDBColumn<C> kAvgCharColumns[] = {
    {"ID", &C::ID},
    {"CharName", &C::CharName},
    {"SubLayerNum", &C::SubLayerNum},
    {"StandPath", &C::StandPath},
    {"NCProjFileName", &C::NCProjFileName},
    {"VoicePath", &C::VoicePath},
    {"VoiceVolumeID", &C::VoiceVolumeID},
    {"Comment", &C::Comment},
};

using B = DBBGMModeRow;
const GxDBColumn<B> kBGMModeColumns[] = {
    {"ID", &B::ID},
    {"Name", &B::Name},
    {"FileName", &B::FileName},
    {"LoopPosTime", &B::LoopPosTime},
    {"ButtonIndex", &B::ButtonIndex},
};

using G = DBCGModeRow;
const GxDBColumn<G> kCGModeColumns[] = {
    {"ID", &G::ID},
    {"Group", &G::Group},
    {"Thumbnail", &G::Thumbnail},
    {"FileName", &G::FileName},
    {"Count", &G::Count},
};

using R = DBRPModeRow;
const GxDBColumn<R> kRPModeColumns[] = {
    {"ID", &R::ID},       {"Group", &R::Group}, {"Thumbnail", &R::Thumbnail},
    {"Label", &R::Label}, {"Help", &R::Help},
};

using M = DBUIModuleRow;
const GxDBColumn<M> kUIModuleColumns[] = {
    {"ID", &M::ID},
    {"UIType", &M::UIType},
    {"ModuleName", &M::ModuleName},
    {"ImageSetName", &M::ImageSetName},
    {"ImageName", &M::ImageName},
    {"Width", &M::Width},
    {"Height", &M::Height},
    {"ClientLeft", &M::ClientLeft},
    {"ClientTop", &M::ClientTop},
    {"ClientWidth", &M::ClientWidth},
    {"ClientHeight", &M::ClientHeight},
    {"ShapeType", &M::ShapeType},
    {"FontIndex", &M::FontIndex},
    {"AnimeSpeed", &M::AnimeSpeed},
};

using L = DBUILayoutRow;
const GxDBColumn<L> kUILayoutColumns[] = {
    {"ID", &L::ID},
    {"ParentName", &L::ParentName},
    {"ParentIndex", &L::ParentIndex},
    {"ModuleName", &L::ModuleName},
    {"TaskName", &L::TaskName},
    {"TaskIndex", &L::TaskIndex},
    {"Create", &L::Create},
    {"Visible", &L::Visible},
    {"Enabled", &L::Enabled},
    {"Left", &L::Left},
    {"Top", &L::Top},
    {"OrderZ", &L::OrderZ},
    {"GroupID", &L::GroupID},
    {"Text", &L::Text},
    {"Label", &L::Label},
    {"Value", &L::Value},
    {"Min", &L::Min},
    {"Max", &L::Max},
    {"AutoHelpTime", &L::AutoHelpTime},
    {"Descript", &L::Descript},
};

using E = DBEffectRow;
const GxDBColumn<E> kEffectColumns[] = {
    {"ID", &E::ID},         {"GNCName", &E::GNCName}, {"MotionGroup", &E::MotionGroup},
    {"Motion", &E::Motion}, {"Name", &E::Name},       {"Descript", &E::Descript},
};

}  // namespace

DBAvgChar::DBAvgChar() : GxDBTable(kAvgCharColumns, u"DBAvgChar/ID out of range(%d)\n") {}
DBBGMMode::DBBGMMode() : GxDBTable(kBGMModeColumns, u"DBBGMMode/ID out of range(%d)\n") {}
DBCGMode::DBCGMode() : GxDBTable(kCGModeColumns, u"DBCGMode/ID out of range(%d)\n") {}
DBRPMode::DBRPMode() : GxDBTable(kRPModeColumns, u"DBRPMode/ID out of range(%d)\n") {}
DBUIModule::DBUIModule() : GxDBTable(kUIModuleColumns, u"DBUIModule/ID out of range(%d)\n") {}
DBUILayout::DBUILayout() : GxDBTable(kUILayoutColumns, u"DBUILayout/ID out of range(%d)\n") {}
DBEffect::DBEffect() : GxDBTable(kEffectColumns, u"DBEffect/ID out of range(%d)\n") {}

int DBBGMMode::FindIDByName(std::u16string_view name) const {
    return FindIDOrZero(GetRows(), &DBBGMModeRow::Name, name);
}

int DBEffect::FindIDByName(std::u16string_view name) const {
    return FindIDOrZero(GetRows(), &DBEffectRow::Name, name);
}

namespace gx {

GxDatabase& GetDatabase() {
    static GxDatabase database;
    return database;
}

void LoadDatabaseTables(GxDatabase& database) {
    database.avgChar.Load(u"data/db_avgchar.txt");
    database.bgmMode.Load(u"data/db_bgmmode.txt");
    database.cgMode.Load(u"data/db_cgmode.txt");
    database.rpMode.Load(u"data/db_rpmode.txt");
    database.uiModule.Load(u"data/db_uimodule.txt");
    database.uiLayout.Load(u"data/db_uilayout.txt");
    database.effect.Load(u"data/db_effect.txt");
}

const DBUIModuleRow* FindUIModule(std::u16string_view name) {
    const DBUIModule& table = GetDatabase().uiModule;
    const int id = FindFirst(table.GetRows(), &DBUIModuleRow::ModuleName, name);
    if (id < 0)
        LogError(u"UIモジュールデータ[%s]が見つかりません\n", name);
    return table.GetRow(id);
}

const DBUILayoutRow* FindUILayout(std::u16string_view name) {
    const DBUILayout& table = GetDatabase().uiLayout;
    const int id = FindFirst(table.GetRows(), &DBUILayoutRow::TaskName, name);
    if (id < 0)
        LogError(u"UIレイアウトデータ[%s]が見つかりません\n", name);
    return table.GetRow(id);
}

}  // namespace gx
