#include "script/gx_rill_block_reader.h"

#include "script/gx_rill_worker.h"

bool ReadRillBlock(GxRillWorker& worker, std::u16string_view endName,
                   std::vector<std::u16string>& lines, std::u16string& badToken) {
    GxRillExecStackElement* element = worker.GetTopElement();
    GxRillScriptEntity* entity = element ? worker.ResolveEntity(*element) : nullptr;
    if (!entity || !entity->GetScript()) {
        badToken = DescribeToken(GetRillScriptEndToken());
        return false;
    }
    const GxRillScript& script = *entity->GetScript();
    GxRillRunPos& pos = element->m_Pos;
    while (pos.m_Line < script.GetLineCount()) {
        const GxRillToken& token = script.GetToken(pos);
        switch (token.m_Type) {
            case RILLTOKEN_WORD:
            case RILLTOKEN_STRING:
            case RILLTOKEN_TEXT:
                lines.push_back(token.GetStr());
                script.NextToken(pos);
                break;
            case RILLTOKEN_COMMAND:
            case RILLTOKEN_SCRIPT_END:
                script.NextToken(pos);
                break;
            default:
                if (token.m_Type == RILLTOKEN_BUILTIN && token.GetStr() == endName) {
                    script.NextLine(pos);
                    return true;
                }
                badToken = DescribeToken(token);
                return false;
        }
    }
    return true;
}
