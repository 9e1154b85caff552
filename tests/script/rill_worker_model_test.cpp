// The worker on scripts built token by token: the statement step's edge cases,
// the execution stack, text lines through the scenario seam, and saved states.
#include <gtest/gtest.h>

#include "fake_content.h"
#include "rill_run_fixture.h"
#include "script/gx_rill_builtin_ex.h"
#include "script/gx_rill_worker_ex.h"

namespace {

using T = GxRillToken;

class RecordingEngine : public GxRill {
public:
    std::vector<std::u16string> errors, warnings, prints;

protected:
    void PrintText(std::u16string_view text) override { prints.emplace_back(text); }
    void WarningText(std::u16string_view, GxS32, std::u16string_view text) override {
        warnings.emplace_back(text);
    }
    void ErrorText(std::u16string_view, GxS32 line, std::u16string_view text) override {
        errors.push_back(gx::ToU16(line + 1) + u":" + std::u16string(text));
    }
};

T Str(GxU16 type, std::u16string text) {
    return T(type, std::move(text));
}

// An engine with one script "main.txt" of the given lines, a global label MAIN
// at line 0, and the built-ins print (6) and sp.lcg (1003).
struct Model {
    RecordingEngine engine;
    GxRillScript* script = nullptr;

    explicit Model(std::vector<std::vector<T>> lines) {
        auto owned = std::make_unique<GxRillScript>();
        owned->m_ScriptName = u"main.txt";
        for (auto& line : lines) {
            GxRillScriptStep step;
            step.m_Tokens = std::move(line);
            owned->m_Lines.push_back(std::move(step));
        }
        script = owned.get();
        engine.AddScript(std::move(owned));
        GxRillLabelDefinition main;
        main.m_Name = u"MAIN";
        main.m_Pos = GxRillScriptPos(0, 0, u"main.txt");
        engine.AddLabel(main);
        engine.AddBuiltinDefinition(GxRillBuiltinDefinition(u"print", 6));
        engine.AddBuiltinDefinition(GxRillBuiltinDefinition(u"sp.lcg", 1003));
    }
};

// $x = value
std::vector<T> Assign(std::u16string name, GxS64 value) {
    return {Str(RILLTOKEN_VAR, std::move(name)), T(RILLTOKEN_ASSIGN), T(RILLTOKEN_INT, value)};
}

class CountingBuiltins : public GxRillBuiltinEx {
public:
    std::vector<std::u16string> commands;

protected:
    bool CallCommand(std::u16string_view name, GxS32, GxRillVariable&, GxRillEvalWorker*,
                     GxRillEvalFrame*, GxRillVariable&) override {
        commands.emplace_back(name);
        return true;
    }
};

}  // namespace

TEST(RillWorkerModel, StepMovesOffNonTokenPositionsAndInnerScriptEnds) {
    Model model({{Str(RILLTOKEN_LABEL, u"MAIN")},
                 {T(RILLTOKEN_SCRIPT_END), T(RILLTOKEN_COMMAND)},
                 Assign(u"x", 1),
                 {T(RILLTOKEN_SCRIPT_END)},
                 Assign(u"y", 2)});
    GxRillWorker worker(&model.engine);
    worker.Initialize();
    ASSERT_TRUE(worker.ClearAndJump(u"MAIN"));
    worker.GetTopElement()->m_Pos.m_Line = -3;  // off the script
    worker.GetTopElement()->m_Pos.m_Pos = -7;
    GxRillBuiltinDefault builtins;
    EXPECT_TRUE(worker.Step(&builtins));
    EXPECT_EQ(worker.GetTopElement()->m_LocalTable.Find(u"x")->m_Value.GetInt64(), 1);
    EXPECT_TRUE(worker.Step(&builtins));
    EXPECT_EQ(worker.GetTopElement()->m_LocalTable.Find(u"y")->m_Value.GetInt64(), 2);
    EXPECT_EQ(worker.GetDisplayLine(), 4);  // the last non-empty line before its own
    EXPECT_FALSE(worker.Step(&builtins));   // the end of the script stops the worker
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_TRUE(model.engine.errors.empty());
}

