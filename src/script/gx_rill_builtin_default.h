#pragma once

#include "script/gx_rill_eval.h"

class GxRillWorker;
class GxRillScriptEntity;

// The general built-ins (indexes 1 to 299): conversions, strings, files, time,
// jumps and calls, mathematics. Dispatched by index alone.
class GxRillBuiltinDefault : public GxRillBuiltinBase {
public:
    bool Call(std::u16string_view name, GxS32 index, GxRillVariable& arguments,
              GxRillEvalWorker* worker, GxRillEvalFrame* frame, GxRillVariable& result) override;
};

// The worker behind the evaluator's view, or null.
GxRillWorker* GetRillWorker(GxRillEvalWorker* worker);
// The script entity of a built-in's frame, or null.
GxRillScriptEntity* GetRillFrameEntity(GxRillEvalWorker* worker, GxRillEvalFrame* frame);
