#include "script/gx_rill_variable.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "base/gx_string.h"

namespace gx {

GxS64 DoubleToInt64(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 9223372036854775808.0)
        return std::numeric_limits<GxS64>::max();
    if (value <= -9223372036854775808.0)
        return std::numeric_limits<GxS64>::min();
    return static_cast<GxS64>(value);
}

GxS32 DoubleToInt32(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<GxS32>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<GxS32>::min();
    return static_cast<GxS32>(value);
}

namespace {
bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f';
}
}  // namespace

GxS64 ParseInt64Prefix(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    const GxU64 limit = negative ? GxU64(1) << 63 : (GxU64(1) << 63) - 1;
    GxU64 value = 0;
    bool saturated = false;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        GxU64 digit = text[i] - u'0';
        if (value > (limit - digit) / 10) {
            saturated = true;
            value = limit;
        } else if (!saturated) {
            value = value * 10 + digit;
        }
    }
    return negative ? static_cast<GxS64>(GxU64(0) - value) : static_cast<GxS64>(value);
}

GxS32 ParseInt32Prefix(std::u16string_view text) {
    GxS64 value = ParseInt64Prefix(text);
    if (value > std::numeric_limits<GxS32>::max())
        return std::numeric_limits<GxS32>::max();
    if (value < std::numeric_limits<GxS32>::min())
        return std::numeric_limits<GxS32>::min();
    return static_cast<GxS32>(value);
}

double ParseDoublePrefix(std::u16string_view text) {
    // Only ASCII can belong to a number; the first other character ends it.
    std::string ascii;
    for (char16_t c : text) {
        if (c == 0 || c > 0x7F)
            break;
        ascii.push_back(static_cast<char>(c));
    }
    return std::strtod(ascii.c_str(), nullptr);
}

}  // namespace gx

GxRillVariable GxRillVariable::MakeInt(GxS64 value) {
    GxRillVariable v;
    v.SetInt(value);
    return v;
}

GxRillVariable GxRillVariable::MakeFloat(double value) {
    GxRillVariable v;
    v.SetFloat(value);
    return v;
}

GxRillVariable GxRillVariable::MakeStr(std::u16string_view text) {
    GxRillVariable v;
    v.SetStr(text);
    return v;
}

GxRillVariable GxRillVariable::MakeOpcode(GxS64 code) {
    GxRillVariable v;
    v.m_Type = TYPE_OPCODE;
    v.m_Int = code;
    return v;
}

GxRillVariable GxRillVariable::MakeArray(GxS32 size) {
    GxRillVariable v;
    v.m_Type = TYPE_ARRAY;
    v.m_Array.resize(std::clamp(size, 0, kMaxArraySize));
    return v;
}

void GxRillVariable::Clear() {
    m_Type = TYPE_NULL;
    m_Int = 0;
    m_Str.clear();
    m_Array.clear();
}

void GxRillVariable::SetInt(GxS64 value) {
    Clear();
    m_Type = TYPE_INT;
    m_Int = value;
}

void GxRillVariable::SetFloat(double value) {
    Clear();
    m_Type = TYPE_FLOAT;
    m_Float = value;
}

void GxRillVariable::SetStr(std::u16string_view text) {
    std::u16string copy(text);  // `text` may point into this value
    Clear();
    m_Type = TYPE_STR;
    m_Str = std::move(copy);
}

GxS64 GxRillVariable::GetInt64() const {
    switch (m_Type) {
        case TYPE_INT:
            return m_Int;
        case TYPE_FLOAT:
            return gx::DoubleToInt64(m_Float);
        case TYPE_STR:
            return gx::ParseInt64Prefix(m_Str);
        case TYPE_ARRAY:
            return static_cast<GxS64>(m_Array.size());
        default:
            return 0;
    }
}

