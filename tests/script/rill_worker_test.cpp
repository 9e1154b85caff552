// The worker run end to end: scripts compiled with the compiler library and
// stepped by the headless runner.
#include <gtest/gtest.h>

#include "rill_run_fixture.h"

using gxtest::RillProgram;

namespace {

RillRunOptions Quiet() {
    RillRunOptions options;
    options.skipSlightErrors = true;
    return options;
}

}  // namespace

TEST(RillWorker, IfElseChainRunsExactlyOneBlock) {
    struct Case {
        int n;
        const char* out;
    };
    const Case cases[] = {
        {1, "A\nafter\n"},
        {2, "checked\nB\nafter\n"},
        {3, "checked\nC\nafter\n"},
    };
    for (const Case& c : cases) {
        RillProgram program(u"GLOBAL $n = " + gx::ToU16(c.n) +
                            u"\n*MAIN\n"
                            u"IF ($n == 1) {\n"
                            u"A\n"
                            u"} ELSE IF (print(\"checked\") == 0 && $n == 2) {\n"
                            u"B\n"
                            u"}\n"
                            u"ELSE\n"
                            u"{\n"
                            u"C\n"
                            u"}\n"
                            u"after\n");
        ASSERT_EQ(program.compileErrors, "");
        EXPECT_EQ(program.Run(), 0) << program.Err();
        EXPECT_EQ(program.Out(), c.out) << "n=" << c.n;
        EXPECT_EQ(program.Err(), "");
    }
}

TEST(RillWorker, FalseIfWithoutElseAndNestedBlocks) {
    RillProgram program(
        u"*MAIN\n"
        u"LOCAL $x = 0\n"
        u"IF ($x) {\n"
        u"  no\n"
        u"  IF (1) {\n"
        u"    never\n"
        u"  }\n"
        u"}\n"
        u"IF (!$x) {\n"
        u"  IF ($x == 0) { \n"
        u"    inner\n"
        u"  } ELSE {\n"
        u"    wrong\n"
        u"  }\n"
        u"  outer\n"
        u"}\n"
        u"end\n");
    ASSERT_EQ(program.compileErrors, "");
    EXPECT_EQ(program.Run(), 0) << program.Err();
    EXPECT_EQ(program.Out(), "inner\nouter\nend\n");
}

TEST(RillWorker, JumpsCallsReturnsAndLocalLabels) {
    RillProgram program(
        u"*MAIN\n"
        u"LOCAL $r = call(\"SUB\", 5) : print(\"still in caller\")\n"
        u"#print(\"back \" : result())\n"
        u"#jump(\"@local\", \"x\") : print(\"not run\")\n"
        u"#print(\"skipped\")\n"
        u"*@local\n"
        u"#print(\"local \" : $_)\n"
        u"#stop(7)\n"
        u"*SUB\n"
        u"#print(\"in sub \" : $_)\n"
        u"#return($_ * 2) : print(\"not run either\")\n");
    ASSERT_EQ(program.compileErrors, "");
    EXPECT_EQ(program.Run(Quiet()), 0) << program.Err();
    EXPECT_EQ(program.Out(), "still in caller\nin sub 5\nback 10\nlocal x\n");
}

TEST(RillWorker, LabelsAcrossScriptsAndTheirLocalNames) {
    RillProgram program({{u"main.txt",
                          u"*MAIN\n"
                          u"#call(\"OTHER\")\n"
                          u"#print(\"main \" : $s)\n"
                          u"#jump(\"@hidden\")\n"},
                         {u"other.txt",
                          u"STATIC $s = \"static of other\"\n"
                          u"*OTHER\n"
                          u"#print($s)\n"
                          u"#return()\n"
                          u"*@hidden\n"
                          u"#print(\"reached\")\n"}});
    ASSERT_EQ(program.compileErrors, "");
    EXPECT_EQ(program.Run(), 1);
    // $s is not visible in main.txt: a new LOCAL with the creation warning.
    EXPECT_EQ(program.Out(), "static of other\nmain \n");
    EXPECT_EQ(program.Err(),
              "warn:[Script=\"main.txt\"/line=3] ローカル変数 $s を作成しました[pc=2]\n"
              "err:[Script=\"main.txt\"/line=4] jump:飛び先のラベルが見つかりません[@hidden]\n"
              "err:[Script=\"main.txt\"/line=4] "
              "関数実行時にエラーが発生したので停止します[builtin:jump][pc=4]\n");
}

