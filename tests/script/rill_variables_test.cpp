// Variable tables by scope: creation from definitions, reset and save classes,
// their saved forms and the dumps.
#include <gtest/gtest.h>

#include "base/gx_string.h"
#include "fake_content.h"
#include "script/gx_rill_worker.h"

namespace {

GxRillVariableDefinition Definition(std::u16string name, GxS32 scope, GxRillVariable value,
                                    GxS32 arraySize = -1, std::u16string script = u"") {
    GxRillVariableDefinition definition;
    definition.m_Name = std::move(name);
    definition.m_Scope = scope;
    definition.m_Value = std::move(value);
    definition.m_ArraySize = arraySize;
    definition.m_ScriptName = std::move(script);
    return definition;
}

GxRillVariable I(GxS64 v) {
    return GxRillVariable::MakeInt(v);
}

// An engine with one variable of every GLOBAL, EXTERN and STATIC scope, each
// initially 0, named by its scope ("g5", "e8", "s2", ...).
struct ScopedModel {
    GxRill engine;
    GxRillWorker worker{&engine};

    ScopedModel() {
        auto script = std::make_unique<GxRillScript>();
        script->m_ScriptName = u"a.txt";
        for (GxS32 scope = 2; scope <= 4; ++scope)
            script->m_VariableDefine.push_back(Definition(u"s" + gx::ToU16(scope), scope, I(0)));
        engine.AddScript(std::move(script));
        for (GxS32 scope = 5; scope <= 10; ++scope) {
            engine.AddVariableDefinition(
                Definition((scope < 8 ? u"g" : u"e") + gx::ToU16(scope), scope, I(0)));
        }
        engine.InitializeExtern();
        worker.Initialize();
    }
    GxRillVariable& Value(std::u16string_view name) {
        if (GxRillVariableSet* set = worker.FindVariableSet(name))
            return set->m_Value;
        return worker.FindEntity(u"a.txt")->GetStaticTable().Find(name)->m_Value;
    }
    void SetAll(GxS64 v) {
        for (const char16_t* name :
             {u"s2", u"s3", u"s4", u"g5", u"g6", u"g7", u"e8", u"e9", u"e10"})
            Value(name) = I(v);
    }
    std::string Values() {
        std::string out;
        for (const char16_t* name :
             {u"s2", u"s3", u"s4", u"g5", u"g6", u"g7", u"e8", u"e9", u"e10"})
            out += std::to_string(Value(name).GetInt64());
        return out;
    }
};

}  // namespace

TEST(RillVariables, ScopeNamesAndClasses) {
    EXPECT_EQ(GetRillScopeName(1), u"LOCAL");
    EXPECT_EQ(GetRillScopeName(9), u"EXTERN_INGAME");
    EXPECT_EQ(GetRillScopeName(11), u"ERROR");
    std::string membership;
    for (int cls = 0; cls <= 4; ++cls) {
        for (GxS32 scope = 0; scope <= 10; ++scope)
            membership += IsRillScopeInClass(scope, cls) ? '1' : '0';
        membership += ' ';
    }
    EXPECT_EQ(membership, "11111111111 00000000000 00100100100 01010010010 00001001001 ");
}

TEST(RillVariables, DefinitionsAndTheArrayRule) {
    GxRillVariableTable table(RILLTABLE_GLOBAL);
    table.AddFromDefinition(Definition(u"a", 6, I(1), 3));
    table.AddFromDefinition(Definition(u"a", 6, I(9)));  // present: kept
    GxRillVariable list = GxRillVariable::MakeArray(1);
    table.AddFromDefinition(Definition(u"b", 7, list, 5));  // already an Array: kept as it is
    ASSERT_TRUE(table.Find(u"a")->m_Value.IsArray());
    EXPECT_EQ(table.Find(u"a")->m_Value.GetArray().size(), 3u);
    EXPECT_TRUE(table.Find(u"a")->m_Value.GetArray()[0].IsNull());
    EXPECT_EQ(table.Find(u"b")->m_Value.GetArray().size(), 1u);
    EXPECT_EQ(table.FindOrCreate(u"c").GetType(), GxRillVariable::TYPE_NULL);
    EXPECT_EQ(table.Find(u"c")->m_Scope, RILLSCOPE_GLOBAL_INGAME);
    table.AddNamed(u"d", I(4));
    EXPECT_EQ(table.Find(u"d")->m_Scope, RILLSCOPE_LOCAL);
    EXPECT_TRUE(table.CreateOrStore(u"e", 2, I(7)));
    EXPECT_EQ(table.Find(u"e")->m_Value.GetArray().size(), 3u);
    EXPECT_FALSE(table.CreateOrStore(u"e", -2, I(7)));

    GxRillVariableSet set(u"gone", 6, I(3));
    ResetRillVariableFromDefinition(set, nullptr);
    EXPECT_TRUE(set.m_Value.IsNull());
}

TEST(RillVariables, ResetClassesAndNewGame) {
    ScopedModel model;
    model.SetAll(1);
    model.worker.NewGame();
    model.engine.ResetExternInGame();
    EXPECT_EQ(model.Values(), "100100100");  // only the permanent values survive
    model.SetAll(1);
    model.worker.ResetVariables(RILLCLASS_PERMAN);
    model.engine.ResetExtern(RILLCLASS_PERMAN);
    EXPECT_EQ(model.Values(), "011011011");
}

