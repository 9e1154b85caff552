#include "content/gx_content_binary_writer.h"

#include <cstring>
#include <string>

#include "base/gx_byte_order.h"
#include "base/gx_log.h"
#include "base/gx_string.h"

namespace {

constexpr std::size_t kHeaderTagLimit = 15;

}  // namespace

// One value record assembled in memory: the type byte and its big-endian payload.
class GxContentBinaryWriter::Record {
public:
    explicit Record(int code) { m_Bytes[m_Size++] = static_cast<std::uint8_t>(code); }
    Record& U8(std::uint8_t v) {
        m_Bytes[m_Size++] = v;
        return *this;
    }
    Record& U16(std::uint16_t v) {
        gx::WriteBE16(m_Bytes + m_Size, v);
        m_Size += 2;
        return *this;
    }
    Record& U32(std::uint32_t v) {
        gx::WriteBE32(m_Bytes + m_Size, v);
        m_Size += 4;
        return *this;
    }
    Record& U64(std::uint64_t v) {
        gx::WriteBE64(m_Bytes + m_Size, v);
        m_Size += 8;
        return *this;
    }
    Record& S32(GxS32 v) { return U32(static_cast<std::uint32_t>(v)); }
    Record& F32(GxF32 v) { return U32(gx::FloatBits(v)); }
    const std::uint8_t* Data() const { return m_Bytes; }
    std::size_t Size() const { return m_Size; }

private:
    std::uint8_t m_Bytes[1 + 64];
    std::size_t m_Size = 0;
};

bool GxContentBinaryWriter::Put(const void* bytes, std::size_t count) {
    if (count == 0)
        return true;
    if (m_File && std::fwrite(bytes, 1, count, m_File) == count)
        return true;
    ++m_ErrorCount;
    return false;
}

bool GxContentBinaryWriter::PutRecord(const Record& record) {
    return Put(record.Data(), record.Size());
}

bool GxContentBinaryWriter::WriteMarker(int code) {
    return PutRecord(Record(code));
}

bool GxContentBinaryWriter::WriteFileHeader(const char* tag, GxU32 version) {
    const std::size_t length = std::strlen(tag);
    if (length > kHeaderTagLimit) {
        ++m_ErrorCount;
        LogError(u"GxContentBinaryWriter/Header String Too Long(Limit=%d Chars)\n",
                 static_cast<int>(kHeaderTagLimit));
        return false;
    }
    std::uint8_t header[20] = {};
    std::memcpy(header, tag, length);
    gx::WriteBE32(header + 16, version);
    return Put(header, sizeof header);
}

