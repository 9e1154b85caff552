// The rillrun program on a game folder and on a compiled file.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/gx_string.h"
#include "rill_code_file.h"
#include "rill_compiler.h"
#include "support/temp_dir.h"

namespace {

struct Result {
    int code = -1;
    std::string out;
    std::string err;
};

Result RunProgram(const std::string& program, const std::string& arguments,
                  const gxtest::TempDir& dir) {
    const char* bin = std::getenv("GX_BIN_DIR");
    Result result;
    if (!bin)
        return result;
    const std::string errPath = (dir.Path() / "stderr.txt").string();
    const std::string command =
        std::string(bin) + "/" + program + " " + arguments + " 2>" + errPath;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.err = dir.Read("stderr.txt");
    return result;
}

Result RunRillrun(const std::string& arguments, const gxtest::TempDir& dir) {
    return RunProgram("rillrun", arguments, dir);
}

void CompileInto(const gxtest::TempDir& dir, std::u16string_view text) {
    RillCompiler compiler;
    RillSourceFile source;
    source.path = "main.txt";
    source.scriptName = u"main.txt";
    source.text = text;
    compiler.AddSource(source);
    ASSERT_TRUE(compiler.Finish());
    std::filesystem::create_directories(dir.Path() / "bincode");
    ASSERT_TRUE(
        SaveRillCodeFile((dir.Path() / "bincode" / "rillcode.rwb").string(), compiler.GetModel()));
}

}  // namespace

TEST(Rillrun, RunsAGameFolderToItsEnd) {
    gxtest::TempDir dir;
    CompileInto(dir,
                u"*MAIN\n"
                u"最初の行\n"
                u"#bgm(\"theme\", 1000)\n"
                u"#print(\"r=\" : rand(4, 4))\n"
                u"#jump(\"OTHER\")\n"
                u"*OTHER\n"
                u"#msg(\"x\")\n"
                u"#stop()\n"
                u"*BROKEN\n"
                u"#jump(\"NOWHERE\")\n");
    Result plain = RunRillrun(dir.Str(), dir);
    EXPECT_EQ(plain.code, 0) << plain.err;
    EXPECT_EQ(plain.out, "最初の行\nr=4\n");
    EXPECT_EQ(plain.err, "");

    const std::string file = (dir.Path() / "bincode" / "rillcode.rwb").string();
    Result traced = RunRillrun(file + " --trace", dir);
    EXPECT_EQ(traced.code, 0);
    EXPECT_EQ(traced.out, "最初の行\nbgm(theme, 1000)\nr=4\nmsg(x)\n");

    Result broken = RunRillrun(dir.Str() + " --label BROKEN", dir);
    EXPECT_EQ(broken.code, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_TRUE(broken.err.starts_with(
        "err:[Script=\"main.txt\"/line=10] jump:飛び先のラベルが見つかりません[NOWHERE]\n"))
        << broken.err;
}

TEST(Rillrun, RefusesMissingAndDamagedFiles) {
    gxtest::TempDir dir;
    EXPECT_EQ(RunRillrun(dir.Str(), dir).code, 2);
    dir.Write("bad.rwb", std::string("\x00\x00\x00\x07garbage", 11));
    Result damaged = RunRillrun((dir.Path() / "bad.rwb").string(), dir);
    EXPECT_EQ(damaged.code, 2);
    EXPECT_NE(damaged.err.find("damaged"), std::string::npos) << damaged.err;
    EXPECT_EQ(RunRillrun("", dir).code, 2);
}

TEST(Rillrun, RunsWhatRillcCompiled) {
    gxtest::TempDir dir;
    dir.Write("scripts/main.txt",
              "GLOBAL $n = 0\n"
              "*MAIN\n"
              "*@again\n"
              "$n += 1\n"
              "IF ($n < 3) {\n"
              "  #jump(\"@again\")\n"
              "} ELSE IF ($n == 3) {\n"
              "  three\n"
              "} ELSE {\n"
              "  never\n"
              "}\n"
              "#call(\"SUB\", \"x\")\n"
              "#jump(\"MISSING\")\n");
    dir.Write("scripts/ch1/sub.txt", "*SUB\n#print(\"sub \" : $_)\n#return()\n");
    Result compiled = RunProgram(
        "rillc", (dir.Path() / "scripts").string() + " " + (dir.Path() / "bincode").string(), dir);
    ASSERT_EQ(compiled.code, 0) << compiled.err;
    Result run = RunRillrun(dir.Str(), dir);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.out, "three\nsub x\n");
    EXPECT_TRUE(
        run.err.starts_with("err:[Script=\"main.txt\"/line=13] jump:"
                            "飛び先のラベルが見つかりません[MISSING]\n"))
        << run.err;
}
