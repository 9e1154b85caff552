#include "graphics/gx_draw_state.h"

#include <cmath>

#include "graphics/gx_gl_device.h"
#include "graphics/gx_graphics.h"
#include "graphics/gx_texture.h"

namespace {

struct Light {
    bool directional = false;
    bool enabled = false;
    GxFColor color;
    GxVector3 vector;
    float range = 0;
};

struct DrawState {
    int blendModes[GxGraphics::kStageCount] = {};
    std::uint32_t textureFilter = D3DTEXF_POINT;
    bool lighting = false;
    GxFColor ambient, secondColor, fogColor;
    float fogStart = 0, fogEnd = 0;
    int pointLightCount = 0;
    Light lights[5];
};

DrawState& Draw() {
    static DrawState state;
    return state;
}

std::uint32_t PackColor(const GxFColor& c) {
    const auto channel = [](float v) {
        const float scaled = v * 255.0f;
        return static_cast<std::uint32_t>(scaled < 0 ? 0 : scaled > 255 ? 255 : scaled);
    };
    return channel(c.a) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

struct BlendRow {
    bool blending;
    std::uint32_t textureOp;
    std::uint32_t blendOp;
    std::uint32_t source;
    std::uint32_t destination;
};

BlendRow RowFor(int mode) {
    switch (mode) {
        case 1:
            return {false, D3DTOP_MODULATE, D3DBLENDOP_ADD, D3DBLEND_SRCALPHA,
                    D3DBLEND_INVSRCALPHA};
        case 3:
            return {true, D3DTOP_MODULATE, D3DBLENDOP_ADD, D3DBLEND_SRCALPHA, D3DBLEND_ONE};
        case 4:
            return {true, D3DTOP_MODULATE2X, D3DBLENDOP_ADD, D3DBLEND_SRCALPHA, D3DBLEND_ONE};
        case 5:
            return {true, D3DTOP_MODULATE, D3DBLENDOP_REVSUBTRACT, D3DBLEND_SRCALPHA, D3DBLEND_ONE};
        case 6:
            return {true, D3DTOP_MODULATE, D3DBLENDOP_ADD, D3DBLEND_ZERO, D3DBLEND_SRCCOLOR};
        case 7:
            return {true, D3DTOP_MODULATE, D3DBLENDOP_ADD, D3DBLEND_INVDESTCOLOR,
                    D3DBLEND_INVSRCCOLOR};
        case 8:
            return {true, D3DTOP_MODULATE, D3DBLENDOP_ADD, D3DBLEND_INVDESTCOLOR, D3DBLEND_ONE};
        case 9:
            return {true, D3DTOP_MODULATE, D3DBLENDOP_SUBTRACT, D3DBLEND_ONE, D3DBLEND_ONE};
        default:
            return {true, D3DTOP_MODULATE, D3DBLENDOP_ADD, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA};
    }
}

}  // namespace

void SetBlendMode(std::uint32_t stage, int mode) {
    if (stage >= GxGraphics::kStageCount)
        return;
    DrawState& d = Draw();
    if (mode == 0) {
        mode = d.blendModes[stage];
    } else {
        d.blendModes[stage] = mode;
    }
    const BlendRow row = RowFor(mode);
    GxGraphics::SetRenderState(D3DRS_ALPHABLENDENABLE, row.blending ? 1 : 0);
    GxGraphics::SetTextureStageState(stage, D3DTSS_COLOROP, row.textureOp);
    GxGraphics::SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    GxGraphics::SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    const bool knownRow = mode >= 1 && mode <= 8;
    if (knownRow)
        GxGraphics::SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    GxGraphics::SetRenderState(D3DRS_BLENDOP, row.blendOp);
    GxGraphics::SetRenderState(D3DRS_SRCBLEND, row.source);
    GxGraphics::SetRenderState(D3DRS_DESTBLEND, row.destination);
}

int GetBlendMode(std::uint32_t stage) {
    return stage < GxGraphics::kStageCount ? Draw().blendModes[stage] : 0;
}

void SetTextureFilter(std::uint32_t filter) {
    Draw().textureFilter = filter;
    GxGraphics::SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
    GxGraphics::SetSamplerState(0, D3DSAMP_MINFILTER, filter);
}

std::uint32_t GetTextureFilter() {
    return Draw().textureFilter;
}

void SetZEnable(bool enable) {
    GxGraphics::SetRenderState(D3DRS_ZENABLE, enable ? 1 : 0);
}
void SetZWriteEnable(bool enable) {
    GxGraphics::SetRenderState(D3DRS_ZWRITEENABLE, enable ? 1 : 0);
}

void SetAlphaTest(bool enable, std::uint32_t reference) {
    GxGraphics::SetRenderState(D3DRS_ALPHATESTENABLE, enable ? 1 : 0);
    if (enable) {
        GxGraphics::SetRenderState(D3DRS_ALPHAREF, reference);
        GxGraphics::SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL);
    }
}

void SetMultisampleAntialias(bool enable) {
    GxGraphics::SetRenderState(D3DRS_MULTISAMPLEANTIALIAS, enable ? 1 : 0);
}
void SetSpecularEnable(bool enable) {
    GxGraphics::SetRenderState(D3DRS_SPECULARENABLE, enable ? 1 : 0);
}
void SetCullMode(std::uint32_t mode) {
    GxGraphics::SetRenderState(D3DRS_CULLMODE, mode);
}
void SetFillMode(std::uint32_t mode) {
    GxGraphics::SetRenderState(D3DRS_FILLMODE, mode);
}