GxS32 GxRillVariable::GetInt32() const {
    switch (m_Type) {
        case TYPE_INT:
            return static_cast<GxS32>(static_cast<GxU32>(m_Int));
        case TYPE_FLOAT:
            return gx::DoubleToInt32(m_Float);
        case TYPE_STR:
            return gx::ParseInt32Prefix(m_Str);
        case TYPE_ARRAY:
            return static_cast<GxS32>(m_Array.size());
        default:
            return 0;
    }
}

double GxRillVariable::GetDouble() const {
    switch (m_Type) {
        case TYPE_INT:
            return static_cast<double>(m_Int);
        case TYPE_FLOAT:
            return m_Float;
        case TYPE_STR:
            return gx::ParseDoublePrefix(m_Str);
        case TYPE_ARRAY:
            return static_cast<double>(m_Array.size());
        default:
            return 0;
    }
}

std::u16string GxRillVariable::GetString() const {
    switch (m_Type) {
        case TYPE_INT:
            return gx::ToU16(m_Int);
        case TYPE_FLOAT: {
            char buffer[400];
            std::snprintf(buffer, sizeof buffer, "%f", m_Float);
            return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
        }
        case TYPE_STR:
        case TYPE_REFVAR:
            return m_Str;
        case TYPE_ARRAY:
            return gx::ToU16(static_cast<long long>(m_Array.size()));
        default:
            return {};
    }
}

bool GxRillVariable::GrowArray(GxS32 index) {
    if (index < 0 || index >= kMaxArraySize)
        return false;
    if (m_Array.size() < static_cast<size_t>(index) + 1)
        m_Array.resize(index + 1);
    return true;
}

bool GxRillVariable::SetElement(GxS32 index, const GxRillVariable& value) {
    if (index < 0 || index >= kMaxArraySize)
        return false;
    GxRillVariable copy(value);  // `value` may be an element of this array
    if (m_Type != TYPE_ARRAY) {
        Clear();
        m_Type = TYPE_ARRAY;
    }
    GrowArray(index);
    m_Array[index] = std::move(copy);
    return true;
}

bool GxRillVariable::Write(GxContentWriterBase& writer) const {
    writer.WriteValue("m_ValueType", m_Type);
    switch (m_Type) {
        case TYPE_INT:
        case TYPE_FLOAT:
            writer.WriteValue("m_IntOfFloat", m_Int);
            break;
        case TYPE_STR:
        case TYPE_REFVAR:
            writer.WriteValue("m_Str", m_Str);
            break;
        case TYPE_ARRAY:
            writer.WriteValue("m_ArraySize", static_cast<GxS32>(m_Array.size()));
            for (const GxRillVariable& element : m_Array)
                element.Write(writer);
            break;
        case TYPE_OPCODE:
            writer.WriteValue("m_Int", m_Int);
            break;
        default:
            break;
    }
    return writer.GetErrorCount() == 0;
}

bool GxRillVariable::Read(GxContentReaderBase& reader) {
    return ReadNested(reader, 0);
}

// Nesting is limited so that a damaged or hostile file cannot exhaust the stack.
bool GxRillVariable::ReadNested(GxContentReaderBase& reader, int depth) {
    constexpr int kMaxDepth = 64;
    Clear();
    GxU32 type = reader.ReadU32("m_ValueType");
    if (reader.GetErrorCount() != 0)
        return false;
    m_Type = type;
    switch (type) {
        case TYPE_INT:
        case TYPE_FLOAT:
            m_Int = reader.ReadS64("m_IntOfFloat");
            break;
        case TYPE_STR:
        case TYPE_REFVAR:
            m_Str = reader.ReadWString("m_Str");
            break;
        case TYPE_OPCODE:
            m_Int = reader.ReadS64("m_Int");
            break;
        case TYPE_ARRAY: {
            GxS32 size = reader.ReadS32("m_ArraySize");
            if (reader.GetErrorCount() != 0 || size < 0 || size > kMaxArraySize ||
                depth >= kMaxDepth) {
                Clear();
                return false;
            }
            for (GxS32 i = 0; i < size; ++i) {
                GxRillVariable element;
                if (!element.ReadNested(reader, depth + 1)) {
                    Clear();
                    return false;
                }
                m_Array.push_back(std::move(element));
            }
            break;
        }
        default:
            break;
    }
    return reader.GetErrorCount() == 0;
}

