#include "rill_lexer.h"

#include <bit>
#include <cerrno>
#include <cstdlib>
#include <limits>

#include "base/gx_string.h"

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool IsHexDigit(char16_t c) {
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}
bool IsWordStart(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' ||
           (c >= 0x80 && c != 0x3000);
}

struct Keyword {
    std::u16string_view text;
    GxU16 type;
};
constexpr Keyword kKeywords[] = {
    {u"IF", RILLTOKEN_IF},
    {u"ELSE", RILLTOKEN_ELSE},
    {u"LOCAL", RILLTOKEN_LOCAL},
    {u"STATIC", RILLTOKEN_STATIC},
    {u"GLOBAL", RILLTOKEN_GLOBAL},
    {u"EXTERN", RILLTOKEN_EXTERN},
    {u"DEFINE", RILLTOKEN_DEFINE},
    {u"BUILTIN", RILLTOKEN_BUILTIN_DECL},
    {u"BREAKPOINT", RILLTOKEN_BREAKPOINT},
    {u"NOSAVE", RILLTOKEN_NOSAVE},
    {u"INGAME", RILLTOKEN_INGAME},
    {u"PERMAN", RILLTOKEN_PERMAN},
    {u"NULL", RILLTOKEN_NULL},
    {u"ARRAY", RILLTOKEN_ARRAY},
};
constexpr std::u16string_view kReserved[] = {u"WHILE", u"FOR", u"DO", u"CONTINUE", u"BREAK"};

struct Symbol {
    std::u16string_view text;
    GxU16 type;
};
// Longest first, so that "<<" wins over "<" and ":=" over ":".
constexpr Symbol kSymbols[] = {
    {u"==", RILLTOKEN_EQ},         {u"!=", RILLTOKEN_NE},         {u">=", RILLTOKEN_GE},
    {u"<=", RILLTOKEN_LE},         {u"<<", RILLTOKEN_SHL},        {u">>", RILLTOKEN_SHR},
    {u"&&", RILLTOKEN_AND},        {u"||", RILLTOKEN_OR},         {u"++", RILLTOKEN_POSTINC},
    {u"--", RILLTOKEN_POSTDEC},    {u"+=", RILLTOKEN_ASSIGN_ADD}, {u":=", RILLTOKEN_ASSIGN_CONCAT},
    {u"-=", RILLTOKEN_ASSIGN_SUB}, {u"*=", RILLTOKEN_ASSIGN_MUL}, {u"/=", RILLTOKEN_ASSIGN_DIV},
    {u"%=", RILLTOKEN_ASSIGN_MOD}, {u"&=", RILLTOKEN_ASSIGN_AND}, {u"|=", RILLTOKEN_ASSIGN_OR},
    {u"^=", RILLTOKEN_ASSIGN_XOR}, {u";", RILLTOKEN_SEMICOLON},   {u",", RILLTOKEN_COMMA},
    {u"{", RILLTOKEN_BLOCK_BEGIN}, {u"}", RILLTOKEN_BLOCK_END},   {u"[", RILLTOKEN_INDEX_BEGIN},
    {u"]", RILLTOKEN_INDEX_END},   {u"(", RILLTOKEN_PAREN_BEGIN}, {u")", RILLTOKEN_PAREN_END},
    {u">", RILLTOKEN_GT},          {u"<", RILLTOKEN_LT},          {u"+", RILLTOKEN_ADD},
    {u":", RILLTOKEN_CONCAT},      {u"-", RILLTOKEN_SUB},         {u"*", RILLTOKEN_MUL},
    {u"/", RILLTOKEN_DIV},         {u"%", RILLTOKEN_MOD},         {u"&", RILLTOKEN_BITAND},
    {u"|", RILLTOKEN_BITOR},       {u"^", RILLTOKEN_BITXOR},      {u"~", RILLTOKEN_BITNOT},
    {u"!", RILLTOKEN_NOT},         {u"=", RILLTOKEN_ASSIGN},      {u"?", RILLTOKEN_QUESTION},
};

// A `+` or `-` after a term (or a built-in or word) is a two-operand operator;
// elsewhere it is unary.
bool EndsOperand(const std::vector<GxRillToken>& tokens) {
    if (tokens.empty())
        return false;
    const GxU16 type = tokens.back().m_Type;
    return IsRillTermEnd(type) || type == RILLTOKEN_BUILTIN || type == RILLTOKEN_WORD;
}

class Lexer {
public:
    Lexer(std::u16string_view code, const RillNames& names, const RillHeredocReader& heredoc,
          std::vector<GxRillToken>& out, std::u16string& error)
        : m_Code(code), m_Names(names), m_Heredoc(heredoc), m_Out(out), m_Error(error) {}

