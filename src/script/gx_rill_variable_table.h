#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "script/gx_rill_script.h"
#include "script/gx_rill_variable.h"

// Scope codes of script variables: where a variable lives and where it is kept.
enum GxRillScope : GxS32 {
    RILLSCOPE_NONE = 0,
    RILLSCOPE_LOCAL = 1,
    RILLSCOPE_STATIC_PERMAN = 2,
    RILLSCOPE_STATIC_INGAME = 3,
    RILLSCOPE_STATIC_NOSAVE = 4,
    RILLSCOPE_GLOBAL_PERMAN = 5,
    RILLSCOPE_GLOBAL_INGAME = 6,
    RILLSCOPE_GLOBAL_NOSAVE = 7,
    RILLSCOPE_EXTERN_PERMAN = 8,
    RILLSCOPE_EXTERN_INGAME = 9,
    RILLSCOPE_EXTERN_NOSAVE = 10,
};

// Classes select scopes for writing, reading and resetting.
enum GxRillVariableClass : int {
    RILLCLASS_ALL = 0,
    RILLCLASS_NONE = 1,
    RILLCLASS_PERMAN = 2,
    RILLCLASS_INGAME = 3,
    RILLCLASS_NOSAVE = 4,
};

// Kinds of variable table.
enum GxRillTableKind : int {
    RILLTABLE_LOCAL = 1,
    RILLTABLE_STATIC = 2,
    RILLTABLE_GLOBAL = 3,
    RILLTABLE_EXTERN = 4,
};

// The name that dumps print for a scope ("ERROR" for others).
std::u16string_view GetRillScopeName(GxS32 scope);
bool IsRillScopeInClass(GxS32 scope, int variableClass);

// One named variable with its scope.
class GxRillVariableSet {
public:
    GxRillVariableSet() = default;
    GxRillVariableSet(std::u16string name, GxS32 scope, GxRillVariable value)
        : m_Value(std::move(value)), m_Scope(scope), m_Name(std::move(name)) {}
    virtual ~GxRillVariableSet() = default;
    GxRillVariableSet(const GxRillVariableSet&) = default;
    GxRillVariableSet& operator=(const GxRillVariableSet&) = default;
    GxRillVariableSet(GxRillVariableSet&&) = default;
    GxRillVariableSet& operator=(GxRillVariableSet&&) = default;

    virtual bool Write(GxContentWriterBase& writer) const;
    virtual bool Read(GxContentReaderBase& reader);

    GxRillVariable m_Value;
    GxS32 m_Scope = RILLSCOPE_NONE;
    std::u16string m_Name;
};

// The value becomes a copy of the definition's initial value (Null without
// one); a definition with an array size makes a non-Array value an Array of
// that many Null elements.
void ResetRillVariableFromDefinition(GxRillVariableSet& set,
                                     const GxRillVariableDefinition* definition);

// An ordered table of uniquely named variables, searched by exact name.
class GxRillVariableTable {
public:
    // A stored table with more sets than this is refused as damaged.
    static constexpr GxS32 kMaxStoredSets = 1 << 20;

    explicit GxRillVariableTable(int kind = RILLTABLE_LOCAL) : m_Kind(kind) {}
    virtual ~GxRillVariableTable() = default;
    GxRillVariableTable(const GxRillVariableTable&) = default;
    GxRillVariableTable& operator=(const GxRillVariableTable&) = default;
    GxRillVariableTable(GxRillVariableTable&&) = default;
    GxRillVariableTable& operator=(GxRillVariableTable&&) = default;

    int GetKind() const { return m_Kind; }
    // The scope of a variable created at run time in this table.
    GxS32 GetRuntimeScope() const;

    GxRillVariableSet* Find(std::u16string_view name);
    const GxRillVariableSet* Find(std::u16string_view name) const;
    // Appends a set from the definition unless the name is present.
    void AddFromDefinition(const GxRillVariableDefinition& definition);
    // Appends a LOCAL set holding a copy of `value` unless the name is present.
    void AddNamed(std::u16string_view name, const GxRillVariable& value);
    // The variable of that name, created Null with the table's run-time scope when absent.
    GxRillVariable& FindOrCreate(std::u16string_view name);
    // Creates the variable when absent and stores `value`; index -1 stores the
    // whole value, another index an element (false when the index is refused).
    bool CreateOrStore(std::u16string_view name, GxS32 index, const GxRillVariable& value);
    void Clear() { m_Sets.clear(); }

    // The sets whose scope belongs to the class (all for class 0).
    virtual bool Write(GxContentWriterBase& writer, int variableClass) const;
    // Stored sets of the class replace the values of sets of the same name or
    // are appended; stored sets of other classes are read and dropped.
    virtual bool Read(GxContentReaderBase& reader, int variableClass);
    void Dump(std::u16string& out, int indent) const;

    std::vector<GxRillVariableSet>& GetSets() { return m_Sets; }
    const std::vector<GxRillVariableSet>& GetSets() const { return m_Sets; }

private:
    int m_Kind;
    std::vector<GxRillVariableSet> m_Sets;
};

// One value line of a dump (and the lines of its elements).
void DumpRillValue(std::u16string& out, int indent, std::u16string_view name,
                   const GxRillVariable& value);
