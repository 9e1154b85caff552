#pragma once

#include "base/gx_types.h"

// The content value types: what persisted classes read and write.
struct GxVector2 {
    GxF32 x = 0, y = 0;
};
struct GxVector3 {
    GxF32 x = 0, y = 0, z = 0;
};
struct GxVector4 {
    GxF32 x = 0, y = 0, z = 0, w = 0;
};
struct GxQuat {
    GxF32 x = 0, y = 0, z = 0, w = 1;
};
struct GxFColor {
    GxF32 r = 1, g = 1, b = 1, a = 1;
};
// 16 floats row by row, row-vector convention, translation in the fourth row.
struct GxMatrix {
    GxF32 m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};
struct GxRect {
    GxS32 left = 0, top = 0, right = 0, bottom = 0;
};
struct GxFRect {
    GxF32 left = 0, top = 0, right = 0, bottom = 0;
};
struct GxPoint2 {
    GxS32 x = 0, y = 0;
};
struct GxPoint3 {
    GxS32 x = 0, y = 0, z = 0;
};
struct GxPoint4 {
    GxS32 x = 0, y = 0, z = 0, w = 0;
};
// A 32-bit flag set; a type of its own so that it is stored under its own code.
struct GxBit32 {
    GxU32 bits = 0;
};

// Value type codes of the content streams.
enum GxValueType : int {
    VALTYPE_GxS8 = 1,
    VALTYPE_GxU8 = 2,
    VALTYPE_GxS16 = 3,
    VALTYPE_GxU16 = 4,
    VALTYPE_GxS32 = 5,
    VALTYPE_GxU32 = 6,
    VALTYPE_GxS64 = 7,
    VALTYPE_GxU64 = 8,
    VALTYPE_GxF32 = 9,
    VALTYPE_GxF64 = 10,
    VALTYPE_GxBool = 11,
    VALTYPE_GxVector2 = 12,
    VALTYPE_GxVector3 = 13,
    VALTYPE_GxVector4 = 14,
    VALTYPE_GxQuat = 15,
    VALTYPE_GxFColor = 16,
    VALTYPE_GxMatrix = 17,
    VALTYPE_GxRect = 18,
    VALTYPE_GxFRect = 19,
    VALTYPE_GxBit32 = 21,
    VALTYPE_GxStringSJIS = 24,
    VALTYPE_GxStringUTF8 = 26,
    VALTYPE_GxBinary = 27,
    VALTYPE_ListBegin = 32,
    VALTYPE_ListEnd = 33,
    VALTYPE_TreeBegin = 34,
    VALTYPE_TreeEnd = 35,
    VALTYPE_TreeStratumBegin = 36,
    VALTYPE_TreeStratumEnd = 37,
    VALTYPE_GxPoint2 = 50,
    VALTYPE_GxPoint3 = 51,
    VALTYPE_GxPoint4 = 52,
    VALTYPE_End = 255,  // what PeekValueType reports at the end of the data
};
