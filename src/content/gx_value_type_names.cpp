#include "content/gx_value_type_names.h"

#include "content/gx_content_types.h"

namespace gx {

const char* GetValueTypeName(int code) {
    switch (code) {
        case VALTYPE_GxS8:
            return "GxS8";
        case VALTYPE_GxU8:
            return "GxU8";
        case VALTYPE_GxS16:
            return "GxS16";
        case VALTYPE_GxU16:
            return "GxU16";
        case VALTYPE_GxS32:
            return "GxS32";
        case VALTYPE_GxU32:
            return "GxU32";
        case VALTYPE_GxS64:
            return "GxS64";
        case VALTYPE_GxU64:
            return "GxU64";
        case VALTYPE_GxF32:
            return "GxF32";
        case VALTYPE_GxF64:
            return "GxF64";
        case VALTYPE_GxBool:
            return "GxBool";
        case VALTYPE_GxVector2:
            return "GxVector2";
        case VALTYPE_GxVector3:
            return "GxVector3";
        case VALTYPE_GxVector4:
            return "GxVector4";
        case VALTYPE_GxQuat:
            return "GxQuat";
        case VALTYPE_GxFColor:
            return "GxFColor";
        case VALTYPE_GxMatrix:
            return "GxMatrix";
        case VALTYPE_GxRect:
            return "GxRect";
        case VALTYPE_GxFRect:
            return "GxFRect";
        case VALTYPE_GxBit32:
            return "GxBit32";
        case VALTYPE_GxStringSJIS:
            return "GxStringSJIS";
        case VALTYPE_GxStringUTF8:
            return "GxStringUTF8";
        case VALTYPE_GxBinary:
            return "GxBinary";
        case VALTYPE_ListBegin:
            return "ListBegin";
        case VALTYPE_ListEnd:
            return "ListEnd";
        case VALTYPE_TreeBegin:
            return "TreeBegin";
        case VALTYPE_TreeEnd:
            return "TreeEnd";
        case VALTYPE_TreeStratumBegin:
            return "TreeStratumBegin";
        case VALTYPE_TreeStratumEnd:
            return "TreeStratumEnd";
        case VALTYPE_GxPoint2:
            return "GxPoint2";
        case VALTYPE_GxPoint3:
            return "GxPoint3";
        case VALTYPE_GxPoint4:
            return "GxPoint4";
        default:
            return nullptr;
    }
}

int GetFixedPayloadSize(int code) {
    switch (code) {
        case VALTYPE_GxS8:
        case VALTYPE_GxU8:
        case VALTYPE_GxBool:
            return 1;
        case VALTYPE_GxS16:
        case VALTYPE_GxU16:
            return 2;
        case VALTYPE_GxS32:
        case VALTYPE_GxU32:
        case VALTYPE_GxF32:
        case VALTYPE_GxBit32:
        case VALTYPE_ListBegin:
            return 4;
        case VALTYPE_GxS64:
        case VALTYPE_GxU64:
        case VALTYPE_GxF64:
        case VALTYPE_GxVector2:
        case VALTYPE_GxPoint2:
            return 8;
        case VALTYPE_GxVector3:
        case VALTYPE_GxPoint3:
            return 12;
        case VALTYPE_GxVector4:
        case VALTYPE_GxQuat:
        case VALTYPE_GxFColor:
        case VALTYPE_GxRect:
        case VALTYPE_GxFRect:
        case VALTYPE_GxPoint4:
            return 16;
        case VALTYPE_GxMatrix:
            return 64;
        case VALTYPE_GxStringSJIS:
        case VALTYPE_GxStringUTF8:
        case VALTYPE_GxBinary:
            return -1;
        default:
            return 0;
    }
}

}  // namespace gx
