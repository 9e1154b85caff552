// The statement step: one statement per call, with IF/ELSE, declarations,
// text lines, the layer shorthand and the error stop.
#include "script/gx_rill_worker.h"

namespace {

bool IsAfter(const GxRillRunPos& a, const GxRillRunPos& b) {
    return a.m_Line > b.m_Line || (a.m_Line == b.m_Line && a.m_Pos > b.m_Pos);
}

bool IsDeclaration(GxU16 type) {
    return type == RILLTOKEN_DEFINE || type == RILLTOKEN_BUILTIN_DECL ||
           (type >= RILLTOKEN_STATIC && type <= RILLTOKEN_PERMAN);
}

}  // namespace

void GxRillWorker::StepError(const GxRillExecStackElement& element, std::u16string_view message) {
    m_pEngine->Error(GetFrameScriptName(element), element.m_Pos.m_Line, u"%s", message);
    m_pEngine->SetErrorStop(true);
}

void GxRillWorker::StepText(GxRillExecStackElement& element, const GxRillToken& token) {
    m_pEngine->Print(u"%s", token.GetStr());
    element.m_Pos.m_pEntity->GetScript()->NextToken(element.m_Pos);
}

bool GxRillWorker::StepWord(GxRillExecStackElement& element, const GxRillToken& token,
                            GxRillBuiltinBase*) {
    m_pEngine->Warning(GetFrameScriptName(element), element.m_Pos.m_Line,
                       u"不明な単語を発見。スキップされます[%s]", token.GetStr());
    element.m_Pos.m_pEntity->GetScript()->NextLine(element.m_Pos);
    return true;
}

bool GxRillWorker::Step(GxRillBuiltinBase* dispatcher) {
    if (m_ExecStack.empty())
        return false;
    GxRillExecStackElement& element = *m_ExecStack.back();
    GxRillScriptEntity* entity = ResolveEntity(element);
    if (!entity || !entity->GetScript()) {
        StepError(element, u"スクリプトが見つからないので実行できません");
        return false;
    }
    if (m_pEngine->GetErrorStop())
        return false;
    const GxRillScript& script = *entity->GetScript();
    GxRillRunPos& pos = element.m_Pos;
    for (;;) {
        // NextToken always moves: off-token positions, negative ones included, never stall.
        if (script.CheckPos(pos) != 1)
            script.NextToken(pos);
        if (pos.m_Line >= script.GetLineCount()) {
            Stop();
            return false;
        }
        const GxRillToken& token = script.GetToken(pos);
        switch (token.m_Type) {
            case RILLTOKEN_LABEL:
            case RILLTOKEN_COMMAND:
                script.NextToken(pos);
                continue;
            case RILLTOKEN_SCRIPT_END:
                if (m_pEngine->GetErrorStop())
                    return false;
                script.NextToken(pos);
                continue;
            case RILLTOKEN_BUILTIN:
            case RILLTOKEN_VAR:
            case RILLTOKEN_ARRAYVAR:
            case RILLTOKEN_LOCAL: {
                const int flag = token.m_Type == RILLTOKEN_LOCAL ? 0 : 1;
                GxRillRunPos start = pos;
                if (flag == 0)
                    script.NextTokenInLine(start);
                // The end position is stored in the element before the statement runs,
                // so a jump, call or block reader inside it moves on from there. The
                // element may be gone afterwards and is not touched again.
                if (!Eval_Token(m_pEngine, nullptr, dispatcher, this, start, &element.m_Pos, flag))
                    return false;
                break;
            }
            case RILLTOKEN_BREAKPOINT:
                m_pEngine->SetBreakpoint(true);
                script.NextToken(pos);
                break;
            case RILLTOKEN_TEXT:
                StepText(element, token);
                break;
            case RILLTOKEN_WORD:
                if (!StepWord(element, token, dispatcher))
                    return false;
                break;
            case RILLTOKEN_IF:
                if (!StepIf(element, script, dispatcher))
                    return false;
                break;
            case RILLTOKEN_ELSE:
                StepError(element, u"不正なELSE文です");
                script.NextLine(pos);
                break;
            case RILLTOKEN_WHILE:
            case RILLTOKEN_FOR:
            case RILLTOKEN_DO:
            case RILLTOKEN_CONTINUE:
            case RILLTOKEN_BREAK:
                StepError(element, gx::Format(u"未実装の制御構造です[%s]", DescribeToken(token)));
                script.NextLine(pos);
                break;
            case RILLTOKEN_BLOCK_END:
                if (token.m_Int == kRillBlockEndIf || token.m_Int == kRillBlockEndElse) {
                    SkipElseChain(element, script);
                } else {
                    StepError(element,
                              gx::Format(u"未実装のブロック終端です[%s]", DescribeToken(token)));
                }
                break;
            default:
                if (IsDeclaration(token.m_Type)) {
                    script.NextLine(pos);
                    break;
                }
                StepError(element,
                          gx::Format(u"処理できないトークンです[%s]", DescribeToken(token)));
                return false;
        }
        break;
    }
    return IsRunning();
}

