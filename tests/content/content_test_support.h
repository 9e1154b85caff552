#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "content/gx_content_writer.h"
#include "support/log_capture.h"

namespace gxtest {

// The last logged text as UTF-8, for comparing with message literals.
inline std::string LastLog(const LogCapture& log) {
    return log.lines.empty() ? std::string() : gx::Utf16ToUtf8(log.lines.back());
}

// Runs `write` against a writer of type W over an in-memory stream and returns
// the bytes it produced.
template <class W>
std::string WriteToBytes(const std::function<void(GxContentWriterBase&)>& write) {
    char* data = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&data, &size);
    {
        W writer(stream);
        write(writer);
    }
    std::fclose(stream);
    std::string bytes(data, size);
    std::free(data);
    return bytes;
}

// Bytes from a list of values 0..255, for hand-written binary fixtures.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// A content reader over its own copy of the bytes.
template <class Reader>
class ReaderOver : public Reader {
public:
    explicit ReaderOver(std::string bytes) : m_Bytes(std::move(bytes)) {
        this->SetData(m_Bytes.data(), static_cast<std::uint32_t>(m_Bytes.size()));
    }
    ReaderOver(const ReaderOver&) = delete;
    ReaderOver& operator=(const ReaderOver&) = delete;

private:
    std::string m_Bytes;
};

}  // namespace gxtest
