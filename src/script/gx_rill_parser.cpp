// The recursive-descent parser that turns a statement's tokens into a postfix
// opcode list, one Phase_ function per precedence level.
#include <bit>

#include "script/gx_rill_eval.h"

namespace {

using V = GxRillVariable;

// Every recursion passes through Phase_Term; this bounds the C++ stack that a
// deeply nested expression can use.
constexpr int kMaxNesting = 200;

struct OperatorEntry {
    GxU16 token;
    GxS64 opcode;
};

class Parser {
public:
    Parser(GxRill& engine, const GxRillScript& script, std::vector<V>& opcodes)
        : m_Engine(engine), m_Script(script), m_Out(opcodes) {}

    bool Phase_Expr(GxRillRunPos& pos) {
        if (!Phase_LogicalOp(pos))
            return false;
        switch (Type(pos)) {
            case RILLTOKEN_SCRIPT_END:
            case RILLTOKEN_SEMICOLON:
            case RILLTOKEN_COMMA:
            case RILLTOKEN_BLOCK_END:
            case RILLTOKEN_INDEX_END:
            case RILLTOKEN_PAREN_END:
                return true;
            default:
                return Fail(pos, u"Phase_Expr 式に間違いがあります");
        }
    }

    bool Phase_Element(GxRillRunPos& pos) {
        GxS64 count = 0;
        const GxU16 first = Type(pos);
        if (first != RILLTOKEN_PAREN_END && first != RILLTOKEN_INDEX_END) {
            if (first == RILLTOKEN_COMMA)
                Emit(RILLOPC_PUSH_NULL);
            for (;;) {
                if (!Phase_Expr(pos))
                    return false;
                if (Type(pos) != RILLTOKEN_COMMA)
                    break;
                m_Script.NextTokenInLine(pos);
                const GxU16 next = Type(pos);
                if (next == RILLTOKEN_COMMA || next == RILLTOKEN_PAREN_END)
                    Emit(RILLOPC_PUSH_NULL);
                ++count;
            }
            const GxU16 last = Type(pos);
            if (last != RILLTOKEN_PAREN_END && last != RILLTOKEN_INDEX_END) {
                return Fail(pos,
                            u"Phase_Element 式に予期しない記号を見つけました。式が間違っています");
            }
            ++count;
        }
        Emit(RILLOPC_ELEMENTNUM, V::MakeInt(count));
        return true;
    }

    bool Phase_Skip(GxRillRunPos& pos, GxU16 expected) {
        if (Type(pos) == expected) {
            m_Script.NextTokenInLine(pos);
            return true;
        }
        std::u16string message = u"Phase_Skip 次に来るべき記号 ";
        message += GetRillTokenTypeText(expected);
        message += u" がありません";
        return Fail(pos, message);
    }

    void Emit(GxS64 opcode) { m_Out.push_back(V::MakeOpcode(opcode)); }
    void Emit(GxS64 opcode, V operand) {
        Emit(opcode);
        m_Out.push_back(std::move(operand));
    }

private:
    GxU16 Type(const GxRillRunPos& pos) const { return m_Script.GetToken(pos).m_Type; }

    bool Fail(const GxRillRunPos& pos, std::u16string_view message) {
        m_Engine.Error(m_Script.m_ScriptName, pos.m_Line, u"%s[%s]", message,
                       DescribeToken(m_Script.GetToken(pos)));
        return false;
    }

    // One left-associative two-operand level.
    template <size_t N>
    bool BinaryLevel(GxRillRunPos& pos, const OperatorEntry (&operators)[N],
                     bool (Parser::*next)(GxRillRunPos&)) {
        if (!(this->*next)(pos))
            return false;
        for (;;) {
            const GxU16 type = Type(pos);
            const OperatorEntry* found = nullptr;
            for (const OperatorEntry& entry : operators) {
                if (entry.token == type)
                    found = &entry;
            }
            if (!found)
                return true;
            if (!Phase_IsTermLeft(pos) || !Phase_IsTermRight(pos))
                return false;
            if (!Phase_Skip(pos, type))
                return false;
            if (!(this->*next)(pos))
                return false;
            Emit(found->opcode);
        }
    }

