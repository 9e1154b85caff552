#include "rill_dump.h"

#include <bit>

#include "base/gx_format.h"
#include "base/gx_string.h"
#include "script/gx_rill.h"

namespace {

std::string U8(std::u16string_view text) {
    return gx::Utf16ToUtf8(text);
}

std::string Quote(std::u16string_view text) {
    return "\"" + U8(text) + "\"";
}

std::string Value(const GxRillVariable& value) {
    std::string out = U8(GetRillVariableTypeName(value.GetType()));
    if (value.GetType() == GxRillVariable::TYPE_STR)
        return out + ":" + Quote(value.GetStr());
    if (value.IsArray()) {
        out += "(";
        for (size_t i = 0; i < value.GetArray().size(); ++i) {
            out += (i ? ", " : "") + Value(value.GetArray()[i]);
        }
        return out + ")";
    }
    if (value.IsNull())
        return out;
    return out + ":" + U8(value.GetString());
}

std::string Token(const GxRillToken& token) {
    std::string out =
        "[" + std::to_string(token.m_Type) + " " + U8(GetRillTokenTypeText(token.m_Type));
    if (token.m_Type == RILLTOKEN_FLOAT) {
        out += " " + U8(gx::Format(u"%f", std::bit_cast<double>(token.m_Int)));
    } else if (token.m_Int != 0) {
        out += " " + std::to_string(token.m_Int);
    }
    if (token.HasStr())
        out += " " + Quote(token.GetStr());
    if (token.HasPositions()) {
        for (int slot = 0; slot < 4; ++slot) {
            const GxRillRunPos pos = token.GetPosition(slot);
            if (pos == GxRillRunPos(0, -1))
                continue;
            out += " slot" + std::to_string(slot) + "=(" + std::to_string(pos.m_Line) + "," +
                   std::to_string(pos.m_Pos) + ")";
        }
    }
    return out + "]";
}

std::string Variable(const char* kind, const GxRillVariableDefinition& d) {
    return std::string(kind) + " " + Quote(d.m_Name) + " scope=" + std::to_string(d.m_Scope) +
           " size=" + std::to_string(d.m_ArraySize) + " init=" + Value(d.m_Value) +
           " script=" + Quote(d.m_ScriptName) + " line=" + std::to_string(d.m_Line) + "\n";
}

std::string Label(const char* indent, const GxRillLabelDefinition& label) {
    return std::string(indent) + "label " + Quote(label.m_Name) +
           " script=" + Quote(label.m_Pos.m_ScriptName) +
           " step=" + std::to_string(label.m_Pos.m_Line) + "\n";
}

}  // namespace

std::string DumpRillModel(const GxRill& model) {
    std::string out;
    for (const auto& [name, label] : model.GetLabels())
        out += Label("", *label);
    for (const auto& d : model.GetVariableDefinitions())
        out += Variable("variable", d);
    for (const auto& d : model.GetBuiltinDefinitions()) {
        out += "builtin " + Quote(d.m_Name) + " index=" + std::to_string(d.m_BuiltinIndex) + "\n";
    }
    for (const auto& [name, script] : model.GetScripts()) {
        out += "script " + Quote(name) + " steps=" + std::to_string(script->m_Lines.size()) + "\n";
        for (const auto& [labelName, label] : script->m_Labels)
            out += Label("  ", *label);
        for (const auto& d : script->m_VariableDefine)
            out += "  " + Variable("static", d);
        for (size_t step = 0; step < script->m_Lines.size(); ++step) {
            const auto& tokens = script->m_Lines[step].m_Tokens;
            if (tokens.empty())
                continue;
            out += "  step " + std::to_string(step) + ":";
            for (const GxRillToken& token : tokens)
                out += " " + Token(token);
            out += "\n";
        }
    }
    return out;
}
