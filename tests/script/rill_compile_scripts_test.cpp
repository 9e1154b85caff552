#include <gtest/gtest.h>

#include <sys/stat.h>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "script/gx_rill_compile.h"
#include "support/temp_dir.h"

namespace {

class LogCapture : public GxDebugListenerBase {
public:
    LogCapture() { gx::SetDebugListener(this); }
    ~LogCapture() override { gx::SetDebugListener(nullptr); }
    void OnDebugOutput(std::u16string_view text, int) override { lines.emplace_back(text); }
    std::vector<std::u16string> lines;
};

// A stand-in compiler that records its arguments, one per line, and exits with `code`.
std::string FakeCompiler(const gxtest::TempDir& dir, int code) {
    const std::string path = dir.Str() + "/fake rillc";
    dir.Write("fake rillc", "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"" + dir.Str() +
                                "/args.txt\"\nexit " + std::to_string(code) + "\n");
    chmod(path.c_str(), 0755);
    return path;
}

TEST(RillCompileScripts, PassesTheFoldersAsPlainArguments) {
    gxtest::TempDir dir;
    LogCapture log;
    const std::string game = dir.Str() + "/my game";
    EXPECT_EQ(CompileScriptsWith(FakeCompiler(dir, 0), game), 0);
    EXPECT_EQ(dir.Read("args.txt"), game + "/scripts\n" + game + "/bincode\n-a\n-mc\n");
    EXPECT_TRUE(log.lines.empty());
}

TEST(RillCompileScripts, ReportsAFailedCompilation) {
    gxtest::TempDir dir;
    LogCapture log;
    EXPECT_EQ(CompileScriptsWith(FakeCompiler(dir, 3), dir.Str() + "/"), 3);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], u"コンパイル時にエラーが発生したため古いスクリプトを実行しています\n");
}

TEST(RillCompileScripts, ReportsACompilerThatCannotStart) {
    gxtest::TempDir dir;
    LogCapture log;
    EXPECT_EQ(CompileScriptsWith(dir.Str() + "/missing", dir.Str()), 1);
    EXPECT_EQ(CompileScriptsWith("no-such-compiler-on-path", dir.Str()), 1);
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], u"スクリプトコンパイラの起動に失敗しました\n");
}

}  // namespace

#include "fake_content.h"
#include "script/gx_rill.h"

namespace {

TEST(RillEngineLog, ErrorsAndWarningsAreWrittenWithScriptAndLine) {
    LogCapture log;
    const bool skip = gx::GetSkipSlightErrors();
    GxRillEx engine;
    gx::SetSkipSlightErrors(false);
    engine.Error(u"main.txt", 2, u"%s[%s]", u"bad", u"x");
    engine.Warning(u"*", -1, u"w%d", 1);
    gx::SetSkipSlightErrors(true);
    engine.Warning(u"main.txt", 0, u"skipped");
    gx::SetSkipSlightErrors(skip);
    ASSERT_EQ(log.lines.size(), 2u);
    EXPECT_EQ(log.lines[0], u"err:[Script=\"main.txt\"/line=3] bad[x]\n");
    EXPECT_EQ(log.lines[1], u"warn:[Script=\"*\"/line=0] w1\n");
    EXPECT_EQ(engine.GetErrorCount(), 1);
    EXPECT_EQ(engine.GetWarningCount(), 2);
    engine.SetErrorStop(true);
    engine.ResetStatus();
    EXPECT_FALSE(engine.GetErrorStop());
    EXPECT_EQ(engine.GetErrorCount(), 0);
}

TEST(RillLoad, NoBytesChangeNothing) {
    GxRill engine;
    engine.AddBuiltinDefinition(GxRillBuiltinDefinition(u"int", 1));
    GxBinBuffer empty;
    gxtest::FakeContentReader reader({});
    EXPECT_FALSE(LoadCompiledScriptsFrom(engine, empty, reader));
    EXPECT_EQ(engine.GetBuiltinDefinitions().size(), 1u);
}

}  // namespace
