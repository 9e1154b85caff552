#include "content/gx_content_binary_reader.h"

#include <cstring>

#include "base/gx_byte_order.h"
#include "base/gx_log.h"
#include "base/gx_string.h"
#include "content/gx_value_type_names.h"

namespace {

constexpr std::size_t kHeaderTagBytes = 16;
constexpr std::size_t kHeaderBytes = kHeaderTagBytes + 4;

}  // namespace

void GxContentBinaryReader::SetData(const void* data, std::uint32_t size) {
    m_Cursor = static_cast<const std::uint8_t*>(data);
    m_End = m_Cursor ? m_Cursor + size : nullptr;
}

void GxContentBinaryReader::ReportOverrun() {
    ++m_ErrorCount;
    LogError(u"GxContentBinaryReader/ReadPos Overrun\n");
}

void GxContentBinaryReader::ReportTypeMismatch(int expected) {
    ++m_ErrorCount;
    if (expected == VALTYPE_GxStringUTF8) {
        LogError(
            u"GxContentBinaryReader/ValueType Isn't VALTYPE_GxStringSJIS or "
            u"VALTYPE_GxStringUTF8\n");
        return;
    }
    LogError(u"GxContentBinaryReader/ValueType Isn't VALTYPE_%s\n", gx::GetValueTypeName(expected));
}

int GxContentBinaryReader::PeekValueType() {
    return IsEnd() ? static_cast<int>(VALTYPE_End) : *m_Cursor;
}

int GxContentBinaryReader::TakeType() {
    if (IsEnd()) {
        ReportOverrun();
        return static_cast<int>(VALTYPE_End);
    }
    return *m_Cursor++;
}

bool GxContentBinaryReader::TakeExpectedType(int expected) {
    if (TakeType() == expected)
        return true;
    ReportTypeMismatch(expected);
    return false;
}

bool GxContentBinaryReader::TakeBytes(std::uint8_t* out, std::size_t count) {
    if (Remaining() < count) {
        ReportOverrun();
        return false;
    }
    std::memcpy(out, m_Cursor, count);
    m_Cursor += count;
    return true;
}

bool GxContentBinaryReader::Take8(std::uint8_t& out) {
    return TakeBytes(&out, 1);
}

bool GxContentBinaryReader::Take16(std::uint16_t& out) {
    std::uint8_t bytes[2];
    if (!TakeBytes(bytes, sizeof bytes))
        return false;
    out = gx::ReadBE16(bytes);
    return true;
}

bool GxContentBinaryReader::Take32(std::uint32_t& out) {
    std::uint8_t bytes[4];
    if (!TakeBytes(bytes, sizeof bytes))
        return false;
    out = gx::ReadBE32(bytes);
    return true;
}

bool GxContentBinaryReader::Take64(std::uint64_t& out) {
    std::uint8_t bytes[8];
    if (!TakeBytes(bytes, sizeof bytes))
        return false;
    out = gx::ReadBE64(bytes);
    return true;
}

bool GxContentBinaryReader::TakeFloat(GxF32& out) {
    std::uint32_t bits = 0;
    if (!Take32(bits))
        return false;
    out = gx::BitsToFloat(bits);
    return true;
}

bool GxContentBinaryReader::TakeInt(GxS32& out) {
    std::uint32_t bits = 0;
    if (!Take32(bits))
        return false;
    out = static_cast<GxS32>(bits);
    return true;
}

bool GxContentBinaryReader::TakeFloats(GxF32* const* components, int count) {
    for (int i = 0; i < count; ++i) {
        if (!TakeFloat(*components[i]))
            return false;
    }
    return true;
}

bool GxContentBinaryReader::ReadFileHeader(const char* tag, GxU32* version) {
    if (Remaining() < kHeaderBytes) {
        ReportOverrun();
        return false;
    }
    char stored[kHeaderTagBytes];
    std::memcpy(stored, m_Cursor, kHeaderTagBytes);
    stored[kHeaderTagBytes - 1] = 0;
    if (std::strcmp(stored, tag) != 0) {
        ++m_ErrorCount;
        LogError(u"GxContentBinaryReader/FileHeader Isn't %s\n", tag);
        return false;
    }
    m_Cursor += kHeaderTagBytes;
    std::uint32_t stored_version = 0;
    Take32(stored_version);
    if (version)
        *version = stored_version;
    return true;
}

bool GxContentBinaryReader::ReadValue(const char*, GxBit32& out) {
    return TakeExpectedType(VALTYPE_GxBit32) && Take32(out.bits);
}

bool GxContentBinaryReader::ReadValue(const char*, GxPoint4& out) {
    return TakeExpectedType(VALTYPE_GxPoint4) && TakeInt(out.x) && TakeInt(out.y) &&
           TakeInt(out.z) && TakeInt(out.w);
}

bool GxContentBinaryReader::ReadValue(const char*, GxPoint3& out) {
    return TakeExpectedType(VALTYPE_GxPoint3) && TakeInt(out.x) && TakeInt(out.y) && TakeInt(out.z);
}

