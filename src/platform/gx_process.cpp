#include "platform/gx_process.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "base/gx_string.h"

extern char** environ;

namespace gx {

bool StartProcess(const std::vector<std::u16string>& arguments, GxProcessId& process) {
    process = 0;
    if (arguments.empty() || arguments.front().empty())
        return false;
    std::vector<std::string> narrow;
    narrow.reserve(arguments.size());
    for (const std::u16string& argument : arguments)
        narrow.push_back(Utf16ToUtf8(argument));
    std::vector<char*> argv;
    for (std::string& argument : narrow)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    process = pid;
    return true;
}

int WaitProcess(GxProcessId process) {
    if (process <= 0)
        return -1;
    int status = 0;
    pid_t result = 0;
    do {
        result = waitpid(static_cast<pid_t>(process), &status, 0);
    } while (result < 0 && errno == EINTR);
    if (result < 0 || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace gx
