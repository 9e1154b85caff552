#pragma once

#include <string>
#include <variant>
#include <vector>

#include "content/gx_content_reader.h"
#include "content/gx_content_writer.h"

// A content stream kept as a list of typed values, standing in for the binary
// form in tests: the reader fails on a type mismatch or at the end.
inline bool operator==(const GxBit32& a, const GxBit32& b) {
    return a.bits == b.bits;
}

namespace gxtest {

using FakeValue = std::variant<GxS32, GxU32, GxS64, GxBit32, std::u16string>;
struct FakeEntry {
    std::string name;
    FakeValue value;
    bool listBegin = false;
    bool listEnd = false;
};

class FakeContentWriter : public GxContentWriterBase {
public:
    std::vector<FakeEntry> entries;

    bool WriteFileHeader(const char*, GxU32) override { return true; }
#define GX_FAKE_IGNORE(T)                      \
    bool WriteValue(const char*, T) override { \
        return Unsupported();                  \
    }
    GX_FAKE_IGNORE(const GxPoint4&)
    GX_FAKE_IGNORE(const GxPoint3&)
    GX_FAKE_IGNORE(const GxPoint2&)
    GX_FAKE_IGNORE(const GxFRect&)
    GX_FAKE_IGNORE(const GxRect&)
    GX_FAKE_IGNORE(const GxMatrix&)
    GX_FAKE_IGNORE(const GxFColor&)
    GX_FAKE_IGNORE(const GxQuat&)
    GX_FAKE_IGNORE(const GxVector4&)
    GX_FAKE_IGNORE(const GxVector3&)
    GX_FAKE_IGNORE(const GxVector2&)
    GX_FAKE_IGNORE(bool)
    GX_FAKE_IGNORE(GxF64)
    GX_FAKE_IGNORE(GxF32)
    GX_FAKE_IGNORE(GxU64)
    GX_FAKE_IGNORE(GxU16)
    GX_FAKE_IGNORE(GxS16)
    GX_FAKE_IGNORE(GxU8)
    GX_FAKE_IGNORE(GxS8)
    GX_FAKE_IGNORE(const char*)
#undef GX_FAKE_IGNORE
    bool WriteValue(const char* name, const GxBit32& v) override {
        return Add(name, v);
    }
    bool WriteValue(const char* name, GxS64 v) override {
        return Add(name, v);
    }
    bool WriteValue(const char* name, GxU32 v) override {
        return Add(name, v);
    }
    bool WriteValue(const char* name, GxS32 v) override {
        return Add(name, v);
    }
    bool WriteValue(const char* name, const char16_t* v) override {
        return Add(name, std::u16string(v));
    }
    bool WriteBinary(const char*, const void*, std::uint32_t) override {
        return Unsupported();
    }
    bool WriteListBegin(const char* name, const char*, GxU32 count) override {
        entries.push_back({name, count, true, false});
        return true;
    }
    bool WriteListEnd() override {
        entries.push_back({"", GxU32(0), false, true});
        return true;
    }
    bool WriteTreeBegin(const char*, const char*) override {
        return Unsupported();
    }
    bool WriteTreeEnd() override {
        return Unsupported();
    }
    bool WriteTreeStratumBegin() override {
        return Unsupported();
    }
    bool WriteTreeStratumEnd() override {
        return Unsupported();
    }
    int GetErrorCount() override {
        return m_Errors;
    }
    void SetFile(FILE*) override {}

private:
    bool Add(const char* name, FakeValue value) {
        entries.push_back({name, std::move(value)});
        return true;
    }
    bool Unsupported() {
        ++m_Errors;
        return false;
    }
    int m_Errors = 0;
};

class FakeContentReader : public GxContentReaderBase {
public:
    explicit FakeContentReader(std::vector<FakeEntry> entries) : m_Entries(std::move(entries)) {}

    void SetData(const void*, std::uint32_t) override {}
    void SetCheckName(int) override {}
    int PeekValueType() override { return 0; }
    bool ReadFileHeader(const char*, GxU32*) override { return Fail(); }
#define GX_FAKE_IGNORE(T)                      \
    bool ReadValue(const char*, T&) override { \
        return Fail();                         \
    }
    GX_FAKE_IGNORE(GxPoint4)
    GX_FAKE_IGNORE(GxPoint3)
    GX_FAKE_IGNORE(GxPoint2)
    GX_FAKE_IGNORE(GxFRect)
    GX_FAKE_IGNORE(GxRect)
    GX_FAKE_IGNORE(GxMatrix)
    GX_FAKE_IGNORE(GxFColor)
    GX_FAKE_IGNORE(GxQuat)
    GX_FAKE_IGNORE(GxVector4)
    GX_FAKE_IGNORE(GxVector3)
    GX_FAKE_IGNORE(GxVector2)
    GX_FAKE_IGNORE(bool)
    GX_FAKE_IGNORE(GxF64)
    GX_FAKE_IGNORE(GxF32)
    GX_FAKE_IGNORE(GxU64)
    GX_FAKE_IGNORE(GxU16)
    GX_FAKE_IGNORE(GxS16)
    GX_FAKE_IGNORE(GxU8)
    GX_FAKE_IGNORE(GxS8)
#undef GX_FAKE_IGNORE
    bool ReadValue(const char*, GxBit32& out) override {
        return Take(out);
    }
    bool ReadValue(const char*, GxS64& out) override {
        return Take(out);
    }
    bool ReadValue(const char*, GxU32& out) override {
        return Take(out);
    }
    bool ReadValue(const char*, GxS32& out) override {
        return Take(out);
    }
    std::string ReadString(const char*) override {
        return Fail(), std::string();
    }
    std::u16string ReadWString(const char*) override {
        std::u16string out;
        Take(out);
        return out;
    }
    bool ReadBinary(const char*, GxBinBuffer&) override {
        return Fail();
    }
    bool ReadListBegin(const char*, GxU32* count) override {
        if (m_At >= m_Entries.size() || !m_Entries[m_At].listBegin)
            return Fail();
        *count = std::get<GxU32>(m_Entries[m_At++].value);
        return true;
    }
    bool ReadListEnd() override {
        if (m_At >= m_Entries.size() || !m_Entries[m_At].listEnd)
            return Fail();
        ++m_At;
        return true;
    }
    bool ReadTreeBegin(const char*) override {
        return Fail();
    }
    bool ReadTreeEnd() override {
        return Fail();
    }
    bool ReadTreeStratumBegin() override {
        return Fail();
    }
    bool ReadTreeStratumEnd() override {
        return Fail();
    }
    int GetErrorCount() override {
        return m_Errors;
    }
    bool IsEnd() override {
        return m_At >= m_Entries.size();
    }
    bool SkipValue() override {
        return ++m_At, true;
    }

private:
    template <class T>
    bool Take(T& out) {
        if (m_At >= m_Entries.size() || m_Entries[m_At].listBegin || m_Entries[m_At].listEnd ||
            !std::holds_alternative<T>(m_Entries[m_At].value)) {
            return Fail();
        }
        out = std::get<T>(m_Entries[m_At++].value);
        return true;
    }
    bool Fail() {
        ++m_Errors;
        return false;
    }
    std::vector<FakeEntry> m_Entries;
    size_t m_At = 0;
    int m_Errors = 0;
};

}  // namespace gxtest
