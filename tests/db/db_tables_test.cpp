#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/gx_string.h"
#include "db/gx_db_tables.h"
#include "support/current_dir.h"
#include "support/log_capture.h"
#include "support/temp_dir.h"

namespace {

enum class Encoding { Utf8, Utf16Le, Cp932 };

std::string Encode(std::u16string_view text, Encoding encoding) {
    switch (encoding) {
        case Encoding::Utf8:
            return "\xEF\xBB\xBF" + gx::Utf16ToUtf8(text);
        case Encoding::Utf16Le: {
            std::string out = "\xFF\xFE";
            for (char16_t c : text) {
                out += static_cast<char>(c & 0xff);
                out += static_cast<char>(c >> 8);
            }
            return out;
        }
        case Encoding::Cp932:
            return gx::Utf16ToAnsi(text);
    }
    return {};
}

class DBTables : public ::testing::TestWithParam<Encoding> {
protected:
    void Write(const char* name, std::u16string_view text) {
        game.Write(std::string("data/") + name, Encode(text, GetParam()));
    }
    gxtest::TempDir game;
    gxtest::ScopedCurrentDir inGame{game.Path()};
};

TEST_P(DBTables, CharacterTableEdgeCases) {
    struct Case {
        const char* what;
        std::u16string file;
        int id;
        std::function<void(const DBAvgCharRow&)> check;
    };
    const Case cases[] = {
        {"commented header is skipped", u"#ID\tCharName\n2\tあかね\t3\n", 2,
         [](const DBAvgCharRow& r) {
             EXPECT_EQ(r.CharName, u"あかね");
             EXPECT_EQ(r.SubLayerNum, 3);
         }},
        {"header without # is row 0", u"ID\tCharName\tSubLayerNum\n", 0,
         [](const DBAvgCharRow& r) {
             EXPECT_EQ(r.ID, 0);
             EXPECT_EQ(r.CharName, u"CharName");
             EXPECT_EQ(r.SubLayerNum, 0);
         }},
        {"only the ID", u"3\n", 3,
         [](const DBAvgCharRow& r) {
             EXPECT_EQ(r.ID, 3);
             EXPECT_EQ(r.CharName, u"");
             EXPECT_EQ(r.Comment, u"");
         }},
        {"ten fields keep eight", u"1\ta\t1\tb\tc\td\t2\tcomment\tnine\tten\n", 1,
         [](const DBAvgCharRow& r) {
             EXPECT_EQ(r.VoiceVolumeID, 2);
             EXPECT_EQ(r.Comment, u"comment");
         }},
        {"quotes", u"4\t\"a b\"\t1\t'it\\'s' tail\n", 4,
         [](const DBAvgCharRow& r) {
             EXPECT_EQ(r.CharName, u"a b");
             EXPECT_EQ(r.StandPath, u"it\\'s");
         }},
        {"hexadecimal ID", u"0x10\tx\n", 16,
         [](const DBAvgCharRow& r) { EXPECT_EQ(r.CharName, u"x"); }},
        {"octal ID", u"010\ty\n", 8, [](const DBAvgCharRow& r) { EXPECT_EQ(r.CharName, u"y"); }},
        {"later line overwrites", u"5\tfirst\t7\n5\tsecond\n", 5,
         [](const DBAvgCharRow& r) {
             EXPECT_EQ(r.CharName, u"second");
             EXPECT_EQ(r.SubLayerNum, 0);
         }},
        {"non-numeric integer is 0", u"6\tz\tmany\n", 6,
         [](const DBAvgCharRow& r) { EXPECT_EQ(r.SubLayerNum, 0); }},
        {"crlf line ends", u"7\tw\t1\r\n", 7,
         [](const DBAvgCharRow& r) { EXPECT_EQ(r.SubLayerNum, 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write("db_avgchar.txt", c.file);
        DBAvgChar table;
        ASSERT_TRUE(table.Load(u"data/db_avgchar.txt"));
        EXPECT_EQ(table.GetMaxID(), c.id);
        c.check(*table.GetRow(c.id));
    }
}

TEST_P(DBTables, IdOutOfRangeStopsTheLoadAndKeepsEarlierRows) {
    gxtest::LogCapture log;
    Write("db_avgchar.txt", u"1\tone\n80\tbad\n2\ttwo\n");
    DBAvgChar table;
    EXPECT_FALSE(table.Load(u"data/db_avgchar.txt"));
    EXPECT_EQ(table.GetRow(1)->CharName, u"one");
    EXPECT_EQ(table.GetRow(2)->CharName, u"");
    EXPECT_EQ(table.GetMaxID(), 1);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], u"DBAvgChar/ID out of range(80)\n");

    Write("db_effect.txt", u"-1\tx\n");
    DBEffect effect;
    EXPECT_FALSE(effect.Load(u"data/db_effect.txt"));
    EXPECT_EQ(log.lines.back(), u"DBEffect/ID out of range(-1)\n");
}

TEST_P(DBTables, EveryTableReadsItsColumns) {
    std::u16string cg = u"3\t2\tthumb";
    for (int i = 0; i < 32; ++i)
        cg += u"\tcg" + gx::ToU16(i);
    cg += u"\t5\n";
    Write("db_cgmode.txt", cg);
    Write("db_bgmmode.txt", u"1\t曲\tbgm01\t4000000000\t2\n2\tOther\tbgm02\n");
    Write("db_uilayout.txt",
          u"9\tparent\t1\tmod\ttask\t2\t1\t1\t0\t1.5\tabc\t-2."
          u"25\t3\ttext\tlabel\t4\t5\t6\t7\tdesc\n");
    Write("db_rpmode.txt", u"1\t2\tt\tlabel\thelp\n");
    Write("db_uimodule.txt", u"4\t1\tButton\tset\timage\t10\t20\t1\t2\t3\t4\t5\t6\t7\n");
    Write("db_effect.txt", u"3\tfx.gnc\tgroup\tmotion\tFlash\tnote\n");

    GxDatabase db;
    gx::LoadDatabaseTables(db);
    const DBCGModeRow* cg_row = db.cgMode.GetRow(3);
    EXPECT_EQ(cg_row->Thumbnail, u"thumb");
    EXPECT_EQ(cg_row->FileName[0], u"cg0");
    EXPECT_EQ(cg_row->FileName[31], u"cg31");
    EXPECT_EQ(cg_row->Count, 5);
    EXPECT_EQ(static_cast<std::u16string*>(db.cgMode.GetColumnPtr(3, "FileName"))[31], u"cg31");

    EXPECT_EQ(db.bgmMode.GetRow(1)->LoopPosTime, 4000000000u);
    EXPECT_EQ(db.bgmMode.FindIDByName(u"曲"), 1);
    EXPECT_EQ(db.bgmMode.FindIDByName(u"Other"), 2);
    EXPECT_EQ(db.bgmMode.FindIDByName(u"missing"), 0);
    EXPECT_EQ(db.bgmMode.FindIDByName(u""), 0);

    const DBUILayoutRow* layout = db.uiLayout.GetRow(9);
    EXPECT_EQ(layout->Left, 1.5f);
    EXPECT_EQ(layout->Top, 0.0f);
    EXPECT_EQ(layout->OrderZ, -2.25f);
    EXPECT_EQ(layout->AutoHelpTime, 7);
    EXPECT_EQ(layout->Descript, u"desc");
    EXPECT_EQ(db.rpMode.GetRow(1)->Help, u"help");
    EXPECT_EQ(db.uiModule.GetRow(4)->AnimeSpeed, 7);
    EXPECT_EQ(db.effect.FindIDByName(u"Flash"), 3);
    EXPECT_EQ(db.avgChar.GetMaxID(), 0);  // no file: empty table
}

INSTANTIATE_TEST_SUITE_P(Encodings, DBTables,
                         ::testing::Values(Encoding::Utf8, Encoding::Utf16Le, Encoding::Cp932),
                         [](const auto& param_info) {
                             switch (param_info.param) {
                                 case Encoding::Utf8:
                                     return "Utf8";
                                 case Encoding::Utf16Le:
                                     return "Utf16Le";
                                 default:
                                     return "Cp932";
                             }
                         });

TEST(DBTableModel, ColumnsByName) {
    DBAvgChar chars;
    EXPECT_EQ(chars.GetColumnIndex("Comment"), 7);
    EXPECT_EQ(chars.GetColumnType("Comment"), 25);
    EXPECT_EQ(chars.GetColumnIndex("comment"), -1);  // names are case-sensitive
    EXPECT_EQ(chars.GetColumnType("Missing"), 0);
    EXPECT_EQ(chars.GetColumnPtr(0, "Missing"), nullptr);
    EXPECT_EQ(chars.GetColumnPtr(80, "ID"), nullptr);
    EXPECT_EQ(chars.GetRow(80), nullptr);
    EXPECT_EQ(chars.GetRow(-1), nullptr);
    EXPECT_EQ(chars.GetColumnPtr(2, "Comment"), &chars.GetRow(2)->Comment);

    const DBCGMode cg;
    const DBUILayout layout;
    const DBBGMMode bgm;
    EXPECT_EQ(cg.GetColumnExtra("FileName"), 31);
    EXPECT_EQ(cg.GetColumnType("FileName"), 25);
    EXPECT_EQ(layout.GetColumnType("Left"), 9);
    EXPECT_EQ(bgm.GetColumnType("LoopPosTime"), 6);
    EXPECT_EQ(layout.GetColumnExtra("Left"), 0);

    const DBRPMode replay;
    const DBUIModule modules;
    const DBEffect effects;
    const GxDBBase* tables[] = {&chars, &bgm, &cg, &replay, &modules, &layout, &effects};
    const int columns[] = {8, 5, 5, 5, 14, 20, 6};
    const int capacities[] = {80, 60, 200, 200, 256, 512, 80};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(tables[i]->GetColumnCount(), columns[i]) << i;
        EXPECT_EQ(tables[i]->GetCapacity(), capacities[i]) << i;
    }
}

TEST(DBTableLoad, UnreadableAndBigEndianFilesLeaveTheTableUnchanged) {
    gxtest::TempDir game;
    gxtest::ScopedCurrentDir inGame{game.Path()};
    gxtest::LogCapture log;
    DBAvgChar table;
    game.Write("data/db_avgchar.txt", "1\tkept\n");
    ASSERT_TRUE(table.Load(u"data/db_avgchar.txt"));
    game.Write("data/db_avgchar.txt", std::string("\xFE\xFF\0"
                                                  "2\0\t\0x\0\n",
                                                  10));
    EXPECT_FALSE(table.Load(u"data/db_avgchar.txt"));
    EXPECT_FALSE(table.Load(u"data/missing.txt"));
    EXPECT_EQ(table.GetRow(1)->CharName, u"kept");
    EXPECT_EQ(table.GetMaxID(), 1);
}

TEST(DBTableLoad, UILookUpsReportMissingNames) {
    gxtest::TempDir game;
    gxtest::ScopedCurrentDir inGame{game.Path()};
    game.Write("data/db_uimodule.txt", "0\t1\t\n3\t1\tButton\n");
    game.Write("data/db_uilayout.txt", "2\tp\t0\tButton\tOk\n");
    GxDatabase& db = gx::GetDatabase();
    ASSERT_TRUE(db.uiModule.Load(u"data/db_uimodule.txt"));
    ASSERT_TRUE(db.uiLayout.Load(u"data/db_uilayout.txt"));
    EXPECT_EQ(gx::FindUIModule(u"Button"), db.uiModule.GetRow(3));
    EXPECT_EQ(gx::FindUILayout(u"Ok"), db.uiLayout.GetRow(2));
    gxtest::LogCapture log;
    EXPECT_EQ(gx::FindUIModule(u""), nullptr);
    EXPECT_EQ(gx::FindUILayout(u"Cancel"), nullptr);
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], u"UIモジュールデータ[]が見つかりません\n");
    EXPECT_EQ(log.lines[1], u"UIレイアウトデータ[Cancel]が見つかりません\n");
}

}  // namespace