    bool Phase_LogicalOp(GxRillRunPos& pos) {
        static constexpr OperatorEntry ops[] = {{RILLTOKEN_AND, RILLOPC_AND},
                                                {RILLTOKEN_OR, RILLOPC_OR}};
        return BinaryLevel(pos, ops, &Parser::Phase_BitOp);
    }
    bool Phase_BitOp(GxRillRunPos& pos) {
        static constexpr OperatorEntry ops[] = {{RILLTOKEN_BITAND, RILLOPC_BITAND},
                                                {RILLTOKEN_BITOR, RILLOPC_BITOR},
                                                {RILLTOKEN_BITXOR, RILLOPC_BITXOR}};
        return BinaryLevel(pos, ops, &Parser::Phase_CompEqNeOp);
    }
    bool Phase_CompEqNeOp(GxRillRunPos& pos) {
        static constexpr OperatorEntry ops[] = {{RILLTOKEN_EQ, RILLOPC_EQ},
                                                {RILLTOKEN_NE, RILLOPC_NE}};
        return BinaryLevel(pos, ops, &Parser::Phase_CompLeGeOp);
    }
    bool Phase_CompLeGeOp(GxRillRunPos& pos) {
        static constexpr OperatorEntry ops[] = {{RILLTOKEN_GT, RILLOPC_GT},
                                                {RILLTOKEN_GE, RILLOPC_GE},
                                                {RILLTOKEN_LT, RILLOPC_LT},
                                                {RILLTOKEN_LE, RILLOPC_LE}};
        return BinaryLevel(pos, ops, &Parser::Phase_BitShiftOp);
    }
    bool Phase_BitShiftOp(GxRillRunPos& pos) {
        static constexpr OperatorEntry ops[] = {{RILLTOKEN_SHL, RILLOPC_SHL},
                                                {RILLTOKEN_SHR, RILLOPC_SHR}};
        return BinaryLevel(pos, ops, &Parser::Phase_AddOp);
    }
    bool Phase_AddOp(GxRillRunPos& pos) {
        static constexpr OperatorEntry ops[] = {{RILLTOKEN_ADD, RILLOPC_ADD},
                                                {RILLTOKEN_SUB, RILLOPC_SUB},
                                                {RILLTOKEN_CONCAT, RILLOPC_CONCAT}};
        return BinaryLevel(pos, ops, &Parser::Phase_MulOp);
    }
    bool Phase_MulOp(GxRillRunPos& pos) {
        static constexpr OperatorEntry ops[] = {{RILLTOKEN_MUL, RILLOPC_MUL},
                                                {RILLTOKEN_DIV, RILLOPC_DIV},
                                                {RILLTOKEN_MOD, RILLOPC_MOD}};
        return BinaryLevel(pos, ops, &Parser::Phase_SingleOp);
    }

    static GxS64 UnaryOpcode(GxU16 type) {
        switch (type) {
            case RILLTOKEN_PLUS:
                return RILLOPC_PLUS;
            case RILLTOKEN_MINUS:
                return RILLOPC_MINUS;
            case RILLTOKEN_BITNOT:
                return RILLOPC_BITNOT;
            case RILLTOKEN_NOT:
                return RILLOPC_NOT;
            default:
                return -1;
        }
    }

    bool Phase_SingleOp(GxRillRunPos& pos) {
        const GxU16 type = Type(pos);
        const GxS64 opcode = UnaryOpcode(type);
        if (opcode < 0)
            return Phase_Term(pos);
        if (!Phase_IsTermRight(pos) || !Phase_Skip(pos, type))
            return false;
        if (!Phase_Term(pos))
            return false;
        Emit(opcode);
        return true;
    }

    bool Phase_IsTermLeft(const GxRillRunPos& pos) {
        if (IsRillTermEnd(m_Script.GetToken(pos.m_Line, pos.m_Pos - 1).m_Type))
            return true;
        return Fail(pos, u"Phase_IsTermLeft 左側に項が存在しないか不正な式です");
    }

