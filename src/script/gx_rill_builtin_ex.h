#pragma once

#include <string_view>

#include "script/gx_rill_builtin_default.h"
#include "script/gx_rill_game_host.h"

// The game's dispatcher: the general built-ins, rand, the game queries, and
// the scenario commands by index range and exact name.
class GxRillBuiltinEx : public GxRillBuiltinBase {
public:
    // `host` may be null: the queries that need it are then handled as commands.
    explicit GxRillBuiltinEx(GxRillGameHost* host = nullptr) : m_pHost(host) {}

    bool Call(std::u16string_view name, GxS32 index, GxRillVariable& arguments,
              GxRillEvalWorker* worker, GxRillEvalFrame* frame, GxRillVariable& result) override;

    // The system configuration's DebugModeFlag: print and debuglog act only when on.
    void SetDebugMode(bool on) { m_DebugMode = on; }
    bool GetDebugMode() const { return m_DebugMode; }
    void SetGameHost(GxRillGameHost* host) { m_pHost = host; }

protected:
    // A scenario command (or a query without a host) whose name belongs to the
    // range of its index. Refused until the scenario provides the commands.
    virtual bool CallCommand(std::u16string_view, GxS32, GxRillVariable&, GxRillEvalWorker*,
                             GxRillEvalFrame*, GxRillVariable&) {
        return false;
    }

private:
    bool CallQuery(std::u16string_view name, GxRillVariable& arguments, GxRillEvalWorker* worker,
                   GxRillEvalFrame* frame, GxRillVariable& result);

    GxRillGameHost* m_pHost;
    bool m_DebugMode = false;
    GxRillBuiltinDefault m_Default;
};

// Whether `name` is a game built-in of the range that `index` falls in.
bool IsRillGameBuiltinOfRange(std::u16string_view name, GxS32 index);
