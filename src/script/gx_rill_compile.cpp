#include "script/gx_rill_compile.h"

#include <filesystem>
#include <system_error>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "content/gx_content_binary_reader.h"
#include "file/gx_file.h"
#include "platform/gx_folders.h"
#include "platform/gx_process.h"
#include "script/gx_rill.h"

namespace {

// The compiler beside the running executable, else the bare name for a PATH search.
std::string FindCompiler() {
    const std::string folder = gx::GetExecutableFolder();
    if (!folder.empty()) {
        std::error_code error;
        const std::string beside = folder + "rillc";
        if (std::filesystem::is_regular_file(beside, error))
            return beside;
    }
    return "rillc";
}

}  // namespace

int CompileScripts() {
    std::error_code error;
    std::string current = std::filesystem::current_path(error).generic_string();
    return CompileScriptsWith(FindCompiler(), current);
}

int CompileScriptsWith(const std::string& compiler, const std::string& gameFolder) {
    std::string base = gameFolder;
    for (char& c : base) {
        if (c == '\\')
            c = '/';
    }
    if (base.empty() || base.back() != '/')
        base += '/';
    gx::GxProcessId process = 0;
    if (!gx::StartProcess({gx::Utf8ToUtf16(compiler), gx::Utf8ToUtf16(base + "scripts"),
                           gx::Utf8ToUtf16(base + "bincode"), u"-a", u"-mc"},
                          process)) {
        LogError(u"スクリプトコンパイラの起動に失敗しました\n");
        return 1;
    }
    const int exitCode = gx::WaitProcess(process);
    if (exitCode != 0)
        LogError(u"コンパイル時にエラーが発生したため古いスクリプトを実行しています\n");
    return exitCode;
}

bool LoadCompiledScriptsFrom(GxRill& engine, const GxBinBuffer& bytes,
                             GxContentReaderBase& reader) {
    if (bytes.GetSize() == 0)
        return false;
    reader.SetData(bytes.GetData(), bytes.GetSize());
    return engine.Read(reader);
}

bool LoadCompiledScripts(GxRill& engine) {
    GxBinBuffer bytes;
    if (!LoadFile(bytes, u"bincode/rillcode.rwb", false, true) || bytes.GetSize() == 0)
        return false;
    GxContentBinaryReader reader;
    return LoadCompiledScriptsFrom(engine, bytes, reader);
}