TEST(RillWorkerModel, StatementLevelErrorsHalt) {
    struct Case {
        std::vector<T> line;
        std::u16string error;
        bool stepResult;
    };
    T elseToken(RILLTOKEN_ELSE);
    elseToken.Position(1) = GxRillRunPos(-1, 0);
    T loneBlockEnd(RILLTOKEN_BLOCK_END, 0);
    std::vector<Case> cases;
    cases.push_back({{T(RILLTOKEN_WHILE)}, u"2:未実装の制御構造です[WHILE]", true});
    cases.push_back({{elseToken}, u"2:不正なELSE文です", true});
    cases.push_back({{loneBlockEnd}, u"2:未実装のブロック終端です[}]", true});
    std::vector<T> twoStatements = Assign(u"a", 1);
    twoStatements.push_back(T(RILLTOKEN_SEMICOLON));
    twoStatements.push_back(Str(RILLTOKEN_VAR, u"b"));
    cases.push_back({twoStatements, u"2:処理できないトークンです[;]", false});
    cases.push_back({{T(RILLTOKEN_BLOCK_BEGIN)}, u"2:処理できないトークンです[{]", false});
    for (Case& c : cases) {
        Model model({{Str(RILLTOKEN_LABEL, u"MAIN")}, c.line, Assign(u"after", 1)});
        GxRillWorker worker(&model.engine);
        worker.Initialize();
        worker.ClearAndJump(u"MAIN");
        GxRillBuiltinDefault builtins;
        const bool first = worker.Step(&builtins);
        if (c.line.size() > 3) {  // the statement before the ';' runs first
            EXPECT_TRUE(first);
            EXPECT_FALSE(worker.Step(&builtins));
        } else {
            EXPECT_EQ(first, c.stepResult);
        }
        ASSERT_EQ(model.engine.errors.size(), 1u);
        EXPECT_EQ(model.engine.errors[0], c.error);
        EXPECT_TRUE(model.engine.GetErrorStop());
        EXPECT_FALSE(worker.Step(&builtins));  // halted for good, still "running"
        EXPECT_TRUE(worker.IsRunning());
        EXPECT_EQ(model.engine.errors.size(), 1u);
        EXPECT_EQ(worker.GetTopElement()->m_LocalTable.Find(u"after"), nullptr);
    }
}

TEST(RillWorkerModel, LayerShorthand) {
    // alice("smile") calls sp.lcg with the layer first; alice without "(" halts once.
    Model model(
        {{Str(RILLTOKEN_LABEL, u"MAIN")},
         {Str(RILLTOKEN_WORD, u"alice"), T(RILLTOKEN_PAREN_BEGIN), Str(RILLTOKEN_STRING, u"smile"),
          T(RILLTOKEN_PAREN_END)},
         {Str(RILLTOKEN_WORD, u"Bob.Nope"), T(RILLTOKEN_PAREN_BEGIN), T(RILLTOKEN_PAREN_END)},
         {Str(RILLTOKEN_WORD, u"alice")}});
    GxRillWorkerEx worker(&model.engine, nullptr);
    worker.Initialize();
    worker.ClearAndJump(u"MAIN");
    CountingBuiltins builtins;
    EXPECT_TRUE(worker.Step(&builtins));
    EXPECT_EQ(builtins.commands, std::vector<std::u16string>{u"sp.lcg"});
    EXPECT_FALSE(worker.Step(&builtins));
    EXPECT_EQ(model.engine.errors.back(), u"3:レイヤー操作に使用できない命令です[sp.nope]");

    std::u16string layer;
    EXPECT_EQ(GetRillLayerCommandName(u"ali.ce.Color", layer), u"sp.color");
    EXPECT_EQ(layer, u"ali");
    EXPECT_EQ(GetRillLayerCommandName(u"a.b/c", layer), u"sp.lcg");

    model.engine.SetErrorStop(false);
    worker.GetTopElement()->m_Pos = GxRillScriptPos(3, 0, u"main.txt");
    const size_t before = model.engine.errors.size();
    EXPECT_FALSE(worker.Step(&builtins));
    EXPECT_FALSE(worker.Step(&builtins));
    EXPECT_EQ(model.engine.errors.size(), before + 1);  // reported once, then halted
    EXPECT_TRUE(model.engine.GetErrorStop());

    // The base worker skips unknown words with a warning.
    Model plain(
        {{Str(RILLTOKEN_LABEL, u"MAIN")}, {Str(RILLTOKEN_WORD, u"alice")}, Assign(u"x", 1)});
    GxRillWorker base(&plain.engine);
    base.Initialize();
    base.ClearAndJump(u"MAIN");
    EXPECT_TRUE(base.Step(&builtins));
    EXPECT_EQ(plain.engine.warnings,
              std::vector<std::u16string>{u"不明な単語を発見。スキップされます[alice]"});
}

