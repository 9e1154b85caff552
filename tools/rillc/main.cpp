// rillc SCRIPTS_DIR OUT_DIR [-a] [-mc]: compiles the Rill sources into
// OUT_DIR/rillcode.rwb. rillc --dump FILE.rwb: lists a compiled file.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "rill_compiler.h"
#include "rill_dump.h"
#include "rill_file.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: rillc SCRIPTS_DIR OUT_DIR [-a] [-mc]\n"
                 "       rillc --dump FILE.rwb\n");
    return 2;
}

void Print(const RillDiagnostic& d) {
    const char* kind = d.warning ? "warning" : "error";
    if (d.path.empty()) {
        std::fprintf(stderr, "rillc: %s: %s\n", kind, d.message.c_str());
    } else if (d.line <= 0) {
        std::fprintf(stderr, "%s: %s: %s\n", d.path.c_str(), kind, d.message.c_str());
    } else {
        std::fprintf(stderr, "%s:%d: %s: %s\n", d.path.c_str(), d.line, kind, d.message.c_str());
    }
}

int Dump(const std::string& path) {
    GxRill model;
    std::string error;
    if (!ReadRillFile(model, path, error)) {
        std::fprintf(stderr, "%s: error: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    std::fputs(DumpRillModel(model).c_str(), stdout);
    return 0;
}

int Compile(const std::string& scriptsDir, const std::string& outDir) {
    RillCompiler compiler;
    const bool ok = CompileRillFolder(scriptsDir, compiler);
    for (const RillDiagnostic& d : compiler.GetDiagnostics())
        Print(d);
    if (!ok) {
        std::fprintf(stderr, "rillc: %d error(s); %s/rillcode.rwb is left as it was\n",
                     compiler.GetErrorCount(), outDir.c_str());
        return 1;
    }
    std::error_code ignored;
    std::filesystem::create_directories(outDir, ignored);
    const std::string target = (std::filesystem::path(outDir) / "rillcode.rwb").string();
    std::string error;
    if (!WriteRillFileReplacing(compiler.GetModel(), target, error)) {
        std::fprintf(stderr, "%s: error: %s\n", target.c_str(), error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> positional;
    bool dump = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dump") {
            dump = true;
        } else if (arg == "-a" || arg == "-mc") {
            // accepted for compatibility with the engine's command line
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "rillc: unknown option %s\n", arg.c_str());
            return Usage();
        } else {
            positional.push_back(arg);
        }
    }
    if (dump)
        return positional.size() == 1 ? Dump(positional[0]) : Usage();
    if (positional.size() != 2)
        return Usage();
    return Compile(positional[0], positional[1]);
}
