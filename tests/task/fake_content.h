#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "content/gx_content_reader.h"
#include "content/gx_content_writer.h"

namespace tasktest {

// A stream of named scalar values kept in memory; enough for the task classes.
using FakeValue = std::variant<bool, GxS32, GxU32, GxS64>;
using FakeStream = std::vector<std::pair<std::string, FakeValue>>;

#define FAKE_UNSUPPORTED_WRITE(T)              \
    bool WriteValue(const char*, T) override { \
        return Fail();                         \
    }

class FakeWriter : public GxContentWriterBase {
public:
    FakeStream stream;

    bool WriteValue(const char* name, bool v) override { return Put(name, v); }
    bool WriteValue(const char* name, GxS32 v) override { return Put(name, v); }
    bool WriteValue(const char* name, GxU32 v) override { return Put(name, v); }
    bool WriteValue(const char* name, GxS64 v) override { return Put(name, v); }
    FAKE_UNSUPPORTED_WRITE(const GxBit32&)
    FAKE_UNSUPPORTED_WRITE(const GxPoint4&)
    FAKE_UNSUPPORTED_WRITE(const GxPoint3&)
    FAKE_UNSUPPORTED_WRITE(const GxPoint2&)
    FAKE_UNSUPPORTED_WRITE(const GxFRect&)
    FAKE_UNSUPPORTED_WRITE(const GxRect&)
    FAKE_UNSUPPORTED_WRITE(const GxMatrix&)
    FAKE_UNSUPPORTED_WRITE(const GxFColor&)
    FAKE_UNSUPPORTED_WRITE(const GxQuat&)
    FAKE_UNSUPPORTED_WRITE(const GxVector4&)
    FAKE_UNSUPPORTED_WRITE(const GxVector3&)
    FAKE_UNSUPPORTED_WRITE(const GxVector2&)
    FAKE_UNSUPPORTED_WRITE(GxF64)
    FAKE_UNSUPPORTED_WRITE(GxF32)
    FAKE_UNSUPPORTED_WRITE(GxU64)
    FAKE_UNSUPPORTED_WRITE(GxU16)
    FAKE_UNSUPPORTED_WRITE(GxS16)
    FAKE_UNSUPPORTED_WRITE(GxU8)
    FAKE_UNSUPPORTED_WRITE(GxS8)
    FAKE_UNSUPPORTED_WRITE(const char16_t*)
    FAKE_UNSUPPORTED_WRITE(const char*)
    bool WriteFileHeader(const char*, GxU32) override { return Fail(); }
    bool WriteBinary(const char*, const void*, std::uint32_t) override { return Fail(); }
    bool WriteListBegin(const char*, const char*, GxU32) override { return Fail(); }
    bool WriteListEnd() override { return Fail(); }
    bool WriteTreeBegin(const char*, const char*) override { return Fail(); }
    bool WriteTreeEnd() override { return Fail(); }
    bool WriteTreeStratumBegin() override { return Fail(); }
    bool WriteTreeStratumEnd() override { return Fail(); }
    int GetErrorCount() override { return m_Errors; }
    void SetFile(FILE*) override {}

private:
    bool Put(const char* name, FakeValue value) {
        stream.emplace_back(name, value);
        return true;
    }
    bool Fail() {
        ++m_Errors;
        return false;
    }
    int m_Errors = 0;
};
#undef FAKE_UNSUPPORTED_WRITE

#define FAKE_UNSUPPORTED_READ(T)               \
    bool ReadValue(const char*, T&) override { \
        return Fail();                         \
    }

// Reads a FakeStream back; a missing value or one of another type is an error.
class FakeReader : public GxContentReaderBase {
public:
    explicit FakeReader(FakeStream stream) : m_Stream(std::move(stream)) {}

    bool ReadValue(const char* name, bool& out) override { return Take(name, out); }
    bool ReadValue(const char* name, GxS32& out) override { return Take(name, out); }
    bool ReadValue(const char* name, GxU32& out) override { return Take(name, out); }
    bool ReadValue(const char* name, GxS64& out) override { return Take(name, out); }
    FAKE_UNSUPPORTED_READ(GxBit32)
    FAKE_UNSUPPORTED_READ(GxPoint4)
    FAKE_UNSUPPORTED_READ(GxPoint3)
    FAKE_UNSUPPORTED_READ(GxPoint2)
    FAKE_UNSUPPORTED_READ(GxFRect)
    FAKE_UNSUPPORTED_READ(GxRect)
    FAKE_UNSUPPORTED_READ(GxMatrix)
    FAKE_UNSUPPORTED_READ(GxFColor)
    FAKE_UNSUPPORTED_READ(GxQuat)
    FAKE_UNSUPPORTED_READ(GxVector4)
    FAKE_UNSUPPORTED_READ(GxVector3)
    FAKE_UNSUPPORTED_READ(GxVector2)
    FAKE_UNSUPPORTED_READ(GxF64)
    FAKE_UNSUPPORTED_READ(GxF32)
    FAKE_UNSUPPORTED_READ(GxU64)
    FAKE_UNSUPPORTED_READ(GxU16)
    FAKE_UNSUPPORTED_READ(GxS16)
    FAKE_UNSUPPORTED_READ(GxU8)
    FAKE_UNSUPPORTED_READ(GxS8)
    void SetData(const void*, std::uint32_t) override {}
    void SetCheckName(int) override {}
    int PeekValueType() override { return VALTYPE_End; }
    bool ReadFileHeader(const char*, GxU32*) override { return Fail(); }
    std::string ReadString(const char*) override { return (Fail(), std::string()); }
    std::u16string ReadWString(const char*) override { return (Fail(), std::u16string()); }
    bool ReadBinary(const char*, GxBinBuffer&) override { return Fail(); }
    bool ReadListBegin(const char*, GxU32*) override { return Fail(); }
    bool ReadListEnd() override { return Fail(); }
    bool ReadTreeBegin(const char*) override { return Fail(); }
    bool ReadTreeEnd() override { return Fail(); }
    bool ReadTreeStratumBegin() override { return Fail(); }
    bool ReadTreeStratumEnd() override { return Fail(); }
    int GetErrorCount() override { return m_Errors; }
    bool IsEnd() override { return m_Next >= m_Stream.size(); }
    bool SkipValue() override { return IsEnd() ? Fail() : (++m_Next, true); }

private:
    template <class T>
    bool Take(const char* name, T& out) {
        if (IsEnd() || m_Stream[m_Next].first != name ||
            !std::holds_alternative<T>(m_Stream[m_Next].second)) {
            return Fail();
        }
        out = std::get<T>(m_Stream[m_Next++].second);
        return true;
    }
    bool Fail() {
        ++m_Errors;
        return false;
    }
    FakeStream m_Stream;
    size_t m_Next = 0;
    int m_Errors = 0;
};
#undef FAKE_UNSUPPORTED_READ

}  // namespace tasktest