namespace {
class ScenarioDouble : public GxRillScenarioHost {
public:
    GxS32 mode = 1;
    bool picture = false;
    std::vector<std::u16string> log;
    GxS32 GetNameIdentifyMode() override { return mode; }
    bool GetIgnoreKinsoku() override { return true; }
    std::u16string GetNameBrackets() override { return u"「（"; }
    bool NamePictureExists(std::u16string_view) override { return picture; }
    bool IsMessageRead(std::u16string_view script, GxS32 line) override {
        log.push_back(u"read? " + std::u16string(script) + u":" + gx::ToU16(line));
        return true;
    }
    void MarkMessageRead(std::u16string_view script, GxS32 line) override {
        log.push_back(u"mark " + std::u16string(script) + u":" + gx::ToU16(line));
    }
    void SetName(std::u16string_view name, GxS32 m) override {
        log.push_back(u"name " + std::u16string(name) + u" " + gx::ToU16(m));
    }
    void ClearName() override { log.push_back(u"no name"); }
    void ShowMessage(std::u16string_view message, bool read, bool kinsoku, bool noBreak) override {
        log.push_back(u"show " + std::u16string(message) + (read ? u" read" : u"") +
                      (kinsoku ? u" kinsoku" : u"") + (noBreak ? u" nobreak" : u""));
    }
    void AppendMessageLog(std::u16string_view name, std::u16string_view message, bool,
                          bool) override {
        log.push_back(u"log " + std::u16string(name) + u"|" + std::u16string(message));
    }
};
}  // namespace

TEST(RillWorkerModel, TextLinesSplitTheSpeakerByMode) {
    struct Case {
        GxS32 mode;
        bool picture;
        std::vector<std::u16string> log;
    };
    const std::u16string line = u"アリス「やあ」";
    const Case cases[] = {
        {1,
         false,
         {u"read? main.txt:2", u"name アリス 1", u"show 「やあ」 read kinsoku", u"mark main.txt:2",
          u"log アリス|「やあ」"}},
        {0,
         false,
         {u"read? main.txt:2", u"no name", u"show アリス「やあ」 read kinsoku", u"mark main.txt:2",
          u"log |アリス「やあ」"}},
        {2,
         false,
         {u"read? main.txt:2", u"no name", u"show アリス「やあ」 read kinsoku", u"mark main.txt:2",
          u"log |アリス「やあ」"}},
        {2,
         true,
         {u"read? main.txt:2", u"name アリス 2", u"show 「やあ」 read kinsoku", u"mark main.txt:2",
          u"log アリス|「やあ」"}},
    };
    for (const Case& c : cases) {
        Model model({{Str(RILLTOKEN_LABEL, u"MAIN")}, {Str(RILLTOKEN_TEXT, line)}});
        ScenarioDouble scenario;
        scenario.mode = c.mode;
        scenario.picture = c.picture;
        GxRillWorkerEx worker(&model.engine, &scenario);
        worker.Initialize();
        worker.ClearAndJump(u"MAIN");
        GxRillBuiltinEx builtins;
        EXPECT_TRUE(worker.Step(&builtins));
        EXPECT_EQ(scenario.log, c.log) << "mode " << c.mode;
        EXPECT_FALSE(worker.Step(&builtins));
    }
}

TEST(RillWorkerModel, StackOperations) {
    Model model({{Str(RILLTOKEN_LABEL, u"MAIN")}, {Str(RILLTOKEN_LABEL, u"@here")}});
    auto other = std::make_unique<GxRillScript>();
    other->m_ScriptName = u"other.txt";
    other->m_Lines.resize(2);
    GxRillLabelDefinition local;
    local.m_Name = u"@there";
    local.m_Pos = GxRillScriptPos(1, 0, u"other.txt");
    other->AddLabel(local);
    model.engine.AddScript(std::move(other));
    GxRillLabelDefinition here;
    here.m_Name = u"@here";
    here.m_Pos = GxRillScriptPos(1, 0, u"main.txt");
    model.script->AddLabel(here);

    GxRillWorker worker(&model.engine);
    worker.Initialize();
    ASSERT_TRUE(worker.Jump(u"MAIN"));
    ASSERT_TRUE(worker.IsRunning());
    EXPECT_FALSE(worker.Jump(u"@there"));  // local to another script
    EXPECT_TRUE(worker.Jump(u"@here"));
    EXPECT_EQ(worker.GetExecStack().size(), 1u);
    const GxRillVariable five = GxRillVariable::MakeInt(5);
    const GxRillArgument argument{u"_", five};
    EXPECT_TRUE(worker.CallInScript(u"@there", u"other.txt", &argument));
    EXPECT_EQ(worker.GetExecStack().size(), 2u);
    EXPECT_EQ(worker.GetScriptName(), u"other.txt");
    EXPECT_EQ(worker.GetTopElement()->m_LocalTable.Find(u"_")->m_Value.GetInt64(), 5);
    EXPECT_TRUE(worker.Return(&five));
    EXPECT_EQ(worker.GetScriptName(), u"main.txt");
    EXPECT_FALSE(worker.Return(nullptr));  // the last block: the stack empties
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(worker.GetLine(), -1);
    EXPECT_EQ(worker.GetDisplayLine(), -1);
    EXPECT_FALSE(worker.Return(&five));
    EXPECT_EQ(worker.GetResult().GetInt64(), 5);
}

