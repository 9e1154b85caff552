// The interpreter of opcode lists and the statement entry point Eval_Token.
#include "script/gx_rill_eval.h"

std::u16string_view GetRillOpcodeName(GxS64 code) {
    static constexpr std::u16string_view kNames[] = {u"NONE",
                                                     u"セパレータ",
                                                     u"PUSH_INT",
                                                     u"PUSH_FLT",
                                                     u"PUSH_STR",
                                                     u"PUSH_NULL",
                                                     u"PUSH_VAR",
                                                     u"PUSH_VARARY",
                                                     u"OPC_ALTER_VAR",
                                                     u"OPC_ALTER_VARARY",
                                                     u"CALL_BUILTIN",
                                                     u"ELEMENT",
                                                     u"ELEMENTNUM",
                                                     u"ARRAYINIT",
                                                     u"ARRAYINDEX",
                                                     u"==",
                                                     u"!=",
                                                     u">",
                                                     u">=",
                                                     u"<",
                                                     u"<=",
                                                     u"+",
                                                     u":",
                                                     u"-",
                                                     u"*",
                                                     u"/",
                                                     u"%",
                                                     u"単項+",
                                                     u"単項-",
                                                     u"&",
                                                     u"|",
                                                     u"^",
                                                     u"単項~",
                                                     u"<<",
                                                     u">>",
                                                     u"単項!",
                                                     u"&&",
                                                     u"||",
                                                     u"++単項",
                                                     u"--単項",
                                                     u"単項++",
                                                     u"単項--",
                                                     u"=",
                                                     u"+=",
                                                     u":=",
                                                     u"-=",
                                                     u"*=",
                                                     u"/=",
                                                     u"%=",
                                                     u"&=",
                                                     u"|=",
                                                     u"^="};
    static_assert(std::size(kNames) == RILLOPC_ASSIGN_XOR + 1);
    if (code < 0 || code > RILLOPC_ASSIGN_XOR)
        return u"ERROR";
    return kNames[code];
}

namespace {

using V = GxRillVariable;

class Machine {
public:
    Machine(GxRillBuiltinBase* dispatcher, GxRill* engine, GxRillEvalWorker* worker,
            GxRillEvalFrame& frame, int statementFlag)
        : m_Dispatcher(dispatcher),
          m_Engine(engine),
          m_Worker(worker),
          m_Frame(frame),
          m_List(frame.m_OpcodeList),
          m_Stack(worker->GetValueStack()),
          m_StatementFlag(statementFlag) {}

    int Run() {
        if (m_List.empty())
            return 1;
        GxS32& pc = m_Frame.m_OpcodePos;
        if (pc < 0 || static_cast<size_t>(pc) >= m_List.size())
            return 0;
        for (;;) {
            const V& entry = m_List[pc];
            if (entry.GetType() != V::TYPE_OPCODE) {
                return Fail(u"Exec_Opcode Opcodeではないパラメータを演算しようとしました");
            }
            const GxS64 code = entry.GetRawInt();
            if (code < 0 || code > RILLOPC_ASSIGN_XOR)
                return Fail(u"Exec_Opcode 不正な演算コードです");
            const GxU64 removedBefore = m_Worker->GetRemovedElementCount();
            int size = 0;
            if (!Execute(code, size))
                return 0;
            // A jump, return or stop removed this statement's element: its rest is dropped.
            if (m_Worker->GetRemovedElementCount() != removedBefore)
                return 1;
            pc += size;
            if (static_cast<size_t>(pc) >= m_List.size())
                return 1;
        }
    }

private:
    int Fail(std::u16string_view message) {
        m_Engine->Error(m_Worker->GetFrameScriptName(m_Frame), m_Worker->GetFrameLine(m_Frame),
                        u"%s[pc=%d]", message, m_Frame.m_OpcodePos);
        return 0;
    }

    // The operand entry `offset` places after the opcode, or null when the list ends.
    const V* Operand(int offset) const {
        size_t at = static_cast<size_t>(m_Frame.m_OpcodePos) + offset;
        return at < m_List.size() ? &m_List[at] : nullptr;
    }

    bool Push(V value) {
        if (value.GetType() == V::TYPE_OPCODE) {
            Fail(u"Exec_PushStack 計算スタックに積むパラメータが不足しています");
            return false;
        }
        m_Stack.push_back(std::move(value));
        return true;
    }

