#pragma once

#include <string>

class GxRill;

// A readable listing of a compiled model (UTF-8): the global labels, variable
// and built-in definitions, then each script's labels, STATIC definitions and
// steps, one step per line with its tokens (type, display text, string,
// integer, jump slots). Steps and slots are the engine's 0-based positions.
std::string DumpRillModel(const GxRill& model);
