#pragma once

#include <cstdint>

#include "content/gx_content_types.h"

class GxTextureBase;

// Draw-state helpers over the device's state caches. Main thread only.
void SetBlendMode(std::uint32_t stage, int mode);
int GetBlendMode(std::uint32_t stage);
void SetTextureFilter(std::uint32_t filter);
std::uint32_t GetTextureFilter();
void SetZEnable(bool enable);
void SetZWriteEnable(bool enable);
void SetAlphaTest(bool enable, std::uint32_t reference);
void SetMultisampleAntialias(bool enable);
void SetSpecularEnable(bool enable);
void SetCullMode(std::uint32_t mode);
void SetFillMode(std::uint32_t mode);
void SetLighting(bool enable);
bool GetLighting();
void SetFogEnable(bool enable);
void SetFogRange(float start, float end, bool tableFog);
void SetFogColor(const GxFColor& color);
void SetAmbientColor(const GxFColor& color);
const GxFColor& GetAmbientColor();
void SetDirectionalLight(const GxFColor& color, const GxVector3& direction);
void SetPointLight(int index, const GxFColor& color, const GxVector3& position, float range);
void SetPointLightCount(int count);
int GetPointLightCount();
// Stage 0 is the only stage the 2D drawers sample.
void SetTexture(std::uint32_t stage, const GxTextureBase* texture);
GxRect GetViewportRect();
void ResetDrawStates();
void InitializeDrawStates();
