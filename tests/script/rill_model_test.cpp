#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "fake_content.h"
#include "script/gx_rill.h"

namespace {

// Lines with the given token counts (0 for an empty line); each token an Int of its index.
void Shape(GxRillScript& script, std::initializer_list<int> counts) {
    script.m_Lines.clear();
    for (int count : counts) {
        GxRillScriptStep& step = script.m_Lines.emplace_back();
        for (int i = 0; i < count; ++i)
            step.m_Tokens.emplace_back(RILLTOKEN_INT, i);
    }
}

TEST(RillScript, CheckPosAndGetToken) {
    GxRillScript script;
    Shape(script, {2, 0, 1});
    EXPECT_EQ(script.CheckPos(0, 1), 1);
    EXPECT_EQ(script.CheckPos(0, 2), -1);
    EXPECT_EQ(script.CheckPos(1, 0), -1);
    EXPECT_EQ(script.CheckPos(3, 0), -2);
    EXPECT_EQ(script.CheckPos(-1, 0), 0);
    EXPECT_EQ(script.CheckPos(0, -1), 0);
    for (GxRillRunPos off : {GxRillRunPos(-1, 0), GxRillRunPos(0, 2), GxRillRunPos(3, 0)}) {
        EXPECT_EQ(&script.GetToken(off), &GetRillScriptEndToken());
        EXPECT_EQ(script.GetToken(off).m_Type, RILLTOKEN_SCRIPT_END);
    }
}

TEST(RillScript, Navigation) {
    GxRillScript script;
    Shape(script, {1, 1, 1, 2, 0, 0, 1});
    GxRillRunPos pos(3, 1);
    EXPECT_TRUE(script.NextToken(pos));  // over the empty lines 4 and 5
    EXPECT_EQ(pos, GxRillRunPos(6, 0));
    EXPECT_FALSE(script.NextToken(pos));
    EXPECT_EQ(pos, GxRillRunPos(7, 0));

    pos = GxRillRunPos(3, 1);
    EXPECT_FALSE(script.NextTokenInLine(pos));
    EXPECT_EQ(pos, GxRillRunPos(3, 2));
    EXPECT_EQ(script.GetToken(pos).m_Type, RILLTOKEN_SCRIPT_END);
    EXPECT_FALSE(script.NextTokenInLine(pos));
    EXPECT_EQ(pos, GxRillRunPos(3, 2));

    pos = GxRillRunPos(3, 1);
    EXPECT_TRUE(script.PrevTokenInLine(pos));
    EXPECT_EQ(pos.m_Pos, 0);
    EXPECT_FALSE(script.PrevTokenInLine(pos));
    EXPECT_FALSE(script.PrevTokenInLine(pos));
    EXPECT_EQ(pos.m_Pos, -1);

    pos = GxRillRunPos(2, 0);
    script.NextLine(pos);
    EXPECT_EQ(pos, GxRillRunPos(3, 0));
    pos = GxRillRunPos(7, 0);
    script.NextLine(pos);
    EXPECT_EQ(pos, GxRillRunPos(7, 0));
}

TEST(RillScript, SeekBlockStartTestsTheTokenItStandsOn) {
    GxRillScript script;
    Shape(script, {3, 0, 1});
    script.m_Lines[0].m_Tokens[2].m_Type = RILLTOKEN_BLOCK_BEGIN;
    script.m_Lines[2].m_Tokens[0].m_Type = RILLTOKEN_BLOCK_BEGIN;
    GxRillRunPos pos(0, 2);  // an IF's worker stands on its own '{'
    EXPECT_TRUE(script.SeekBlockStart(pos));
    EXPECT_EQ(pos, GxRillRunPos(0, 2));
    pos = GxRillRunPos(0, 3);  // past the end of line 0: the next '{' is on line 2
    EXPECT_TRUE(script.SeekBlockStart(pos));
    EXPECT_EQ(pos, GxRillRunPos(2, 0));
    script.NextToken(pos);
    EXPECT_FALSE(script.SeekBlockStart(pos));
    EXPECT_EQ(pos, GxRillRunPos(3, 0));
}

TEST(RillToken, DescribeToken) {
    EXPECT_EQ(DescribeToken(GxRillToken(RILLTOKEN_INT, 42)), u"整数値[42]");
    EXPECT_EQ(DescribeToken(GxRillToken(RILLTOKEN_VAR, std::u16string(u"x"))), u"変数名 String:x");
    EXPECT_EQ(DescribeToken(GxRillToken(RILLTOKEN_FLOAT, std::bit_cast<GxS64>(1.5))),
              u"小数値[1.500000]");
    EXPECT_EQ(DescribeToken(GxRillToken(RILLTOKEN_LOCAL)), u"**不明トークン**");
    EXPECT_EQ(DescribeToken(GxRillToken(200)), u"**不明トークン**");
    EXPECT_EQ(DescribeToken(GxRillToken(RILLTOKEN_WHILE)), u"WHILE");
    EXPECT_EQ(GetRillTokenTypeText(RILLTOKEN_POSTINC), u"単項++");
    GxRillToken copy(RILLTOKEN_IF);
    copy.Position(1) = GxRillRunPos(4, 2);
    GxRillToken deep = copy;
    copy.Position(1).m_Line = 9;
    EXPECT_EQ(deep.GetPosition(1), GxRillRunPos(4, 2));
    EXPECT_EQ(deep.GetPosition(0), GxRillRunPos(0, -1));
}

GxRillLabelDefinition Label(std::u16string name, std::u16string script, int line) {
    GxRillLabelDefinition label;
    label.m_Name = std::move(name);
    label.m_Pos = GxRillScriptPos(line, 0, std::move(script));
    return label;
}

// Two scripts with a global and a local label, definitions and tokens of every part.
void BuildEngine(GxRill& engine) {
    auto main = std::make_unique<GxRillScript>();
    main->m_ScriptName = u"main.txt";
    main->AddLabel(Label(u"@loop", u"main.txt", 1));
    GxRillVariableDefinition staticVar;
    staticVar.m_Name = u"tries";
    staticVar.m_ArraySize = 3;
    staticVar.m_Scope = 4;
    staticVar.m_Value = GxRillVariable::MakeArray(2);
    staticVar.m_Value.GetArray()[1] = GxRillVariable::MakeStr(u"x");
    staticVar.m_ScriptName = u"main.txt";
    main->m_VariableDefine.push_back(staticVar);
    main->m_Lines.resize(3);
    main->m_Lines[0].m_Tokens.emplace_back(RILLTOKEN_LABEL, std::u16string(u"MAIN"));
    GxRillToken ifToken(RILLTOKEN_IF);
    ifToken.Position(1) = GxRillRunPos(2, 2);
    main->m_Lines[2].m_Tokens.push_back(ifToken);
    main->m_Lines[2].m_Tokens.emplace_back(RILLTOKEN_INT, 0);
    main->m_Lines[2].m_Tokens.emplace_back(RILLTOKEN_INT, -5);
    engine.AddScript(std::move(main));
    auto other = std::make_unique<GxRillScript>();
    other->m_ScriptName = u"ch1/a.txt";
    other->AddLabel(Label(u"@loop", u"ch1/a.txt", 0));
    engine.AddScript(std::move(other));
    engine.AddLabel(Label(u"MAIN", u"main.txt", 0));
    GxRillVariableDefinition global;
    global.m_Name = u"met";
    global.m_Scope = 6;
    global.m_Value = GxRillVariable::MakeFloat(0.25);
    engine.AddVariableDefinition(global);
    engine.AddBuiltinDefinition(GxRillBuiltinDefinition(u"strlen", 11));
}

TEST(RillEngine, LabelLookups) {
    GxRill engine;
    BuildEngine(engine);
    const GxRillScript* main = engine.FindScript(u"main.txt");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(engine.FindLabel(u"@loop", nullptr), nullptr);
    ASSERT_NE(engine.FindLabel(u"@loop", main), nullptr);
    EXPECT_EQ(engine.FindLabel(u"@loop", main)->m_Pos.m_ScriptName, u"main.txt");
    EXPECT_EQ(engine.FindLabel(u"@loop", engine.FindScript(u"ch1/a.txt"))->m_Pos.m_Line, 0);
    EXPECT_NE(engine.FindLabel(u"MAIN", main), nullptr);
    EXPECT_EQ(engine.FindLabel(u"loop", main), nullptr);  // without '@' only global labels
    EXPECT_EQ(engine.FindLabel(u"", main), nullptr);
    EXPECT_TRUE(engine.LabelExists(u"@loop", u"ch1/a.txt"));
    EXPECT_FALSE(engine.LabelExists(u"@loop", u"CH1/A.txt"));
    EXPECT_FALSE(engine.AddLabel(Label(u"MAIN", u"other.txt", 9)));
    EXPECT_EQ(engine.FindGlobalLabel(u"MAIN")->m_Pos.m_ScriptName, u"main.txt");
    EXPECT_FALSE(engine.AddBuiltinDefinition(GxRillBuiltinDefinition(u"strlen", 12)));
    EXPECT_EQ(engine.FindBuiltinDefinition(u"strlen")->m_BuiltinIndex, 11);
}

TEST(RillEngine, WriteReadRoundTrip) {
    GxRill engine;
    BuildEngine(engine);
    gxtest::FakeContentWriter writer;
    ASSERT_TRUE(engine.Write(writer));
    // The zero m_Int of the second Int token is left out: its flags have bit 0 clear.
    int intValues = 0;
    for (const auto& entry : writer.entries)
        intValues += entry.name == "m_Int";
    EXPECT_EQ(intValues, 1);

    GxRill copy;
    gxtest::FakeContentReader reader(writer.entries);
    ASSERT_TRUE(copy.Read(reader));
    gxtest::FakeContentWriter again;
    copy.Write(again);
    ASSERT_EQ(again.entries.size(), writer.entries.size());
    for (size_t i = 0; i < writer.entries.size(); ++i) {
        EXPECT_EQ(again.entries[i].name, writer.entries[i].name);
        EXPECT_EQ(again.entries[i].value, writer.entries[i].value) << writer.entries[i].name;
    }
    const GxRillScript* main = copy.FindScript(u"main.txt");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->m_Lines[2].m_Tokens[0].GetPosition(1), GxRillRunPos(2, 2));
    EXPECT_EQ(main->m_Lines[2].m_Tokens[1].m_Int, 0);
    EXPECT_EQ(main->m_Lines[2].m_Tokens[2].m_Int, -5);
    EXPECT_FALSE(main->m_Lines[2].m_Tokens[1].HasPositions());
    EXPECT_EQ(main->m_VariableDefine.at(0).m_Value.GetArray().at(1).GetStr(), u"x");
    EXPECT_EQ(copy.FindVariableDefinition(u"met")->m_Value.GetRawFloat(), 0.25);
}