    bool PopOne(V& out) {
        if (m_Stack.empty()) {
            Fail(u"Exec_IsValueLastOne 計算スタックに必要なパラメータが積まれていません");
            return false;
        }
        out = std::move(m_Stack.back());
        m_Stack.pop_back();
        return true;
    }

    bool PopTwo(V& left, V& right) {
        if (m_Stack.size() < 2) {
            Fail(u"Exec_IsValueLastTwo 計算スタックに必要なパラメータが積まれていません");
            return false;
        }
        right = std::move(m_Stack.back());
        m_Stack.pop_back();
        left = std::move(m_Stack.back());
        m_Stack.pop_back();
        return true;
    }

    // Pops `count` values into an Array, the first pushed becoming element 0.
    bool PopArray(GxS64 count, V& out) {
        if (count < 0 || static_cast<GxU64>(count) > m_Stack.size()) {
            Fail(u"Exec_IsValueLastOne 計算スタックに必要なパラメータが積まれていません");
            return false;
        }
        out = V::MakeArray(0);
        auto first = m_Stack.end() - static_cast<std::ptrdiff_t>(count);
        out.GetArray().assign(std::make_move_iterator(first),
                              std::make_move_iterator(m_Stack.end()));
        m_Stack.erase(first, m_Stack.end());
        return true;
    }

    GxRillVariable* FindOrCreate(const std::u16string& name, bool arrayForm) {
        if (GxRillVariable* found = m_Worker->FindVariable(m_Frame, name))
            return found;
        GxRillVariable* created = m_Worker->CreateLocalVariable(m_Frame, name);
        if (!created)
            return nullptr;
        if (arrayForm)
            *created = V::MakeArray(0);
        if (m_StatementFlag == 1) {
            m_Engine->Warning(m_Worker->GetFrameScriptName(m_Frame),
                              m_Worker->GetFrameLine(m_Frame), u"%s[pc=%d]",
                              gx::Format(u"ローカル変数 $%s を作成しました", name),
                              m_Frame.m_OpcodePos);
        }
        return created;
    }

    bool TooLarge(const std::u16string& name, GxS32 index) {
        Fail(gx::Format(u"Exec_Opcode 配列の要素 $%s[%d] は上限 %d を超えています", name, index,
                        V::kMaxArraySize));
        return false;
    }

    // The name operand of the marker that follows an assignment or postfix opcode.
    const V* Marker(bool& arrayForm) const {
        const V* marker = Operand(1);
        const V* name = Operand(2);
        if (!marker || !name || marker->GetType() != V::TYPE_OPCODE)
            return nullptr;
        if (marker->GetRawInt() != RILLOPC_ALTER_VAR &&
            marker->GetRawInt() != RILLOPC_ALTER_VARARY) {
            return nullptr;
        }
        arrayForm = marker->GetRawInt() == RILLOPC_ALTER_VARARY;
        return name;
    }

    bool PushLiteral(int& size) {
        const V* operand = Operand(1);
        if (!operand)
            return Fail(u"Exec_Opcode 不正な演算コードです");
        size = 2;
        return Push(*operand);
    }

    bool PushVariable(bool arrayForm, int& size) {
        const V* name = Operand(1);
        if (!name)
            return Fail(u"Exec_Opcode 不正な演算コードです");
        size = 2;
        GxS32 index = -1;
        if (arrayForm) {
            V indexValue;
            if (!PopOne(indexValue))
                return false;
            index = indexValue.GetInt32();
        }
        GxRillVariable* variable = FindOrCreate(name->GetStr(), arrayForm);
        if (!variable)
            return Push(V());
        if (!arrayForm || index == -1)
            return Push(*variable);
        if (index < 0 || !variable->IsArray())
            return Push(V());
        if (!variable->GrowArray(index))
            return TooLarge(name->GetStr(), index);
        return Push(variable->GetArray()[index]);
    }

    bool CallBuiltin(int& size) {
        const V* index = Operand(1);
        const V* name = Operand(2);
        if (!index || !name)
            return Fail(u"Exec_Opcode 不正な演算コードです");
        size = 3;
        if (!m_Dispatcher)
            return Fail(u"OPC_CALL_BUILTIN 組み込み関数ポインタが設定されていません");
        V count, arguments;
        if (!PopOne(count) || !PopArray(count.GetInt64(), arguments))
            return false;
        V result;
        const std::u16string builtinName = name->GetStr();
        if (!m_Dispatcher->Call(builtinName, index->GetInt32(), arguments, m_Worker, &m_Frame,
                                result)) {
            return Fail(gx::Format(u"%s[builtin:%s]", u"関数実行時にエラーが発生したので停止します",
                                   builtinName));
        }
        return Push(std::move(result));
    }