// ---- operators ----

namespace {

using V = GxRillVariable;

bool EitherFloat(const V& l, const V& r) {
    return l.GetType() == V::TYPE_FLOAT || r.GetType() == V::TYPE_FLOAT;
}

GxS64 Wrap(GxU64 value) {
    return static_cast<GxS64>(value);
}

bool NearlyEqual(double a, double b) {
    return std::fabs(a - b) <= DBL_EPSILON;
}

template <class Op>
bool Compare(const V& l, const V& r, Op op) {
    const auto lt = l.GetType(), rt = r.GetType();
    const bool lNum = lt == V::TYPE_INT || lt == V::TYPE_FLOAT;
    const bool rNum = rt == V::TYPE_INT || rt == V::TYPE_FLOAT;
    if (lt == V::TYPE_NULL && rt == V::TYPE_NULL)
        return op(GxS64(0), GxS64(0));
    if (lt == V::TYPE_NULL && rNum) {
        return rt == V::TYPE_INT ? op(GxS64(0), r.GetRawInt()) : op(0.0, r.GetRawFloat());
    }
    if (rt == V::TYPE_NULL && lNum) {
        return lt == V::TYPE_INT ? op(l.GetRawInt(), GxS64(0)) : op(l.GetRawFloat(), 0.0);
    }
    if (lt == V::TYPE_INT && rt == V::TYPE_INT)
        return op(l.GetRawInt(), r.GetRawInt());
    if (lNum && rNum)
        return op(l.GetDouble(), r.GetDouble());
    if (lt == V::TYPE_STR && rt == V::TYPE_STR)
        return op(l.GetStr(), r.GetStr());
    return op(l.GetString(), r.GetString());
}

}  // namespace

V V::Add(const V& l, const V& r) {
    if (EitherFloat(l, r))
        return MakeFloat(l.GetDouble() + r.GetDouble());
    return MakeInt(Wrap(GxU64(l.GetInt64()) + GxU64(r.GetInt64())));
}

V V::Sub(const V& l, const V& r) {
    if (EitherFloat(l, r))
        return MakeFloat(l.GetDouble() - r.GetDouble());
    return MakeInt(Wrap(GxU64(l.GetInt64()) - GxU64(r.GetInt64())));
}

V V::Mul(const V& l, const V& r) {
    if (EitherFloat(l, r))
        return MakeFloat(l.GetDouble() * r.GetDouble());
    return MakeInt(Wrap(GxU64(l.GetInt64()) * GxU64(r.GetInt64())));
}

V V::Div(const V& l, const V& r) {
    if (EitherFloat(l, r)) {
        double divisor = r.GetDouble();
        if (std::fabs(divisor) <= DBL_EPSILON)
            return V();
        return MakeFloat(l.GetDouble() / divisor);
    }
    GxS64 divisor = r.GetInt64();
    if (divisor == 0)
        return V();
    GxS64 dividend = l.GetInt64();
    if (divisor == -1)
        return MakeInt(Wrap(GxU64(0) - GxU64(dividend)));  // INT64_MIN wraps
    return MakeInt(dividend / divisor);
}

V V::Mod(const V& l, const V& r) {
    if (EitherFloat(l, r)) {
        double divisor = r.GetDouble();
        if (std::fabs(divisor) <= DBL_EPSILON)
            return V();
        return MakeFloat(std::fmod(l.GetDouble(), divisor));
    }
    GxS64 divisor = r.GetInt64();
    if (divisor == 0)
        return V();
    if (divisor == -1)
        return MakeInt(0);
    return MakeInt(l.GetInt64() % divisor);
}

V V::Concat(const V& l, const V& r) {
    return MakeStr(l.GetString() + r.GetString());
}

