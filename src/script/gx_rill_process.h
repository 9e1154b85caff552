#pragma once

#include <optional>
#include <string>
#include <vector>

namespace gx {

// Starts `program` with `arguments` (each passed as it is: no shell, no quoting)
// and waits without a time limit. A program without '/' is searched on PATH.
// Returns the exit code (128 + the signal when a signal ended it), or nothing
// when the program could not be started.
// (Kept here until the platform layer offers process start.)
std::optional<int> RunProcessAndWait(const std::string& program,
                                     const std::vector<std::string>& arguments);

// The folder of the running executable, with a trailing '/'; empty if unknown.
std::string GetExecutableFolder();

}  // namespace gx