bool GxContentBinaryReader::ReadValue(const char*, GxPoint2& out) {
    return TakeExpectedType(VALTYPE_GxPoint2) && TakeInt(out.x) && TakeInt(out.y);
}

bool GxContentBinaryReader::ReadValue(const char*, GxFRect& out) {
    GxF32* const parts[] = {&out.left, &out.top, &out.right, &out.bottom};
    return TakeExpectedType(VALTYPE_GxFRect) && TakeFloats(parts, 4);
}

bool GxContentBinaryReader::ReadValue(const char*, GxRect& out) {
    return TakeExpectedType(VALTYPE_GxRect) && TakeInt(out.left) && TakeInt(out.top) &&
           TakeInt(out.right) && TakeInt(out.bottom);
}

bool GxContentBinaryReader::ReadValue(const char*, GxMatrix& out) {
    GxF32* parts[16];
    for (int i = 0; i < 16; ++i)
        parts[i] = &out.m[i];
    return TakeExpectedType(VALTYPE_GxMatrix) && TakeFloats(parts, 16);
}

bool GxContentBinaryReader::ReadValue(const char*, GxFColor& out) {
    const int type = TakeType();
    if (type != VALTYPE_GxFColor && type != VALTYPE_GxVector4) {
        ReportTypeMismatch(VALTYPE_GxFColor);
        return false;
    }
    GxF32* const parts[] = {&out.r, &out.g, &out.b, &out.a};
    return TakeFloats(parts, 4);
}

bool GxContentBinaryReader::ReadValue(const char*, GxQuat& out) {
    const int type = TakeType();
    if (type != VALTYPE_GxQuat && type != VALTYPE_GxVector4) {
        ReportTypeMismatch(VALTYPE_GxQuat);
        return false;
    }
    GxF32* const parts[] = {&out.x, &out.y, &out.z, &out.w};
    return TakeFloats(parts, 4);
}

bool GxContentBinaryReader::ReadValue(const char*, GxVector4& out) {
    const int type = TakeType();
    if (type != VALTYPE_GxVector4 && type != VALTYPE_GxVector3) {
        ReportTypeMismatch(VALTYPE_GxVector4);
        return false;
    }
    GxF32* const parts[] = {&out.x, &out.y, &out.z, &out.w};
    if (type == VALTYPE_GxVector3) {
        if (!TakeFloats(parts, 3))
            return false;
        out.w = 0;
        return true;
    }
    return TakeFloats(parts, 4);
}

bool GxContentBinaryReader::ReadValue(const char*, GxVector3& out) {
    const int type = TakeType();
    if (type != VALTYPE_GxVector3 && type != VALTYPE_GxVector4) {
        ReportTypeMismatch(VALTYPE_GxVector3);
        return false;
    }
    GxF32* const parts[] = {&out.x, &out.y, &out.z};
    if (!TakeFloats(parts, 3))
        return false;
    GxF32 dropped_w = 0;
    return type == VALTYPE_GxVector3 || TakeFloat(dropped_w);
}

bool GxContentBinaryReader::ReadValue(const char*, GxVector2& out) {
    GxF32* const parts[] = {&out.x, &out.y};
    return TakeExpectedType(VALTYPE_GxVector2) && TakeFloats(parts, 2);
}

bool GxContentBinaryReader::ReadValue(const char*, bool& out) {
    std::uint8_t byte = 0;
    if (!TakeExpectedType(VALTYPE_GxBool) || !Take8(byte))
        return false;
    out = byte != 0;  // any stored byte other than 0 is true; never an invalid bool
    return true;
}

bool GxContentBinaryReader::ReadValue(const char*, GxF64& out) {
    std::uint64_t bits = 0;
    if (!TakeExpectedType(VALTYPE_GxF64) || !Take64(bits))
        return false;
    out = gx::BitsToDouble(bits);
    return true;
}

bool GxContentBinaryReader::ReadValue(const char*, GxF32& out) {
    return TakeExpectedType(VALTYPE_GxF32) && TakeFloat(out);
}

bool GxContentBinaryReader::ReadValue(const char*, GxU64& out) {
    return TakeExpectedType(VALTYPE_GxU64) && Take64(out);
}

bool GxContentBinaryReader::ReadValue(const char*, GxS64& out) {
    std::uint64_t bits = 0;
    if (!TakeExpectedType(VALTYPE_GxS64) || !Take64(bits))
        return false;
    out = static_cast<GxS64>(bits);
    return true;
}

bool GxContentBinaryReader::ReadValue(const char*, GxU32& out) {
    return TakeExpectedType(VALTYPE_GxU32) && Take32(out);
}

bool GxContentBinaryReader::ReadValue(const char*, GxS32& out) {
    return TakeExpectedType(VALTYPE_GxS32) && TakeInt(out);
}

