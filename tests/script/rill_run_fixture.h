#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/gx_string.h"
#include "fake_content.h"
#include "rill_compiler.h"
#include "rill_runner.h"

namespace gxtest {

// Compiles Rill sources with the compiler library and loads the result into a
// runner engine, the way rillrun loads rillcode.rwb.
struct RillProgram {
    std::ostringstream out;
    std::ostringstream err;
    RillRunEngine engine{out, err};
    std::string compileErrors;

    explicit RillProgram(std::vector<std::pair<std::u16string, std::u16string>> sources) {
        RillCompiler compiler;
        for (auto& [name, text] : sources) {
            RillSourceFile source;
            source.path = gx::Utf16ToUtf8(name);
            source.scriptName = name;
            source.text = text;
            compiler.AddSource(source);
        }
        compiler.Finish();
        for (const RillDiagnostic& d : compiler.GetDiagnostics()) {
            if (!d.warning)
                compileErrors += d.path + ":" + std::to_string(d.line) + ": " + d.message + "\n";
        }
        FakeContentWriter writer;
        compiler.GetModel().Write(writer);
        FakeContentReader reader(writer.entries);
        engine.Read(reader);
    }
    explicit RillProgram(std::u16string mainText)
        : RillProgram(std::vector<std::pair<std::u16string, std::u16string>>{
              {u"main.txt", std::move(mainText)}}) {}

    int Run(RillRunOptions options = {}) { return RunRillEngine(engine, options, out, err); }
    std::string Out() const { return out.str(); }
    std::string Err() const { return err.str(); }
};

}  // namespace gxtest
