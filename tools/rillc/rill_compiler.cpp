#include "rill_compiler.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <fstream>
#include <optional>

#include "base/gx_string.h"
#include "rill_builtin_table.h"
#include "rill_lexer.h"
#include "script/gx_rill_eval.h"

namespace {

// An engine that only collects the parser's messages, for compile-time checks.
class CheckEngine : public GxRill {
public:
    std::vector<std::u16string> messages;

protected:
    void ErrorText(std::u16string_view, GxS32, std::u16string_view text) override {
        messages.emplace_back(text);
    }
};

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view TrimBlanks(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Whether a line starts with one of the keywords that make it a code line.
bool StartsWithCodeKeyword(std::u16string_view line) {
    static constexpr std::u16string_view kStarters[] = {
        u"IF",      u"ELSE",       u"LOCAL", u"STATIC", u"GLOBAL", u"EXTERN",   u"DEFINE",
        u"BUILTIN", u"BREAKPOINT", u"WHILE", u"FOR",    u"DO",     u"CONTINUE", u"BREAK"};
    for (std::u16string_view keyword : kStarters) {
        if (line.starts_with(keyword) &&
            (line.size() == keyword.size() || !IsRillNameChar(line[keyword.size()]))) {
            return true;
        }
    }
    return false;
}

std::string Narrow(std::u16string_view text) {
    return gx::Utf16ToUtf8(text);
}

// Runs an opcode list over a stack of placeholders: the parser accepts empty
// operands such as "()" or "$a[]" that would make the interpreter pop from an
// empty stack, so they are found here. An ELEMENTNUM placeholder keeps its count.
bool StackUseIsSound(const std::vector<GxRillVariable>& opcodes) {
    std::vector<GxS64> stack;  // -1 for a value, else an element count
    auto pop = [&](size_t n) {
        if (stack.size() < n)
            return false;
        stack.resize(stack.size() - n);
        return true;
    };
    for (size_t pc = 0; pc < opcodes.size(); ++pc) {
        if (opcodes[pc].GetType() != GxRillVariable::TYPE_OPCODE)
            continue;  // an operand
        const GxS64 code = opcodes[pc].GetRawInt();
        const bool arrayTarget = pc + 1 < opcodes.size() &&
                                 opcodes[pc + 1].GetType() == GxRillVariable::TYPE_OPCODE &&
                                 opcodes[pc + 1].GetRawInt() == RILLOPC_ALTER_VARARY;
        switch (code) {
            case RILLOPC_PUSH_INT:
            case RILLOPC_PUSH_FLT:
            case RILLOPC_PUSH_STR:
            case RILLOPC_PUSH_NULL:
            case RILLOPC_PUSH_VAR:
                stack.push_back(-1);
                break;
            case RILLOPC_PUSH_VARARY:
                if (!pop(1))
                    return false;
                stack.push_back(-1);
                break;
            case RILLOPC_ELEMENTNUM:
                stack.push_back(opcodes[pc + 1].GetRawInt());
                break;
            case RILLOPC_CALL_BUILTIN:
            case RILLOPC_ARRAYINIT: {
                if (stack.empty() || stack.back() < 0)
                    return false;
                const GxS64 count = stack.back();
                if (!pop(1) || !pop(static_cast<size_t>(count)))
                    return false;
                stack.push_back(-1);
                break;
            }
            case RILLOPC_PLUS:
            case RILLOPC_MINUS:
            case RILLOPC_BITNOT:
            case RILLOPC_NOT:
                if (!pop(1))
                    return false;
                stack.push_back(-1);
                break;
            case RILLOPC_POSTINC:
            case RILLOPC_POSTDEC:
                if (arrayTarget && !pop(1))
                    return false;
                stack.push_back(-1);
                break;
            default:
                if (code >= RILLOPC_EQ && code <= RILLOPC_OR) {
                    if (!pop(2))
                        return false;
                    stack.push_back(-1);
                } else if (code >= RILLOPC_ASSIGN && code <= RILLOPC_ASSIGN_XOR) {
                    if (!pop(arrayTarget ? 2 : 1))
                        return false;
                    stack.push_back(-1);
                }
                break;
        }
    }
    return true;
}

}  // namespace

class RillScriptCompiler {
public:
    RillScriptCompiler(RillCompiler& owner, const RillSourceFile& source)
        : m_Owner(owner), m_Source(source), m_Script(std::make_unique<GxRillScript>()) {
        m_Script->m_ScriptName = source.scriptName;
        for (const RillBuiltinName& entry : GetRillBuiltinNames()) {
            m_Names.builtins.emplace(entry.name, entry.index);
        }
        SplitLines(source.text);
        m_Script->m_Lines.resize(m_Lines.size());
    }

