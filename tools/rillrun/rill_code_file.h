#pragma once

#include <ostream>
#include <string>

#include "script/gx_rill.h"

// The compiled scripts of a game folder (bincode/rillcode.rwb below it) or of
// the file given.
std::string ResolveRillCodePath(const std::string& gameOrFile);
// Reads a compiled script file into the engine; false (with a message on `err`)
// when it cannot be read or is damaged.
bool LoadRillCodeFile(const std::string& path, GxRill& engine, std::ostream& err);
// Writes the engine's compiled scripts to `path` (for tools and tests).
bool SaveRillCodeFile(const std::string& path, const GxRill& engine);
