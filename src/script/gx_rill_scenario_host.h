#pragma once

#include <string>
#include <string_view>

#include "base/gx_types.h"

// What the main worker needs of the scenario for text lines: the scenario
// sequence's name and message windows, the user data's name mode and message
// log, and the permanent record of read messages.
class GxRillScenarioHost {
public:
    virtual ~GxRillScenarioHost() = default;

    // The user data's name-identification mode (0 to 3) and kinsoku switch.
    virtual GxS32 GetNameIdentifyMode() = 0;
    virtual bool GetIgnoreKinsoku() = 0;
    // The characters that open a speech after the speaker's name ("「（").
    virtual std::u16string GetNameBrackets() = 0;
    // Whether a name picture exists for the name (mode 2).
    virtual bool NamePictureExists(std::u16string_view name) = 0;
    // The permanent record of read messages, by script name and 1-based line.
    virtual bool IsMessageRead(std::u16string_view scriptName, GxS32 line) = 0;
    virtual void MarkMessageRead(std::u16string_view scriptName, GxS32 line) = 0;
    // The scenario sequence's windows.
    virtual void SetName(std::u16string_view name, GxS32 mode) = 0;
    virtual void ClearName() = 0;
    virtual void ShowMessage(std::u16string_view message, bool alreadyRead, bool ignoreKinsoku,
                             bool noAutoBreak) = 0;
    // The message log for the backlog.
    virtual void AppendMessageLog(std::u16string_view name, std::u16string_view message,
                                  bool ignoreKinsoku, bool noAutoBreak) = 0;
};
