#include <cstdio>
#include <string>
#include <vector>

#include "core/gx_entry.h"

// The system's GL driver, loaded for the window, keeps allocations it never
// frees; sanitizer builds of the engine check leaks in the tests instead.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    GxEntryOptions options;
    std::string error;
    if (!gx::ParseEntryOptions(arguments, options, error)) {
        std::fprintf(stderr, "gxadv: %s\n%s", error.c_str(), gx::EntryUsage());
        return 2;
    }
    if (options.help) {
        std::fputs(gx::EntryUsage(), stdout);
        return 0;
    }
    return gx::RunEntry(options);
}
