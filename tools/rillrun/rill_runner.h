#pragma once

#include <ostream>
#include <string>

#include "script/gx_rill.h"
#include "script/gx_rill_builtin_ex.h"
#include "script/gx_rill_scenario_host.h"

// The headless runner behind `rillrun`: runs the compiled scripts with the
// general built-ins and rand, printing what the scenario would show.

// An engine whose Print goes to `out` and whose diagnostics go to `err` in the
// engine's own forms.
class RillRunEngine : public GxRill {
public:
    RillRunEngine(std::ostream& out, std::ostream& err) : m_Out(out), m_Err(err) {}
    void SetSkipSlightErrors(bool skip) { m_SkipSlightErrors = skip; }

protected:
    void PrintText(std::u16string_view text) override;
    void WarningText(std::u16string_view scriptName, GxS32 line, std::u16string_view text) override;
    void ErrorText(std::u16string_view scriptName, GxS32 line, std::u16string_view text) override;

private:
    std::ostream& m_Out;
    std::ostream& m_Err;
    bool m_SkipSlightErrors = false;
};

// Text lines are printed as they stand (no speaker split).
class RillRunScenario : public GxRillScenarioHost {
public:
    explicit RillRunScenario(std::ostream& out) : m_Out(out) {}
    GxS32 GetNameIdentifyMode() override { return 0; }
    bool GetIgnoreKinsoku() override { return false; }
    std::u16string GetNameBrackets() override { return u"「（"; }
    bool NamePictureExists(std::u16string_view) override { return false; }
    bool IsMessageRead(std::u16string_view, GxS32) override { return false; }
    void MarkMessageRead(std::u16string_view, GxS32) override {}
    void SetName(std::u16string_view, GxS32) override {}
    void ClearName() override {}
    void ShowMessage(std::u16string_view message, bool, bool, bool) override;
    void AppendMessageLog(std::u16string_view, std::u16string_view, bool, bool) override {}

private:
    std::ostream& m_Out;
};

// Game commands succeed with Null, printed as name(arg, ...) when tracing;
// `text` and `stand` read their blocks, and `text` prints its message.
class RillRunBuiltins : public GxRillBuiltinEx {
public:
    RillRunBuiltins(std::ostream& out, bool trace) : m_Out(out), m_Trace(trace) {
        SetDebugMode(true);
    }

protected:
    bool CallCommand(std::u16string_view name, GxS32 index, GxRillVariable& arguments,
                     GxRillEvalWorker* worker, GxRillEvalFrame* frame,
                     GxRillVariable& result) override;

private:
    std::ostream& m_Out;
    bool m_Trace;
};

struct RillRunOptions {
    std::u16string label = u"MAIN";
    bool trace = false;
    bool skipSlightErrors = false;
};

// Starts the main worker at the label and steps it to the end. 0 when it
// stopped normally, 1 when an error halted it (or the label is missing). Any
// engine runs; a RillRunEngine also prints the engine's own output.
int RunRillEngine(GxRill& engine, const RillRunOptions& options, std::ostream& out,
                  std::ostream& err);