namespace {

// Runs a program to its end, saving and restoring the worker into a fresh one
// after `saveAfter` steps.
std::string RunWithSave(int saveAfter) {
    gxtest::RillProgram program(
        u"GLOBAL INGAME $g = 0\n"
        u"*MAIN\n"
        u"LOCAL $n = 1\n"
        u"#call(\"SUB\", 10)\n"
        u"#print(\"back \" : $n : \" \" : result() : \" \" : $g)\n"
        u"#stop()\n"
        u"*SUB\n"
        u"LOCAL $m = $_ + 1\n"
        u"$g = $m\n"
        u"sub line\n"
        u"#return($m * 2)\n");
    EXPECT_EQ(program.compileErrors, "");
    program.engine.InitializeExtern();
    RillRunScenario scenario(program.out);
    RillRunBuiltins builtins(program.out, false);
    auto worker = std::make_unique<GxRillWorkerEx>(&program.engine, &scenario);
    worker->Initialize();
    worker->ClearAndJump(u"MAIN");
    for (int i = 0; i < saveAfter && worker->Step(&builtins); ++i) {
    }
    gxtest::FakeContentWriter writer;
    EXPECT_TRUE(worker->WriteVariables(writer, RILLCLASS_INGAME));
    EXPECT_TRUE(worker->WriteState(writer));
    auto restored = std::make_unique<GxRillWorkerEx>(&program.engine, &scenario);
    restored->Initialize();
    gxtest::FakeContentReader reader(writer.entries);
    EXPECT_TRUE(restored->ResetAndReadVariables(reader, RILLCLASS_INGAME));
    EXPECT_TRUE(restored->ReadState(reader));
    worker.reset();
    while (restored->Step(&builtins)) {
    }
    EXPECT_FALSE(program.engine.GetErrorStop()) << program.Err();
    return program.Out();
}

}  // namespace

TEST(RillWorkerModel, SavedStateResumesAtTheSameStatement) {
    const std::string expected = "sub line\nback 1 22 11\n";
    for (int steps = 0; steps <= 6; ++steps)
        EXPECT_EQ(RunWithSave(steps), expected) << "saved after " << steps << " steps";
}

TEST(RillWorkerModel, DamagedStatesAreRefused) {
    Model model({{Str(RILLTOKEN_LABEL, u"MAIN")}, Assign(u"x", 1)});
    GxRillWorker worker(&model.engine);
    worker.Initialize();
    worker.ClearAndJump(u"MAIN");
    GxRillBuiltinDefault builtins;
    worker.Step(&builtins);
    gxtest::FakeContentWriter writer;
    worker.WriteState(writer);
    // Each list count in turn is made absurd: the stack, an opcode list, the values.
    for (const char* list : {"m_ExecStack", "m_OpcodeList", "m_ValueStack"}) {
        auto entries = writer.entries;
        bool found = false;
        for (auto& entry : entries) {
            if (entry.listBegin && entry.name == list) {
                entry.value = GxU32(0x7FFFFFFF);
                found = true;
            }
        }
        ASSERT_TRUE(found) << list;
        GxRillWorker target(&model.engine);
        target.Initialize();
        target.ClearAndJump(u"MAIN");
        gxtest::FakeContentReader reader(entries);
        EXPECT_FALSE(target.ReadState(reader)) << list;
        EXPECT_EQ(target.GetExecStack().size(), 1u);  // the running state is kept
        EXPECT_EQ(target.GetTopElement()->m_Pos.m_Line, 0);
    }
    // A truncated stream fails the same way.
    auto truncated = writer.entries;
    truncated.resize(truncated.size() / 2);
    gxtest::FakeContentReader reader(truncated);
    GxRillWorker target(&model.engine);
    EXPECT_FALSE(target.ReadState(reader));
}