    bool Phase_IsTermRight(const GxRillRunPos& pos) {
        switch (m_Script.GetToken(pos.m_Line, pos.m_Pos + 1).m_Type) {
            case RILLTOKEN_BUILTIN:
            case RILLTOKEN_WORD:
            case RILLTOKEN_INT:
            case RILLTOKEN_FLOAT:
            case RILLTOKEN_STRING:
            case RILLTOKEN_NULL:
            case RILLTOKEN_VAR:
            case RILLTOKEN_ARRAYVAR:
            case RILLTOKEN_ARRAY:
            case RILLTOKEN_PAREN_BEGIN:
            case RILLTOKEN_PLUS:
            case RILLTOKEN_MINUS:
            case RILLTOKEN_BITNOT:
            case RILLTOKEN_NOT:
            case RILLTOKEN_PREINC:
            case RILLTOKEN_PREDEC:
                return true;
            default:
                return Fail(pos, u"Phase_IsTermRight 右側に項が存在しないか不正な式です");
        }
    }

    bool Phase_AssignOp(GxRillRunPos& pos, bool arrayForm, const std::u16string& name) {
        const GxU16 type = Type(pos);
        if (type < RILLTOKEN_ASSIGN || type > RILLTOKEN_ASSIGN_XOR) {
            return Fail(pos, u"Phase_AssignOp 代入式が不正です");
        }
        if (!Phase_IsTermLeft(pos) || !Phase_IsTermRight(pos))
            return false;
        if (!Phase_Skip(pos, type) || !Phase_Expr(pos))
            return false;
        Emit(RILLOPC_ASSIGN + (type - RILLTOKEN_ASSIGN));
        Emit(arrayForm ? RILLOPC_ALTER_VARARY : RILLOPC_ALTER_VAR, V::MakeStr(name));
        return true;
    }

    // What follows a variable or an array element: assignment, postfix or a read.
    bool VariableTail(GxRillRunPos& pos, bool arrayForm, const std::u16string& name) {
        const GxU16 type = Type(pos);
        if (type >= RILLTOKEN_ASSIGN && type <= RILLTOKEN_ASSIGN_XOR) {
            return Phase_AssignOp(pos, arrayForm, name);
        }
        if (type == RILLTOKEN_POSTINC || type == RILLTOKEN_POSTDEC) {
            Emit(type == RILLTOKEN_POSTINC ? RILLOPC_POSTINC : RILLOPC_POSTDEC);
            m_Script.NextTokenInLine(pos);
            Emit(arrayForm ? RILLOPC_ALTER_VARARY : RILLOPC_ALTER_VAR, V::MakeStr(name));
            return true;
        }
        Emit(arrayForm ? RILLOPC_PUSH_VARARY : RILLOPC_PUSH_VAR, V::MakeStr(name));
        return true;
    }

    bool Phase_Term(GxRillRunPos& pos) {
        if (m_Depth >= kMaxNesting)
            return Fail(pos, u"Phase_Term 式の入れ子が深すぎます");
        ++m_Depth;
        bool ok = Term(pos);
        --m_Depth;
        return ok;
    }