// Evaluates a condition. False on failure (reported); `gone` when a built-in in
// the condition removed the element.
bool GxRillWorker::EvalCondition(GxRillExecStackElement& element, const GxRillRunPos& start,
                                 GxRillBuiltinBase* dispatcher, bool& value, GxRillRunPos& end,
                                 bool& gone) {
    const GxU64 removedBefore = m_RemovedCount;
    GxRillVariable result;
    if (!Eval_Token(m_pEngine, &result, dispatcher, this, start, &end, 1)) {
        StepError(element, u"条件式が評価できません");
        return false;
    }
    gone = m_RemovedCount != removedBefore;
    value = result.IsTrue();
    return true;
}

bool GxRillWorker::StepIf(GxRillExecStackElement& element, const GxRillScript& script,
                          GxRillBuiltinBase* dispatcher) {
    GxRillRunPos& pos = element.m_Pos;
    GxRillRunPos condition = script.GetToken(pos).GetPosition(1);
    for (;;) {
        bool value = false;
        bool gone = false;
        GxRillRunPos at;
        if (!EvalCondition(element, condition, dispatcher, value, at, gone))
            return false;
        if (gone)
            return true;
        script.NextToken(at);
        if (!script.SeekBlockStart(at)) {
            pos = at;  // no block: the next step ends the script
            return true;
        }
        if (value) {
            script.NextToken(at);
            pos = at;
            return true;
        }
        // Past the block; a damaged target that does not move forward halts.
        const GxRillRunPos after = script.GetToken(at).GetPosition(0);
        if (!IsAfter(after, at)) {
            pos = at;
            StepError(element, gx::Format(u"処理できないトークンです[%s]",
                                          DescribeToken(script.GetToken(at))));
            return false;
        }
        at = after;
        const GxRillToken& next = script.GetToken(at);
        if (next.m_Type != RILLTOKEN_ELSE) {
            pos = at;
            return true;
        }
        condition = next.GetPosition(1);
        if (condition.m_Line == -1) {
            script.NextToken(at);
            script.SeekBlockStart(at);
            script.NextToken(at);
            pos = at;
            return true;
        }
        pos = at;  // errors in the else-if condition report its line
    }
}

void GxRillWorker::SkipElseChain(GxRillExecStackElement& element, const GxRillScript& script) {
    GxRillRunPos at = element.m_Pos;
    script.NextToken(at);
    while (script.GetToken(at).m_Type == RILLTOKEN_ELSE) {
        GxRillRunPos block = at;
        if (!script.SeekBlockStart(block)) {
            at = block;
            break;
        }
        const GxRillRunPos after = script.GetToken(block).GetPosition(0);
        if (!IsAfter(after, block)) {
            element.m_Pos.m_Line = block.m_Line;
            element.m_Pos.m_Pos = block.m_Pos;
            StepError(element, gx::Format(u"処理できないトークンです[%s]",
                                          DescribeToken(script.GetToken(block))));
            return;
        }
        at = after;
    }
    element.m_Pos.m_Line = at.m_Line;
    element.m_Pos.m_Pos = at.m_Pos;
}
