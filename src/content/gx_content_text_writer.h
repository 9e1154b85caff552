#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "content/gx_content_writer.h"

// Writes the text form of a content stream: one line per value, fields separated
// by TAB ("code<TAB>name<TAB>value"), strings escaped and quoted, byte blocks as
// lines of hexadecimal digits. Like the binary writer, a write the stream refuses
// makes the operation return false and is counted in GetErrorCount().
class GxContentTextWriter : public GxContentWriterBase {
public:
    using GxContentWriterBase::WriteValue;

    explicit GxContentTextWriter(FILE* stream) : m_File(stream) {}

    bool WriteFileHeader(const char* tag, GxU32 version) override;

    bool WriteValue(const char* name, const GxBit32& value) override;
    bool WriteValue(const char* name, const GxPoint4& value) override;
    bool WriteValue(const char* name, const GxPoint3& value) override;
    bool WriteValue(const char* name, const GxPoint2& value) override;
    bool WriteValue(const char* name, const GxFRect& value) override;
    bool WriteValue(const char* name, const GxRect& value) override;
    bool WriteValue(const char* name, const GxMatrix& value) override;
    bool WriteValue(const char* name, const GxFColor& value) override;
    bool WriteValue(const char* name, const GxQuat& value) override;
    bool WriteValue(const char* name, const GxVector4& value) override;
    bool WriteValue(const char* name, const GxVector3& value) override;
    bool WriteValue(const char* name, const GxVector2& value) override;
    bool WriteValue(const char* name, bool value) override;
    bool WriteValue(const char* name, GxF64 value) override;
    bool WriteValue(const char* name, GxF32 value) override;
    bool WriteValue(const char* name, GxU64 value) override;
    bool WriteValue(const char* name, GxS64 value) override;
    bool WriteValue(const char* name, GxU32 value) override;
    bool WriteValue(const char* name, GxS32 value) override;
    bool WriteValue(const char* name, GxU16 value) override;
    bool WriteValue(const char* name, GxS16 value) override;
    bool WriteValue(const char* name, GxU8 value) override;
    bool WriteValue(const char* name, GxS8 value) override;
    bool WriteValue(const char* name, const char16_t* value) override;
    bool WriteValue(const char* name, const char* value) override;
    bool WriteBinary(const char* name, const void* data, std::uint32_t size) override;

    bool WriteListBegin(const char* name, const char* typeName, GxU32 count) override;
    bool WriteListEnd() override;
    bool WriteTreeBegin(const char* name, const char* typeName) override;
    bool WriteTreeEnd() override;
    bool WriteTreeStratumBegin() override;
    bool WriteTreeStratumEnd() override;

    int GetErrorCount() override { return m_ErrorCount; }
    void SetFile(FILE* stream) override { m_File = stream; }

private:
    bool Put(const std::string& text);
    bool WriteString(const char* name, std::u16string_view text);

    FILE* m_File = nullptr;
    int m_ErrorCount = 0;
};