    bool Term(GxRillRunPos& pos) {
        const GxRillToken& token = m_Script.GetToken(pos);
        switch (token.m_Type) {
            case RILLTOKEN_INT:
                Emit(RILLOPC_PUSH_INT, V::MakeInt(token.m_Int));
                m_Script.NextTokenInLine(pos);
                return true;
            case RILLTOKEN_FLOAT:
                Emit(RILLOPC_PUSH_FLT, V::MakeFloat(std::bit_cast<double>(token.m_Int)));
                m_Script.NextTokenInLine(pos);
                return true;
            case RILLTOKEN_STRING:
                Emit(RILLOPC_PUSH_STR, V::MakeStr(token.GetStr()));
                m_Script.NextTokenInLine(pos);
                return true;
            case RILLTOKEN_NULL:
                Emit(RILLOPC_PUSH_NULL);
                m_Script.NextTokenInLine(pos);
                return true;
            case RILLTOKEN_BUILTIN: {
                const GxS64 index = token.m_Int;
                const std::u16string name = token.GetStr();
                m_Script.NextTokenInLine(pos);
                if (Type(pos) == RILLTOKEN_PAREN_BEGIN) {
                    m_Script.NextTokenInLine(pos);
                    if (!Phase_Element(pos))
                        return false;
                } else {
                    Emit(RILLOPC_ELEMENTNUM, V::MakeInt(0));
                }
                Emit(RILLOPC_CALL_BUILTIN, V::MakeInt(index));
                m_Out.push_back(V::MakeStr(name));
                if (Type(pos) == RILLTOKEN_PAREN_END)
                    m_Script.NextTokenInLine(pos);
                return true;
            }
            case RILLTOKEN_VAR: {
                const std::u16string name = token.GetStr();
                m_Script.NextTokenInLine(pos);
                return VariableTail(pos, false, name);
            }
            case RILLTOKEN_ARRAYVAR: {
                const std::u16string name = token.GetStr();
                m_Script.NextTokenInLine(pos);
                if (!Phase_Skip(pos, RILLTOKEN_INDEX_BEGIN) || !Phase_Term(pos) ||
                    !Phase_Skip(pos, RILLTOKEN_INDEX_END)) {
                    return false;
                }
                return VariableTail(pos, true, name);
            }
            case RILLTOKEN_ARRAY:
                m_Script.NextTokenInLine(pos);
                if (!Phase_Skip(pos, RILLTOKEN_PAREN_BEGIN) || !Phase_Element(pos))
                    return false;
                Emit(RILLOPC_ARRAYINIT);
                return Phase_Skip(pos, RILLTOKEN_PAREN_END);
            case RILLTOKEN_PAREN_BEGIN:
                m_Script.NextTokenInLine(pos);
                return Phase_Expr(pos) && Phase_Skip(pos, RILLTOKEN_PAREN_END);
            case RILLTOKEN_INDEX_BEGIN:
                if (m_Script.GetToken(pos.m_Line, pos.m_Pos - 1).m_Type != RILLTOKEN_ARRAYVAR) {
                    return Fail(pos, u"Phase_Term []演算子の前に配列変数名がありません");
                }
                m_Script.NextTokenInLine(pos);
                if (!Phase_Expr(pos))
                    return false;
                Emit(RILLOPC_ARRAYINDEX);
                return Phase_Skip(pos, RILLTOKEN_INDEX_END);
            case RILLTOKEN_PLUS:
            case RILLTOKEN_MINUS:
            case RILLTOKEN_BITNOT:
            case RILLTOKEN_NOT:
                return Phase_SingleOp(pos);
            case RILLTOKEN_BREAKPOINT:
                m_Engine.SetBreakpoint(true);
                m_Script.NextTokenInLine(pos);
                return true;
            case RILLTOKEN_SCRIPT_END:
            case RILLTOKEN_SEMICOLON:
            case RILLTOKEN_COMMA:
            case RILLTOKEN_BLOCK_END:
            case RILLTOKEN_INDEX_END:
            case RILLTOKEN_PAREN_END:
                return true;
            default:
                return Fail(pos, u"Phase_Term 式として認識できないトークンです");
        }
    }

    GxRill& m_Engine;
    const GxRillScript& m_Script;
    std::vector<V>& m_Out;
    int m_Depth = 0;
};

}  // namespace

bool ParseRillExpression(GxRill& engine, const GxRillScript& script, GxRillRunPos& pos,
                         std::vector<GxRillVariable>& opcodes) {
    return Parser(engine, script, opcodes).Phase_Expr(pos);
}

bool ParseRillLayerCommand(GxRill& engine, const GxRillScript& script, GxRillRunPos& pos,
                           std::u16string_view layerName, GxS32 builtinIndex,
                           std::u16string_view commandName, std::vector<GxRillVariable>& opcodes) {
    Parser parser(engine, script, opcodes);
    parser.Emit(RILLOPC_PUSH_STR, V::MakeStr(layerName));
    if (!parser.Phase_Skip(pos, RILLTOKEN_WORD) || !parser.Phase_Skip(pos, RILLTOKEN_PAREN_BEGIN) ||
        !parser.Phase_Element(pos)) {
        return false;
    }
    V& count = opcodes.back();  // the ELEMENTNUM operand; the layer name is one more
    count = V::MakeInt(count.GetRawInt() + 1);
    parser.Emit(RILLOPC_CALL_BUILTIN, V::MakeInt(builtinIndex));
    opcodes.push_back(V::MakeStr(commandName));
    return parser.Phase_Skip(pos, RILLTOKEN_PAREN_END);
}
