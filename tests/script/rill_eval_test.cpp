#include <gtest/gtest.h>

#include "base/gx_string.h"
#include "eval_fixture.h"

namespace {

using gxtest::EvalHarness;

std::string Show(const GxRillVariable& v) {
    std::string type = gx::Utf16ToUtf8(GetRillVariableTypeName(v.GetType()));
    if (v.IsNull())
        return type;
    return type + ":" + gx::Utf16ToUtf8(v.GetString());
}

struct ExprCase {
    const char16_t* expr;
    const char* expected;
};

TEST(RillEval, ExpressionTable) {
    const ExprCase cases[] = {
        // precedence and associativity
        {u"1 + 2 * 3", "Int:7"},
        {u"10 - 4 - 3", "Int:3"},
        {u"(1 + 2) * 3", "Int:9"},
        {u"2 * 3 % 4", "Int:2"},
        {u"1 + 2 == 3", "Int:1"},
        {u"1 << 2 + 1", "Int:8"},
        {u"1 | 2 == 2", "Int:1"},   // | binds looser than ==
        {u"1 || 0 && 0", "Int:0"},  // && and || bind equally, left to right
        {u"-2 * -3", "Int:6"},
        {u"!!5", "Int:1"},
        {u"~0", "Int:-1"},
        {u"- - 4", "Int:4"},
        // division
        {u"7 / 2", "Int:3"},
        {u"-7 / 2", "Int:-3"},
        {u"-7 % 2", "Int:-1"},
        {u"7.0 / 2", "Float:3.500000"},
        {u"-7.5 % 2", "Float:-1.500000"},
        {u"1 / 0", "Null"},
        {u"1.0 / 0", "Null"},
        {u"5 % 0", "Null"},
        {u"0x7FFFFFFFFFFFFFFF + 1", "Int:-9223372036854775808"},
        {u"(-0x7FFFFFFFFFFFFFFF - 1) / -1", "Int:-9223372036854775808"},
        {u"(-0x7FFFFFFFFFFFFFFF - 1) % -1", "Int:0"},
        // concatenation and conversions
        {u"\"3\" : 4", "Str:34"},
        {u"3 : 4", "Str:34"},
        {u"1.5 : \"\"", "Str:1.500000"},
        {u"\"12\" + 1", "Int:13"},
        {u"\"1.5\" + 2", "Int:3"},
        {u"\"1.5\" + 2.0", "Float:3.500000"},
        {u"\" -12abc\" * 2", "Int:-24"},
        {u"\"99999999999999999999\" + 0", "Int:9223372036854775807"},
        {u"ARRAY(1, 2, 3) + 0", "Int:3"},
        {u"ARRAY(1, 2, 3) : \"\"", "Str:3"},
        {u"!0.5", "Int:1"},
        {u"-\"5\"", "Int:-5"},
        {u"~1.9", "Int:-2"},
        {u"-NULL", "Int:0"},
        {u"~NULL", "Int:-1"},
        {u"!NULL", "Int:1"},
        {u"+\"x\"", "Str:x"},
        // shifts
        {u"1 << 64", "Int:0"},
        {u"1 << 63", "Int:-9223372036854775808"},
        {u"-1 >> 60", "Int:15"},
        {u"1 << 257", "Int:2"},  // the count is its low 8 bits
        // equality and ordering
        {u"NULL == 0", "Int:1"},
        {u"NULL == \"\"", "Int:1"},
        {u"NULL == NULL", "Int:1"},
        {u"NULL == ARRAY()", "Int:0"},
        {u"NULL == 0.0", "Int:1"},
        {u"1 == 1.0000000000000002", "Int:1"},
        {u"1.0 == 1.0000000000000002", "Int:0"},
        {u"10 == \"10\"", "Int:1"},
        {u"ARRAY(1, 2, 3) == 3", "Int:1"},
        {u"\"abc\" != \"abd\"", "Int:1"},
        {u"\"ab\" < \"abc\"", "Int:1"},
        {u"\"b\" > \"abc\"", "Int:1"},
        {u"NULL < NULL", "Int:0"},
        {u"NULL <= NULL", "Int:1"},
        {u"NULL < 1", "Int:1"},
        {u"NULL > -0.5", "Int:1"},
        {u"NULL < \"a\"", "Int:1"},
        {u"2 < 10", "Int:1"},
        {u"\"2\" < \"10\"", "Int:0"},
        {u"2 < \"10\"", "Int:0"},  // mixed pairs compare as text
        {u"1.5 >= 1", "Int:1"},
        // logic evaluates both sides
        {u"0 && strlen(\"abc\")", "Int:0"},
        {u"2 && \"x\"", "Int:0"},
        {u"0 || \"1\"", "Int:1"},
        // calls
        {u"strlen(\"abcd\") + 1", "Int:5"},
        {u"strlen", "Int:0"},
    };
    for (const ExprCase& c : cases) {
        EvalHarness h;
        bool ok = false;
        GxRillVariable value = h.Eval(std::u16string(u"$r = ") + c.expr, 1, &ok);
        ASSERT_TRUE(ok) << gx::Utf16ToUtf8(c.expr);
        EXPECT_EQ(Show(value), c.expected) << gx::Utf16ToUtf8(c.expr);
        EXPECT_EQ(Show(h.worker.locals[u"r"]), c.expected) << gx::Utf16ToUtf8(c.expr);
    }
}

TEST(RillEval, ArgumentListsAndArrays) {
    const ExprCase cases[] = {
        {u"args(1,,3)", "Array:3"},
        {u"args(,)", "Array:2"},
        {u"args()", "Array:0"},
        {u"args(1,)", "Array:2"},
        {u"ARRAY(1, ARRAY(2, 3))", "Array:2"},
    };
    for (const ExprCase& c : cases) {
        EvalHarness h;
        bool ok = false;
        GxRillVariable value = h.Eval(c.expr, 1, &ok);
        ASSERT_TRUE(ok) << gx::Utf16ToUtf8(c.expr);
        EXPECT_EQ(Show(value), c.expected) << gx::Utf16ToUtf8(c.expr);
    }
    EvalHarness h;
    GxRillVariable args = h.Eval(u"args(1,,\"x\")");
    ASSERT_EQ(args.GetArray().size(), 3u);
    EXPECT_EQ(Show(args.GetArray()[0]), "Int:1");
    EXPECT_TRUE(args.GetArray()[1].IsNull());
    EXPECT_EQ(Show(args.GetArray()[2]), "Str:x");
}

TEST(RillEval, AssignmentsAndPostfix) {
    EvalHarness h;
    EXPECT_EQ(Show(h.Eval(u"$a = $b = 5")), "Int:5");
    EXPECT_EQ(Show(h.worker.locals[u"a"]), "Int:5");
    EXPECT_EQ(Show(h.worker.locals[u"b"]), "Int:5");

    h.worker.locals[u"i"] = GxRillVariable::MakeFloat(1.5);
    EXPECT_EQ(Show(h.Eval(u"$i++")), "Float:1.500000");
    EXPECT_EQ(Show(h.worker.locals[u"i"]), "Int:2");
    EXPECT_EQ(Show(h.Eval(u"$i--")), "Int:2");
    EXPECT_EQ(Show(h.worker.locals[u"i"]), "Int:1");

    EXPECT_EQ(Show(h.Eval(u"$s := \"x\"")), "Str:x");
    EXPECT_EQ(Show(h.Eval(u"$s := 1")), "Str:x1");
    EXPECT_EQ(Show(h.Eval(u"$n += 3")), "Int:3");
    EXPECT_EQ(Show(h.Eval(u"$n *= 4")), "Int:12");
    EXPECT_EQ(Show(h.Eval(u"$n /= 0")), "Null");
    EXPECT_EQ(Show(h.Eval(u"$m = 1 + $m = 2")), "Int:3");  // assignment takes all to its right
}

TEST(RillEval, ArrayElements) {
    EvalHarness h;
    EXPECT_EQ(Show(h.Eval(u"$arr[3] = 1")), "Int:1");
    const GxRillVariable& arr = h.worker.locals[u"arr"];
    ASSERT_TRUE(arr.IsArray());
    ASSERT_EQ(arr.GetArray().size(), 4u);
    EXPECT_TRUE(arr.GetArray()[0].IsNull());
    ASSERT_EQ(h.engine.warnings.size(), 1u);
    EXPECT_EQ(h.engine.warnings[0], u"ローカル変数 $arr を作成しました[pc=4]");

    EXPECT_EQ(Show(h.Eval(u"$arr[-1]")), "Array:4");
    EXPECT_EQ(Show(h.Eval(u"$arr[-2]")), "Null");
    EXPECT_EQ(Show(h.Eval(u"$arr[5]")), "Null");
    EXPECT_EQ(h.worker.locals[u"arr"].GetArray().size(), 6u);  // a read grows the array
    EXPECT_EQ(Show(h.Eval(u"$arr[1 + 2]")), "Int:1");          // the compiler parenthesises
    EXPECT_EQ(Show(h.Eval(u"$arr[3]++")), "Int:1");
    EXPECT_EQ(Show(h.Eval(u"$arr[3] += 10")), "Int:12");
    EXPECT_EQ(Show(h.Eval(u"$x = 5")), "Int:5");
    EXPECT_EQ(Show(h.Eval(u"$x[1] = 7")), "Int:7");  // a plain value becomes an Array
    EXPECT_EQ(h.worker.locals[u"x"].GetArray().size(), 2u);

    EvalHarness quiet;
    quiet.Eval(u"$arr[3] = 1", 0);
    EXPECT_TRUE(quiet.engine.warnings.empty());  // LOCAL declarations create silently
}

TEST(RillEval, HugeIndexIsRefusedNotAllocated) {
    EvalHarness h;
    bool ok = true;
    h.Eval(u"$a[2000000000] = 1", 1, &ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(h.engine.GetErrorStop());
    ASSERT_FALSE(h.engine.errors.empty());
    EXPECT_NE(h.engine.errors.back().find(u"$a[2000000000]"), std::u16string::npos);

    EvalHarness read;
    read.worker.locals[u"a"] = GxRillVariable::MakeArray(1);
    read.Eval(u"$r = $a[2000000000]", 1, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(read.worker.locals[u"a"].GetArray().size(), 1u);
}

TEST(RillEval, DeepNestingIsAnErrorNotACrash) {
    EvalHarness h;
    std::u16string code = u"$r = ";
    for (int i = 0; i < 100000; ++i)
        code += u"(";
    code += u"1";
    for (int i = 0; i < 100000; ++i)
        code += u")";
    bool ok = true;
    h.Eval(code, 1, &ok);
    EXPECT_FALSE(ok);
    ASSERT_FALSE(h.engine.errors.empty());
    EXPECT_EQ(h.engine.errors[0].rfind(u"Phase_Term 式の入れ子が深すぎます", 0), 0u);

    EvalHarness unary;
    unary.Eval(u"$r = " + std::u16string(100000, u'!') + u"1", 1, &ok);
    EXPECT_FALSE(ok);

    EvalHarness fine;
    EXPECT_EQ(
        Show(fine.Eval(u"$r = " + std::u16string(50, u'(') + u"1" + std::u16string(50, u')'))),
        "Int:1");
}

struct ErrorCase {
    const char16_t* code;
    const char16_t* message;
};

TEST(RillEval, ParserAndInterpreterMessages) {
    const ErrorCase cases[] = {
        {u"$a = 1 2", u"Phase_Expr 式に間違いがあります[整数値[2]]"},
        {u"$a = * 2", u"Phase_IsTermRight 右側に項が存在しないか不正な式です[=]"},
        {u"$a = 1 + +", u"Phase_IsTermRight 右側に項が存在しないか不正な式です[単項+]"},
        {u"$a = (1", u"Phase_Skip 次に来るべき記号 ) がありません[スクリプト終端]"},
        {u"$a = 1 +", u"Phase_IsTermRight 右側に項が存在しないか不正な式です[+]"},
        {u"$a = foo", u"Phase_Term 式として認識できないトークンです[不明文字列 String:foo]"},
        {u"$a = args(1 2)", u"Phase_Expr 式に間違いがあります[整数値[2]]"},
        {u"$a = ARRAY(1]", u"Phase_Skip 次に来るべき記号 ) がありません[]]"},
        {u"$arr[-2] = 1", u"OPC_ASSIGN 変数の要素 $arr[-2] に代入できません[pc=5]"},
        {u"$arr[-2] += 1", u"OPC_ASSIGN_* 変数の要素 $arr[-2] に代入できません[pc=5]"},
        {u"$arr[-2]++", u"OPC_AFTER_* 変数の要素 $arr[-2] に代入できません[pc=3]"},
        {u"$a = nosuch()", u"関数実行時にエラーが発生したので停止します[builtin:getsavedir][pc=2]"},
    };
    for (const ErrorCase& c : cases) {
        EvalHarness h;
        if (std::u16string_view(c.code).find(u"nosuch") != std::u16string_view::npos) {
            h.names.builtins.erase(u"nosuch");
            h.Load(u"$a = getsavedir()");
            bool ok = Eval_Token(&h.engine, nullptr, &h.builtins, &h.worker, GxRillRunPos(0, 0),
                                 nullptr, 1);
            EXPECT_FALSE(ok);
        } else {
            bool ok = true;
            h.Eval(c.code, 1, &ok);
            EXPECT_FALSE(ok) << gx::Utf16ToUtf8(c.code);
        }
        EXPECT_TRUE(h.engine.GetErrorStop());
        ASSERT_FALSE(h.engine.errors.empty()) << gx::Utf16ToUtf8(c.code);
        EXPECT_EQ(h.engine.errors[0], c.message) << gx::Utf16ToUtf8(c.code);
    }
}

TEST(RillEval, IndexIsOneTermForTheEngine) {
    // Built straight from tokens, as a hand-made file would hold them.
    EvalHarness h;
    auto& tokens = h.script.m_Lines.emplace_back().m_Tokens;
    h.script.m_Lines.resize(1);
    tokens = {GxRillToken(RILLTOKEN_ARRAYVAR, std::u16string(u"arr")),
              GxRillToken(RILLTOKEN_INDEX_BEGIN),
              GxRillToken(RILLTOKEN_VAR, std::u16string(u"i")),
              GxRillToken(RILLTOKEN_ADD),
              GxRillToken(RILLTOKEN_INT, 1),
              GxRillToken(RILLTOKEN_INDEX_END)};
    EXPECT_FALSE(
        Eval_Token(&h.engine, nullptr, &h.builtins, &h.worker, GxRillRunPos(0, 0), nullptr, 1));
    ASSERT_FALSE(h.engine.errors.empty());
    EXPECT_EQ(h.engine.errors[0], u"Phase_Skip 次に来るべき記号 ] がありません[+]");
}

TEST(RillEval, WorkerStates) {
    EvalHarness h;
    h.worker.running = false;
    bool ok = true;
    h.Eval(u"$a = 1", 1, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(h.engine.errors.at(0),
              u"GxRill::Eval_Token 実行中ではないWorkerを計算しようとしました");
    EXPECT_EQ(Exec_Opcode(&h.builtins, &h.engine, nullptr, 1), 0);
    EXPECT_EQ(h.engine.errors.at(1),
              u"Exec_Opcode ExecStackとValueStackが指定されていません[pc=-1]");

    // A jump inside a statement drops the rest of it.
    EvalHarness jump;
    jump.Eval(u"$a = jump(\"X\") : ($b = 1)");
    EXPECT_EQ(jump.worker.locals.count(u"b"), 0u);

    // Without a dispatcher a call fails with its own message.
    EvalHarness none;
    none.Load(u"$a = strlen(\"x\")");
    EXPECT_FALSE(
        Eval_Token(&none.engine, nullptr, nullptr, &none.worker, GxRillRunPos(0, 0), nullptr, 1));
    EXPECT_EQ(none.engine.errors.at(0),
              u"OPC_CALL_BUILTIN 組み込み関数ポインタが設定されていません[pc=4]");
}

TEST(RillEval, DamagedOpcodeListsAreReported) {
    struct ListCase {
        std::vector<GxRillVariable> list;
        const char16_t* message;
    };
    using V = GxRillVariable;
    const ListCase cases[] = {
        {{V::MakeInt(1)}, u"Exec_Opcode Opcodeではないパラメータを演算しようとしました[pc=0]"},
        {{V::MakeOpcode(99)}, u"Exec_Opcode 不正な演算コードです[pc=0]"},
        {{V::MakeOpcode(RILLOPC_ADD)},
         u"Exec_IsValueLastTwo 計算スタックに必要なパラメータが積まれていません[pc=0]"},
        {{V::MakeOpcode(RILLOPC_MINUS)},
         u"Exec_IsValueLastOne 計算スタックに必要なパラメータが積まれていません[pc=0]"},
        {{V::MakeOpcode(RILLOPC_PUSH_INT), V::MakeOpcode(1)},
         u"Exec_PushStack 計算スタックに積むパラメータが不足しています[pc=0]"},
        {{V::MakeOpcode(RILLOPC_ALTER_VAR), V::MakeStr(u"a")},
         u"OPC_ALTER_VAR 単体でこのコードは実行できません[pc=0]"},
        {{V::MakeOpcode(RILLOPC_ALTER_VARARY), V::MakeStr(u"a")},
         u"OPC_ALTER_VARARY 単体でこのコードは実行できません[pc=0]"},
        {{V::MakeOpcode(RILLOPC_PUSH_NULL), V::MakeOpcode(RILLOPC_ASSIGN)},
         u"OPC_ASSIGN Opecodeが壊れています[pc=1]"},
        {{V::MakeOpcode(RILLOPC_PUSH_NULL), V::MakeOpcode(RILLOPC_ASSIGN_ADD)},
         u"OPC_ASSIGN_* Opecodeが壊れています[pc=1]"},
        {{V::MakeOpcode(RILLOPC_POSTINC), V::MakeOpcode(RILLOPC_PUSH_VAR), V::MakeStr(u"a")},
         u"OPC_AFTER_* Opecodeが壊れています[pc=0]"},
        {{V::MakeOpcode(RILLOPC_ELEMENTNUM), V::MakeInt(3), V::MakeOpcode(RILLOPC_ARRAYINIT)},
         u"Exec_IsValueLastOne 計算スタックに必要なパラメータが積まれていません[pc=2]"},
    };
    for (const ListCase& c : cases) {
        EvalHarness h;
        h.worker.frame.m_OpcodeList = c.list;
        EXPECT_EQ(Exec_Opcode(&h.builtins, &h.engine, &h.worker, 1), 0)
            << gx::Utf16ToUtf8(c.message);
        ASSERT_FALSE(h.engine.errors.empty());
        EXPECT_EQ(h.engine.errors[0], c.message);
    }
    EvalHarness empty;
    EXPECT_EQ(Exec_Opcode(&empty.builtins, &empty.engine, &empty.worker, 1), 1);
}

TEST(RillEval, MessagesAreCutAt1024Characters) {
    gxtest::RecordingRill engine;
    engine.Error(u"a.txt", 0, u"%s", std::u16string(2000, u'x'));
    ASSERT_EQ(engine.errors.size(), 1u);
    EXPECT_EQ(engine.errors[0].size(), 1024u);
}

TEST(RillEval, OpcodeNames) {
    EXPECT_EQ(GetRillOpcodeName(RILLOPC_PUSH_INT), u"PUSH_INT");
    EXPECT_EQ(GetRillOpcodeName(RILLOPC_NOT), u"単項!");
    EXPECT_EQ(GetRillOpcodeName(RILLOPC_ASSIGN_XOR), u"^=");
    EXPECT_EQ(GetRillOpcodeName(52), u"ERROR");
}

}  // namespace
