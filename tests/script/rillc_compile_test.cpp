#include <gtest/gtest.h>

#include <bit>

#include "base/gx_string.h"
#include "rill_compiler.h"
#include "rill_dump.h"
#include "script/gx_rill_eval.h"

namespace {

struct Compiled {
    RillCompiler compiler;
    bool ok = false;

    explicit Compiled(std::u16string_view text, std::u16string name = u"main.txt") {
        Add(text, std::move(name));
        ok = compiler.Finish();
    }
    Compiled() = default;
    void Add(std::u16string_view text, std::u16string name) {
        RillSourceFile source;
        source.path = gx::Utf16ToUtf8(name);
        source.scriptName = name;
        source.text = text;
        compiler.AddSource(source);
    }
    const GxRillScript& Script(std::u16string_view name = u"main.txt") {
        return *compiler.GetModel().FindScript(name);
    }
    const std::vector<GxRillToken>& Line(int line) {
        return Script().m_Lines.at(line - 1).m_Tokens;
    }
    // The token types of a 1-based line, separated by spaces.
    std::string Types(int line) {
        std::string out;
        for (const GxRillToken& token : Line(line)) {
            if (!out.empty())
                out += ' ';
            out += std::to_string(token.m_Type);
        }
        return out;
    }
    std::string Errors() {
        std::string out;
        for (const RillDiagnostic& d : compiler.GetDiagnostics()) {
            out += d.path + ":" + std::to_string(d.line) + ": " + d.message + "\n";
        }
        return out;
    }
};

GxRillRunPos P(int line, int pos) {
    return GxRillRunPos(line, pos);
}

TEST(Rillc, LinesLabelsTextAndCommands) {
    Compiled c(
        u"*MAIN\n"
        u"  // a comment\n"
        u"\n"
        u"アリス「こんにちは」  \n"
        u"\\*not a label\n"
        u"\t#bg(\"cg/bg01\", 500)\n"
        u"*@local\n"
        u"#alice.color(0xFFC0C0)\n"
        u"#alice(\"smile\")\n"
        u"#msg.show\n"
        u"$a = getlastselect == 1\n"
        u"　全角スペースで始まる行\n");
    ASSERT_TRUE(c.ok) << c.Errors();
    EXPECT_EQ(c.Types(1), "7");
    EXPECT_EQ(c.Line(1)[0].GetStr(), u"MAIN");
    EXPECT_EQ(c.Types(2), "");
    EXPECT_EQ(c.Types(3), "");
    EXPECT_EQ(c.Types(4), "8");
    EXPECT_EQ(c.Line(4)[0].GetStr(), u"アリス「こんにちは」");
    EXPECT_EQ(c.Line(5)[0].GetStr(), u"*not a label");
    EXPECT_EQ(c.Types(6), "14 1 40 5 35 3 41");
    EXPECT_EQ(c.Line(6)[1].m_Int, 1100);
    EXPECT_EQ(c.Line(6)[1].GetStr(), u"bg");
    EXPECT_EQ(c.Types(8), "14 2 40 3 41");
    EXPECT_EQ(c.Line(8)[1].GetStr(), u"alice.color");
    EXPECT_EQ(c.Line(8)[3].m_Int, 0xFFC0C0);
    EXPECT_EQ(c.Types(9), "14 2 40 5 41");
    EXPECT_EQ(c.Types(10), "14 1 40 41");  // a bare built-in gets ()
    EXPECT_EQ(c.Types(11), "9 69 1 40 41 42 3");
    EXPECT_EQ(c.Types(12), "8");
    EXPECT_EQ(c.Line(12)[0].GetStr(), u"　全角スペースで始まる行");

    GxRill& model = c.compiler.GetModel();
    ASSERT_NE(model.FindGlobalLabel(u"MAIN"), nullptr);
    EXPECT_EQ(model.FindGlobalLabel(u"MAIN")->m_Pos.m_Line, 0);
    EXPECT_EQ(model.FindGlobalLabel(u"MAIN")->m_Pos.m_Pos, 0);
    EXPECT_EQ(model.FindGlobalLabel(u"MAIN")->m_Pos.m_ScriptName, u"main.txt");
    EXPECT_EQ(model.FindGlobalLabel(u"@local"), nullptr);
    ASSERT_NE(c.Script().FindLabel(u"@local"), nullptr);
    EXPECT_EQ(c.Script().FindLabel(u"@local")->m_Pos.m_Line, 6);
    // every built-in is defined, used or not
    EXPECT_EQ(model.FindBuiltinDefinition(u"text")->m_BuiltinIndex, 521);
    EXPECT_EQ(model.FindBuiltinDefinition(u"rand")->m_BuiltinIndex, 300);
    EXPECT_EQ(model.FindBuiltinDefinition(u"sp.color")->m_BuiltinIndex, 1000);
    EXPECT_EQ(model.FindBuiltinDefinition(u"stand")->m_BuiltinIndex, 1008);
    EXPECT_EQ(model.FindBuiltinDefinition(u"vo.wa")->m_BuiltinIndex, 1515);
    EXPECT_EQ(model.FindBuiltinDefinition(u"getextraoption")->m_BuiltinIndex, 10002);
    EXPECT_EQ(model.FindBuiltinDefinition(u"log")->m_BuiltinIndex, 108);
    EXPECT_EQ(model.FindBuiltinDefinition(u"endtext")->m_BuiltinIndex, 0);
}

TEST(Rillc, LiteralsAndOperators) {
    Compiled c(
        u"*MAIN\n"
        u"$a = -1.5 + \"q\\\"\\\\\\t\" : NULL - -2\n"
        u"$b[$i + 1] = ARRAY(1, 2)\n"
        u"$b[$i]++\n"
        u"$c = ($a - 1) - +3 // trailing comment\n"
        u"$d = 1 << 2 >> 1 & 3 | 4 ^ 5 && !~6 || 7 != 8 <= 9 >= 10 < 11 > 12 == 13 % 2 / 1\n"
        u"$e += 1\n$e := \"x\"\n$e -= 1\n$e *= 1\n$e /= 1\n$e %= 1\n$e &= 1\n$e |= 1\n$e ^= "
        u"1\n$e--\n");
    ASSERT_TRUE(c.ok) << c.Errors();
    EXPECT_EQ(c.Types(2), "9 69 55 4 48 5 49 6 50 55 3");
    EXPECT_EQ(std::bit_cast<double>(c.Line(2)[3].m_Int), 1.5);
    EXPECT_EQ(c.Line(2)[5].GetStr(), u"q\"\\\t");
    EXPECT_EQ(c.Types(3), "10 38 40 9 48 3 41 39 69 13 40 3 35 3 41");
    EXPECT_EQ(c.Types(4), "10 38 9 39 67");
    EXPECT_EQ(c.Types(5), "9 69 40 9 50 3 41 50 54 3");
    EXPECT_EQ(c.Types(6),
              "9 69 3 60 3 61 3 56 3 57 3 58 3 63 62 59 3 64 3 43 3 47 3 45 3 46 3 44 3 42 3 53 3 "
              "52 3");
    for (int line = 7; line <= 15; ++line)
        EXPECT_EQ(c.Line(line)[1].m_Type, 63 + line) << line;
    EXPECT_EQ(c.Types(16), "9 68");
}

TEST(Rillc, IfElseJumpSlots) {
    Compiled c(
        u"*MAIN\n"                           // 1
        u"IF ($n == 1) {\n"                  // 2
        u"  $a = 1\n"                        // 3
        u"} ELSE IF ($n == 2 && !$met) {\n"  // 4
        u"  $a = 2\n"                        // 5
        u"} ELSE {\n"                        // 6
        u"  $a = 3\n"                        // 7
        u"}\n"                               // 8
        u"IF ($x)\n"                         // 9
        u"{\n"                               // 10
        u"}\n"                               // 11
        u"\n"                                // 12
        u"ELSE\n"                            // 13
        u"{\n"                               // 14
        u"  IF ($y) {\n"                     // 15
        u"  }\n"                             // 16
        u"}\n");                             // 17
    ASSERT_TRUE(c.ok) << c.Errors();
    const auto& ifToken = c.Line(2)[0];
    EXPECT_EQ(ifToken.m_Type, RILLTOKEN_IF);
    EXPECT_EQ(ifToken.GetPosition(1), P(1, 2));
    EXPECT_EQ(ifToken.GetPosition(0), P(0, -1));
    EXPECT_EQ(ifToken.GetPosition(2), P(0, -1));
    const auto& brace = c.Line(2)[6];
    EXPECT_EQ(brace.m_Type, RILLTOKEN_BLOCK_BEGIN);
    EXPECT_EQ(brace.GetPosition(0), P(3, 1));  // the ELSE after the '}'
    EXPECT_EQ(c.Line(4)[0].m_Int, 3);          // closes an IF block
    EXPECT_EQ(c.Line(4)[1].m_Type, RILLTOKEN_ELSE);
    EXPECT_EQ(c.Line(4)[1].GetPosition(1), P(3, 4));
    EXPECT_EQ(c.Line(4).back().GetPosition(0), P(5, 1));
    EXPECT_EQ(c.Line(6)[0].m_Int, 4);  // closes an ELSE IF block
    EXPECT_EQ(c.Line(6)[1].GetPosition(1), P(-1, -1));
    EXPECT_EQ(c.Line(6)[2].GetPosition(0), P(8, 0));
    EXPECT_EQ(c.Line(8)[0].m_Int, 4);
    EXPECT_FALSE(c.Line(8)[0].HasPositions());
    EXPECT_FALSE(c.Line(3)[0].HasPositions());
    // braces on their own lines; the '{' slot skips the empty line 12
    EXPECT_EQ(c.Line(10)[0].GetPosition(0), P(12, 0));
    EXPECT_EQ(c.Line(11)[0].m_Int, 3);
    EXPECT_EQ(c.Line(13)[0].GetPosition(1), P(-1, -1));
    EXPECT_EQ(c.Line(15)[4].GetPosition(0), P(16, 0));
    // the last '}' is followed by nothing: (line count, 0)
    EXPECT_EQ(c.Line(14)[0].GetPosition(0), P(17, 0));
    EXPECT_EQ(c.Line(17)[0].m_Int, 4);
}

// Walks an IF as the worker does: evaluate the condition from slot 1, move one
// token on, and find the block's '{' with SeekBlockStart.
TEST(Rillc, WorkerFindsTheBlockOfItsOwnIf) {
    Compiled c(
        u"*MAIN\n"
        u"IF ($a) {\n"
        u"}\n"
        u"IF ($b)\n"
        u"\n"
        u"{\n"
        u"}\n");
    ASSERT_TRUE(c.ok) << c.Errors();
    const GxRillScript& script = c.Script();
    for (int line : {2, 4}) {
        GxRillRunPos pos = c.Line(line)[0].GetPosition(1);
        GxRill engine;
        std::vector<GxRillVariable> opcodes;
        ASSERT_TRUE(ParseRillExpression(engine, script, pos, opcodes));
        EXPECT_EQ(script.GetToken(pos).m_Type, RILLTOKEN_PAREN_END);
        script.NextToken(pos);
        ASSERT_TRUE(script.SeekBlockStart(pos));
        EXPECT_EQ(pos, line == 2 ? P(1, 4) : P(5, 0)) << line;
    }
}

TEST(Rillc, Declarations) {
    Compiled c(
        u"*MAIN\n"
        u"GLOBAL INGAME $met = 0\n"
        u"STATIC NOSAVE $tries[3]\n"
        u"EXTERN PERMAN $cleared = 0\n"
        u"LOCAL $n = rand(1, 3)\n"
        u"DEFINE FADE = 500\n"
        u"DEFINE NAME = \"アリス\"\n"
        u"DEFINE NEG = -2.5\n"
        u"BUILTIN len = 11\n"
        u"GLOBAL $g = FADE\n"
        u"STATIC PERMAN $s[2] = ARRAY(1, \"x\")\n"
        u"GLOBAL NOSAVE $h = NEG\n"
        u"EXTERN $e\n"
        u"$x = len(NAME) + FADE\n"
        u"FADE と NAME はテキストでは置き換わらない\n"
        u"#msg(\"FADE\")\n"
        u"STATIC $t = NULL\n"
        u"GLOBAL PERMAN $p = -7\n"
        u"BREAKPOINT\n");
    ASSERT_TRUE(c.ok) << c.Errors();
    GxRill& model = c.compiler.GetModel();
    struct Expect {
        const char16_t* name;
        int scope;
        int arraySize;
        const char* value;
    };
    auto show = [](const GxRillVariable& v) {
        return gx::Utf16ToUtf8(GetRillVariableTypeName(v.GetType())) + ":" +
               gx::Utf16ToUtf8(v.GetString());
    };
    const Expect engineDefs[] = {{u"met", 6, -1, "Int:0"}, {u"cleared", 8, -1, "Int:0"},
                                 {u"g", 6, -1, "Int:500"}, {u"h", 7, -1, "Float:-2.500000"},
                                 {u"e", 9, -1, "Null:"},   {u"p", 5, -1, "Int:-7"}};
    for (const Expect& e : engineDefs) {
        const GxRillVariableDefinition* d = model.FindVariableDefinition(e.name);
        ASSERT_NE(d, nullptr) << gx::Utf16ToUtf8(e.name);
        EXPECT_EQ(d->m_Scope, e.scope) << gx::Utf16ToUtf8(e.name);
        EXPECT_EQ(d->m_ArraySize, e.arraySize);
        EXPECT_EQ(show(d->m_Value), e.value) << gx::Utf16ToUtf8(e.name);
        EXPECT_EQ(d->m_ScriptName, u"main.txt");
    }
    EXPECT_EQ(model.FindVariableDefinition(u"met")->m_Line, 1);
    const auto& statics = c.Script().m_VariableDefine;
    ASSERT_EQ(statics.size(), 3u);
    EXPECT_EQ(statics[0].m_Name, u"tries");
    EXPECT_EQ(statics[0].m_Scope, 4);
    EXPECT_EQ(statics[0].m_ArraySize, 3);
    EXPECT_TRUE(statics[0].m_Value.IsNull());
    EXPECT_EQ(statics[1].m_Scope, 2);
    EXPECT_EQ(statics[1].m_ArraySize, 2);
    EXPECT_EQ(show(statics[1].m_Value), "Array:2");
    EXPECT_EQ(statics[2].m_Scope, 3);
    EXPECT_EQ(model.FindBuiltinDefinition(u"len")->m_BuiltinIndex, 11);

    EXPECT_EQ(c.Types(2).substr(0, 5), "22 25");  // the worker skips declaration lines
    EXPECT_EQ(c.Types(5), "20 9 69 1 40 3 35 3 41");
    EXPECT_EQ(c.Types(6), "18 2");
    EXPECT_EQ(c.Types(9), "19 2");
    EXPECT_EQ(c.Types(14), "9 69 1 40 5 41 48 3");
    EXPECT_EQ(c.Line(14)[2].m_Int, 11);
    EXPECT_EQ(c.Line(14)[2].GetStr(), u"len");
    EXPECT_EQ(c.Line(14)[4].GetStr(), u"アリス");
    EXPECT_EQ(c.Line(14)[7].m_Int, 500);
    EXPECT_EQ(c.Line(15)[0].GetStr(), u"FADE と NAME はテキストでは置き換わらない");
    EXPECT_EQ(c.Line(16)[3].GetStr(), u"FADE");
    EXPECT_EQ(c.Types(19), "15");
}

TEST(Rillc, BlocksAndHereDocuments) {
    Compiled c(
        u"*MAIN\n"
        u"#stand(\"alice\", \"M\")\n"
        u"body_a\n"
        u"// comment\n"
        u"  face_smile  \n"
        u"#endstand\n"
        u"#text(\"アリス\", \"ali_0001\")\n"
        u"「こんにちは。\n"
        u"\n"
        u"いい天気ね」\n"
        u"#endtext\n"
        u"#msg(<<<EOD)\n"
        u"first line\n"
        u"  second $line\n"
        u"EOD\n"
        u"$after = 1\n");
    ASSERT_TRUE(c.ok) << c.Errors();
    EXPECT_EQ(c.Types(3), "8");
    EXPECT_EQ(c.Types(4), "");
    EXPECT_EQ(c.Line(5)[0].GetStr(), u"face_smile");
    EXPECT_EQ(c.Types(6), "14 1");
    EXPECT_EQ(c.Line(6)[1].GetStr(), u"endstand");
    EXPECT_EQ(c.Line(6)[1].m_Int, 0);
    EXPECT_EQ(c.Types(8), "8");
    EXPECT_EQ(c.Types(9), "");
    EXPECT_EQ(c.Line(11)[1].GetStr(), u"endtext");
    EXPECT_EQ(c.Types(12), "14 1 40 5 41");
    EXPECT_EQ(c.Line(12)[3].GetStr(), u"first line%r  second $line");
    EXPECT_EQ(c.Types(13), "");
    EXPECT_EQ(c.Types(14), "");
    EXPECT_EQ(c.Types(15), "");
    EXPECT_EQ(c.Types(16), "9 69 3");
}

struct Refusal {
    const char16_t* source;
    int line;
    const char* message;  // a part of the message
};

TEST(Rillc, RefusesWhatTheEngineCannotRun) {
    const Refusal cases[] = {
        {u"WHILE ($a) {\n}\n", 1, "WHILE is reserved"},
        {u"$a = 1\nBREAK\n", 2, "BREAK is reserved"},
        {u"$a = 1; $b = 2\n", 1, "';' is not allowed"},
        {u"$a = ++$b\n", 1, "prefix '++'"},
        {u"$a = $b ? 1 : 2\n", 1, "'?' is not supported"},
        {u"$a = &$b\n", 1, "references"},
        {u"#foo.bar(1)\n", 1, "レイヤー操作に使用できない命令です[sp.bar]"},
        {u"#alice\n", 1, "Phase_Skip 次に来るべき記号 ( がありません"},
        {u"#1 + 2\n", 1, "a statement starts with"},
        {u"#bg(\"x\"))\n", 1, "the statement ends before"},
        {u"$a = (1))\n", 1, "the statement ends before"},
        {u"$a = 1 2\n", 1, "Phase_Expr 式に間違いがあります[整数値[2]]"},
        {u"$a = foo\n", 1, "Phase_Term 式として認識できないトークンです"},
        {u"IF ($a) $b = 1\n", 1, "only '{' may follow"},
        {u"IF ($a) ) {\n}\n", 1, "only '{' may follow"},
        {u"IF $a {\n}\n", 1, "'('"},
        {u"IF ($a, 1) {\n}\n", 1, "the condition ends before"},
        {u"IF () {\n}\n", 1, "empty condition"},
        {u"IF ($a) {\n", 1, "never closed"},
        {u"IF ($a)\n$b = 1\n", 1, "followed by '{'"},
        {u"}\n", 1, "without an open block"},
        {u"{\n", 1, "without IF or ELSE"},
        {u"IF ($a) {\n}\n*label\nELSE {\n}\n", 4, "ELSE must follow"},
        {u"IF ($a) {\n} ELSE {\n} ELSE {\n}\n", 3, "plain ELSE"},
        {u"IF ($a) { $b = 1\n}\n", 1, "only '{' may follow"},
        {u"GLOBAL $a = 1\nEXTERN $a = 2\n", 2, "both GLOBAL and EXTERN"},
        {u"GLOBAL $a = 1\nGLOBAL $a = 2\n", 2, "already declared"},
        {u"STATIC $t[3] = 0\n", 1, "needs an ARRAY"},
        {u"GLOBAL $a = $b\n", 1, "constants"},
        {u"BUILTIN myrand = 300\n", 1, "general built-ins"},
        {u"BUILTIN x = 18\n", 1, "no general built-in 18"},
        {u"BUILTIN strlen = 11\n", 1, "already a built-in"},
        {u"DEFINE X = $a\n", 1, "DEFINE value"},
        {u"#stand(\"a\", \"M\")\nbody\n", 1, "without its closing #endstand"},
        {u"#stand(\"a\", \"M\")\n#endtext\n", 2, "close the block with #endstand"},
        {u"#endstand\n", 1, "closes a block that is not open"},
        {u"#msg(<<<EOD)\nline\n", 1, "here-document without its closing line"},
        {u"*A\n*A\n", 2, "already defined"},
        {u"*@b\n*@b\n", 2, "defined twice"},
        {u"*\n", 1, "label without a name"},
        {u"$a = \"open\n", 1, "closing '\"'"},
        {u"$a = \"\\n\"\n", 1, "unknown escape"},
        {u"$a = 99999999999999999999\n", 1, "too large"},
        {u"LOCAL 1\n", 1, "LOCAL must be followed by a variable"},
        {u"ELSE {\n}\n", 1, "ELSE must follow"},
        {u"$a[] = 1\n", 1, "an operand is missing"},
        {u"$a = ()\n", 1, "an operand is missing"},
        {u"IF (()) {\n}\n", 1, "an operand is missing"},
    };
    for (const Refusal& r : cases) {
        Compiled c(std::u16string(u"") + r.source);
        EXPECT_FALSE(c.ok) << gx::Utf16ToUtf8(r.source);
        const std::string errors = c.Errors();
        const std::string expected = "main.txt:" + std::to_string(r.line) + ": ";
        bool found = false;
        for (const RillDiagnostic& d : c.compiler.GetDiagnostics()) {
            found |=
                !d.warning && d.line == r.line && d.message.find(r.message) != std::string::npos;
        }
        EXPECT_TRUE(found) << gx::Utf16ToUtf8(r.source) << "\nexpected " << expected << r.message
                           << "\ngot:\n"
                           << errors;
    }
}

TEST(Rillc, ScopesAcrossScripts) {
    Compiled c;
    c.Add(u"*MAIN\nGLOBAL $shared = 1\nBUILTIN len = 11\n*@here\n", u"main.txt");
    c.Add(u"*CH1\nEXTERN $shared = 2\n*@here\n$a = len\n", u"ch1/day1.txt");
    EXPECT_FALSE(c.compiler.Finish());
    const std::string errors = c.Errors();
    EXPECT_NE(
        errors.find(
            "ch1/day1.txt:2: $shared is declared both GLOBAL and EXTERN (also at main.txt:2)"),
        std::string::npos)
        << errors;
    // BUILTIN names and DEFINEs reach to the end of their own script only.
    EXPECT_NE(errors.find("ch1/day1.txt:4: Phase_Term"), std::string::npos) << errors;
    EXPECT_NE(c.Script(u"ch1/day1.txt").FindLabel(u"@here"), nullptr);
}

TEST(Rillc, JumpsToMissingLabelsAreWarnings) {
    Compiled c(u"*MAIN\n*@here\n#jump(\"@here\")\n#call(\"NOWHERE\", 1)\n#jump(\"MAIN\")\n");
    EXPECT_TRUE(c.ok);
    ASSERT_EQ(c.compiler.GetDiagnostics().size(), 1u);
    EXPECT_TRUE(c.compiler.GetDiagnostics()[0].warning);
    EXPECT_EQ(c.compiler.GetDiagnostics()[0].line, 4);
    EXPECT_EQ(c.compiler.GetDiagnostics()[0].message, "no label *NOWHERE for this jump");
}

TEST(Rillc, MissingMainIsAWarning) {
    Compiled c(u"$a = 1\n");
    EXPECT_TRUE(c.ok);
    ASSERT_EQ(c.compiler.GetDiagnostics().size(), 1u);
    EXPECT_TRUE(c.compiler.GetDiagnostics()[0].warning);
}

TEST(Rillc, SourceNamesAndDecoding) {
    EXPECT_EQ(MakeRillScriptName(u"Ch1\\Day1.TXT"), u"ch1/day1.txt");
    EXPECT_EQ(DecodeRillSource("\xEF\xBB\xBF\xE3\x81\x82"), u"あ");
    EXPECT_EQ(DecodeRillSource("\x82\xA0"), u"あ");  // CP932
}

}  // namespace

