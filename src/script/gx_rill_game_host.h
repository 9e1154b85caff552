#pragma once

#include <string>
#include <string_view>

#include "base/gx_types.h"

// What the game's built-in queries read and change: the sequences, the user
// data and the permanent data. The application core provides it.
class GxRillGameHost {
public:
    virtual ~GxRillGameHost() = default;

    virtual std::u16string GetSaveDir() = 0;
    virtual std::u16string GetSequenceName(bool previous) = 0;
    virtual GxS32 GetSequenceParam(bool previous, int which) = 0;
    virtual GxS32 GetLastSelect() = 0;
    virtual GxS32 GetLastDialogResult() = 0;
    virtual void SetGameDataTitle(std::u16string_view title) = 0;
    virtual std::u16string GetGameDataTitle() = 0;
    virtual bool IsReplayMode() = 0;
    virtual bool IsPassedReplayLabel(std::u16string_view label) = 0;
    virtual void SetNameIdentifyMode(GxS32 mode) = 0;
    // Changes to the title screen; false when it cannot be found.
    virtual bool JumpToTitle() = 0;
    virtual GxU32 GetExtraOption() = 0;
    virtual void SetExtraOption(GxU32 bits) = 0;
};