void SetLighting(bool enable) {
    Draw().lighting = enable;
    GxGraphics::SetRenderState(D3DRS_LIGHTING, enable ? 1 : 0);
}
bool GetLighting() {
    return Draw().lighting;
}
void SetFogEnable(bool enable) {
    GxGraphics::SetRenderState(D3DRS_FOGENABLE, enable ? 1 : 0);
}

void SetFogRange(float start, float end, bool tableFog) {
    DrawState& d = Draw();
    d.fogStart = start;
    d.fogEnd = end;
    // Pre-transformed 2D quads are not fogged; the range is kept for effect users.
    GxGraphics::SetRenderState(D3DRS_FOGTABLEMODE, tableFog ? 3 : 0);
    GxGraphics::SetRenderState(D3DRS_FOGVERTEXMODE, tableFog ? 0 : 3);
}

void SetFogColor(const GxFColor& color) {
    Draw().fogColor = color;
    GxGraphics::SetRenderState(D3DRS_FOGCOLOR, PackColor(color));
}

void SetAmbientColor(const GxFColor& color) {
    Draw().ambient = color;
    GxGraphics::SetRenderState(D3DRS_AMBIENT, PackColor(color));
}

const GxFColor& GetAmbientColor() {
    return Draw().ambient;
}

void SetDirectionalLight(const GxFColor& color, const GxVector3& direction) {
    Light& light = Draw().lights[0];
    const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y +
                                   direction.z * direction.z);
    light.directional = true;
    light.enabled = true;
    light.color = color;
    light.vector = length > 0
                       ? GxVector3{direction.x / length, direction.y / length, direction.z / length}
                       : direction;
}

void SetPointLight(int index, const GxFColor& color, const GxVector3& position, float range) {
    if (index < 0 || index > 3)
        return;
    Light& light = Draw().lights[index + 1];
    light.color = color;
    light.vector = position;
    light.range = range;
}

void SetPointLightCount(int count) {
    DrawState& d = Draw();
    d.pointLightCount = count;
    for (int i = 0; i < 4; ++i)
        d.lights[i + 1].enabled = i < count;
}

int GetPointLightCount() {
    return Draw().pointLightCount;
}

void SetTexture(std::uint32_t stage, const GxTextureBase* texture) {
    GxGLDevice* device = GxGetGLDevice();
    if (stage != 0 || !device)
        return;
    device->BindTexture(texture ? texture->GetD3DTexture() : 0);
}

GxRect GetViewportRect() {
    const GxViewport& vp = GxGraphics::GetViewport();
    return GxRect{vp.x, vp.y, vp.x + vp.width, vp.y + vp.height};
}

void ResetDrawStates() {
    SetZEnable(false);
    SetZWriteEnable(false);
    SetAlphaTest(false, 0);
    SetMultisampleAntialias(true);
    SetSpecularEnable(true);
    SetCullMode(D3DCULL_NONE);
    SetFillMode(D3DFILL_SOLID);
    SetLighting(false);
    SetTexture(0, nullptr);
}

void InitializeDrawStates() {
    GxGraphics::SetViewport(nullptr);
    DrawState& d = Draw();
    for (std::uint32_t stage = 0; stage < GxGraphics::kStageCount; ++stage) {
        d.blendModes[stage] = 0;
        SetBlendMode(stage, 0);
        GxGraphics::SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        GxGraphics::SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        GxGraphics::SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        GxGraphics::SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        d.blendModes[stage] = 2;
    }
    SetTextureFilter(D3DTEXF_POINT);
    GxGraphics::SetRenderState(D3DRS_ALPHABLENDENABLE, 1);
    GxGraphics::SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    // The destination alpha keeps the larger of source and destination alpha.
    GxGraphics::SetRenderState(D3DRS_SEPARATEALPHABLENDENABLE, 1);
    GxGraphics::SetRenderState(D3DRS_BLENDOPALPHA, D3DBLENDOP_MAX);
    GxGraphics::SetRenderState(D3DRS_SRCBLENDALPHA, D3DBLEND_ONE);
    GxGraphics::SetRenderState(D3DRS_DESTBLENDALPHA, D3DBLEND_ONE);
    GxGraphics::SetRenderState(D3DRS_COLORVERTEX, 1);
    GxGraphics::SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, 1);
    GxGraphics::SetRenderState(D3DRS_SPECULARMATERIALSOURCE, 0);
    GxGraphics::SetRenderState(D3DRS_AMBIENTMATERIALSOURCE, 0);
    GxGraphics::SetRenderState(D3DRS_EMISSIVEMATERIALSOURCE, 0);
    ResetDrawStates();
    SetDirectionalLight(GxFColor{1, 1, 1, 1}, GxVector3{0, -1, 1});
    SetPointLightCount(0);
    for (int i = 0; i < 4; ++i)
        SetPointLight(i, GxFColor{1, 1, 1, 1}, GxVector3{0, 0, 0}, 30);
    SetAmbientColor(GxFColor{0.3f, 0.3f, 0.3f, 0.3f});
    d.secondColor = GxFColor{0.3f, 0.3f, 0.3f, 0.3f};
    SetFogEnable(false);
    SetFogColor(GxFColor{1, 1, 1, 1});
    SetFogRange(0.7f, 1.0f, true);
}