    static V Combine(GxS64 code, const V& l, const V& r) {
        switch (code) {
            case RILLOPC_ADD:
            case RILLOPC_ASSIGN_ADD:
                return V::Add(l, r);
            case RILLOPC_CONCAT:
            case RILLOPC_ASSIGN_CONCAT:
                return V::Concat(l, r);
            case RILLOPC_SUB:
            case RILLOPC_ASSIGN_SUB:
                return V::Sub(l, r);
            case RILLOPC_MUL:
            case RILLOPC_ASSIGN_MUL:
                return V::Mul(l, r);
            case RILLOPC_DIV:
            case RILLOPC_ASSIGN_DIV:
                return V::Div(l, r);
            case RILLOPC_MOD:
            case RILLOPC_ASSIGN_MOD:
                return V::Mod(l, r);
            case RILLOPC_BITAND:
            case RILLOPC_ASSIGN_AND:
                return V::BitAnd(l, r);
            case RILLOPC_BITOR:
            case RILLOPC_ASSIGN_OR:
                return V::BitOr(l, r);
            case RILLOPC_BITXOR:
            case RILLOPC_ASSIGN_XOR:
                return V::BitXor(l, r);
            case RILLOPC_SHL:
                return V::ShiftLeft(l, r);
            case RILLOPC_SHR:
                return V::ShiftRight(l, r);
            case RILLOPC_EQ:
                return V::MakeInt(V::Equal(l, r));
            case RILLOPC_NE:
                return V::MakeInt(V::NotEqual(l, r));
            case RILLOPC_GT:
                return V::MakeInt(V::Greater(l, r));
            case RILLOPC_GE:
                return V::MakeInt(V::GreaterEqual(l, r));
            case RILLOPC_LT:
                return V::MakeInt(V::Less(l, r));
            case RILLOPC_LE:
                return V::MakeInt(V::LessEqual(l, r));
            case RILLOPC_AND:
                return V::MakeInt(l.IsTrue() && r.IsTrue());
            default:
                return V::MakeInt(l.IsTrue() || r.IsTrue());
        }
    }

    // Assignments, compound assignments and postfix steps share one shape: find
    // the target, compute the new value, store it, push the statement's value.
    bool Alter(GxS64 code, int& size) {
        const bool plain = code == RILLOPC_ASSIGN;
        const bool postfix = code == RILLOPC_POSTINC || code == RILLOPC_POSTDEC;
        const std::u16string_view prefix =
            plain ? u"OPC_ASSIGN" : (postfix ? u"OPC_AFTER_*" : u"OPC_ASSIGN_*");
        bool arrayForm = false;
        const V* nameEntry = Marker(arrayForm);
        if (!nameEntry)
            return Fail(gx::Format(u"%s Opecodeが壊れています", prefix));
        size = 3;
        const std::u16string name = nameEntry->GetStr();
        V right;
        if (!postfix && !PopOne(right))
            return false;
        GxS32 index = -1;
        if (arrayForm) {
            V indexValue;
            if (!PopOne(indexValue))
                return false;
            index = indexValue.GetInt32();
            if (index < 0) {
                return Fail(
                    gx::Format(u"%s 変数の要素 $%s[%d] に代入できません", prefix, name, index));
            }
            if (index >= V::kMaxArraySize)
                return TooLarge(name, index);
        }
        GxRillVariable* variable = FindOrCreate(name, arrayForm);
        if (!variable)
            return Fail(gx::Format(u"%s Opecodeが壊れています", prefix));
        if (plain) {
            if (arrayForm) {
                variable->SetElement(index, right);
            } else {
                *variable = right;
            }
            return Push(std::move(right));
        }
        V current;
        if (!arrayForm) {
            current = *variable;
        } else if (variable->IsArray()) {
            variable->GrowArray(index);
            current = variable->GetArray()[index];
        }
        V updated;
        if (postfix) {
            const GxU64 step = code == RILLOPC_POSTINC ? 1 : GxU64(-1);
            updated = V::MakeInt(static_cast<GxS64>(GxU64(current.GetInt64()) + step));
        } else {
            updated = Combine(code, current, right);
        }
        if (arrayForm) {
            variable->SetElement(index, updated);
        } else {
            *variable = updated;
        }
        return Push(postfix ? std::move(current) : std::move(updated));
    }

