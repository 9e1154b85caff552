#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/gx_types.h"
#include "content/gx_content_reader.h"
#include "content/gx_content_writer.h"

// The script value: a type code and its payload. Copies are deep.
class GxRillVariable {
public:
    enum Type : GxU32 {
        TYPE_INT = 7,
        TYPE_FLOAT = 10,
        TYPE_STR = 25,
        TYPE_ARRAY = 39,
        TYPE_REFVAR = 250,
        TYPE_OPCODE = 253,
        TYPE_NULL = 254,
    };
    // No array grows past this many elements: an index beyond it is refused
    // instead of allocating gigabytes for one assignment.
    static constexpr GxS32 kMaxArraySize = 1 << 20;

    GxRillVariable() = default;
    virtual ~GxRillVariable() = default;
    GxRillVariable(const GxRillVariable&) = default;
    GxRillVariable& operator=(const GxRillVariable&) = default;
    GxRillVariable(GxRillVariable&&) noexcept = default;
    GxRillVariable& operator=(GxRillVariable&&) noexcept = default;

    static GxRillVariable MakeInt(GxS64 value);
    static GxRillVariable MakeFloat(double value);
    static GxRillVariable MakeStr(std::u16string_view text);
    static GxRillVariable MakeOpcode(GxS64 code);
    // An Array of `size` Null elements (size is clamped to 0..kMaxArraySize).
    static GxRillVariable MakeArray(GxS32 size);

    GxU32 GetType() const { return m_Type; }
    bool IsNull() const { return m_Type == TYPE_NULL; }
    bool IsArray() const { return m_Type == TYPE_ARRAY; }
    void Clear();
    void SetInt(GxS64 value);
    void SetFloat(double value);
    void SetStr(std::u16string_view text);

    // Conversions.
    GxS64 GetInt64() const;
    GxS32 GetInt32() const;
    double GetDouble() const;
    std::u16string GetString() const;
    bool IsTrue() const { return GetInt64() != 0; }

    // Payload access (meaningful for the matching type only).
    GxS64 GetRawInt() const { return m_Int; }
    double GetRawFloat() const { return m_Float; }
    const std::u16string& GetStr() const { return m_Str; }
    std::vector<GxRillVariable>& GetArray() { return m_Array; }
    const std::vector<GxRillVariable>& GetArray() const { return m_Array; }

    // Makes the value an Array with at least index + 1 elements (a non-Array is
    // replaced) and stores a copy of `value` at `index`. False for a negative
    // index or one at or past kMaxArraySize; the value is then unchanged.
    bool SetElement(GxS32 index, const GxRillVariable& value);
    // Grows an Array to index + 1 Null elements; false past kMaxArraySize.
    bool GrowArray(GxS32 index);

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    // Operators (left and right in source order).
    static GxRillVariable Add(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable Concat(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable Sub(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable Mul(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable Div(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable Mod(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable BitAnd(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable BitOr(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable BitXor(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable ShiftLeft(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable ShiftRight(const GxRillVariable& l, const GxRillVariable& r);
    static GxRillVariable Negate(const GxRillVariable& v);
    static GxRillVariable BitNot(const GxRillVariable& v);
    static GxRillVariable LogicalNot(const GxRillVariable& v);
    static bool Equal(const GxRillVariable& l, const GxRillVariable& r);
    static bool NotEqual(const GxRillVariable& l, const GxRillVariable& r) { return !Equal(l, r); }
    static bool Less(const GxRillVariable& l, const GxRillVariable& r);
    static bool LessEqual(const GxRillVariable& l, const GxRillVariable& r);
    static bool Greater(const GxRillVariable& l, const GxRillVariable& r);
    static bool GreaterEqual(const GxRillVariable& l, const GxRillVariable& r);

private:
    bool ReadNested(GxContentReaderBase& reader, int depth);

    GxU32 m_Type = TYPE_NULL;
    union {
        GxS64 m_Int = 0;
        double m_Float;
    };
    std::u16string m_Str;
    std::vector<GxRillVariable> m_Array;
};

// The name that dumps print for a type code ("Unknown" for others).
std::u16string_view GetRillVariableTypeName(GxU32 type);

namespace gx {
// Float to integer without undefined behaviour: NaN gives 0, values out of range saturate.
GxS64 DoubleToInt64(double value);
GxS32 DoubleToInt32(double value);
// Base-10 integer at the start of `text` (white space and a sign allowed), saturating.
GxS64 ParseInt64Prefix(std::u16string_view text);
GxS32 ParseInt32Prefix(std::u16string_view text);
// A decimal floating-point number at the start of `text`, 0 when there is none.
double ParseDoublePrefix(std::u16string_view text);
}  // namespace gx
