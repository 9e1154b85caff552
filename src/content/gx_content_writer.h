#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "content/gx_content_types.h"

// The shared writing interface of both content forms. A writer writes to a stdio
// stream that the caller opens and closes. GetErrorCount() counts the writes that
// the stream refused, so a full disk is not mistaken for success.
class GxContentWriterBase {
public:
    virtual ~GxContentWriterBase() = default;

    virtual bool WriteFileHeader(const char* tag, GxU32 version) = 0;

    virtual bool WriteValue(const char* name, const GxBit32& value) = 0;
    virtual bool WriteValue(const char* name, const GxPoint4& value) = 0;
    virtual bool WriteValue(const char* name, const GxPoint3& value) = 0;
    virtual bool WriteValue(const char* name, const GxPoint2& value) = 0;
    virtual bool WriteValue(const char* name, const GxFRect& value) = 0;
    virtual bool WriteValue(const char* name, const GxRect& value) = 0;
    virtual bool WriteValue(const char* name, const GxMatrix& value) = 0;
    virtual bool WriteValue(const char* name, const GxFColor& value) = 0;
    virtual bool WriteValue(const char* name, const GxQuat& value) = 0;
    virtual bool WriteValue(const char* name, const GxVector4& value) = 0;
    virtual bool WriteValue(const char* name, const GxVector3& value) = 0;
    virtual bool WriteValue(const char* name, const GxVector2& value) = 0;
    virtual bool WriteValue(const char* name, bool value) = 0;
    virtual bool WriteValue(const char* name, GxF64 value) = 0;
    virtual bool WriteValue(const char* name, GxF32 value) = 0;
    virtual bool WriteValue(const char* name, GxU64 value) = 0;
    virtual bool WriteValue(const char* name, GxS64 value) = 0;
    virtual bool WriteValue(const char* name, GxU32 value) = 0;
    virtual bool WriteValue(const char* name, GxS32 value) = 0;
    virtual bool WriteValue(const char* name, GxU16 value) = 0;
    virtual bool WriteValue(const char* name, GxS16 value) = 0;
    virtual bool WriteValue(const char* name, GxU8 value) = 0;
    virtual bool WriteValue(const char* name, GxS8 value) = 0;
    bool WriteValue(const char* name, const std::u16string& value) {
        return WriteValue(name, value.c_str());
    }
    // Narrow text is in the ANSI code page.
    bool WriteValue(const char* name, const std::string& value) {
        return WriteValue(name, value.c_str());
    }
    virtual bool WriteValue(const char* name, const char16_t* value) = 0;
    virtual bool WriteValue(const char* name, const char* value) = 0;
    virtual bool WriteBinary(const char* name, const void* data, std::uint32_t size) = 0;

    virtual bool WriteListBegin(const char* name, const char* typeName, GxU32 count) = 0;
    virtual bool WriteListEnd() = 0;
    virtual bool WriteListItemBegin() { return true; }
    virtual bool WriteListItemEnd() { return true; }
    virtual bool WriteTreeBegin(const char* name, const char* typeName) = 0;
    virtual bool WriteTreeEnd() = 0;
    virtual bool WriteTreeStratumBegin() = 0;
    virtual bool WriteTreeStratumEnd() = 0;

    virtual int GetErrorCount() = 0;
    virtual void SetFile(FILE* stream) = 0;
};
