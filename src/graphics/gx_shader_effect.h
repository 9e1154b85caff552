#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/gx_resource.h"

struct GxShaderTechnique {
    std::uint32_t handle = 0;
    std::u16string name;
    std::uint32_t passes = 0;
    std::uint32_t annotations = 0;
    int useLight = 0, useTangent = 0, useUV = 0, useBone = 0, useTexture = 0, tecIndex = 0;
};

struct GxShaderParameter {
    std::uint32_t handle = 0;
    std::u16string name;
    std::u16string semantic;
    std::u16string typeName;  // as written in the file ("float4x4", "texture" ...)
    std::uint32_t rows = 0, columns = 0, elements = 0, annotations = 0, members = 0;
    std::uint32_t flags = 0, bytes = 0;
};

// An effect file: its techniques and parameters, read from the file for the
// effect users. Nothing in the 2D drawers draws with it.
class GxShaderEffect : public GxD3DResourceBase {
public:
    static constexpr int kStandardParameterCount = 34;
    static const char16_t* const kStandardParameterNames[kStandardParameterCount];

    GxShaderEffect() = default;
    ~GxShaderEffect() override;

    bool CreateFromFile(std::u16string_view name, bool skipValidation = false);
    // The same from the text of an effect in memory.
    bool CreateFromText(std::u16string_view name, std::string_view text);

    const std::vector<GxShaderTechnique>& GetTechniques() const { return m_Techniques; }
    const std::vector<GxShaderParameter>& GetParameters() const { return m_Parameters; }
    // Index into the parameters of standard parameter `index`, or -1.
    int GetStandardParameter(int index) const;

protected:
    void FreeDeviceObjects() override;

private:
    void Clear();

    std::vector<GxShaderTechnique> m_Techniques;
    std::vector<GxShaderParameter> m_Parameters;
    std::array<int, kStandardParameterCount> m_Standard{};
};