    void Run() {
        for (m_Line = 0; m_Line < m_Lines.size(); ++m_Line)
            CompileLine(m_Line);
        for (const OpenBlock& block : m_Blocks) {
            Error(block.line, "block opened here is never closed with '}'");
        }
        if (m_PendingBrace)
            Error(m_PendingBrace->line, "the condition is not followed by '{'");
        if (m_TextBlock != TextBlock::None) {
            Error(m_TextBlockLine, m_TextBlock == TextBlock::Stand
                                       ? "#stand block without its closing #endstand"
                                       : "#text block without its closing #endtext");
        }
        for (const BracePair& pair : m_Pairs) {
            GxRillRunPos after = pair.close;
            m_Script->NextToken(after);
            m_Script->m_Lines[pair.open.m_Line].m_Tokens[pair.open.m_Pos].Position(0) = after;
        }
        if (!m_Owner.m_Model->AddScript(std::move(m_Script))) {
            m_Owner.m_Diagnostics.push_back(
                {m_Source.path, 0,
                 "another script has the same name " + Narrow(m_Source.scriptName)});
        }
    }

private:
    enum class BlockKind { If, ElseIf, Else };
    enum class TextBlock { None, Stand, Text };
    struct OpenBlock {
        BlockKind kind;
        GxRillRunPos brace;
        size_t line;
    };
    struct BracePair {
        GxRillRunPos open, close;
    };
    struct Pending {
        BlockKind kind;
        size_t line;
    };

