#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gx {

using GxProcessId = std::int64_t;

// Starts a program with a plain argument list (no shell); the program is looked
// up on PATH when it has no '/'. False when it cannot be started.
bool StartProcess(const std::vector<std::u16string>& arguments, GxProcessId& process);
// Waits for a started program to end; its exit code, or -1 when it was killed
// by a signal or cannot be waited for.
int WaitProcess(GxProcessId process);

}  // namespace gx