TEST(RillEngine, FirstScriptOfANameWins) {
    GxRill engine;
    BuildEngine(engine);
    gxtest::FakeContentWriter writer;
    engine.Write(writer);
    // Duplicate the "m_pScriptDefine" list's first element: count 2 -> 3.
    std::vector<gxtest::FakeEntry> entries;
    size_t listAt = 0;
    for (size_t i = 0; i < writer.entries.size(); ++i) {
        if (writer.entries[i].listBegin && writer.entries[i].name == "m_pScriptDefine")
            listAt = i;
    }
    ASSERT_GT(listAt, 0u);
    // The scripts are written in name order: ch1/a.txt first; it ends where main.txt begins.
    size_t secondAt = 0;
    for (size_t i = listAt + 1; i < writer.entries.size(); ++i) {
        if (writer.entries[i].name == "m_ScriptName" &&
            std::get<std::u16string>(writer.entries[i].value) == u"main.txt") {
            secondAt = i;
            break;
        }
    }
    entries.assign(writer.entries.begin(), writer.entries.begin() + listAt);
    entries.push_back({"m_pScriptDefine", GxU32(3), true, false});
    entries.insert(entries.end(), writer.entries.begin() + listAt + 1, writer.entries.end() - 1);
    // a second "ch1/a.txt" that has a different local label
    std::vector<gxtest::FakeEntry> duplicate(writer.entries.begin() + listAt + 1,
                                             writer.entries.begin() + secondAt);
    for (auto& entry : duplicate) {
        if (entry.name == "m_Line")
            entry.value = GxS32(77);
    }
    entries.insert(entries.end(), duplicate.begin(), duplicate.end());
    entries.push_back(writer.entries.back());
    GxRill copy;
    gxtest::FakeContentReader reader(entries);
    ASSERT_TRUE(copy.Read(reader));
    EXPECT_EQ(copy.GetScripts().size(), 2u);
    EXPECT_EQ(copy.FindLabel(u"@loop", copy.FindScript(u"ch1/a.txt"))->m_Pos.m_Line, 0);
}

