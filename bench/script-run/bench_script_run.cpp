// Statements per second of the headless runner beside the same programs in
// Lua 5.4, measured in one run:
//   loop:     a loop over labels and jumpif that executes 100,000 statements;
//   straight: a script of 100,000 assignment lines, each run once.
// Usage: bench_script_run [LUA_INTERPRETER [STATEMENTS]]   (lua5.4, 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "base/gx_string.h"
#include "rill_compiler.h"
#include "rill_runner.h"

namespace {

int kStatements = 100000;
constexpr int kLoopStatementsPerPass = 4;

struct Program {
    std::u16string rill;
    std::string lua;
    long statements;
};

Program LoopProgram() {
    const int passes = kStatements / kLoopStatementsPerPass;
    Program p;
    p.rill =
        u"GLOBAL $i = 0\nGLOBAL $sum = 0\nGLOBAL $x = 0\n*MAIN\n*@loop\n"
        u"$sum = $sum + $i * 2\n"
        u"$x = ($sum % 7) - 3\n"
        u"$i += 1\n"
        u"#jumpif($i < " +
        gx::ToU16(passes) + u", \"@loop\", \"\")\n#bg($sum, $x)\n";
    p.lua =
        "local i, sum, x = 0, 0, 0\nlocal t0 = os.clock()\nrepeat\n"
        "  sum = sum + i * 2\n"
        "  x = (sum % 7) - 3\n"
        "  i = i + 1\n"
        "until not (i < " +
        std::to_string(passes) +
        ")\nlocal t1 = os.clock()\nio.write(string.format('%.6f bg(%d, %d)', t1 - t0, sum, x))\n";
    p.statements = static_cast<long>(passes) * kLoopStatementsPerPass + 1;
    return p;
}

Program StraightProgram() {
    Program p;
    p.rill = u"*MAIN\nLOCAL $a = 1\n";
    std::string body;
    for (int i = 0; i < kStatements; ++i) {
        p.rill += (i % 2 == 0) ? u"$a = $a * 3 + 1\n" : u"$a = $a % 1000\n";
        body += (i % 2 == 0) ? "a = a * 3 + 1\n" : "a = a % 1000\n";
    }
    p.rill += u"#bg($a)\n";
    // Lua limits a function's size, not the number of assignments to one local.
    p.lua = "local t0 = os.clock()\nlocal a = 1\n" + body +
            "local t1 = os.clock()\nio.write(string.format('%.6f bg(%d)', t1 - t0, a))\n";
    p.statements = kStatements + 2;
    return p;
}

double RunRill(const Program& program, std::string& output) {
    RillCompiler compiler;
    RillSourceFile source;
    source.path = "main.txt";
    source.scriptName = u"main.txt";
    source.text = program.rill;
    compiler.AddSource(source);
    if (!compiler.Finish()) {
        std::fprintf(stderr, "the benchmark script does not compile\n");
        return -1;
    }
    // The compiled model runs as rillrun runs a loaded one; loading is not timed.
    std::ostringstream out, err;
    GxRill& engine = compiler.GetModel();
    RillRunOptions options;
    options.skipSlightErrors = true;
    options.trace = true;  // the closing bg(...) shows the result
    const auto start = std::chrono::steady_clock::now();
    const int code = RunRillEngine(engine, options, out, err);
    const auto stop = std::chrono::steady_clock::now();
    output = out.str();
    if (code != 0)
        std::fprintf(stderr, "rill run failed: %s\n", err.str().c_str());
    return std::chrono::duration<double>(stop - start).count();
}

double RunLua(const Program& program, const std::string& interpreter, std::string& output) {
    const std::string path = "/tmp/bench_script_run.lua";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return -1;
    std::fwrite(program.lua.data(), 1, program.lua.size(), file);
    std::fclose(file);
    FILE* pipe = popen((interpreter + " " + path).c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[256] = {};
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, pipe);
    const int status = pclose(pipe);
    std::remove(path.c_str());
    if (status != 0 || n == 0)
        return -1;
    output.assign(buffer, n);
    return std::stod(output);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string lua = argc > 1 ? argv[1] : "lua5.4";
    if (argc > 2)
        kStatements = std::atoi(argv[2]);
    std::printf("%-9s %12s %14s %12s %14s %8s\n", "program", "statements", "rill stmt/s", "rill s",
                "lua stmt/s", "ratio");
    const struct {
        const char* name;
        Program program;
    } programs[] = {{"loop", LoopProgram()}, {"straight", StraightProgram()}};
    for (const auto& entry : programs) {
        std::string rillOut, luaOut;
        const double rillSeconds = RunRill(entry.program, rillOut);
        const double luaSeconds = RunLua(entry.program, lua, luaOut);
        const double rillRate = entry.program.statements / rillSeconds;
        const double luaRate = luaSeconds > 0 ? entry.program.statements / luaSeconds : 0;
        std::printf("%-9s %12ld %14.0f %12.4f %14.0f %7.1fx\n", entry.name,
                    entry.program.statements, rillRate, rillSeconds, luaRate,
                    rillRate > 0 ? luaRate / rillRate : 0);
        std::printf("          results: rill %s, lua %s (lua %.4f s)\n",
                    rillOut.substr(0, rillOut.find('\n')).c_str(),
                    luaOut.substr(luaOut.find(' ') + 1).c_str(), luaSeconds);
    }
    return 0;
}