    bool Run() {
        while (m_At < m_Code.size()) {
            const char16_t c = m_Code[m_At];
            if (c == u' ' || c == u'\t') {
                ++m_At;
            } else if (Rest().starts_with(u"//")) {
                break;
            } else if (Rest().starts_with(u"<<<")) {
                if (!Heredoc())
                    return false;
            } else if (c == u'$') {
                if (!Variable())
                    return false;
            } else if (IsDigit(c)) {
                if (!Number())
                    return false;
            } else if (c == u'"') {
                if (!String())
                    return false;
            } else if (IsWordStart(c)) {
                if (!Word())
                    return false;
            } else if (!Operator()) {
                return false;
            }
        }
        AddBuiltinParentheses();
        WrapArrayIndexes();
        return true;
    }

private:
    std::u16string_view Rest() const { return m_Code.substr(m_At); }

    bool Fail(std::u16string message) {
        m_Error = std::move(message);
        return false;
    }

    bool Variable() {
        size_t start = ++m_At;
        while (m_At < m_Code.size() && IsRillNameChar(m_Code[m_At]) && m_Code[m_At] != u'.')
            ++m_At;
        if (m_At == start)
            return Fail(u"'$' must be followed by a variable name");
        std::u16string name(m_Code.substr(start, m_At - start));
        const bool array = m_At < m_Code.size() && m_Code[m_At] == u'[';
        m_Out.emplace_back(array ? RILLTOKEN_ARRAYVAR : RILLTOKEN_VAR, std::move(name));
        return true;
    }

    bool Number() {
        size_t start = m_At;
        GxRillToken token;
        if (Rest().starts_with(u"0x") || Rest().starts_with(u"0X")) {
            m_At += 2;
            GxU64 value = 0;
            size_t digits = m_At;
            while (m_At < m_Code.size() && IsHexDigit(m_Code[m_At])) {
                if (m_At - digits >= 16)
                    return Fail(u"hexadecimal number too long");
                char16_t h = m_Code[m_At++];
                value = value * 16 + (IsDigit(h) ? h - u'0' : (h | 0x20) - u'a' + 10);
            }
            if (m_At == digits)
                return Fail(u"'0x' must be followed by hexadecimal digits");
            token = GxRillToken(RILLTOKEN_INT, static_cast<GxS64>(value));
        } else {
            while (m_At < m_Code.size() && IsDigit(m_Code[m_At]))
                ++m_At;
            const bool isFloat =
                m_At + 1 < m_Code.size() && m_Code[m_At] == u'.' && IsDigit(m_Code[m_At + 1]);
            if (isFloat) {
                ++m_At;
                while (m_At < m_Code.size() && IsDigit(m_Code[m_At]))
                    ++m_At;
            }
            std::string text(m_Code.begin() + start, m_Code.begin() + m_At);
            if (isFloat) {
                token = GxRillToken(RILLTOKEN_FLOAT,
                                    std::bit_cast<GxS64>(std::strtod(text.c_str(), nullptr)));
            } else {
                errno = 0;
                unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
                if (errno == ERANGE ||
                    value > static_cast<GxU64>(std::numeric_limits<GxS64>::max())) {
                    return Fail(u"integer " + gx::Utf8ToUtf16(text) + u" is too large");
                }
                token = GxRillToken(RILLTOKEN_INT, static_cast<GxS64>(value));
            }
        }
        if (m_At < m_Code.size() && IsRillNameChar(m_Code[m_At])) {
            return Fail(u"malformed number '" +
                        std::u16string(m_Code.substr(start, m_At - start + 1)) + u"'");
        }
        m_Out.push_back(std::move(token));
        return true;
    }

    bool String() {
        std::u16string text;
        for (++m_At; m_At < m_Code.size(); ++m_At) {
            char16_t c = m_Code[m_At];
            if (c == u'"') {
                ++m_At;
                m_Out.emplace_back(RILLTOKEN_STRING, std::move(text));
                return true;
            }
            if (c == u'\\') {
                char16_t next = m_At + 1 < m_Code.size() ? m_Code[m_At + 1] : u'\0';
                if (next == u'"' || next == u'\\') {
                    text.push_back(next);
                } else if (next == u't') {
                    text.push_back(u'\t');
                } else {
                    return Fail(
                        u"unknown escape in a string (only \\\", \\\\ and \\t are allowed)");
                }
                ++m_At;
                continue;
            }
            text.push_back(c);
        }
        return Fail(u"string without its closing '\"'");
    }

    bool Heredoc() {
        m_At += 3;
        size_t start = m_At;
        while (m_At < m_Code.size() && IsRillNameChar(m_Code[m_At]))
            ++m_At;
        if (m_At == start)
            return Fail(u"'<<<' must be followed by the name of the closing line");
        std::u16string tag(m_Code.substr(start, m_At - start));
        std::u16string text;
        if (!m_Heredoc || !m_Heredoc(tag, text)) {
            return Fail(u"here-document without its closing line '" + tag + u"'");
        }
        m_Out.emplace_back(RILLTOKEN_STRING, std::move(text));
        return true;
    }

