#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/gx_format.h"

// Receives every logged text (with its level: 0 slight error, 1 error, 2 debug)
// while it is installed; the debug console is the engine's listener.
class GxDebugListenerBase {
public:
    virtual ~GxDebugListenerBase() = default;
    virtual void OnDebugOutput(std::u16string_view text, int level) = 0;
};

namespace gx {

// Log files are UTF-16LE, appended line by line; a new file starts with FF FE.
// An empty path or a file that cannot be opened is skipped silently.
void SetLogPaths(const std::u16string& errorLog, const std::u16string& debugLog,
                 const std::u16string& deviceLog);
const std::u16string& GetErrorLogPath();
const std::u16string& GetDebugLogPath();
const std::u16string& GetDeviceLogPath();

void SetDebugListener(GxDebugListenerBase* listener);
GxDebugListenerBase* GetDebugListener();
void SetSkipSlightErrors(bool skip);
bool GetSkipSlightErrors();
int GetErrorCount();
void ResetErrorCount();

void LogErrorText(std::u16string_view text);
void LogSlightErrorText(std::u16string_view text);
void LogDebugText(std::u16string_view text);
void LogDeviceText(std::u16string_view text);

// Appends `text` to `path` as UTF-16LE (byte-order mark first on a new file).
bool AppendUtf16Log(const std::u16string& path, std::u16string_view text);

}  // namespace gx

template <class... Args>
void LogError(std::u16string_view format, const Args&... args) {
    gx::LogErrorText(gx::Format(format, args...));
}
template <class... Args>
void LogSlightError(std::u16string_view format, const Args&... args) {
    if (!gx::GetSkipSlightErrors()) gx::LogSlightErrorText(gx::Format(format, args...));
}
// An 8-bit (UTF-8) format; the text is converted to UTF-16 before it is written.
template <class... Args>
void LogErrorNarrow(std::string_view format, const Args&... args);
template <class... Args>
void LogDebug(std::u16string_view format, const Args&... args) {
    gx::LogDebugText(gx::Format(format, args...));
}
template <class... Args>
void LogDevice(std::u16string_view format, const Args&... args) {
    gx::LogDeviceText(gx::Format(format, args...));
}
// Raw bytes (UTF-8, else the ANSI code page) written to the error log as UTF-16LE.
void LogErrorBytes(const void* data, size_t length);

namespace gx {
std::u16string NarrowFormatToWide(std::string_view format);
}

template <class... Args>
void LogErrorNarrow(std::string_view format, const Args&... args) {
    gx::LogErrorText(gx::Format(gx::NarrowFormatToWide(format), args...));
}
