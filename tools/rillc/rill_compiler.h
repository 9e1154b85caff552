#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "script/gx_rill.h"

struct RillDiagnostic {
    std::string path;  // as given to the compiler (UTF-8)
    int line = 0;      // 1-based; 0 when the message is about the whole file
    std::string message;
    bool warning = false;
};

struct RillSourceFile {
    std::string path;           // shown in messages
    std::u16string scriptName;  // relative path, '/' separators, lower-cased A to Z
    std::u16string text;        // decoded source
};

// Compiles sources into the engine's model. Every statement and condition is
// checked with the engine's own parser, so what compiles runs.
class RillCompiler {
public:
    RillCompiler();
    ~RillCompiler();

    // Adds one script; call Finish() after the last one.
    void AddSource(const RillSourceFile& source);
    // Checks what needs all scripts; true when no error was reported.
    bool Finish();

    GxRill& GetModel() { return *m_Model; }
    const std::vector<RillDiagnostic>& GetDiagnostics() const { return m_Diagnostics; }
    int GetErrorCount() const;
    void AddDiagnostic(RillDiagnostic diagnostic) {
        m_Diagnostics.push_back(std::move(diagnostic));
    }

private:
    friend class RillScriptCompiler;
    std::unique_ptr<GxRill> m_Model;
    std::vector<RillDiagnostic> m_Diagnostics;
    struct Declared {
        std::string path;
        int line;
    };
    std::map<std::u16string, Declared, std::less<>> m_GlobalLabelSites;
    std::map<std::u16string, Declared, std::less<>> m_VariableSites;
    struct LabelUse {
        std::string path;
        int line;
        std::u16string scriptName;
        std::u16string label;
    };
    std::vector<LabelUse> m_LabelUses;
};

// Decodes a source file: UTF-8 (a byte-order mark allowed), else CP932.
std::u16string DecodeRillSource(std::string_view bytes);
// The script name of a path relative to the scripts folder.
std::u16string MakeRillScriptName(std::u16string_view relativePath);
// Compiles every *.txt below `scriptsDir`; diagnostics go to the compiler.
bool CompileRillFolder(const std::string& scriptsDir, RillCompiler& compiler);
