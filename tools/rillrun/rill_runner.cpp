#include "rill_runner.h"

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "script/gx_rill_block_reader.h"
#include "script/gx_rill_worker_ex.h"

namespace {

void WriteLine(std::ostream& stream, std::u16string_view text) {
    stream << gx::Utf16ToUtf8(text) << '\n';
}

// debuglog and errorlog land in the logs; here they go to the two streams.
class StreamLogListener : public GxDebugListenerBase {
public:
    StreamLogListener(std::ostream& out, std::ostream& err) : m_Out(out), m_Err(err) {}
    void OnDebugOutput(std::u16string_view text, int level) override {
        (level == 2 ? m_Out : m_Err) << gx::Utf16ToUtf8(text);
    }

private:
    std::ostream& m_Out;
    std::ostream& m_Err;
};

}  // namespace

void RillRunEngine::PrintText(std::u16string_view text) {
    WriteLine(m_Out, text);
}

void RillRunEngine::WarningText(std::u16string_view scriptName, GxS32 line,
                                std::u16string_view text) {
    if (!m_SkipSlightErrors)
        WriteLine(m_Err,
                  gx::Format(u"warn:[Script=\"%s\"/line=%d] %s", scriptName, line + 1, text));
}

void RillRunEngine::ErrorText(std::u16string_view scriptName, GxS32 line,
                              std::u16string_view text) {
    WriteLine(m_Err, gx::Format(u"err:[Script=\"%s\"/line=%d] %s", scriptName, line + 1, text));
}

void RillRunScenario::ShowMessage(std::u16string_view message, bool, bool, bool) {
    WriteLine(m_Out, message);
}

bool RillRunBuiltins::CallCommand(std::u16string_view name, GxS32, GxRillVariable& arguments,
                                  GxRillEvalWorker* worker, GxRillEvalFrame* frame,
                                  GxRillVariable&) {
    if (m_Trace) {
        std::u16string line(name);
        line += u'(';
        const auto& elements = arguments.GetArray();
        for (size_t i = 0; i < elements.size(); ++i) {
            if (i > 0)
                line += u", ";
            line += elements[i].GetString();
        }
        line += u')';
        WriteLine(m_Out, line);
    }
    const bool text = name == u"text";
    if (!text && name != u"stand")
        return true;
    GxRillWorker* rillWorker = GetRillWorker(worker);
    if (!rillWorker)
        return false;
    std::vector<std::u16string> lines;
    std::u16string badToken;
    if (!ReadRillBlock(*rillWorker, text ? u"endtext" : u"endstand", lines, badToken)) {
        rillWorker->ReportError(name, GetRillFrameEntity(worker, frame),
                                text ? u"ENDTEXTに到達する前に処理できないトークンがあります[%s]"
                                     : u"ENDSTANDに到達する前に処理できないトークンがあります[%s]",
                                badToken);
        return false;
    }
    if (text) {
        std::u16string message;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i > 0)
                message += u"%r";
            message += lines[i];
        }
        WriteLine(m_Out, message);
    }
    return true;
}

int RunRillEngine(GxRill& engine, const RillRunOptions& options, std::ostream& out,
                  std::ostream& err) {
    if (auto* runEngine = dynamic_cast<RillRunEngine*>(&engine))
        runEngine->SetSkipSlightErrors(options.skipSlightErrors);
    engine.InitializeExtern();
    RillRunScenario scenario(out);
    GxRillWorkerEx worker(&engine, &scenario);
    worker.Initialize();
    RillRunBuiltins builtins(out, options.trace);
    if (!worker.ClearAndJump(options.label)) {
        WriteLine(err, gx::Format(u"スクリプトにラベル %s が存在しないため実行できません",
                                  options.label));
        return 1;
    }
    StreamLogListener listener(out, err);
    GxDebugListenerBase* previous = gx::GetDebugListener();
    gx::SetDebugListener(&listener);
    while (worker.Step(&builtins)) {
    }
    gx::SetDebugListener(previous);
    out.flush();
    return engine.GetErrorStop() ? 1 : 0;
}
