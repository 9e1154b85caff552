#include "content/gx_content_any_value.h"

#include "content/gx_content_text_reader.h"

namespace {

template <class T>
GxAnyValuePayload Read(GxContentReaderBase& reader) {
    T value{};
    reader.ReadValue("", value);
    return value;
}

std::optional<GxAnyValuePayload> ReadPayload(GxContentReaderBase& reader, int type) {
    switch (type) {
        case VALTYPE_GxS8:
            return Read<GxS8>(reader);
        case VALTYPE_GxU8:
            return Read<GxU8>(reader);
        case VALTYPE_GxS16:
            return Read<GxS16>(reader);
        case VALTYPE_GxU16:
            return Read<GxU16>(reader);
        case VALTYPE_GxS32:
            return Read<GxS32>(reader);
        case VALTYPE_GxU32:
            return Read<GxU32>(reader);
        case VALTYPE_GxS64:
            return Read<GxS64>(reader);
        case VALTYPE_GxU64:
            return Read<GxU64>(reader);
        case VALTYPE_GxF32:
            return Read<GxF32>(reader);
        case VALTYPE_GxF64:
            return Read<GxF64>(reader);
        case VALTYPE_GxBool:
            return Read<bool>(reader);
        case VALTYPE_GxVector2:
            return Read<GxVector2>(reader);
        case VALTYPE_GxVector3:
            return Read<GxVector3>(reader);
        case VALTYPE_GxVector4:
            return Read<GxVector4>(reader);
        case VALTYPE_GxQuat:
            return Read<GxQuat>(reader);
        case VALTYPE_GxFColor:
            return Read<GxFColor>(reader);
        case VALTYPE_GxMatrix:
            return Read<GxMatrix>(reader);
        case VALTYPE_GxRect:
            return Read<GxRect>(reader);
        case VALTYPE_GxFRect:
            return Read<GxFRect>(reader);
        case VALTYPE_GxBit32:
            return Read<GxBit32>(reader);
        case VALTYPE_GxPoint2:
            return Read<GxPoint2>(reader);
        case VALTYPE_GxPoint3:
            return Read<GxPoint3>(reader);
        case VALTYPE_GxPoint4:
            return Read<GxPoint4>(reader);
        case VALTYPE_GxStringSJIS:
        case VALTYPE_GxStringUTF8:
            return GxStringValue{reader.ReadWString("")};
        case VALTYPE_GxBinary: {
            GxBinBuffer buffer;
            reader.ReadBinary("", buffer);
            const std::uint8_t* data = buffer.GetData();
            return GxBlockValue{std::vector<std::uint8_t>(data, data + buffer.GetSize())};
        }
        case VALTYPE_ListBegin: {
            GxListStartValue start;
            reader.ReadListBegin("", &start.count);
            return start;
        }
        case VALTYPE_ListEnd:
            reader.ReadListEnd();
            return GxMarkerValue{};
        case VALTYPE_TreeBegin:
            reader.ReadTreeBegin("");
            return GxMarkerValue{};
        case VALTYPE_TreeEnd:
            reader.ReadTreeEnd();
            return GxMarkerValue{};
        case VALTYPE_TreeStratumBegin:
            reader.ReadTreeStratumBegin();
            return GxMarkerValue{};
        case VALTYPE_TreeStratumEnd:
            reader.ReadTreeStratumEnd();
            return GxMarkerValue{};
        default:
            return std::nullopt;
    }
}

}  // namespace

namespace gx {

std::optional<GxAnyValue> ReadAnyValue(GxContentReaderBase& reader) {
    reader.SetCheckName(0);
    const int errors = reader.GetErrorCount();
    const int type = reader.PeekValueType();
    std::optional<GxAnyValuePayload> payload = ReadPayload(reader, type);
    if (!payload || reader.GetErrorCount() != errors)
        return std::nullopt;
    GxAnyValue value{type, {}, std::move(*payload)};
    if (auto* text = dynamic_cast<GxContentTextReader*>(&reader))
        value.name = text->GetLastName();
    return value;
}

bool WriteAnyValue(GxContentWriterBase& writer, const GxAnyValue& value) {
    const char* name = value.name.c_str();
    return std::visit(
        [&](const auto& v) -> bool {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, GxStringValue>) {
                return writer.WriteValue(name, v.text);
            } else if constexpr (std::is_same_v<T, GxBlockValue>) {
                return writer.WriteBinary(name, v.bytes.data(),
                                          static_cast<std::uint32_t>(v.bytes.size()));
            } else if constexpr (std::is_same_v<T, GxListStartValue>) {
                return writer.WriteListBegin(name, "", v.count);
            } else if constexpr (std::is_same_v<T, GxMarkerValue>) {
                switch (value.type) {
                    case VALTYPE_ListEnd:
                        return writer.WriteListEnd();
                    case VALTYPE_TreeBegin:
                        return writer.WriteTreeBegin(name, "");
                    case VALTYPE_TreeEnd:
                        return writer.WriteTreeEnd();
                    case VALTYPE_TreeStratumBegin:
                        return writer.WriteTreeStratumBegin();
                    default:
                        return writer.WriteTreeStratumEnd();
                }
            } else {
                return writer.WriteValue(name, v);
            }
        },
        value.payload);
}

}  // namespace gx
