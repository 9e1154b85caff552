#pragma once

#include <string>

#include "script/gx_rill_variable.h"

// The argument convention of every built-in: asking for a missing argument
// grows the argument Array, so it reads as Null.
class GxRillArgs {
public:
    explicit GxRillArgs(GxRillVariable& arguments) : m_Arguments(arguments) {
        if (!m_Arguments.IsArray())
            m_Arguments = GxRillVariable::MakeArray(0);
    }

    GxRillVariable& operator[](int i) {
        auto& elements = m_Arguments.GetArray();
        if (elements.size() < static_cast<size_t>(i) + 1)
            elements.resize(static_cast<size_t>(i) + 1);
        return elements[i];
    }
    std::u16string Str(int i) { return (*this)[i].GetString(); }
    GxS64 Int(int i) { return (*this)[i].GetInt64(); }
    GxS32 Int32(int i) { return (*this)[i].GetInt32(); }
    double Num(int i) { return (*this)[i].GetDouble(); }
    // Present: not Null and a non-empty string form.
    bool Present(int i) { return !(*this)[i].IsNull() && !Str(i).empty(); }
    size_t Size() const { return m_Arguments.GetArray().size(); }
    const GxRillVariable& Array() const { return m_Arguments; }

private:
    GxRillVariable& m_Arguments;
};