namespace {

TEST(Rillc, DumpListsStepsWithTheirTokens) {
    Compiled c(
        u"*MAIN\n"
        u"STATIC $s[2] = ARRAY(1, \"x\")\n"
        u"IF ($n == 1.5) {\n"
        u"}\n");
    ASSERT_TRUE(c.ok) << c.Errors();
    const std::string dump = DumpRillModel(c.compiler.GetModel());
    for (const char* expected : {
             "label \"MAIN\" script=\"main.txt\" step=0\n",
             "builtin \"strlen\" index=11\n",
             "script \"main.txt\" steps=4\n",
             "  static \"s\" scope=3 size=2 init=Array(Int:1, Str:\"x\") script=\"main.txt\" "
             "line=1\n",
             "  step 0: [7 ラベル宣言 \"MAIN\"]\n",
             "  step 2: [27 IF slot1=(2,2)] [40 (] [9 変数名 \"n\"] [42 ==] [4 小数値 1.500000] "
             "[41 )] "
             "[36 { slot0=(4,0)]\n",
             "  step 3: [37 } 3]\n",
         }) {
        EXPECT_NE(dump.find(expected), std::string::npos) << expected << "\nin:\n" << dump;
    }
}

}  // namespace

#include "support/temp_dir.h"

namespace {

TEST(Rillc, CompilesAFolderOfScripts) {
    gxtest::TempDir dir;
    dir.Write("scripts/Main.txt", "\xEF\xBB\xBF*MAIN\r\n#jump(\"CH1\")\r\n");
    dir.Write("scripts/Ch1/Day1.TXT", "*CH1\n\x82\xA0\x82\xA2\n");  // CP932 text
    dir.Write("scripts/notes.md", "not a script {");
    RillCompiler compiler;
    ASSERT_TRUE(CompileRillFolder(dir.Str() + "/scripts", compiler));
    const GxRill& model = compiler.GetModel();
    ASSERT_EQ(model.GetScripts().size(), 2u);
    ASSERT_NE(model.FindScript(u"main.txt"), nullptr);
    const GxRillScript* day1 = model.FindScript(u"ch1/day1.txt");
    ASSERT_NE(day1, nullptr);
    EXPECT_EQ(day1->m_Lines.at(1).m_Tokens.at(0).GetStr(), u"あい");
    EXPECT_EQ(model.FindScript(u"main.txt")->m_Lines.size(), 2u);
    EXPECT_EQ(model.FindGlobalLabel(u"CH1")->m_Pos.m_ScriptName, u"ch1/day1.txt");

    RillCompiler missing;
    EXPECT_FALSE(CompileRillFolder(dir.Str() + "/nothing", missing));
}

}  // namespace