bool GxContentBinaryWriter::WriteValue(const char*, const GxBit32& v) {
    return PutRecord(Record(VALTYPE_GxBit32).U32(v.bits));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxPoint4& v) {
    return PutRecord(Record(VALTYPE_GxPoint4).S32(v.x).S32(v.y).S32(v.z).S32(v.w));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxPoint3& v) {
    return PutRecord(Record(VALTYPE_GxPoint3).S32(v.x).S32(v.y).S32(v.z));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxPoint2& v) {
    return PutRecord(Record(VALTYPE_GxPoint2).S32(v.x).S32(v.y));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxFRect& v) {
    return PutRecord(Record(VALTYPE_GxFRect).F32(v.left).F32(v.top).F32(v.right).F32(v.bottom));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxRect& v) {
    return PutRecord(Record(VALTYPE_GxRect).S32(v.left).S32(v.top).S32(v.right).S32(v.bottom));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxMatrix& v) {
    Record record(VALTYPE_GxMatrix);
    for (GxF32 element : v.m)
        record.F32(element);
    return PutRecord(record);
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxFColor& v) {
    return PutRecord(Record(VALTYPE_GxFColor).F32(v.r).F32(v.g).F32(v.b).F32(v.a));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxQuat& v) {
    return PutRecord(Record(VALTYPE_GxQuat).F32(v.x).F32(v.y).F32(v.z).F32(v.w));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxVector4& v) {
    return PutRecord(Record(VALTYPE_GxVector4).F32(v.x).F32(v.y).F32(v.z).F32(v.w));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxVector3& v) {
    return PutRecord(Record(VALTYPE_GxVector3).F32(v.x).F32(v.y).F32(v.z));
}
bool GxContentBinaryWriter::WriteValue(const char*, const GxVector2& v) {
    return PutRecord(Record(VALTYPE_GxVector2).F32(v.x).F32(v.y));
}
bool GxContentBinaryWriter::WriteValue(const char*, bool v) {
    return PutRecord(Record(VALTYPE_GxBool).U8(v ? 1 : 0));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxF64 v) {
    return PutRecord(Record(VALTYPE_GxF64).U64(gx::DoubleBits(v)));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxF32 v) {
    return PutRecord(Record(VALTYPE_GxF32).F32(v));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxU64 v) {
    return PutRecord(Record(VALTYPE_GxU64).U64(v));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxS64 v) {
    return PutRecord(Record(VALTYPE_GxS64).U64(static_cast<std::uint64_t>(v)));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxU32 v) {
    return PutRecord(Record(VALTYPE_GxU32).U32(v));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxS32 v) {
    return PutRecord(Record(VALTYPE_GxS32).S32(v));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxU16 v) {
    return PutRecord(Record(VALTYPE_GxU16).U16(v));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxS16 v) {
    return PutRecord(Record(VALTYPE_GxS16).U16(static_cast<std::uint16_t>(v)));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxU8 v) {
    return PutRecord(Record(VALTYPE_GxU8).U8(v));
}
bool GxContentBinaryWriter::WriteValue(const char*, GxS8 v) {
    return PutRecord(Record(VALTYPE_GxS8).U8(static_cast<std::uint8_t>(v)));
}

bool GxContentBinaryWriter::WriteUtf8(std::string_view utf8) {
    const auto length = static_cast<std::uint32_t>(utf8.size());
    std::string bytes;
    bytes.reserve(5 + utf8.size() + 1);
    Record head(VALTYPE_GxStringUTF8);
    head.U32(length);
    bytes.append(reinterpret_cast<const char*>(head.Data()), head.Size());
    bytes.append(utf8);
    bytes.push_back('\0');
    return Put(bytes.data(), bytes.size());
}

bool GxContentBinaryWriter::WriteValue(const char*, const char16_t* value) {
    return WriteUtf8(gx::Utf16ToUtf8(value ? value : u""));
}

bool GxContentBinaryWriter::WriteValue(const char*, const char* value) {
    return WriteUtf8(gx::Utf16ToUtf8(gx::AnsiToUtf16(value ? value : "")));
}

bool GxContentBinaryWriter::WriteBinary(const char*, const void* data, std::uint32_t size) {
    if (!data && size != 0) {
        ++m_ErrorCount;  // no bytes to write: a failed write, and the stream stays whole
        return false;
    }
    const bool head_written = PutRecord(Record(VALTYPE_GxBinary).U32(size));
    const bool body_written = Put(data, size);
    return head_written && body_written;
}

bool GxContentBinaryWriter::WriteListBegin(const char*, const char*, GxU32 count) {
    return PutRecord(Record(VALTYPE_ListBegin).U32(count));
}
bool GxContentBinaryWriter::WriteListEnd() {
    return WriteMarker(VALTYPE_ListEnd);
}
bool GxContentBinaryWriter::WriteTreeBegin(const char*, const char*) {
    return WriteMarker(VALTYPE_TreeBegin);
}
bool GxContentBinaryWriter::WriteTreeEnd() {
    return WriteMarker(VALTYPE_TreeEnd);
}
bool GxContentBinaryWriter::WriteTreeStratumBegin() {
    return WriteMarker(VALTYPE_TreeStratumBegin);
}
bool GxContentBinaryWriter::WriteTreeStratumEnd() {
    return WriteMarker(VALTYPE_TreeStratumEnd);
}
