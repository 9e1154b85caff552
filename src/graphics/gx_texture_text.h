#pragma once

#include "graphics/gx_texture.h"

// A texture that text is drawn into.
class GxTextureText : public GxTexture {};

// A text texture that lays a text out by itself.
class GxTextureTextEx : public GxTextureText {};
