#pragma once

#include "graphics/gx_resource_factory.h"
#include "graphics/gx_shader_effect.h"
#include "graphics/gx_texture.h"
#include "graphics/gx_texture_flex.h"

enum GxTextureKind : int {
    TEXKIND_FILE = 1,
    TEXKIND_TEXTURE = 2,
    TEXKIND_RENDERTARGET = 3,
    TEXKIND_NONE = 4,
    TEXKIND_TEXT = 5,
    TEXKIND_TEXTEX = 6,
    TEXKIND_MOVIE = 7,
};

// Makes movie textures for kind 7 (installed by the movie library).
using GxMovieTextureCreator = std::unique_ptr<GxTextureBase> (*)(std::u16string_view name,
                                                                 std::uint32_t width,
                                                                 std::uint32_t height,
                                                                 std::uint32_t format);

class GxTextureFactory : public GxResourceFactory<GxTextureBase> {
public:
    static GxTextureFactory& Instance();
    GxTextureFactory();

    // Kind 1 loads `name` as a picture file (width and height unused); kinds 2,
    // 3, 5 and 6 make empty textures of the size; kind 7 a movie texture.
    GxTextureBase* Get(std::u16string_view name, int kind, std::uint32_t width = 0,
                       std::uint32_t height = 0, std::uint32_t format = 0, std::uint32_t levels = 1,
                       bool stretch = false);
    GxTextureBase* Get(std::string_view name, int kind, std::uint32_t width = 0,
                       std::uint32_t height = 0, std::uint32_t format = 0, std::uint32_t levels = 1,
                       bool stretch = false);
    // The same, for the kinds that make a `GxTexture` (null for others).
    GxTexture* GetTexture(std::u16string_view name, int kind, std::uint32_t width = 0,
                          std::uint32_t height = 0, std::uint32_t format = 0,
                          std::uint32_t levels = 1, bool stretch = false);

    void SetMovieTextureCreator(GxMovieTextureCreator creator) { m_MovieCreator = creator; }

private:
    GxMovieTextureCreator m_MovieCreator = nullptr;
};

class GxTextureFlexFactory : public GxResourceFactory<GxTextureFlex> {
public:
    static GxTextureFlexFactory& Instance();
    GxTextureFlexFactory();
    // Kind 1 loads a picture file; kind 2 makes an empty flex texture of the size.
    GxTextureFlex* Get(std::u16string_view name, int kind, std::uint32_t width = 0,
                       std::uint32_t height = 0, std::uint32_t format = 0,
                       std::uint32_t colorKey = 0);
};

class GxShaderFactory : public GxResourceFactory<GxShaderEffect> {
public:
    static GxShaderFactory& Instance();
    GxShaderFactory();
    GxShaderEffect* Get(std::u16string_view name, bool skipValidation = false);
};
