#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "content/gx_content_reader.h"

// Reads the binary form of a content stream: a 20-byte header (16 bytes of tag,
// big-endian version), then typed values, every number big-endian. Names are not
// stored, so the name arguments are ignored. The reader does not own the bytes.
class GxContentBinaryReader : public GxContentReaderBase {
public:
    using GxContentReaderBase::ReadValue;

    GxContentBinaryReader() = default;
    GxContentBinaryReader(const void* data, std::uint32_t size) { SetData(data, size); }
    explicit GxContentBinaryReader(const GxBinBuffer& buffer) {
        SetData(buffer.GetData(), buffer.GetSize());
    }

    void SetData(const void* data, std::uint32_t size) override;
    void SetCheckName(int flag) override { m_CheckName = flag; }
    int PeekValueType() override;
    bool ReadFileHeader(const char* tag, GxU32* version) override;

    bool ReadValue(const char* name, GxBit32& out) override;
    bool ReadValue(const char* name, GxPoint4& out) override;
    bool ReadValue(const char* name, GxPoint3& out) override;
    bool ReadValue(const char* name, GxPoint2& out) override;
    bool ReadValue(const char* name, GxFRect& out) override;
    bool ReadValue(const char* name, GxRect& out) override;
    bool ReadValue(const char* name, GxMatrix& out) override;
    bool ReadValue(const char* name, GxFColor& out) override;
    bool ReadValue(const char* name, GxQuat& out) override;
    bool ReadValue(const char* name, GxVector4& out) override;
    bool ReadValue(const char* name, GxVector3& out) override;
    bool ReadValue(const char* name, GxVector2& out) override;
    bool ReadValue(const char* name, bool& out) override;
    bool ReadValue(const char* name, GxF64& out) override;
    bool ReadValue(const char* name, GxF32& out) override;
    bool ReadValue(const char* name, GxU64& out) override;
    bool ReadValue(const char* name, GxS64& out) override;
    bool ReadValue(const char* name, GxU32& out) override;
    bool ReadValue(const char* name, GxS32& out) override;
    bool ReadValue(const char* name, GxU16& out) override;
    bool ReadValue(const char* name, GxS16& out) override;
    bool ReadValue(const char* name, GxU8& out) override;
    bool ReadValue(const char* name, GxS8& out) override;

    std::string ReadString(const char* name) override;
    std::u16string ReadWString(const char* name) override;
    bool ReadBinary(const char* name, GxBinBuffer& out) override;

    bool ReadListBegin(const char* name, GxU32* count) override;
    bool ReadListEnd() override;
    bool ReadTreeBegin(const char* name) override;
    bool ReadTreeEnd() override;
    bool ReadTreeStratumBegin() override;
    bool ReadTreeStratumEnd() override;

    int GetErrorCount() override { return m_ErrorCount; }
    bool IsEnd() override { return m_Cursor >= m_End; }
    bool SkipValue() override;

private:
    std::size_t Remaining() const { return static_cast<std::size_t>(m_End - m_Cursor); }
    void ReportOverrun();
    void ReportTypeMismatch(int expected);
    // Consumes the type byte (255 and an overrun at the end).
    int TakeType();
    // Consumes the type byte and reports a mismatch unless it is `expected`.
    bool TakeExpectedType(int expected);
    // One big-endian component; an overrun leaves `out` untouched.
    bool TakeBytes(std::uint8_t* out, std::size_t count);
    bool Take8(std::uint8_t& out);
    bool Take16(std::uint16_t& out);
    bool Take32(std::uint32_t& out);
    bool Take64(std::uint64_t& out);
    bool TakeFloat(GxF32& out);
    bool TakeInt(GxS32& out);
    bool TakeFloats(GxF32* const* components, int count);
    // The raw bytes of a string value and its code; false (and an empty view)
    // when the value is not a string or its bytes are not all there.
    bool TakeStringBytes(int& code, std::string_view& bytes);

    const std::uint8_t* m_Cursor = nullptr;
    const std::uint8_t* m_End = nullptr;
    std::int32_t m_ErrorCount = 0;
    std::int32_t m_CheckName = 1;
};
