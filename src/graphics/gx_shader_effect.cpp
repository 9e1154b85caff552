#include "graphics/gx_shader_effect.h"

#include <cctype>
#include <string>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_picture_file.h"

const char16_t* const GxShaderEffect::kStandardParameterNames[kStandardParameterCount] = {
    u"World",
    u"InvWorld",
    u"ViewProj",
    u"WorldViewProj",
    u"Bone",
    u"CameraPos",
    u"CameraDir",
    u"LocalCenter",
    u"GroundToSkyDir",
    u"Time",
    u"Velocity",
    u"Frequency",
    u"Amplitude",
    u"MaterialAmbient",
    u"MaterialDiffuse",
    u"MaterialEmissive",
    u"MaterialSpecular",
    u"MaterialSpecularPower",
    u"OffsetUV",
    u"MaterialFalloff",
    u"MaterialFalloffPower",
    u"ToonOffsetV",
    u"ToonEdgeColor",
    u"ToonEdgeWidth",
    u"ToonShadeShift",
    u"SphericalNormalLerp",
    u"BumpBiasZ",
    u"TextureDiffuse",
    u"TextureToon",
    u"TextureNormal",
    u"SkyColor",
    u"GroundColor",
    u"DirLightDir",
    u"DirLightColor",
};

namespace {

// The effect text as tokens: identifiers, numbers and single punctuation characters.
std::vector<std::string> Tokenize(std::string_view text, bool& balanced) {
    std::vector<std::string> tokens;
    int depth = 0;
    balanced = true;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n')
                ++i;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const size_t end = text.find("*/", i + 2);
            i = end == std::string_view::npos ? text.size() : end + 2;
        } else if (c == '"') {
            const size_t end = text.find('"', i + 1);
            const size_t stop = end == std::string_view::npos ? text.size() : end + 1;
            tokens.emplace_back(text.substr(i, stop - i));
            i = stop;
        } else if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.') {
            size_t end = i;
            while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) ||
                                         text[end] == '_' || text[end] == '.')) {
                ++end;
            }
            tokens.emplace_back(text.substr(i, end - i));
            i = end;
        } else {
            if (c == '{')
                ++depth;
            if (c == '}' && --depth < 0)
                balanced = false;
            tokens.emplace_back(1, c);
            ++i;
        }
    }
    if (depth != 0)
        balanced = false;
    return tokens;
}

// Skips a bracketed group starting at `i` (which holds `open`); returns the index after it.
size_t SkipGroup(const std::vector<std::string>& t, size_t i, const char* open, const char* close) {
    int depth = 0;
    for (; i < t.size(); ++i) {
        if (t[i] == open)
            ++depth;
        if (t[i] == close && --depth == 0)
            return i + 1;
    }
    return t.size();
}

int ReadAnnotation(const std::vector<std::string>& t, size_t begin, size_t end,
                   const std::string& name) {
    for (size_t i = begin; i + 2 < end; ++i) {
        if (t[i] == name && t[i + 1] == "=") {
            const std::string& value = t[i + 2] == "-" && i + 3 < end ? t[i + 3] : t[i + 2];
            const int sign = t[i + 2] == "-" ? -1 : 1;
            return sign * std::atoi(value.c_str());
        }
    }
    return 0;
}

std::uint32_t CountAnnotations(const std::vector<std::string>& t, size_t begin, size_t end) {
    std::uint32_t count = 0;
    for (size_t i = begin; i < end; ++i)
        count += t[i] == ";" ? 1 : 0;
    return count;
}

void ShapeOf(const std::string& type, std::uint32_t& rows, std::uint32_t& columns) {
    rows = columns = 1;
    if (type == "matrix") {
        rows = columns = 4;
        return;
    }
    size_t digits = type.find_first_of("1234");
    if (digits == std::string::npos)
        return;
    columns = static_cast<std::uint32_t>(type[digits] - '0');
    if (digits + 2 < type.size() + 0 && type[digits + 1] == 'x') {
        rows = columns;
        columns = static_cast<std::uint32_t>(type[digits + 2] - '0');
    }
}

}  // namespace

GxShaderEffect::~GxShaderEffect() {
    ReleaseAll();
}

void GxShaderEffect::FreeDeviceObjects() {
    Clear();
}

void GxShaderEffect::Clear() {
    m_Techniques.clear();
    m_Parameters.clear();
    m_Standard.fill(-1);
    m_ObjectType = OBJTYPE_NONE;
}

int GxShaderEffect::GetStandardParameter(int index) const {
    return index >= 0 && index < kStandardParameterCount ? m_Standard[index] : -1;
}

