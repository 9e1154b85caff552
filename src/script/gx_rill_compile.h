#pragma once

#include <string>

#include "base/gx_bin_buffer.h"
#include "content/gx_content_reader.h"

class GxRill;

// Runs the script compiler over the game's scripts folder, as the AutoCompile
// switch asks at start-up: `rillc` beside the engine's executable, else on PATH,
// with the scripts and bincode folders of the current directory, -a and -mc.
// Returns the compiler's exit code, or 1 when it cannot be started; failures
// are written to the error log. The start-up goes on either way.
int CompileScripts();
// The same with a given compiler program and game folder (tests, tools).
int CompileScriptsWith(const std::string& compiler, const std::string& gameFolder);

// Reads `bincode/rillcode.rwb` through the file layer into the engine. False,
// with nothing changed, when the file cannot be read; otherwise the result of
// GxRill::Read (which leaves the tables empty for a damaged file). The caller
// initialises the EXTERN variables and the main worker after success.
bool LoadCompiledScripts(GxRill& engine);
// Reads compiled scripts from `bytes` with `reader`: false, with nothing
// changed, for no bytes; otherwise the result of GxRill::Read.
bool LoadCompiledScriptsFrom(GxRill& engine, const GxBinBuffer& bytes, GxContentReaderBase& reader);
