#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "content/gx_content_reader.h"
#include "content/gx_content_writer.h"

// One value of any type, read without knowing its type in advance: what the
// tools need to print a stream or copy it from one form to the other.
struct GxStringValue {
    std::u16string text;
};
struct GxBlockValue {
    std::vector<std::uint8_t> bytes;
};
struct GxListStartValue {
    GxU32 count = 0;
};
// ListEnd, TreeBegin, TreeEnd, TreeStratumBegin, TreeStratumEnd.
struct GxMarkerValue {};

using GxAnyValuePayload =
    std::variant<GxS8, GxU8, GxS16, GxU16, GxS32, GxU32, GxS64, GxU64, GxF32, GxF64, bool,
                 GxVector2, GxVector3, GxVector4, GxQuat, GxFColor, GxMatrix, GxRect, GxFRect,
                 GxBit32, GxPoint2, GxPoint3, GxPoint4, GxStringValue, GxBlockValue,
                 GxListStartValue, GxMarkerValue>;

struct GxAnyValue {
    int type = 0;      // the stored type code
    std::string name;  // empty in the binary form, which stores no names
    GxAnyValuePayload payload;
};

namespace gx {

// Reads the next value whatever its type. Returns nothing for a code that names
// no type (the reader is left before it) or when the reader reported an error.
std::optional<GxAnyValue> ReadAnyValue(GxContentReaderBase& reader);
// Writes the value with the writer's operation for its type.
bool WriteAnyValue(GxContentWriterBase& writer, const GxAnyValue& value);

}  // namespace gx