TEST(RillEngine, DamagedFileLeavesNothingBehind) {
    GxRill engine;
    BuildEngine(engine);
    gxtest::FakeContentWriter writer;
    engine.Write(writer);
    for (size_t cut :
         {size_t(0), size_t(3), writer.entries.size() / 2, writer.entries.size() - 1}) {
        GxRill copy;
        BuildEngine(copy);  // old tables must not survive a failed read either
        std::vector<gxtest::FakeEntry> truncated(writer.entries.begin(),
                                                 writer.entries.begin() + cut);
        gxtest::FakeContentReader reader(truncated);
        EXPECT_FALSE(copy.Read(reader)) << cut;
        EXPECT_TRUE(copy.GetLabels().empty());
        EXPECT_TRUE(copy.GetVariableDefinitions().empty());
        EXPECT_TRUE(copy.GetBuiltinDefinitions().empty());
        EXPECT_TRUE(copy.GetScripts().empty());
    }
    // A count far beyond the data is not trusted for memory: reading stops at the end.
    std::vector<gxtest::FakeEntry> huge = writer.entries;
    huge[0].value = GxU32(0xFFFFFFFF);
    GxRill copy;
    gxtest::FakeContentReader reader(huge);
    EXPECT_FALSE(copy.Read(reader));
    EXPECT_TRUE(copy.GetScripts().empty());
}

