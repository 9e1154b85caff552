#pragma once

#include <string>

#include "script/gx_rill_scenario_host.h"
#include "script/gx_rill_worker.h"

// The game's main worker: text lines go to the scenario and unrecognised words
// run as the layer shorthand.
class GxRillWorkerEx : public GxRillWorker {
public:
    // `host` may be null: text lines then go to the debug log as in the base worker.
    GxRillWorkerEx(GxRill* engine, GxRillScenarioHost* host)
        : GxRillWorker(engine), m_pHost(host) {}

    void SetScenarioHost(GxRillScenarioHost* host) { m_pHost = host; }

protected:
    void StepText(GxRillExecStackElement& element, const GxRillToken& token) override;
    bool StepWord(GxRillExecStackElement& element, const GxRillToken& token,
                  GxRillBuiltinBase* dispatcher) override;

private:
    GxRillScenarioHost* m_pHost;
};

// A text line split into the speaker's name and the message.
struct GxRillSpeech {
    std::u16string name;
    std::u16string message;
};
GxRillSpeech SplitRillSpeech(std::u16string_view text, GxRillScenarioHost& host);
// The command name of a layer-shorthand word: "sp" and the word's suffix from
// its last '.', or "sp.lcg"; lower-cased. `layer` receives the part before the first '.'.
std::u16string GetRillLayerCommandName(std::u16string_view word, std::u16string& layer);