    void SplitLines(std::u16string_view text) {
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find(u'\n', start);
            if (end == std::u16string_view::npos)
                end = text.size();
            std::u16string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == u'\r')
                line.remove_suffix(1);
            m_Lines.emplace_back(line);
            start = end + 1;
        }
    }

    void Error(size_t line, const std::string& message) {
        m_Owner.m_Diagnostics.push_back(
            {m_Source.path, static_cast<int>(line) + 1, message, false});
    }
    void Error(size_t line, std::u16string_view message) { Error(line, Narrow(message)); }

    std::vector<GxRillToken>& Step(size_t line) { return m_Script->m_Lines[line].m_Tokens; }

    void CompileLine(size_t line) {
        const std::u16string_view text = TrimBlanks(m_Lines[line]);
        const bool empty = text.empty() || text.starts_with(u"//");
        if (m_TextBlock != TextBlock::None) {
            if (!empty)
                BlockLine(line, text);
            return;
        }
        if (empty)
            return;
        const bool elseAllowed = m_ElseAllowed;
        m_ElseAllowed = false;
        if (m_PendingBrace && text.front() != u'{') {
            Error(m_PendingBrace->line,
                  "the condition must be followed by '{' (on its line or the next)");
            m_PendingBrace.reset();
        }
        switch (text.front()) {
            case u'*':
                Label(line, text.substr(1));
                return;
            case u'#':
                Command(line, text.substr(1));
                return;
            case u'\\':
                Step(line).emplace_back(RILLTOKEN_TEXT, std::u16string(text.substr(1)));
                return;
            case u'$':
            case u'{':
            case u'}':
                Code(line, text, elseAllowed);
                return;
            default:
                if (StartsWithCodeKeyword(text)) {
                    Code(line, text, elseAllowed);
                } else {
                    Step(line).emplace_back(RILLTOKEN_TEXT, std::u16string(text));
                }
        }
    }

    void BlockLine(size_t line, std::u16string_view text) {
        const std::u16string_view closer =
            m_TextBlock == TextBlock::Stand ? u"endstand" : u"endtext";
        if (text.front() == u'#') {
            std::u16string_view rest = TrimBlanks(text.substr(1));
            if (rest.ends_with(u"()"))
                rest = TrimBlanks(rest.substr(0, rest.size() - 2));
            if (rest != closer) {
                Error(line, u"a block line cannot be a command; close the block with #" +
                                std::u16string(closer));
                return;
            }
            Step(line).emplace_back(RILLTOKEN_COMMAND);
            Step(line).emplace_back(RILLTOKEN_BUILTIN, std::u16string(closer));
            m_TextBlock = TextBlock::None;
            return;
        }
        Step(line).emplace_back(RILLTOKEN_TEXT, std::u16string(text));
    }

    bool Lex(size_t line, std::u16string_view code, std::vector<GxRillToken>& tokens) {
        std::u16string error;
        RillHeredocReader heredoc = [&](std::u16string_view tag, std::u16string& out) {
            for (size_t k = m_Line + 1; k < m_Lines.size(); ++k) {
                if (TrimBlanks(m_Lines[k]) == tag) {
                    for (size_t j = m_Line + 1; j < k; ++j) {
                        if (j > m_Line + 1)
                            out += u"%r";
                        out += m_Lines[j];
                    }
                    m_Line = k;
                    return true;
                }
            }
            return false;
        };
        if (!LexRillCode(code, m_Names, heredoc, tokens, error)) {
            Error(line, error);
            return false;
        }
        return true;
    }

    void Label(size_t line, std::u16string_view text) {
        size_t end = 0;
        while (end < text.size() && !IsBlank(text[end]))
            ++end;
        std::u16string name(text.substr(0, end));
        std::u16string_view rest = TrimBlanks(text.substr(end));
        if (name.empty() || name == u"@")
            return Error(line, "label without a name");
        if (!rest.empty() && !rest.starts_with(u"//")) {
            return Error(line, "unexpected text after the label name");
        }
        GxRillLabelDefinition label;
        label.m_Name = name;
        label.m_Pos = GxRillScriptPos(static_cast<GxS32>(line), 0, m_Source.scriptName);
        if (label.IsLocal()) {
            if (!m_Script->AddLabel(label))
                return Error(line, "label *" + Narrow(name) + " is defined twice");
        } else {
            auto [site, added] = m_Owner.m_GlobalLabelSites.try_emplace(
                name, RillCompiler::Declared{m_Source.path, static_cast<int>(line) + 1});
            if (!added) {
                return Error(line, "label *" + Narrow(name) + " is already defined at " +
                                       site->second.path + ":" + std::to_string(site->second.line));
            }
            m_Owner.m_Model->AddLabel(label);
        }
        Step(line).emplace_back(RILLTOKEN_LABEL, name);
    }

    void Command(size_t line, std::u16string_view code) {
        std::vector<GxRillToken> tokens{GxRillToken(RILLTOKEN_COMMAND)};
        if (!Lex(line, code, tokens))
            return;
        if (tokens.size() == 1)
            return Error(line, "'#' without a command");
        size_t start = 1;
        if (tokens[1].m_Type == RILLTOKEN_LOCAL)
            start = 2;
        const GxRillToken first = tokens[start < tokens.size() ? start : 1];
        Step(line) = std::move(tokens);
        if (!Statement(line, start))
            return;
        if (first.m_Type == RILLTOKEN_BUILTIN &&
            (first.GetStr() == u"stand" || first.GetStr() == u"text")) {
            m_TextBlock = first.GetStr() == u"stand" ? TextBlock::Stand : TextBlock::Text;
            m_TextBlockLine = line;
        }
    }

    void Code(size_t line, std::u16string_view code, bool elseAllowed) {
        std::vector<GxRillToken> tokens;
        if (!Lex(line, code, tokens))
            return;
        if (tokens.empty())
            return;
        switch (tokens[0].m_Type) {
            case RILLTOKEN_VAR:
            case RILLTOKEN_ARRAYVAR:
                Step(line) = std::move(tokens);
                Statement(line, 0);
                return;
            case RILLTOKEN_LOCAL:
                Step(line) = std::move(tokens);
                Statement(line, 1);
                return;
            case RILLTOKEN_IF:
                return Conditional(line, tokens, 0, BlockKind::If);
            case RILLTOKEN_ELSE:
                if (!elseAllowed)
                    return Error(line, "ELSE must follow the '}' of an IF or ELSE IF block");
                return ElseChain(line, tokens, 0);
            case RILLTOKEN_BLOCK_END:
                return CloseBlock(line, tokens);
            case RILLTOKEN_BLOCK_BEGIN:
                return OpenPendingBlock(line, tokens);
            case RILLTOKEN_STATIC:
            case RILLTOKEN_GLOBAL:
            case RILLTOKEN_EXTERN:
                return Declaration(line, tokens);
            case RILLTOKEN_DEFINE:
                return Define(line, tokens);
            case RILLTOKEN_BUILTIN_DECL:
                return Alias(line, tokens);
            case RILLTOKEN_BREAKPOINT:
                if (tokens.size() != 1)
                    return Error(line, "BREAKPOINT stands alone on its line");
                Step(line) = std::move(tokens);
                return;
            default:
                return Error(line,
                             "this line cannot start with " + Narrow(DescribeToken(tokens[0])));
        }
    }

    // Checks a statement with the engine's parser and the worker's rules.
    bool Statement(size_t line, size_t start) {
        const std::vector<GxRillToken>& tokens = Step(line);
        if (start >= tokens.size())
            return Error(line, "LOCAL must be followed by a variable"), false;
        for (const GxRillToken& token : tokens) {
            if (token.m_Type == RILLTOKEN_BUILTIN && token.m_Int == 0) {
                Error(line, "#" + Narrow(token.GetStr()) + " closes a block that is not open");
                return false;
            }
        }
        const GxRillToken& first = tokens[start];
        const bool local = start > 0 && tokens[start - 1].m_Type == RILLTOKEN_LOCAL;
        GxRillRunPos pos(static_cast<GxS32>(line), static_cast<GxS32>(start));
        CheckEngine check;
        std::vector<GxRillVariable> opcodes;
        bool parsed = false;
        if (first.m_Type == RILLTOKEN_VAR || first.m_Type == RILLTOKEN_ARRAYVAR ||
            (first.m_Type == RILLTOKEN_BUILTIN && !local)) {
            parsed = ParseRillExpression(check, *m_Script, pos, opcodes);
        } else if (first.m_Type == RILLTOKEN_WORD && !local) {
            const std::u16string& word = first.GetStr();
            const std::u16string layer = word.substr(0, word.find(u'.'));
            const std::u16string suffix = gx::GetExtension(word);
            const std::u16string command =
                gx::ToLowerAscii(suffix.empty() ? u"sp.lcg" : u"sp" + suffix);
            const GxRillBuiltinDefinition* definition =
                m_Owner.m_Model->FindBuiltinDefinition(command);
            if (!definition) {
                Error(line, u"レイヤー操作に使用できない命令です[" + command + u"]");
                return false;
            }
            parsed = ParseRillLayerCommand(check, *m_Script, pos, layer, definition->m_BuiltinIndex,
                                           command, opcodes);
        } else {
            Error(
                line,
                (local ? "LOCAL must be followed by a variable, found "
                       : "a statement starts with a variable, a built-in or a layer name, found ") +
                    Narrow(DescribeToken(first)));
            return false;
        }
        if (!parsed) {
            for (const std::u16string& message : check.messages)
                Error(line, message);
            return false;
        }
        if (!StackUseIsSound(opcodes)) {
            Error(line, "an operand is missing (empty parentheses or index)");
            return false;
        }
        NoteLabelUses(line, start);
        if (m_Script->CheckPos(pos) != -1) {
            Error(line, "the statement ends before " +
                            Narrow(DescribeToken(m_Script->GetToken(pos))) +
                            ": one statement per line");
            return false;
        }
        return true;
    }

    // jump("X") and call("X") with a literal label are checked once all scripts are read.
    void NoteLabelUses(size_t line, size_t start) {
        const std::vector<GxRillToken>& tokens = Step(line);
        for (size_t i = start; i + 2 < tokens.size(); ++i) {
            const GxRillToken& token = tokens[i];
            if (token.m_Type == RILLTOKEN_BUILTIN && (token.m_Int == 64 || token.m_Int == 66) &&
                tokens[i + 1].m_Type == RILLTOKEN_PAREN_BEGIN &&
                tokens[i + 2].m_Type == RILLTOKEN_STRING) {
                m_Owner.m_LabelUses.push_back({m_Source.path, static_cast<int>(line) + 1,
                                               m_Source.scriptName, tokens[i + 2].GetStr()});
            }
        }
    }

    // IF (...) or the IF of ELSE IF (...) at tokens[at]; the line is stored here.
    void Conditional(size_t line, std::vector<GxRillToken>& tokens, size_t at, BlockKind kind) {
        if (at + 1 >= tokens.size() || tokens[at + 1].m_Type != RILLTOKEN_PAREN_BEGIN) {
            return Error(line, "IF must be followed by '(' and its condition");
        }
        size_t close = 0;
        int depth = 0;
        for (size_t k = at + 1; k < tokens.size() && !close; ++k) {
            if (tokens[k].m_Type == RILLTOKEN_PAREN_BEGIN)
                ++depth;
            if (tokens[k].m_Type == RILLTOKEN_PAREN_END && --depth == 0)
                close = k;
        }
        if (!close)
            return Error(line, "the condition has no closing ')'");
        if (close == at + 2)
            return Error(line, "empty condition");
        const GxRillRunPos conditionStart(static_cast<GxS32>(line), static_cast<GxS32>(at + 2));
        tokens[at].Position(1) = conditionStart;
        if (kind == BlockKind::ElseIf)
            tokens[at - 1].Position(1) = conditionStart;
        bool opens = false;
        if (close + 2 == tokens.size() && tokens[close + 1].m_Type == RILLTOKEN_BLOCK_BEGIN) {
            opens = true;
            tokens[close + 1].Position(0);
        } else if (close + 1 != tokens.size()) {
            return Error(line, "only '{' may follow the condition's ')'");
        }
        Step(line) = std::move(tokens);

        CheckEngine check;
        std::vector<GxRillVariable> opcodes;
        GxRillRunPos pos = conditionStart;
        if (!ParseRillExpression(check, *m_Script, pos, opcodes)) {
            for (const std::u16string& message : check.messages)
                Error(line, message);
        } else if (opcodes.empty() || !StackUseIsSound(opcodes)) {
            Error(line, "an operand is missing in the condition");
        } else if (pos.m_Pos != static_cast<GxS32>(close)) {
            Error(line,
                  "the condition ends before " + Narrow(DescribeToken(m_Script->GetToken(pos))));
        }
        if (opens) {
            Open(kind, GxRillRunPos(static_cast<GxS32>(line), static_cast<GxS32>(close + 1)), line);
        } else {
            m_PendingBrace = Pending{kind, line};
        }
    }

    void ElseChain(size_t line, std::vector<GxRillToken>& tokens, size_t at) {
        if (at + 1 < tokens.size() && tokens[at + 1].m_Type == RILLTOKEN_IF) {
            return Conditional(line, tokens, at + 1, BlockKind::ElseIf);
        }
        tokens[at].Position(1) = GxRillRunPos(-1, -1);
        if (at + 1 == tokens.size()) {
            m_PendingBrace = Pending{BlockKind::Else, line};
        } else if (at + 2 == tokens.size() && tokens[at + 1].m_Type == RILLTOKEN_BLOCK_BEGIN) {
            tokens[at + 1].Position(0);
            Open(BlockKind::Else,
                 GxRillRunPos(static_cast<GxS32>(line), static_cast<GxS32>(at + 1)), line);
        } else {
            return Error(line, "ELSE must be followed by '{' or IF");
        }
        Step(line) = std::move(tokens);
    }

    void Open(BlockKind kind, GxRillRunPos brace, size_t line) {
        m_Blocks.push_back({kind, brace, line});
    }

    void OpenPendingBlock(size_t line, std::vector<GxRillToken>& tokens) {
        if (!m_PendingBrace)
            return Error(line, "'{' without IF or ELSE");
        if (tokens.size() != 1)
            return Error(line, "nothing may follow '{' on its line");
        tokens[0].Position(0);
        Open(m_PendingBrace->kind, GxRillRunPos(static_cast<GxS32>(line), 0), line);
        m_PendingBrace.reset();
        Step(line) = std::move(tokens);
    }

    void CloseBlock(size_t line, std::vector<GxRillToken>& tokens) {
        if (m_Blocks.empty())
            return Error(line, "'}' without an open block");
        const OpenBlock block = m_Blocks.back();
        m_Blocks.pop_back();
        tokens[0].m_Int = block.kind == BlockKind::If ? kRillBlockEndIf : kRillBlockEndElse;
        m_Pairs.push_back({block.brace, GxRillRunPos(static_cast<GxS32>(line), 0)});
        const bool chainable = block.kind != BlockKind::Else;
        if (tokens.size() == 1) {
            m_ElseAllowed = chainable;
            Step(line) = std::move(tokens);
            return;
        }
        if (tokens[1].m_Type != RILLTOKEN_ELSE) {
            Step(line).push_back(tokens[0]);
            return Error(line, "only ELSE may follow '}' on its line");
        }
        if (!chainable) {
            Step(line).push_back(tokens[0]);
            return Error(line, "ELSE cannot follow the block of a plain ELSE");
        }
        ElseChain(line, tokens, 1);
        if (Step(line).empty())
            Step(line).push_back(tokens[0]);  // keep the '}' after an error
    }

    // A constant for a declaration or DEFINE: a literal, a signed number, NULL or ARRAY(...).
    bool Constant(const std::vector<GxRillToken>& tokens, size_t& at, GxRillVariable& value,
                  bool allowArray) {
        if (at >= tokens.size())
            return false;
        const GxRillToken& token = tokens[at];
        switch (token.m_Type) {
            case RILLTOKEN_INT:
                value = GxRillVariable::MakeInt(token.m_Int);
                break;
            case RILLTOKEN_FLOAT:
                value = GxRillVariable::MakeFloat(std::bit_cast<double>(token.m_Int));
                break;
            case RILLTOKEN_STRING:
                value = GxRillVariable::MakeStr(token.GetStr());
                break;
            case RILLTOKEN_NULL:
                value = GxRillVariable();
                break;
            case RILLTOKEN_PLUS:
            case RILLTOKEN_MINUS: {
                ++at;
                if (at >= tokens.size() ||
                    (tokens[at].m_Type != RILLTOKEN_INT && tokens[at].m_Type != RILLTOKEN_FLOAT)) {
                    return false;
                }
                if (!Constant(tokens, at, value, false))
                    return false;
                if (token.m_Type == RILLTOKEN_MINUS)
                    value = GxRillVariable::Negate(value);
                return true;
            }
            case RILLTOKEN_ARRAY: {
                if (!allowArray || at + 1 >= tokens.size() ||
                    tokens[at + 1].m_Type != RILLTOKEN_PAREN_BEGIN) {
                    return false;
                }
                value = GxRillVariable::MakeArray(0);
                at += 2;
                if (at < tokens.size() && tokens[at].m_Type == RILLTOKEN_PAREN_END) {
                    ++at;
                    return true;
                }
                for (;;) {
                    GxRillVariable element;
                    if (!Constant(tokens, at, element, true))
                        return false;
                    value.GetArray().push_back(std::move(element));
                    if (at < tokens.size() && tokens[at].m_Type == RILLTOKEN_COMMA) {
                        ++at;
                        continue;
                    }
                    if (at < tokens.size() && tokens[at].m_Type == RILLTOKEN_PAREN_END) {
                        ++at;
                        return true;
                    }
                    return false;
                }
            }
            default:
                return false;
        }
        ++at;
        return true;
    }

    void Declaration(size_t line, std::vector<GxRillToken>& tokens) {
        const GxU16 keyword = tokens[0].m_Type;
        const GxS32 base = keyword == RILLTOKEN_STATIC ? 2 : keyword == RILLTOKEN_GLOBAL ? 5 : 8;
        GxS32 suffix = 1;
        size_t at = 1;
        if (at < tokens.size()) {
            switch (tokens[at].m_Type) {
                case RILLTOKEN_PERMAN:
                    suffix = 0, ++at;
                    break;
                case RILLTOKEN_INGAME:
                    suffix = 1, ++at;
                    break;
                case RILLTOKEN_NOSAVE:
                    suffix = 2, ++at;
                    break;
                default:
                    break;
            }
        }
        GxRillVariableDefinition definition;
        definition.m_Scope = base + suffix;
        definition.m_ScriptName = m_Source.scriptName;
        definition.m_Line = static_cast<GxS32>(line);
        if (at < tokens.size() && tokens[at].m_Type == RILLTOKEN_VAR) {
            definition.m_Name = tokens[at++].GetStr();
        } else if (at + 3 < tokens.size() + 0 && tokens[at].m_Type == RILLTOKEN_ARRAYVAR &&
                   tokens[at + 2].m_Type == RILLTOKEN_INT &&
                   tokens[at + 3].m_Type == RILLTOKEN_INDEX_END) {
            definition.m_Name = tokens[at].GetStr();
            const GxS64 size = tokens[at + 2].m_Int;
            if (size > GxRillVariable::kMaxArraySize) {
                return Error(line, "array size " + std::to_string(size) + " is larger than " +
                                       std::to_string(GxRillVariable::kMaxArraySize));
            }
            definition.m_ArraySize = static_cast<GxS32>(size);
            at += 4;
        } else {
            return Error(line, "a declaration names $name or $name[SIZE] after its scope");
        }
        if (at < tokens.size()) {
            if (tokens[at].m_Type != RILLTOKEN_ASSIGN) {
                return Error(line, "a declaration's initial value follows '='");
            }
            ++at;
            if (!Constant(tokens, at, definition.m_Value, true) || at != tokens.size()) {
                return Error(line,
                             "initial values are constants: numbers, strings, NULL or ARRAY(...)");
            }
            if (definition.m_ArraySize >= 0 && !definition.m_Value.IsArray()) {
                return Error(line, "an array size needs an ARRAY(...) initial value");
            }
        }
        Step(line) = std::move(tokens);
        const std::string name = "$" + Narrow(definition.m_Name);
        if (base == 2) {
            for (const GxRillVariableDefinition& other : m_Script->m_VariableDefine) {
                if (other.m_Name == definition.m_Name) {
                    return Error(line, name + " is already declared STATIC at line " +
                                           std::to_string(other.m_Line + 1));
                }
            }
            m_Script->m_VariableDefine.push_back(std::move(definition));
            return;
        }
        if (const GxRillVariableDefinition* other =
                m_Owner.m_Model->FindVariableDefinition(definition.m_Name)) {
            const RillCompiler::Declared& site = m_Owner.m_VariableSites.at(definition.m_Name);
            const bool otherGlobal = other->m_Scope >= 5 && other->m_Scope <= 7;
            const std::string where = site.path + ":" + std::to_string(site.line);
            if (otherGlobal != (base == 5)) {
                return Error(line,
                             name + " is declared both GLOBAL and EXTERN (also at " + where + ")");
            }
            return Error(line, name + " is already declared at " + where);
        }
        m_Owner.m_VariableSites[definition.m_Name] = {m_Source.path, static_cast<int>(line) + 1};
        m_Owner.m_Model->AddVariableDefinition(definition);
    }

    // DEFINE NAME = constant: replaced in the code of the lines below it in this script.
    void Define(size_t line, std::vector<GxRillToken>& tokens) {
        if (tokens.size() < 4 || tokens[1].m_Type != RILLTOKEN_WORD ||
            tokens[2].m_Type != RILLTOKEN_ASSIGN) {
            if (tokens.size() >= 2 && tokens[1].m_Type != RILLTOKEN_WORD) {
                return Error(line,
                             "DEFINE needs a new name, found " + Narrow(DescribeToken(tokens[1])));
            }
            return Error(line, "DEFINE is written DEFINE NAME = constant");
        }
        size_t at = 3;
        GxRillVariable value;
        if (!Constant(tokens, at, value, false) || at != tokens.size()) {
            return Error(line, "a DEFINE value is one number, string or NULL");
        }
        GxRillToken replacement;
        switch (value.GetType()) {
            case GxRillVariable::TYPE_INT:
                replacement = GxRillToken(RILLTOKEN_INT, value.GetRawInt());
                break;
            case GxRillVariable::TYPE_FLOAT:
                replacement =
                    GxRillToken(RILLTOKEN_FLOAT, std::bit_cast<GxS64>(value.GetRawFloat()));
                break;
            case GxRillVariable::TYPE_STR:
                replacement = GxRillToken(RILLTOKEN_STRING, value.GetStr());
                break;
            default:
                replacement = GxRillToken(RILLTOKEN_NULL);
                break;
        }
        const std::u16string name = tokens[1].GetStr();
        m_Names.defines[name] = replacement;
        tokens.resize(2);
        Step(line) = std::move(tokens);
    }

    // BUILTIN name = index: another name for a general built-in.
    void Alias(size_t line, std::vector<GxRillToken>& tokens) {
        if (tokens.size() != 4 || tokens[2].m_Type != RILLTOKEN_ASSIGN ||
            tokens[3].m_Type != RILLTOKEN_INT) {
            if (tokens.size() >= 2 && tokens[1].m_Type == RILLTOKEN_BUILTIN) {
                return Error(line, Narrow(tokens[1].GetStr()) + " is already a built-in name");
            }
            return Error(line, "BUILTIN is written BUILTIN name = index");
        }
        if (tokens[1].m_Type != RILLTOKEN_WORD) {
            return Error(line,
                         "BUILTIN needs a new name, found " + Narrow(DescribeToken(tokens[1])));
        }
        const GxS64 index = tokens[3].m_Int;
        if (index >= 300 || index < 1) {
            return Error(line,
                         "BUILTIN aliases name general built-ins (1 to 299) only: the game's "
                         "built-ins are dispatched by their exact name");
        }
        if (!IsRillGeneralBuiltinIndex(static_cast<GxS32>(index))) {
            return Error(line, "there is no general built-in " + std::to_string(index));
        }
        const std::u16string name = tokens[1].GetStr();
        if (const GxRillBuiltinDefinition* other = m_Owner.m_Model->FindBuiltinDefinition(name)) {
            if (other->m_BuiltinIndex != index) {
                return Error(line, "BUILTIN " + Narrow(name) + " already names built-in " +
                                       std::to_string(other->m_BuiltinIndex));
            }
        } else {
            m_Owner.m_Model->AddBuiltinDefinition(
                GxRillBuiltinDefinition(name, static_cast<GxS32>(index)));
        }
        m_Names.builtins[name] = static_cast<GxS32>(index);
        tokens.resize(2);
        Step(line) = std::move(tokens);
    }

    RillCompiler& m_Owner;
    const RillSourceFile& m_Source;
    std::unique_ptr<GxRillScript> m_Script;
    std::vector<std::u16string> m_Lines;
    size_t m_Line = 0;
    RillNames m_Names;
    std::vector<OpenBlock> m_Blocks;
    std::vector<BracePair> m_Pairs;
    std::optional<Pending> m_PendingBrace;
    bool m_ElseAllowed = false;
    TextBlock m_TextBlock = TextBlock::None;
    size_t m_TextBlockLine = 0;
};