bool GxShaderEffect::CreateFromFile(std::u16string_view name, bool skipValidation) {
    (void)skipValidation;
    ReleaseAll();
    Clear();
    GxBinBuffer buffer;
    if (!gx::LoadPictureFile(buffer, name, false)) {
        LogError(u"Error/GxShaderEffect CreateFromFile Failed(Name:\"%s\" %s)\n",
                 std::u16string(name), GxGraphics::GetErrorText(D3DERR_NOTFOUND));
        return false;
    }
    return CreateFromText(
        name, std::string_view(reinterpret_cast<const char*>(buffer.GetData()), buffer.GetSize()));
}

bool GxShaderEffect::CreateFromText(std::u16string_view name, std::string_view text) {
    ReleaseAll();
    Clear();
    bool balanced = true;
    const std::vector<std::string> t = Tokenize(text, balanced);
    if (!balanced) {
        LogError(u"Error/GxShaderEffect CreateFromFile Failed(Name:\"%s\" %s)\n",
                 std::u16string(name), GxGraphics::GetErrorText(D3DXERR_INVALIDDATA));
        return false;
    }
    std::uint32_t handle = 1;
    size_t i = 0;
    while (i < t.size()) {
        if (t[i] == "technique" || t[i] == "technique10" || t[i] == "technique11") {
            GxShaderTechnique technique;
            technique.handle = handle++;
            size_t at = i + 1;
            if (at < t.size() && t[at] != "<" && t[at] != "{")
                technique.name = gx::AnsiToUtf16(t[at++]);
            if (at < t.size() && t[at] == "<") {
                const size_t end = SkipGroup(t, at, "<", ">");
                technique.annotations = CountAnnotations(t, at, end);
                technique.useLight = ReadAnnotation(t, at, end, "UseLight");
                technique.useTangent = ReadAnnotation(t, at, end, "UseTangent");
                technique.useUV = ReadAnnotation(t, at, end, "UseUV");
                technique.useBone = ReadAnnotation(t, at, end, "UseBone");
                technique.useTexture = ReadAnnotation(t, at, end, "UseTexture");
                technique.tecIndex = ReadAnnotation(t, at, end, "TecIndex");
                at = end;
            }
            const size_t end = at < t.size() && t[at] == "{" ? SkipGroup(t, at, "{", "}") : at;
            for (size_t k = at; k < end; ++k)
                technique.passes += t[k] == "pass" ? 1 : 0;
            m_Techniques.push_back(technique);
            i = end;
            continue;
        }
        // A top-level statement: a function, a structure or a parameter declaration.
        size_t end = i;
        bool function = false;
        bool bodyEnded = false;
        while (end < t.size() && t[end] != ";") {
            if (t[end] == "(" && !function)
                function = true;
            if (t[end] == "<" && !function) {
                end = SkipGroup(t, end, "<", ">");  // annotations hold their own ';'
                continue;
            }
            if (t[end] == "{") {
                end = SkipGroup(t, end, "{", "}");
                if (function) {
                    bodyEnded = true;
                    break;
                }
                continue;
            }
            ++end;
        }
        const bool skip = function || t[i] == "struct" || t[i] == "static" || t[i] == "typedef" ||
                          t[i] == "#" || end - i < 2;
        if (!skip) {
            size_t at = i;
            while (at < end && (t[at] == "uniform" || t[at] == "shared" || t[at] == "const" ||
                                t[at] == "extern")) {
                ++at;
            }
            if (at + 1 < end) {
                GxShaderParameter parameter;
                parameter.handle = handle++;
                parameter.typeName = gx::AnsiToUtf16(t[at]);
                parameter.name = gx::AnsiToUtf16(t[at + 1]);
                ShapeOf(t[at], parameter.rows, parameter.columns);
                at += 2;
                if (at < end && t[at] == "[" && at + 1 < end) {
                    parameter.elements = static_cast<std::uint32_t>(std::atoi(t[at + 1].c_str()));
                    at = SkipGroup(t, at, "[", "]");
                }
                if (at + 1 < end && t[at] == ":") {
                    parameter.semantic = gx::AnsiToUtf16(t[at + 1]);
                    at += 2;
                }
                if (at < end && t[at] == "<") {
                    const size_t close = SkipGroup(t, at, "<", ">");
                    parameter.annotations = CountAnnotations(t, at, close);
                }
                parameter.bytes = parameter.rows * parameter.columns * 4 *
                                  (parameter.elements ? parameter.elements : 1);
                m_Parameters.push_back(parameter);
            }
        }
        i = bodyEnded ? end : end + 1;
    }
    for (int s = 0; s < kStandardParameterCount; ++s) {
        for (size_t p = 0; p < m_Parameters.size(); ++p) {
            if (m_Parameters[p].name.size() <= 64 &&
                gx::EqualsIgnoreAsciiCase(m_Parameters[p].name, kStandardParameterNames[s])) {
                m_Standard[s] = static_cast<int>(p);
                break;
            }
        }
    }
    m_ObjectType = OBJTYPE_SHADEREFFECT;
    SetName(name);
    GxD3DResourceManage::Instance().Register(this);
    AddRef();
    return true;
}
