#pragma once

// The device report written to the device log at start-up. Internal.
#include <cstdint>

#include "graphics/gx_graphics.h"

// Adapter count, renderer and version, desktop mode and the full-screen modes.
bool GxReportAdapter(GxScreenSettings& settings, GxCapsSummary& caps);
void GxReportCapabilities(GxCapsSummary& caps);
void GxReportFormats(GxFormat texture, GxFormat renderTarget, GxFormat depthStencil);
void GxReportMultisample();
void GxReportRequestedMode(const GxScreenSettings& settings);
void GxReportStartMode(const GxScreenSettings& settings, GxFormat texture, GxFormat renderTarget,
                       GxFormat depthStencil);
std::uint32_t GxQueryVideoMemoryMiB();