RillCompiler::RillCompiler() : m_Model(std::make_unique<GxRill>()) {
    for (const RillBuiltinName& entry : GetRillBuiltinNames()) {
        m_Model->AddBuiltinDefinition(
            GxRillBuiltinDefinition(std::u16string(entry.name), entry.index));
    }
}

RillCompiler::~RillCompiler() = default;

void RillCompiler::AddSource(const RillSourceFile& source) {
    RillScriptCompiler(*this, source).Run();
}

bool RillCompiler::Finish() {
    for (const LabelUse& use : m_LabelUses) {
        if (!m_Model->FindLabel(use.label, m_Model->FindScript(use.scriptName))) {
            m_Diagnostics.push_back(
                {use.path, use.line, "no label *" + Narrow(use.label) + " for this jump", true});
        }
    }
    if (GetErrorCount() == 0 && !m_Model->FindGlobalLabel(u"MAIN")) {
        m_Diagnostics.push_back(
            {"", 0, "no global label *MAIN: the scenario has no entry point", true});
    }
    return GetErrorCount() == 0;
}

int RillCompiler::GetErrorCount() const {
    return static_cast<int>(std::count_if(m_Diagnostics.begin(), m_Diagnostics.end(),
                                          [](const RillDiagnostic& d) { return !d.warning; }));
}

