#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "content/gx_content_reader.h"

// Reads the text form of a content stream: one line per value, TAB-separated
// fields "code<TAB>name<TAB>value...". Value names are compared while the name
// check is on (the default). Numbers are parsed strictly: text that is not a
// number of the value's type, or does not fit it, is an error, not a guess.
// The reader does not own the bytes.
class GxContentTextReader : public GxContentReaderBase {
public:
    using GxContentReaderBase::ReadValue;

    GxContentTextReader() = default;
    explicit GxContentTextReader(const GxBinBuffer& buffer) {
        SetData(buffer.GetData(), buffer.GetSize());
    }
    GxContentTextReader(const void* data, std::uint32_t size) { SetData(data, size); }

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
    bool IsEnd() override { return m_Cursor >= m_End || *m_Cursor == 0; }
    bool SkipValue() override;

    // Line ends consumed so far: the 1-based number of the last line read.
    GxU32 GetLineCount() const { return m_LineCount; }
    // The name field of the last value line read (empty for markers).
    const std::string& GetLastName() const { return m_LastName; }

private:
    // Collects one line (CR and FF dropped) and moves past its line end.
    static void TakeLine(const std::uint8_t*& cursor, const std::uint8_t* end, GxU32& lines,
                         std::string& out);
    void NextLine();
    // Reads one line and checks its type code and (when `name` is given) its name.
    bool TakeValueLine(int code, const char* name);
    bool Need(std::size_t fieldCount);
    void ReportBadNumber();
    void ReportTypeMismatch(int code);
    template <class T>
    bool ParseInteger(std::size_t field, T& out);
    template <class T>
    bool ParseFloat(std::size_t field, T& out);
    bool ParseInts(GxS32* const* parts, int count);
    bool ParseFloats(GxF32* const* parts, int count);
    bool TakeStringField(const char* name, int& code, std::string_view& quoted);
    // Takes the empty data line that follows an empty byte block, if it is there.
    void TakeEmptyDataLine();
    bool TakeHexLine(std::uint8_t* out, std::uint32_t count);

    const std::uint8_t* m_Cursor = nullptr;
    const std::uint8_t* m_End = nullptr;
    GxU32 m_LineCount = 0;
    std::int32_t m_ErrorCount = 0;
    std::int32_t m_CheckName = 1;
    std::string m_Line;
    std::vector<std::string_view> m_Fields;
    std::string m_LastName;
};
