#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/gx_format.h"
#include "script/gx_rill_script.h"
#include "script/gx_rill_variable_table.h"

using GxRillScriptMap = std::map<std::u16string, std::unique_ptr<GxRillScript>, std::less<>>;

// The script engine: the compiled scripts with their labels, variable and
// built-in definitions, and the engine's error state.
class GxRill {
public:
    GxRill() = default;
    virtual ~GxRill() = default;
    GxRill(const GxRill&) = delete;
    GxRill& operator=(const GxRill&) = delete;

    virtual void Clear();
    virtual void ResetStatus();
    // Inserts a copy; a name already present keeps the old entry (result false).
    virtual bool AddLabel(const GxRillLabelDefinition& label);
    virtual bool AddVariableDefinition(const GxRillVariableDefinition& definition);
    virtual bool AddBuiltinDefinition(const GxRillBuiltinDefinition& definition);
    // Adds a script; a name already present keeps the old one (result false).
    bool AddScript(std::unique_ptr<GxRillScript> script);
    virtual const GxRillLabelDefinition* FindGlobalLabel(std::u16string_view name) const;
    virtual const GxRillVariableDefinition* FindVariableDefinition(std::u16string_view name) const;
    virtual const GxRillBuiltinDefinition* FindBuiltinDefinition(std::u16string_view name) const;
    virtual GxRillScript* FindScript(std::u16string_view name) const;
    // "@name" in the given script's local labels, any other name in the global ones.
    const GxRillLabelDefinition* FindLabel(std::u16string_view name,
                                           const GxRillScript* script) const;
    bool LabelExists(std::u16string_view label, std::u16string_view scriptName) const;

    // The compiled script file. Read clears first and leaves the tables empty
    // when the data is damaged, so a failed read never leaves half a program.
    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    // Diagnostics; the base class only counts. Messages are formatted as the
    // engine's printf-style formats and cut to 1024 characters.
    template <class... Args>
    void Print(std::u16string_view format, const Args&... args) {
        PrintText(Limit(gx::Format(format, args...)));
    }
    template <class... Args>
    void Warning(std::u16string_view scriptName, GxS32 line, std::u16string_view format,
                 const Args&... args) {
        ++m_WarningCount;
        WarningText(scriptName, line, Limit(gx::Format(format, args...)));
    }
    template <class... Args>
    void Error(std::u16string_view scriptName, GxS32 line, std::u16string_view format,
               const Args&... args) {
        ++m_ErrorCount;
        ErrorText(scriptName, line, Limit(gx::Format(format, args...)));
    }

    // The EXTERN variables (scopes 8 to 10), kept by the engine.
    GxRillVariableTable& GetExternTable() { return m_ExternTable; }
    virtual void InitializeExtern();
    virtual void AddMissingExtern();
    virtual void ResetExtern(int variableClass);
    void ResetExternInGame();
    virtual bool WriteExtern(GxContentWriterBase& writer, int variableClass) const;
    virtual bool ReadExtern(GxContentReaderBase& reader, int variableClass);
    bool ResetAndReadExtern(GxContentReaderBase& reader, int variableClass);
    virtual void Dump(std::u16string& out, int indent) const;

    bool GetErrorStop() const { return m_ErrorStop != 0; }
    void SetErrorStop(bool stop) { m_ErrorStop = stop ? 1 : 0; }
    bool GetBreakpoint() const { return m_Breakpoint != 0; }
    void SetBreakpoint(bool on) { m_Breakpoint = on ? 1 : 0; }
    GxS32 GetErrorCount() const { return m_ErrorCount; }
    GxS32 GetWarningCount() const { return m_WarningCount; }

    const GxRillLabelMap& GetLabels() const { return m_Labels; }
    const std::vector<GxRillVariableDefinition>& GetVariableDefinitions() const {
        return m_VariableDefine;
    }
    const std::vector<GxRillBuiltinDefinition>& GetBuiltinDefinitions() const {
        return m_BuiltinDefine;
    }
    const GxRillScriptMap& GetScripts() const { return m_Scripts; }

protected:
    virtual void PrintText(std::u16string_view) {}
    virtual void WarningText(std::u16string_view, GxS32, std::u16string_view) {}
    virtual void ErrorText(std::u16string_view, GxS32, std::u16string_view) {}

private:
    static std::u16string Limit(std::u16string text) {
        if (text.size() > 1024)
            text.resize(1024);
        return text;
    }

    GxRillLabelMap m_Labels;
    std::vector<GxRillVariableDefinition> m_VariableDefine;
    std::vector<GxRillBuiltinDefinition> m_BuiltinDefine;
    GxRillScriptMap m_Scripts;
    GxRillVariableTable m_ExternTable{RILLTABLE_EXTERN};
    GxU8 m_ErrorStop = 0;
    GxU8 m_Breakpoint = 0;
    GxS32 m_ErrorCount = 0;
    GxS32 m_WarningCount = 0;
};

// The game's engine object: writes its diagnostics to the logs.
class GxRillEx : public GxRill {
protected:
    void PrintText(std::u16string_view text) override;
    void WarningText(std::u16string_view scriptName, GxS32 line, std::u16string_view text) override;
    void ErrorText(std::u16string_view scriptName, GxS32 line, std::u16string_view text) override;
};
