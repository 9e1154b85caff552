#pragma once

namespace gx {

// The name of a value type code without its "VALTYPE_" prefix ("GxS32",
// "ListBegin" ...), or null for a code that names no type.
const char* GetValueTypeName(int code);

// Payload size in the binary form of a value with a fixed payload (a list start
// counts its 4-byte element count); 0 for markers
// and for codes that name no type, -1 for types with a length field.
int GetFixedPayloadSize(int code);

}  // namespace gx
