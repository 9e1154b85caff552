#include "content/gx_content_reader.h"

bool GxContentReaderBase::ReadValue(const char* name, std::u16string& out) {
    int before = GetErrorCount();
    out = ReadWString(name);
    return GetErrorCount() == before;
}

bool GxContentReaderBase::ReadValue(const char* name, std::string& out) {
    int before = GetErrorCount();
    out = ReadString(name);
    return GetErrorCount() == before;
}

#define GX_READ_AS(Function, Type)                         \
    Type GxContentReaderBase::Function(const char* name) { \
        Type value{};                                      \
        ReadValue(name, value);                            \
        return value;                                      \
    }

GX_READ_AS(ReadS8, GxS8)
GX_READ_AS(ReadU8, GxU8)
GX_READ_AS(ReadS16, GxS16)
GX_READ_AS(ReadU16, GxU16)
GX_READ_AS(ReadS32, GxS32)
GX_READ_AS(ReadU32, GxU32)
GX_READ_AS(ReadLong, GxS32)
GX_READ_AS(ReadULong, GxU32)
GX_READ_AS(ReadS64, GxS64)
GX_READ_AS(ReadU64, GxU64)
GX_READ_AS(ReadF32, GxF32)
GX_READ_AS(ReadF64, GxF64)
GX_READ_AS(ReadBool, bool)
GX_READ_AS(ReadVector2, GxVector2)
GX_READ_AS(ReadVector3, GxVector3)
GX_READ_AS(ReadVector4, GxVector4)
GX_READ_AS(ReadQuat, GxQuat)
GX_READ_AS(ReadFColor, GxFColor)
GX_READ_AS(ReadMatrix, GxMatrix)
GX_READ_AS(ReadRect, GxRect)
GX_READ_AS(ReadFRect, GxFRect)
GX_READ_AS(ReadPoint2, GxPoint2)
GX_READ_AS(ReadPoint3, GxPoint3)
GX_READ_AS(ReadPoint4, GxPoint4)
GX_READ_AS(ReadBit32, GxBit32)

#undef GX_READ_AS
