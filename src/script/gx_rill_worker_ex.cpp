#include "script/gx_rill_worker_ex.h"

#include "base/gx_string.h"

GxRillSpeech SplitRillSpeech(std::u16string_view text, GxRillScenarioHost& host) {
    const GxS32 mode = host.GetNameIdentifyMode();
    const size_t bracket = text.find_first_of(host.GetNameBrackets());
    if (bracket == std::u16string_view::npos || mode < 1 || mode > 3)
        return {u"", std::u16string(text)};
    std::u16string name(text.substr(0, bracket));
    if (mode == 2 && !host.NamePictureExists(name))
        return {u"", std::u16string(text)};
    return {std::move(name), std::u16string(text.substr(bracket))};
}

std::u16string GetRillLayerCommandName(std::u16string_view word, std::u16string& layer) {
    layer = std::u16string(word.substr(0, word.find(u'.')));
    const size_t last = word.find_last_of(u".\\/:");
    if (last == std::u16string_view::npos || word[last] != u'.')
        return u"sp.lcg";
    std::u16string command = u"sp";
    command += word.substr(last);
    return gx::ToLowerAscii(command);
}

void GxRillWorkerEx::StepText(GxRillExecStackElement& element, const GxRillToken& token) {
    if (!m_pHost) {
        GxRillWorker::StepText(element, token);
        return;
    }
    const std::u16string scriptName = GetScriptName(&element);
    const GxS32 line = GetLine(&element) + 1;
    const bool alreadyRead = m_pHost->IsMessageRead(scriptName, line);
    const bool ignoreKinsoku = m_pHost->GetIgnoreKinsoku();
    // Moved on first: showing the message may end this step's caller loop.
    element.m_Pos.m_pEntity->GetScript()->NextToken(element.m_Pos);
    const GxRillSpeech speech = SplitRillSpeech(token.GetStr(), *m_pHost);
    if (speech.name.empty()) {
        m_pHost->ClearName();
    } else {
        m_pHost->SetName(speech.name, m_pHost->GetNameIdentifyMode());
    }
    m_pHost->ShowMessage(speech.message, alreadyRead, ignoreKinsoku, false);
    m_pHost->MarkMessageRead(scriptName, line);
    m_pHost->AppendMessageLog(speech.name, speech.message, ignoreKinsoku, false);
}

bool GxRillWorkerEx::StepWord(GxRillExecStackElement& element, const GxRillToken& token,
                              GxRillBuiltinBase* dispatcher) {
    GxRill* engine = GetEngine();
    std::u16string layer;
    const std::u16string command = GetRillLayerCommandName(token.GetStr(), layer);
    const GxRillBuiltinDefinition* definition = engine->FindBuiltinDefinition(command);
    if (!definition) {
        StepError(element, gx::Format(u"レイヤー操作に使用できない命令です[%s]", command));
        return false;
    }
    const GxRillScript& script = *element.m_Pos.m_pEntity->GetScript();
    element.m_OpcodeList.clear();
    element.m_OpcodePos = 0;
    GetValueStack().clear();
    GxRillRunPos at = element.m_Pos;
    if (!ParseRillLayerCommand(*engine, script, at, layer, definition->m_BuiltinIndex, command,
                               element.m_OpcodeList)) {
        // Reported by the parser; halting keeps it from repeating every frame.
        engine->SetErrorStop(true);
        return false;
    }
    script.NextLine(element.m_Pos);
    if (Exec_Opcode(dispatcher, engine, this, 1) != 1) {
        engine->SetErrorStop(true);
        return false;
    }
    return true;
}
