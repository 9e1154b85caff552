#include "base/gx_log.h"

#include <atomic>
#include <cstdio>
#include <mutex>

#include "base/gx_string.h"

namespace gx {
namespace {

// Sound and loader threads log too: the paths and the files are used under one lock.
std::recursive_mutex& LogMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

struct LogState {
    std::u16string errorPath, debugPath, devicePath;
    GxDebugListenerBase* listener = nullptr;
    bool skipSlight = false;
};

LogState& State() {
    static LogState state;
    return state;
}

std::atomic<int> g_ErrorCount{0};

constexpr size_t kListenerBufferChars = 1024;

void Notify(std::u16string_view text, int level) {
    GxDebugListenerBase* listener = State().listener;
    if (!listener) return;
    // The listener receives what fits a buffer of 1024 wide characters.
    listener->OnDebugOutput(text.substr(0, kListenerBufferChars - 1), level);
}

}  // namespace

bool AppendUtf16Log(const std::u16string& path, std::u16string_view text) {
    if (path.empty()) return false;
    std::lock_guard<std::recursive_mutex> lock(LogMutex());
    FILE* file = std::fopen(Utf16ToUtf8(path).c_str(), "ab");
    if (!file) return false;
    std::string bytes;
    std::fseek(file, 0, SEEK_END);
    if (std::ftell(file) == 0) bytes.append("\xFF\xFE");
    bytes.reserve(bytes.size() + text.size() * 2 + 8);
    for (char16_t c : text) {
        // Log files are text files: a line feed is written as CR LF.
        if (c == u'\n') bytes.append("\r\0", 2);
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

void SetLogPaths(const std::u16string& errorLog, const std::u16string& debugLog,
                 const std::u16string& deviceLog) {
    std::lock_guard<std::recursive_mutex> lock(LogMutex());
    State().errorPath = errorLog;
    State().debugPath = debugLog;
    State().devicePath = deviceLog;
}

const std::u16string& GetErrorLogPath() { return State().errorPath; }
const std::u16string& GetDebugLogPath() { return State().debugPath; }
const std::u16string& GetDeviceLogPath() { return State().devicePath; }

void SetDebugListener(GxDebugListenerBase* listener) {
    std::lock_guard<std::recursive_mutex> lock(LogMutex());
    State().listener = listener;
}
GxDebugListenerBase* GetDebugListener() { return State().listener; }
void SetSkipSlightErrors(bool skip) { State().skipSlight = skip; }
bool GetSkipSlightErrors() { return State().skipSlight; }
int GetErrorCount() { return g_ErrorCount.load(); }
void ResetErrorCount() { g_ErrorCount = 0; }

void LogErrorText(std::u16string_view text) {
    std::lock_guard<std::recursive_mutex> lock(LogMutex());
    ++g_ErrorCount;
    AppendUtf16Log(State().errorPath, text);
    Notify(text, 1);
}

void LogSlightErrorText(std::u16string_view text) {
    std::lock_guard<std::recursive_mutex> lock(LogMutex());
    if (State().skipSlight) return;
    ++g_ErrorCount;
    AppendUtf16Log(State().errorPath, text);
    Notify(text, 0);
}

void LogDebugText(std::u16string_view text) {
    std::lock_guard<std::recursive_mutex> lock(LogMutex());
    AppendUtf16Log(State().debugPath, text);
    Notify(text, 2);
}

void LogDeviceText(std::u16string_view text) {
    std::lock_guard<std::recursive_mutex> lock(LogMutex());
    AppendUtf16Log(State().devicePath, text);
}

std::u16string NarrowFormatToWide(std::string_view format) {
    return IsValidUtf8(format) ? Utf8ToUtf16(format) : AnsiToUtf16(format);
}

}  // namespace gx

void LogErrorBytes(const void* data, size_t length) {
    std::string_view bytes(static_cast<const char*>(data), data ? length : 0);
    std::lock_guard<std::recursive_mutex> lock(gx::LogMutex());
    ++gx::g_ErrorCount;
    gx::AppendUtf16Log(gx::State().errorPath, gx::NarrowFormatToWide(bytes));
}