TEST(RillWorker, VariableScopesAndTheLocalCreationWarning) {
    const std::u16string source =
        u"GLOBAL $g = 1\n"
        u"EXTERN PERMAN $e = 10\n"
        u"*MAIN\n"
        u"LOCAL $quiet = 1\n"
        u"$g += 1\n"
        u"$e := \"!\"\n"
        u"$loud = $g : $e\n"
        u"#call(\"SUB\")\n"
        u"#print($loud : \" \" : $g)\n"
        u"#stop()\n"
        u"*SUB\n"
        u"#print(\"sub sees \" : $g : \"/\" : $loud : \"/\" : $quiet)\n"
        u"#return()\n";
    RillProgram loud(source);
    ASSERT_EQ(loud.compileErrors, "");
    EXPECT_EQ(loud.Run(), 0);
    // LOCAL variables belong to their block: the called block creates its own.
    EXPECT_EQ(loud.Out(), "sub sees 2//\n210! 2\n");
    EXPECT_EQ(loud.Err(),
              "warn:[Script=\"main.txt\"/line=7] ローカル変数 $loud を作成しました[pc=5]\n"
              "warn:[Script=\"main.txt\"/line=12] ローカル変数 $loud を作成しました[pc=8]\n"
              "warn:[Script=\"main.txt\"/line=12] ローカル変数 $quiet を作成しました[pc=14]\n");
    RillProgram quiet(source);
    EXPECT_EQ(quiet.Run(Quiet()), 0);
    EXPECT_EQ(quiet.Out(), loud.Out());
    EXPECT_EQ(quiet.Err(), "");
    EXPECT_EQ(quiet.engine.GetWarningCount(), 3);
}

TEST(RillWorker, Arrays) {
    RillProgram program(
        u"GLOBAL $a[2]\n"
        u"*MAIN\n"
        u"#print(arraysize($a) : isarray($a))\n"
        u"$a[3] = \"x\"\n"
        u"#print(arraysize($a) : \"/\" : $a[3] : \"/\" : $a[-1] : \"/\" : $a[-2])\n"
        u"$i = 1\n"
        u"$a[$i + 1] = 5\n"
        u"$a[2] += 1\n"
        u"$b = ARRAY(1, , \"three\")\n"
        u"#print($a[2] : \"/\" : arraysize($b) : $b[2] : \"/\" : $b[1])\n");
    ASSERT_EQ(program.compileErrors, "");
    EXPECT_EQ(program.Run(Quiet()), 0) << program.Err();
    EXPECT_EQ(program.Out(), "21\n4/x/4/\n6/3three/\n");
}

TEST(RillWorker, ErrorStopHaltsAtTheStatementWithItsLine) {
    RillProgram program(
        u"*MAIN\n"
        u"#print(\"before\")\n"
        u"\n"
        u"// a comment\n"
        u"$x = substr(\"abc\", 1) : jump(\"NOWHERE\")\n"
        u"#print(\"after\")\n");
    ASSERT_EQ(program.compileErrors, "");
    EXPECT_EQ(program.Run(Quiet()), 1);
    EXPECT_EQ(program.Out(), "before\n");
    EXPECT_NE(program.Err().find("err:[Script=\"main.txt\"/line=5] jump:"
                                 "飛び先のラベルが見つかりません[NOWHERE]\n"),
              std::string::npos)
        << program.Err();
    EXPECT_TRUE(program.engine.GetErrorStop());
}

TEST(RillWorker, MissingStartLabel) {
    RillProgram program(u"*START\n#print(\"x\")\n");
    RillRunOptions options;
    EXPECT_EQ(program.Run(options), 1);
    EXPECT_EQ(program.Err(), "スクリプトにラベル MAIN が存在しないため実行できません\n");
    options.label = u"START";
    EXPECT_EQ(program.Run(options), 0);
    EXPECT_EQ(program.Out(), "x\n");
}

TEST(RillWorker, TextAndStandBlocksAndTracedCommands) {
    RillProgram program(
        u"*MAIN\n"
        u"#bg(\"room\", 500)\n"
        u"#text(\"アリス\", \"ali_0001\")\n"
        u"一行目\n"
        u"\n"
        u"二行目\n"
        u"#endtext\n"
        u"#stand(\"alice\", \"M\")\n"
        u"body\n"
        u"#endstand\n"
        u"#alice.color(0xFFC0C0)\n"
        u"#alice(\"smile\")\n"
        u"アリス「こんにちは」\n");
    ASSERT_EQ(program.compileErrors, "");
    RillRunOptions options;
    options.trace = true;
    EXPECT_EQ(program.Run(options), 0) << program.Err();
    EXPECT_EQ(program.Out(),
              "bg(room, 500)\n"
              "text(アリス, ali_0001)\n"
              "一行目%r二行目\n"
              "stand(alice, M)\n"
              "sp.color(alice, 16761024)\n"
              "sp.lcg(alice, smile)\n"
              "アリス「こんにちは」\n");
    EXPECT_EQ(program.Err(), "");

    RillProgram untraced(u"*MAIN\n#bg(\"room\")\n#text(\"\", \"\")\nline\n#endtext\n");
    EXPECT_EQ(untraced.Run(), 0);
    EXPECT_EQ(untraced.Out(), "line\n");
}
