#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "content/gx_content_binary_reader.h"
#include "rill_compiler.h"
#include "rill_dump.h"
#include "rill_file.h"
#include "script/gx_rill_compile.h"
#include "support/temp_dir.h"

namespace {

struct ProgramRun {
    int status = -1;
    std::string output;  // standard output and standard error together
};

ProgramRun RunRillc(const std::string& arguments) {
    const char* bin = std::getenv("GX_BIN_DIR");
    std::string command = std::string(bin ? bin : "build/bin") + "/rillc " + arguments + " 2>&1";
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, got);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

const char* kMain =
    "*MAIN\n"
    "GLOBAL $met = 0\n"
    "IF ($met == 0) {\n"
    "  アリス「はじめまして」\n"
    "} ELSE {\n"
    "  #jump(\"@again\")\n"
    "}\n"
    "*@again\n";

TEST(RillcProgram, CompilesDumpsAndKeepsTheOldFileOnErrors) {
    gxtest::TempDir dir;
    dir.Write("game/scripts/main.txt", kMain);
    const std::string scripts = dir.Str() + "/game/scripts";
    const std::string out = dir.Str() + "/game/bincode";
    ProgramRun ok = RunRillc(scripts + " " + out + " -a -mc");
    ASSERT_EQ(ok.status, 0) << ok.output;
    const std::string compiled = dir.Read("game/bincode/rillcode.rwb");
    ASSERT_FALSE(compiled.empty());

    ProgramRun dump = RunRillc("--dump " + out + "/rillcode.rwb");
    ASSERT_EQ(dump.status, 0) << dump.output;
    EXPECT_NE(dump.output.find("  step 2: [27 IF slot1=(2,2)]"), std::string::npos) << dump.output;
    EXPECT_NE(dump.output.find("[8 テキスト \"アリス「はじめまして」\"]"), std::string::npos);
    EXPECT_NE(dump.output.find("variable \"met\" scope=6"), std::string::npos);

    dir.Write("game/scripts/ch1/broken.txt", "*X\n$a = 1 2\nWHILE (1) {\n");
    ProgramRun failed = RunRillc(scripts + " " + out);
    EXPECT_NE(failed.status, 0);
    EXPECT_NE(
        failed.output.find(scripts + "/ch1/broken.txt:2: error: Phase_Expr 式に間違いがあります"),
        std::string::npos)
        << failed.output;
    EXPECT_NE(failed.output.find("broken.txt:3: error: WHILE is reserved"), std::string::npos);
    EXPECT_EQ(dir.Read("game/bincode/rillcode.rwb"), compiled);
    EXPECT_FALSE(std::filesystem::exists(out + "/rillcode.rwb.new"));

    EXPECT_NE(RunRillc(scripts).status, 0);
    EXPECT_NE(RunRillc("--dump " + dir.Str() + "/nothing.rwb").status, 0);
}

TEST(RillFile, BinaryRoundTripAndDamage) {
    gxtest::TempDir dir;
    RillCompiler compiler;
    RillSourceFile source;
    source.path = "main.txt";
    source.scriptName = u"main.txt";
    source.text = u"*MAIN\nSTATIC $t[2] = ARRAY(1.5, \"x\")\nIF ($a) {\n}\n#bg(\"b\", -1)\n";
    compiler.AddSource(source);
    ASSERT_TRUE(compiler.Finish());
    const std::string path = dir.Str() + "/rillcode.rwb";
    std::string error;
    ASSERT_TRUE(WriteRillFileReplacing(compiler.GetModel(), path, error)) << error;

    GxRill loaded;
    ASSERT_TRUE(ReadRillFile(loaded, path, error)) << error;
    EXPECT_EQ(DumpRillModel(loaded), DumpRillModel(compiler.GetModel()));

    // Every truncation is refused and leaves no tables behind.
    const std::string bytes = dir.Read("rillcode.rwb");
    for (size_t cut = 1; cut < bytes.size(); cut += 7) {
        GxBinBuffer buffer(static_cast<std::uint32_t>(cut));
        std::copy(bytes.begin(), bytes.begin() + cut, buffer.GetData());
        GxContentBinaryReader reader;
        GxRill damaged;
        EXPECT_FALSE(LoadCompiledScriptsFrom(damaged, buffer, reader)) << cut;
        EXPECT_TRUE(damaged.GetScripts().empty());
        EXPECT_TRUE(damaged.GetBuiltinDefinitions().empty());
    }
}

TEST(RillFile, LoadCompiledScriptsFromTheGameFolder) {
    gxtest::TempDir dir;
    RillCompiler compiler;
    RillSourceFile source{"main.txt", u"main.txt", u"*MAIN\n$a = 1\n"};
    compiler.AddSource(source);
    ASSERT_TRUE(compiler.Finish());
    std::filesystem::create_directories(dir.Path() / "bincode");
    std::string error;
    ASSERT_TRUE(
        WriteRillFileReplacing(compiler.GetModel(), dir.Str() + "/bincode/rillcode.rwb", error));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    GxRill engine;
    const bool loaded = LoadCompiledScripts(engine);
    std::filesystem::remove(dir.Path() / "bincode/rillcode.rwb");
    GxRill empty;
    const bool missing = LoadCompiledScripts(empty);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(loaded);
    EXPECT_NE(engine.FindGlobalLabel(u"MAIN"), nullptr);
    EXPECT_FALSE(missing);
}

}  // namespace
