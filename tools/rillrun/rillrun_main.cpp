// rillrun GAME_OR_RWB [--label NAME] [--trace] [--skip-slight-errors]
// Runs a game's compiled scripts headless from a label (MAIN by default) to the
// end. Exit 0 when the scenario stops normally, 1 when an error halts it, 2 when
// the command line or the compiled file is wrong.
#include <cstring>
#include <iostream>

#include "base/gx_string.h"
#include "rill_code_file.h"
#include "rill_runner.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    RillRunOptions options;
    std::string input;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--label") == 0 && i + 1 < argc) {
            options.label = gx::Utf8ToUtf16(argv[++i]);
        } else if (std::strcmp(arg, "--trace") == 0) {
            options.trace = true;
        } else if (std::strcmp(arg, "--skip-slight-errors") == 0) {
            options.skipSlightErrors = true;
        } else if (arg[0] != '-' && input.empty()) {
            input = arg;
        } else {
            input.clear();
            break;
        }
    }
    if (input.empty()) {
        std::cerr << "usage: rillrun GAME_OR_RWB [--label NAME] [--trace] [--skip-slight-errors]\n";
        return 2;
    }
    RillRunEngine engine(std::cout, std::cerr);
    if (!LoadRillCodeFile(ResolveRillCodePath(input), engine, std::cerr))
        return 2;
    const int code = RunRillEngine(engine, options, std::cout, std::cerr);
    std::cout.flush();
    return code;
}