TEST(RillVariables, SaveGameAndPermanentDataRoundTrips) {
    ScopedModel model;
    model.SetAll(1);
    gxtest::FakeContentWriter save, perman;
    model.engine.WriteExtern(save, RILLCLASS_INGAME);
    model.worker.WriteVariables(save, RILLCLASS_INGAME);
    model.engine.WriteExtern(perman, RILLCLASS_PERMAN);
    model.worker.WriteVariables(perman, RILLCLASS_PERMAN);

    model.SetAll(2);
    // Loading a save: the scenario reset, then the in-game class.
    model.worker.NewGame();
    model.engine.ResetExternInGame();
    gxtest::FakeContentReader saveReader(save.entries);
    EXPECT_TRUE(model.engine.ResetAndReadExtern(saveReader, RILLCLASS_INGAME));
    EXPECT_TRUE(model.worker.ResetAndReadVariables(saveReader, RILLCLASS_INGAME));
    EXPECT_EQ(model.Values(), "210210210");

    ScopedModel restarted;
    gxtest::FakeContentReader permanReader(perman.entries);
    EXPECT_TRUE(restarted.engine.ReadExtern(permanReader, RILLCLASS_PERMAN));
    EXPECT_TRUE(restarted.worker.ReadVariables(permanReader, RILLCLASS_PERMAN));
    EXPECT_EQ(restarted.Values(), "100100100");
}

TEST(RillVariables, StoredSetsOfOtherVersions) {
    GxRillVariableTable stored(RILLTABLE_GLOBAL);
    stored.GetSets().emplace_back(u"known", 6, I(5));
    stored.GetSets().emplace_back(u"newer", 6, I(6));
    stored.GetSets().emplace_back(u"perman", 5, I(7));
    gxtest::FakeContentWriter writer;
    stored.Write(writer, RILLCLASS_ALL);

    GxRillVariableTable table(RILLTABLE_GLOBAL);
    table.GetSets().emplace_back(u"known", 7, I(1));
    gxtest::FakeContentReader reader(writer.entries);
    ASSERT_TRUE(table.Read(reader, RILLCLASS_INGAME));
    ASSERT_EQ(table.GetSets().size(), 2u);  // the permanent set is dropped
    EXPECT_EQ(table.Find(u"known")->m_Value.GetInt64(), 5);
    EXPECT_EQ(table.Find(u"known")->m_Scope, 7);  // the value is taken, the scope kept
    EXPECT_EQ(table.Find(u"newer")->m_Value.GetInt64(), 6);

    // Scripts that no longer exist are read past; the stream stays in step.
    ScopedModel model;
    model.SetAll(3);
    gxtest::FakeContentWriter variables;
    model.worker.WriteVariables(variables, RILLCLASS_ALL);
    variables.entries.push_back({"tail", GxS32(42)});
    GxRill emptyEngine;
    GxRillWorker other(&emptyEngine);
    gxtest::FakeContentReader variablesReader(variables.entries);
    EXPECT_TRUE(other.ReadVariables(variablesReader, RILLCLASS_ALL));
    EXPECT_EQ(variablesReader.ReadS32("tail"), 42);

    auto absurd = writer.entries;
    absurd[0].value = GxS32(-1);
    gxtest::FakeContentReader absurdReader(absurd);
    EXPECT_FALSE(table.Read(absurdReader, RILLCLASS_ALL));
}

TEST(RillVariables, Dumps) {
    std::u16string out;
    GxRillVariable array = GxRillVariable::MakeArray(0);
    array.GetArray().push_back(I(1));
    array.GetArray().push_back(GxRillVariable::MakeStr(u"x"));
    DumpRillValue(out, 0, u"a", array);
    EXPECT_EQ(out, u"$a[2]=(Array)\n  $[0]=1(Int)\n  $[1]=\"x\"(Str)\n");

    out.clear();
    DumpRillValue(out, 1, u"f", GxRillVariable::MakeFloat(1.5));
    DumpRillValue(out, 0, u"", GxRillVariable::MakeOpcode(2));
    DumpRillValue(out, 0, u"n", GxRillVariable());
    EXPECT_EQ(out, u"  $f=1.500000(Float)\n=PUSH_INT(Opcode)\n$n=Null\n");

    ScopedModel model;
    model.worker.ClearAndJump(u"NOPE");
    out.clear();
    model.engine.Dump(out, 0);
    EXPECT_TRUE(out.starts_with(u"--RillInstance:\nScope:EXTERN_PERMAN\n$e8=0(Int)\n"))
        << gx::Utf16ToUtf8(out);
    out.clear();
    model.worker.Dump(out, 1);
    EXPECT_TRUE(out.starts_with(u"----Worker:MAIN_WORKER\nScope:GLOBAL_PERMAN\n  $g5=0(Int)\n"))
        << gx::Utf16ToUtf8(out);
    EXPECT_NE(out.find(u"------Script:a.txt\nScope:STATIC_PERMAN\n    $s2=0(Int)\n"),
              std::u16string::npos);
}