TEST(RillVariable, PersistedForm) {
    GxRillVariable nested = GxRillVariable::MakeArray(0);
    nested.GetArray().push_back(GxRillVariable::MakeInt(-3));
    nested.GetArray().push_back(GxRillVariable::MakeFloat(2.5));
    nested.GetArray().push_back(GxRillVariable::MakeStr(u"あ"));
    nested.GetArray().push_back(GxRillVariable());
    nested.GetArray().push_back(GxRillVariable::MakeOpcode(RILLTOKEN_IF));
    gxtest::FakeContentWriter writer;
    nested.Write(writer);
    GxRillVariable back;
    gxtest::FakeContentReader reader(writer.entries);
    ASSERT_TRUE(back.Read(reader));
    ASSERT_EQ(back.GetArray().size(), 5u);
    EXPECT_EQ(back.GetArray()[0].GetRawInt(), -3);
    EXPECT_EQ(back.GetArray()[1].GetRawFloat(), 2.5);
    EXPECT_EQ(back.GetArray()[2].GetStr(), u"あ");
    EXPECT_TRUE(back.GetArray()[3].IsNull());
    EXPECT_EQ(back.GetArray()[4].GetType(), GxRillVariable::TYPE_OPCODE);

    // Arrays nested past the limit are refused rather than recursed into.
    std::vector<gxtest::FakeEntry> deep;
    for (int i = 0; i < 10000; ++i) {
        deep.push_back({"m_ValueType", GxU32(GxRillVariable::TYPE_ARRAY)});
        deep.push_back({"m_ArraySize", GxS32(1)});
    }
    gxtest::FakeContentReader deepReader(deep);
    EXPECT_FALSE(back.Read(deepReader));
    EXPECT_TRUE(back.IsNull());
}

TEST(RillVariable, Conversions) {
    using V = GxRillVariable;
    EXPECT_EQ(V::MakeFloat(-2.9).GetInt64(), -2);
    EXPECT_EQ(V::MakeFloat(std::nan("")).GetInt64(), 0);
    EXPECT_EQ(V::MakeFloat(1e300).GetInt64(), INT64_MAX);
    EXPECT_EQ(V::MakeFloat(-1e300).GetInt64(), INT64_MIN);
    EXPECT_EQ(V::MakeFloat(1e10).GetInt32(), INT32_MAX);
    EXPECT_EQ(V::MakeInt(0x100000005).GetInt32(), 5);
    EXPECT_EQ(V::MakeStr(u"99999999999").GetInt32(), INT32_MAX);
    EXPECT_EQ(V::MakeStr(u"  -12.7x").GetInt64(), -12);
    EXPECT_EQ(V::MakeStr(u"abc").GetInt64(), 0);
    EXPECT_EQ(V::MakeStr(u" 2.5e1z").GetDouble(), 25.0);
    EXPECT_EQ(V::MakeStr(u"x").GetDouble(), 0.0);
    EXPECT_EQ(V::MakeFloat(1.5).GetString(), u"1.500000");
    EXPECT_EQ(V().GetString(), u"");
    EXPECT_EQ(V::MakeOpcode(3).GetString(), u"");
    EXPECT_FALSE(V::MakeFloat(0.5).IsTrue());
    EXPECT_FALSE(V::MakeStr(u"abc").IsTrue());
    EXPECT_TRUE(V::MakeStr(u"1").IsTrue());
    EXPECT_FALSE(V::MakeArray(0).IsTrue());
    EXPECT_EQ(GetRillVariableTypeName(V::TYPE_REFVAR), u"RefVar");
    EXPECT_EQ(GetRillVariableTypeName(3), u"Unknown");
    V array = V::MakeInt(1);
    EXPECT_FALSE(array.SetElement(-1, V()));
    EXPECT_FALSE(array.SetElement(V::kMaxArraySize, V()));
    EXPECT_EQ(array.GetType(), V::TYPE_INT);
    EXPECT_TRUE(array.SetElement(2, array));  // storing a value into itself
    ASSERT_EQ(array.GetArray().size(), 3u);
    EXPECT_EQ(array.GetArray()[2].GetRawInt(), 1);
}

}  // namespace