V V::BitAnd(const V& l, const V& r) {
    return MakeInt(l.GetInt64() & r.GetInt64());
}
V V::BitOr(const V& l, const V& r) {
    return MakeInt(l.GetInt64() | r.GetInt64());
}
V V::BitXor(const V& l, const V& r) {
    return MakeInt(l.GetInt64() ^ r.GetInt64());
}

V V::ShiftLeft(const V& l, const V& r) {
    GxU64 count = GxU64(r.GetInt64()) & 0xFF;
    return MakeInt(count >= 64 ? 0 : Wrap(GxU64(l.GetInt64()) << count));
}

V V::ShiftRight(const V& l, const V& r) {
    GxU64 count = GxU64(r.GetInt64()) & 0xFF;
    return MakeInt(count >= 64 ? 0 : Wrap(GxU64(l.GetInt64()) >> count));
}

V V::Negate(const V& v) {
    switch (v.m_Type) {
        case TYPE_INT:
        case TYPE_STR:
            return MakeInt(Wrap(GxU64(0) - GxU64(v.GetInt64())));
        case TYPE_FLOAT:
            return MakeFloat(-v.m_Float);
        default:
            return MakeInt(0);
    }
}

V V::BitNot(const V& v) {
    switch (v.m_Type) {
        case TYPE_INT:
        case TYPE_FLOAT:
        case TYPE_STR:
            return MakeInt(~v.GetInt64());
        default:
            return MakeInt(-1);
    }
}

V V::LogicalNot(const V& v) {
    switch (v.m_Type) {
        case TYPE_INT:
        case TYPE_FLOAT:
        case TYPE_STR:
            return MakeInt(v.GetInt64() == 0 ? 1 : 0);
        default:
            return MakeInt(1);
    }
}

bool V::Equal(const V& l, const V& r) {
    if (l.m_Type == TYPE_NULL || r.m_Type == TYPE_NULL) {
        const V& other = l.m_Type == TYPE_NULL ? r : l;
        switch (other.m_Type) {
            case TYPE_NULL:
                return true;
            case TYPE_INT:
                return other.m_Int == 0;
            case TYPE_FLOAT:
                return other.m_Float == 0.0;
            case TYPE_STR:
                return other.m_Str.empty();
            default:
                return false;
        }
    }
    if (l.m_Type == TYPE_INT && r.m_Type == TYPE_INT)
        return l.m_Int == r.m_Int;
    if (l.m_Type == TYPE_FLOAT && r.m_Type == TYPE_FLOAT)
        return l.m_Float == r.m_Float;
    if (l.m_Type == TYPE_STR && r.m_Type == TYPE_STR)
        return l.m_Str == r.m_Str;
    if ((l.m_Type == TYPE_INT && r.m_Type == TYPE_FLOAT) ||
        (l.m_Type == TYPE_FLOAT && r.m_Type == TYPE_INT)) {
        return NearlyEqual(l.GetDouble(), r.GetDouble());
    }
    return l.GetString() == r.GetString();
}

bool V::Less(const V& l, const V& r) {
    return Compare(l, r, [](const auto& a, const auto& b) { return a < b; });
}
bool V::LessEqual(const V& l, const V& r) {
    return Compare(l, r, [](const auto& a, const auto& b) { return a <= b; });
}
bool V::Greater(const V& l, const V& r) {
    return Compare(l, r, [](const auto& a, const auto& b) { return a > b; });
}
bool V::GreaterEqual(const V& l, const V& r) {
    return Compare(l, r, [](const auto& a, const auto& b) { return a >= b; });
}

std::u16string_view GetRillVariableTypeName(GxU32 type) {
    switch (type) {
        case V::TYPE_INT:
            return u"Int";
        case V::TYPE_FLOAT:
            return u"Float";
        case V::TYPE_STR:
            return u"Str";
        case V::TYPE_ARRAY:
            return u"Array";
        case V::TYPE_REFVAR:
            return u"RefVar";
        case V::TYPE_OPCODE:
            return u"Opcode";
        case V::TYPE_NULL:
            return u"Null";
        default:
            return u"Unknown";
    }
}