std::u16string DecodeRillSource(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return gx::IsValidUtf8(bytes) ? gx::Utf8ToUtf16(bytes) : gx::AnsiToUtf16(bytes);
}

std::u16string MakeRillScriptName(std::u16string_view relativePath) {
    std::u16string name(relativePath);
    std::replace(name.begin(), name.end(), u'\\', u'/');
    return gx::ToLowerAscii(name);
}

bool CompileRillFolder(const std::string& scriptsDir, RillCompiler& compiler) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_directory(scriptsDir, error)) {
        compiler.AddDiagnostic({scriptsDir, 0, "scripts folder not found", false});
        return false;
    }
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(scriptsDir, error), end; !error && it != end;
         it.increment(error)) {
        if (it->is_regular_file(error) &&
            gx::ToLowerAscii(it->path().extension().string()) == ".txt") {
            files.push_back(it->path());
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (!in.good() && !in.eof()) {
            compiler.AddDiagnostic({file.string(), 0, "cannot read the file", false});
            continue;
        }
        RillSourceFile source;
        source.path = file.string();
        source.scriptName =
            MakeRillScriptName(gx::Utf8ToUtf16(fs::relative(file, scriptsDir).generic_string()));
        source.text = DecodeRillSource(bytes);
        compiler.AddSource(source);
    }
    return compiler.Finish();
}
