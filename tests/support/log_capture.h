#pragma once

#include <string>
#include <vector>

#include "base/gx_log.h"

namespace gxtest {

// Collects every logged text while it lives.
class LogCapture : public GxDebugListenerBase {
public:
    LogCapture() {
        gx::SetSkipSlightErrors(false);
        gx::SetDebugListener(this);
    }
    ~LogCapture() override { gx::SetDebugListener(nullptr); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    void OnDebugOutput(std::u16string_view text, int /*level*/) override {
        lines.emplace_back(text);
    }
    std::vector<std::u16string> lines;
};

}  // namespace gxtest
