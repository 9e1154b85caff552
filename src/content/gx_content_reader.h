#pragma once

#include <cstdint>
#include <string>

#include "base/gx_bin_buffer.h"
#include "content/gx_content_types.h"

// The shared reading interface of both content forms (binary and text), so every
// persisted class has one read routine. Names are narrow (ASCII) strings; the
// binary form ignores them. Every failure is reported once, counted, and the
// reader goes on: callers read a whole object and then test GetErrorCount().
class GxContentReaderBase {
public:
    virtual ~GxContentReaderBase() = default;

    virtual void SetData(const void* data, std::uint32_t size) = 0;
    virtual void SetCheckName(int flag) = 0;
    virtual int PeekValueType() = 0;
    virtual bool ReadFileHeader(const char* tag, GxU32* version) = 0;

    virtual bool ReadValue(const char* name, GxBit32& out) = 0;
    virtual bool ReadValue(const char* name, GxPoint4& out) = 0;
    virtual bool ReadValue(const char* name, GxPoint3& out) = 0;
    virtual bool ReadValue(const char* name, GxPoint2& out) = 0;
    virtual bool ReadValue(const char* name, GxFRect& out) = 0;
    virtual bool ReadValue(const char* name, GxRect& out) = 0;
    virtual bool ReadValue(const char* name, GxMatrix& out) = 0;
    virtual bool ReadValue(const char* name, GxFColor& out) = 0;
    virtual bool ReadValue(const char* name, GxQuat& out) = 0;
    virtual bool ReadValue(const char* name, GxVector4& out) = 0;
    virtual bool ReadValue(const char* name, GxVector3& out) = 0;
    virtual bool ReadValue(const char* name, GxVector2& out) = 0;
    virtual bool ReadValue(const char* name, bool& out) = 0;
    virtual bool ReadValue(const char* name, GxF64& out) = 0;
    virtual bool ReadValue(const char* name, GxF32& out) = 0;
    virtual bool ReadValue(const char* name, GxU64& out) = 0;
    virtual bool ReadValue(const char* name, GxS64& out) = 0;
    virtual bool ReadValue(const char* name, GxU32& out) = 0;
    virtual bool ReadValue(const char* name, GxS32& out) = 0;
    virtual bool ReadValue(const char* name, GxU16& out) = 0;
    virtual bool ReadValue(const char* name, GxS16& out) = 0;
    virtual bool ReadValue(const char* name, GxU8& out) = 0;
    virtual bool ReadValue(const char* name, GxS8& out) = 0;
    bool ReadValue(const char* name, std::u16string& out);
    bool ReadValue(const char* name, std::string& out);

    // A narrow string comes back in the ANSI code page; both are empty on failure.
    virtual std::string ReadString(const char* name) = 0;
    virtual std::u16string ReadWString(const char* name) = 0;
    virtual bool ReadBinary(const char* name, GxBinBuffer& out) = 0;

    // Value-returning reads: start from the type's default and return the value
    // whatever the outcome (failures show in the error count).
    GxS8 ReadS8(const char* name);
    GxU8 ReadU8(const char* name);
    GxS16 ReadS16(const char* name);
    GxU16 ReadU16(const char* name);
    GxS32 ReadS32(const char* name);
    GxU32 ReadU32(const char* name);
    GxS32 ReadLong(const char* name);
    GxU32 ReadULong(const char* name);
    GxS64 ReadS64(const char* name);
    GxU64 ReadU64(const char* name);
    GxF32 ReadF32(const char* name);
    GxF64 ReadF64(const char* name);
    bool ReadBool(const char* name);
    GxVector2 ReadVector2(const char* name);
    GxVector3 ReadVector3(const char* name);
    GxVector4 ReadVector4(const char* name);
    GxQuat ReadQuat(const char* name);
    GxFColor ReadFColor(const char* name);
    GxMatrix ReadMatrix(const char* name);
    GxRect ReadRect(const char* name);
    GxFRect ReadFRect(const char* name);
    GxPoint2 ReadPoint2(const char* name);
    GxPoint3 ReadPoint3(const char* name);
    GxPoint4 ReadPoint4(const char* name);
    GxBit32 ReadBit32(const char* name);

    virtual bool ReadListBegin(const char* name, GxU32* count) = 0;
    virtual bool ReadListEnd() = 0;
    virtual bool ReadListItemBegin() { return true; }
    virtual bool ReadListItemEnd() { return true; }
    virtual bool ReadTreeBegin(const char* name) = 0;
    virtual bool ReadTreeEnd() = 0;
    virtual bool ReadTreeStratumBegin() = 0;
    virtual bool ReadTreeStratumEnd() = 0;

    virtual int GetErrorCount() = 0;
    virtual bool IsEnd() = 0;
    virtual bool SkipValue() = 0;
};