bool GxContentBinaryReader::ReadValue(const char*, GxU16& out) {
    return TakeExpectedType(VALTYPE_GxU16) && Take16(out);
}

bool GxContentBinaryReader::ReadValue(const char*, GxS16& out) {
    std::uint16_t bits = 0;
    if (!TakeExpectedType(VALTYPE_GxS16) || !Take16(bits))
        return false;
    out = static_cast<GxS16>(bits);
    return true;
}

bool GxContentBinaryReader::ReadValue(const char*, GxU8& out) {
    return TakeExpectedType(VALTYPE_GxU8) && Take8(out);
}

bool GxContentBinaryReader::ReadValue(const char*, GxS8& out) {
    std::uint8_t bits = 0;
    if (!TakeExpectedType(VALTYPE_GxS8) || !Take8(bits))
        return false;
    out = static_cast<GxS8>(bits);
    return true;
}

bool GxContentBinaryReader::TakeStringBytes(int& code, std::string_view& bytes) {
    bytes = {};
    code = TakeType();
    if (code != VALTYPE_GxStringSJIS && code != VALTYPE_GxStringUTF8) {
        ReportTypeMismatch(VALTYPE_GxStringUTF8);
        return false;
    }
    std::uint32_t length = 0;
    if (!Take32(length))
        return false;
    if (Remaining() < length) {
        ReportOverrun();
        return false;
    }
    const char* text = reinterpret_cast<const char*>(m_Cursor);
    bytes = std::string_view(text, strnlen(text, length));
    // The terminator may be missing in a damaged stream: never step past the end.
    m_Cursor += length;
    if (m_Cursor < m_End)
        ++m_Cursor;
    return true;
}

std::string GxContentBinaryReader::ReadString(const char*) {
    int code = 0;
    std::string_view bytes;
    if (!TakeStringBytes(code, bytes))
        return {};
    if (code == VALTYPE_GxStringSJIS)
        return std::string(bytes);
    return gx::Utf16ToAnsi(gx::Utf8ToUtf16(bytes));
}

std::u16string GxContentBinaryReader::ReadWString(const char*) {
    int code = 0;
    std::string_view bytes;
    if (!TakeStringBytes(code, bytes))
        return {};
    return code == VALTYPE_GxStringSJIS ? gx::AnsiToUtf16(bytes) : gx::Utf8ToUtf16(bytes);
}

bool GxContentBinaryReader::ReadBinary(const char*, GxBinBuffer& out) {
    std::uint32_t size = 0;
    if (!TakeExpectedType(VALTYPE_GxBinary) || !Take32(size))
        return false;
    if (Remaining() < size) {
        ReportOverrun();
        return false;
    }
    std::uint8_t* block = out.Alloc(size);
    if (size != 0) {
        if (!block) {
            ++m_ErrorCount;
            LogError(u"GxContentBinaryReader/Out Of Memory(%u Bytes)\n", size);
            return false;
        }
        std::memcpy(block, m_Cursor, size);
    }
    m_Cursor += size;
    return true;
}

bool GxContentBinaryReader::ReadListBegin(const char*, GxU32* count) {
    std::uint32_t stored = 0;
    if (!TakeExpectedType(VALTYPE_ListBegin) || !Take32(stored))
        return false;
    // Every element holds at least one value byte, so a larger count cannot be
    // genuine: refuse it before a caller sizes anything by it.
    if (stored > Remaining()) {
        ++m_ErrorCount;
        LogError(u"GxContentBinaryReader/List Count Overrun(%u)\n", stored);
        return false;
    }
    if (count)
        *count = stored;
    return true;
}

bool GxContentBinaryReader::ReadListEnd() {
    return TakeExpectedType(VALTYPE_ListEnd);
}

bool GxContentBinaryReader::ReadTreeBegin(const char*) {
    return TakeExpectedType(VALTYPE_TreeBegin);
}

bool GxContentBinaryReader::ReadTreeEnd() {
    return TakeExpectedType(VALTYPE_TreeEnd);
}

bool GxContentBinaryReader::ReadTreeStratumBegin() {
    return TakeExpectedType(VALTYPE_TreeStratumBegin);
}

bool GxContentBinaryReader::ReadTreeStratumEnd() {
    return TakeExpectedType(VALTYPE_TreeStratumEnd);
}

bool GxContentBinaryReader::SkipValue() {
    if (IsEnd()) {
        ReportOverrun();
        return false;
    }
    const int code = *m_Cursor++;
    const int fixed = gx::GetFixedPayloadSize(code);
    if (fixed >= 0) {
        if (Remaining() < static_cast<std::size_t>(fixed)) {
            ReportOverrun();
            return false;
        }
        m_Cursor += fixed;
        return true;
    }
    std::uint32_t length = 0;
    if (!Take32(length))
        return false;
    std::size_t step = length;
    if (code != VALTYPE_GxBinary)
        ++step;  // the string terminator
    m_Cursor += step < Remaining() ? step : Remaining();
    return true;
}