    bool Word() {
        size_t start = m_At;
        while (m_At < m_Code.size() && IsRillNameChar(m_Code[m_At]))
            ++m_At;
        std::u16string_view word = m_Code.substr(start, m_At - start);
        for (std::u16string_view reserved : kReserved) {
            if (word == reserved) {
                return Fail(
                    std::u16string(word) +
                    u" is reserved and not supported: write loops with labels and jump/call "
                    u"(a text line that starts with it begins with \\)");
            }
        }
        for (const Keyword& keyword : kKeywords) {
            if (word == keyword.text) {
                m_Out.emplace_back(keyword.type);
                return true;
            }
        }
        if (auto define = m_Names.defines.find(word); define != m_Names.defines.end()) {
            m_Out.push_back(define->second);
            return true;
        }
        if (auto builtin = m_Names.builtins.find(word); builtin != m_Names.builtins.end()) {
            GxRillToken token(RILLTOKEN_BUILTIN, std::u16string(word));
            token.m_Int = builtin->second;
            m_Out.push_back(std::move(token));
            return true;
        }
        m_Out.emplace_back(RILLTOKEN_WORD, std::u16string(word));
        return true;
    }

    bool Operator() {
        for (const Symbol& symbol : kSymbols) {
            if (!Rest().starts_with(symbol.text))
                continue;
            m_At += symbol.text.size();
            const bool operand = EndsOperand(m_Out);
            GxU16 type = symbol.type;
            switch (type) {
                case RILLTOKEN_SEMICOLON:
                    return Fail(u"';' is not allowed: write one statement per line");
                case RILLTOKEN_QUESTION:
                    return Fail(u"'?' is not supported");
                case RILLTOKEN_ADD:
                    if (!operand)
                        type = RILLTOKEN_PLUS;
                    break;
                case RILLTOKEN_SUB:
                    if (!operand)
                        type = RILLTOKEN_MINUS;
                    break;
                case RILLTOKEN_POSTINC:
                case RILLTOKEN_POSTDEC:
                    if (!operand) {
                        return Fail(u"prefix '" + std::u16string(symbol.text) +
                                    u"' is not supported: write $x += 1");
                    }
                    break;
                case RILLTOKEN_BITAND:
                    if (!operand && m_At < m_Code.size() && m_Code[m_At] == u'$') {
                        return Fail(u"references ('&$name') are not supported");
                    }
                    break;
                default:
                    break;
            }
            m_Out.emplace_back(type);
            return true;
        }
        return Fail(u"unexpected character '" + std::u16string(1, m_Code[m_At]) + u"'");
    }

    void AddBuiltinParentheses() {
        for (size_t i = 0; i < m_Out.size(); ++i) {
            if (m_Out[i].m_Type != RILLTOKEN_BUILTIN)
                continue;
            if (i + 1 < m_Out.size() && m_Out[i + 1].m_Type == RILLTOKEN_PAREN_BEGIN)
                continue;
            m_Out.insert(m_Out.begin() + i + 1, GxRillToken(RILLTOKEN_PAREN_BEGIN));
            m_Out.insert(m_Out.begin() + i + 2, GxRillToken(RILLTOKEN_PAREN_END));
        }
    }

    // The engine takes one term as an index, so anything longer is parenthesised.
    void WrapArrayIndexes() {
        for (size_t i = 0; i + 1 < m_Out.size(); ++i) {
            if (m_Out[i].m_Type != RILLTOKEN_ARRAYVAR ||
                m_Out[i + 1].m_Type != RILLTOKEN_INDEX_BEGIN) {
                continue;
            }
            size_t open = i + 1, depth = 0, close = 0;
            for (size_t k = open; k < m_Out.size() && !close; ++k) {
                GxU16 type = m_Out[k].m_Type;
                if (type == RILLTOKEN_INDEX_BEGIN || type == RILLTOKEN_PAREN_BEGIN)
                    ++depth;
                if (type == RILLTOKEN_INDEX_END || type == RILLTOKEN_PAREN_END) {
                    if (--depth == 0)
                        close = k;
                }
            }
            if (!close || close - open <= 2)
                continue;  // unmatched, empty or one token
            m_Out.insert(m_Out.begin() + close, GxRillToken(RILLTOKEN_PAREN_END));
            m_Out.insert(m_Out.begin() + open + 1, GxRillToken(RILLTOKEN_PAREN_BEGIN));
        }
    }

    std::u16string_view m_Code;
    const RillNames& m_Names;
    const RillHeredocReader& m_Heredoc;
    std::vector<GxRillToken>& m_Out;
    std::u16string& m_Error;
    size_t m_At = 0;
};

}  // namespace

bool IsRillNameChar(char16_t c) {
    return IsWordStart(c) || IsDigit(c) || c == u'.';
}

bool LexRillCode(std::u16string_view code, const RillNames& names, const RillHeredocReader& heredoc,
                 std::vector<GxRillToken>& tokens, std::u16string& error) {
    return Lexer(code, names, heredoc, tokens, error).Run();
}