    bool Execute(GxS64 code, int& size) {
        size = 1;
        V a, b;
        switch (code) {
            case RILLOPC_PUSH_INT:
            case RILLOPC_PUSH_FLT:
            case RILLOPC_PUSH_STR:
                return PushLiteral(size);
            case RILLOPC_PUSH_NULL:
                return Push(V());
            case RILLOPC_PUSH_VAR:
                return PushVariable(false, size);
            case RILLOPC_PUSH_VARARY:
                return PushVariable(true, size);
            case RILLOPC_ALTER_VAR:
                return Fail(u"OPC_ALTER_VAR 単体でこのコードは実行できません");
            case RILLOPC_ALTER_VARARY:
                return Fail(u"OPC_ALTER_VARARY 単体でこのコードは実行できません");
            case RILLOPC_CALL_BUILTIN:
                return CallBuiltin(size);
            case RILLOPC_ELEMENTNUM: {
                const V* count = Operand(1);
                if (!count)
                    return Fail(u"Exec_Opcode 不正な演算コードです");
                size = 2;
                return Push(*count);
            }
            case RILLOPC_ARRAYINIT:
                return PopOne(a) && PopArray(a.GetInt64(), b) && Push(std::move(b));
            case RILLOPC_PLUS:
                return PopOne(a) && Push(std::move(a));
            case RILLOPC_MINUS:
                return PopOne(a) && Push(V::Negate(a));
            case RILLOPC_BITNOT:
                return PopOne(a) && Push(V::BitNot(a));
            case RILLOPC_NOT:
                return PopOne(a) && Push(V::LogicalNot(a));
            case RILLOPC_POSTINC:
            case RILLOPC_POSTDEC:
                return Alter(code, size);
            default:
                if (code >= RILLOPC_EQ && code <= RILLOPC_OR) {
                    return PopTwo(a, b) && Push(Combine(code, a, b));
                }
                if (code >= RILLOPC_ASSIGN)
                    return Alter(code, size);
                return true;  // NONE, separator, ELEMENT, ARRAYINDEX, prefix forms
        }
    }

    GxRillBuiltinBase* m_Dispatcher;
    GxRill* m_Engine;
    GxRillEvalWorker* m_Worker;
    GxRillEvalFrame& m_Frame;
    std::vector<V>& m_List;
    std::vector<V>& m_Stack;
    int m_StatementFlag;
};

}  // namespace

int Exec_Opcode(GxRillBuiltinBase* dispatcher, GxRill* engine, GxRillEvalWorker* worker,
                int statementFlag) {
    GxRillEvalFrame* frame = worker ? worker->GetTopFrame() : nullptr;
    if (!frame) {
        engine->Error(u"*", -1, u"%s[pc=%d]",
                      u"Exec_Opcode ExecStackとValueStackが指定されていません", -1);
        return 0;
    }
    return Machine(dispatcher, engine, worker, *frame, statementFlag).Run();
}

bool Eval_Token(GxRill* engine, GxRillVariable* result, GxRillBuiltinBase* dispatcher,
                GxRillEvalWorker* worker, const GxRillRunPos& start, GxRillRunPos* end,
                int statementFlag) {
    GxRillEvalFrame* frame = worker ? worker->GetTopFrame() : nullptr;
    if (!frame) {
        engine->Error(u"*", -1, u"GxRill::Eval_Token 実行中ではないWorkerを計算しようとしました");
        engine->SetErrorStop(true);
        return false;
    }
    frame->m_OpcodeList.clear();
    frame->m_OpcodeList.reserve(16);
    frame->m_OpcodePos = 0;
    worker->GetValueStack().clear();

    static const GxRillScript noScript;
    const GxRillScript* script = worker->GetFrameScript(*frame);
    GxRillRunPos pos = start;
    const bool parsed =
        ParseRillExpression(*engine, script ? *script : noScript, pos, frame->m_OpcodeList);
    if (end)
        *end = pos;
    if (!parsed) {
        engine->SetErrorStop(true);
        return false;
    }
    if (Exec_Opcode(dispatcher, engine, worker, statementFlag) != 1) {
        engine->SetErrorStop(true);
        return false;
    }
    if (result) {
        std::vector<GxRillVariable>& stack = worker->GetValueStack();
        *result = stack.size() == 1 ? stack.front() : GxRillVariable();
    }
    return true;
}
