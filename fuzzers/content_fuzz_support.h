#pragma once

#include <cstdio>

#include "base/gx_log.h"
#include "content/gx_content_any_value.h"
#include "content/gx_content_binary_writer.h"
#include "content/gx_content_text_writer.h"

namespace gxfuzz {

// Swallows the log so that damaged input does not flood the output.
class QuietLog : public GxDebugListenerBase {
public:
    QuietLog() { gx::SetDebugListener(this); }
    ~QuietLog() override { gx::SetDebugListener(nullptr); }
    void OnDebugOutput(std::u16string_view, int) override {}
};

// Reads every value the reader can make out, skipping what it cannot, and
// writes each one again in both forms.
inline void ReadEverything(GxContentReaderBase& reader, size_t limit) {
    FILE* sink = std::fopen("/dev/null", "wb");
    GxContentBinaryWriter binary(sink);
    GxContentTextWriter text(sink);
    for (size_t step = 0; step <= limit && !reader.IsEnd(); ++step) {
        if (std::optional<GxAnyValue> value = gx::ReadAnyValue(reader)) {
            gx::WriteAnyValue(binary, *value);
            gx::WriteAnyValue(text, *value);
        } else {
            reader.SkipValue();
        }
    }
    if (sink)
        std::fclose(sink);
}

}  // namespace gxfuzz
