#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "base/gx_types.h"
#include "content/gx_content_reader.h"
#include "content/gx_content_writer.h"

// Token types of compiled scripts.
enum GxRillTokenType : GxU16 {
    RILLTOKEN_UNDEFINED = 0,
    RILLTOKEN_BUILTIN = 1,
    RILLTOKEN_WORD = 2,
    RILLTOKEN_INT = 3,
    RILLTOKEN_FLOAT = 4,
    RILLTOKEN_STRING = 5,
    RILLTOKEN_NULL = 6,
    RILLTOKEN_LABEL = 7,
    RILLTOKEN_TEXT = 8,
    RILLTOKEN_VAR = 9,
    RILLTOKEN_ARRAYVAR = 10,
    RILLTOKEN_REFVAR = 11,
    RILLTOKEN_REFARRAYVAR = 12,
    RILLTOKEN_ARRAY = 13,
    RILLTOKEN_COMMAND = 14,
    RILLTOKEN_BREAKPOINT = 15,
    RILLTOKEN_HEREDOC_END = 16,
    RILLTOKEN_SCRIPT_END = 17,
    RILLTOKEN_DEFINE = 18,
    RILLTOKEN_BUILTIN_DECL = 19,
    RILLTOKEN_LOCAL = 20,
    RILLTOKEN_STATIC = 21,
    RILLTOKEN_GLOBAL = 22,
    RILLTOKEN_EXTERN = 23,
    RILLTOKEN_NOSAVE = 24,
    RILLTOKEN_INGAME = 25,
    RILLTOKEN_PERMAN = 26,
    RILLTOKEN_IF = 27,
    RILLTOKEN_ELSE = 28,
    RILLTOKEN_WHILE = 29,
    RILLTOKEN_FOR = 30,
    RILLTOKEN_DO = 31,
    RILLTOKEN_CONTINUE = 32,
    RILLTOKEN_BREAK = 33,
    RILLTOKEN_SEMICOLON = 34,
    RILLTOKEN_COMMA = 35,
    RILLTOKEN_BLOCK_BEGIN = 36,
    RILLTOKEN_BLOCK_END = 37,
    RILLTOKEN_INDEX_BEGIN = 38,
    RILLTOKEN_INDEX_END = 39,
    RILLTOKEN_PAREN_BEGIN = 40,
    RILLTOKEN_PAREN_END = 41,
    RILLTOKEN_EQ = 42,
    RILLTOKEN_NE = 43,
    RILLTOKEN_GT = 44,
    RILLTOKEN_GE = 45,
    RILLTOKEN_LT = 46,
    RILLTOKEN_LE = 47,
    RILLTOKEN_ADD = 48,
    RILLTOKEN_CONCAT = 49,
    RILLTOKEN_SUB = 50,
    RILLTOKEN_MUL = 51,
    RILLTOKEN_DIV = 52,
    RILLTOKEN_MOD = 53,
    RILLTOKEN_PLUS = 54,
    RILLTOKEN_MINUS = 55,
    RILLTOKEN_BITAND = 56,
    RILLTOKEN_BITOR = 57,
    RILLTOKEN_BITXOR = 58,
    RILLTOKEN_BITNOT = 59,
    RILLTOKEN_SHL = 60,
    RILLTOKEN_SHR = 61,
    RILLTOKEN_NOT = 62,
    RILLTOKEN_AND = 63,
    RILLTOKEN_OR = 64,
    RILLTOKEN_PREINC = 65,
    RILLTOKEN_PREDEC = 66,
    RILLTOKEN_POSTINC = 67,
    RILLTOKEN_POSTDEC = 68,
    RILLTOKEN_ASSIGN = 69,
    RILLTOKEN_ASSIGN_ADD = 70,
    RILLTOKEN_ASSIGN_CONCAT = 71,
    RILLTOKEN_ASSIGN_SUB = 72,
    RILLTOKEN_ASSIGN_MUL = 73,
    RILLTOKEN_ASSIGN_DIV = 74,
    RILLTOKEN_ASSIGN_MOD = 75,
    RILLTOKEN_ASSIGN_AND = 76,
    RILLTOKEN_ASSIGN_OR = 77,
    RILLTOKEN_ASSIGN_XOR = 78,
    RILLTOKEN_QUESTION = 79,
};

// The kinds of block that a closing brace's m_Int names.
constexpr GxS64 kRillBlockEndIf = 3;
constexpr GxS64 kRillBlockEndElse = 4;

// A position within a script: a line (step) and a token within it.
class GxRillRunPos {
public:
    GxRillRunPos() = default;
    GxRillRunPos(GxS32 line, GxS32 pos) : m_Line(line), m_Pos(pos) {}
    virtual ~GxRillRunPos() = default;
    GxRillRunPos(const GxRillRunPos&) = default;
    GxRillRunPos& operator=(const GxRillRunPos&) = default;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    bool operator==(const GxRillRunPos& other) const {
        return m_Line == other.m_Line && m_Pos == other.m_Pos;
    }

    GxS32 m_Line = 0;
    GxS32 m_Pos = -1;
};

class GxRillScriptEntity;

// A position together with the script it refers to. The entity pointer is
// resolved from the name by the worker and never stored.
class GxRillScriptPos : public GxRillRunPos {
public:
    GxRillScriptPos() = default;
    GxRillScriptPos(GxS32 line, GxS32 pos, std::u16string scriptName)
        : GxRillRunPos(line, pos), m_ScriptName(std::move(scriptName)) {}

    bool Write(GxContentWriterBase& writer) const override;
    bool Read(GxContentReaderBase& reader) override;

    GxRillScriptEntity* m_pEntity = nullptr;
    std::u16string m_ScriptName;
};

class GxRillToken {
public:
    GxRillToken() = default;
    explicit GxRillToken(GxU16 type) : m_Type(type) {}
    GxRillToken(GxU16 type, GxS64 value) : m_Type(type), m_Int(value) {}
    GxRillToken(GxU16 type, std::u16string text) : m_Type(type), m_Str(std::move(text)) {}
    virtual ~GxRillToken() = default;
    GxRillToken(const GxRillToken& other);
    GxRillToken& operator=(const GxRillToken& other);
    GxRillToken(GxRillToken&&) = default;
    GxRillToken& operator=(GxRillToken&&) = default;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    GxU16 GetType() const { return m_Type; }
    GxU16 GetScope() const { return m_Scope; }
    GxU32 GetTypeAndScope() const { return static_cast<GxU32>(m_Scope) << 16 | m_Type; }
    bool HasPositions() const { return m_Positions != nullptr; }
    // Creates the four jump slots, each (0, -1), on first use.
    GxRillRunPos& Position(int slot);
    // Slot `slot`, or (0, -1) when the token has no slots.
    GxRillRunPos GetPosition(int slot) const;
    bool HasStr() const { return m_Str.has_value(); }
    const std::u16string& GetStr() const;

    GxU16 m_Type = RILLTOKEN_SCRIPT_END;
    GxU16 m_Scope = 0;
    GxS64 m_Int = 0;
    std::unique_ptr<std::array<GxRillRunPos, 4>> m_Positions;
    std::optional<std::u16string> m_Str;
};

// Whether a token of this type ends a term, so that a two-operand operator may
// follow it: a literal, a variable, `]`, `)` or a postfix step.
bool IsRillTermEnd(int type);

// The text that diagnostics print for a token type.
std::u16string_view GetRillTokenTypeText(int type);
// The description of a token for diagnostics.
std::u16string DescribeToken(const GxRillToken& token);
