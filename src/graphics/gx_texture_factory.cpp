#include "graphics/gx_texture_factory.h"

#include "graphics/gx_shader_effect.h"
#include "graphics/gx_texture_flex.h"
#include "graphics/gx_texture_text.h"

GxTextureFactory& GxTextureFactory::Instance() {
    static GxTextureFactory instance;
    return instance;
}

GxTextureFactory::GxTextureFactory()
    : GxResourceFactory(
          u"Warning/GxTextureFactory You tried to release the texture does not exist(0x%x)\n",
          u"Warning/GxTextureFactory You tried to release the texture does not exist(%s)\n") {}

GxTextureBase* GxTextureFactory::Get(std::u16string_view name, int kind, std::uint32_t width,
                                     std::uint32_t height, std::uint32_t format,
                                     std::uint32_t levels, bool stretch) {
    GxMutexScopedLock lock(m_Mutex);
    GxResourceKey key{kind, 0, 0, format};
    if (kind != TEXKIND_FILE) {
        key.width = width;
        key.height = height;
    }
    if (GxTextureBase* found = Lookup(name, key))
        return found;
    std::unique_ptr<GxTextureBase> made;
    bool ok = false;
    switch (kind) {
        case TEXKIND_FILE: {
            auto texture = std::make_unique<GxTexture>();
            ok = texture->CreateFromFile(name, format, levels, 0, stretch);
            made = std::move(texture);
            break;
        }
        case TEXKIND_TEXTURE: {
            auto texture = std::make_unique<GxTexture>();
            ok = texture->CreateTexture(name, width, height, format, levels);
            made = std::move(texture);
            break;
        }
        case TEXKIND_RENDERTARGET: {
            auto texture = std::make_unique<GxTexture>();
            ok = texture->CreateRenderTarget(name, width, height, format);
            made = std::move(texture);
            break;
        }
        case TEXKIND_TEXT: {
            auto texture = std::make_unique<GxTextureText>();
            ok = texture->CreateTexture(name, width, height, format, levels);
            made = std::move(texture);
            break;
        }
        case TEXKIND_TEXTEX: {
            auto texture = std::make_unique<GxTextureTextEx>();
            ok = texture->CreateTexture(name, width, height, format, levels);
            made = std::move(texture);
            break;
        }
        case TEXKIND_MOVIE:
            if (m_MovieCreator) {
                made = m_MovieCreator(name, width, height, format);
                ok = made != nullptr;
            }
            break;
        default:
            break;
    }
    if (!ok)
        return nullptr;
    return Add(std::move(made), key);
}

GxTextureBase* GxTextureFactory::Get(std::string_view name, int kind, std::uint32_t width,
                                     std::uint32_t height, std::uint32_t format,
                                     std::uint32_t levels, bool stretch) {
    return Get(gx::AnsiToUtf16(name), kind, width, height, format, levels, stretch);
}

GxTexture* GxTextureFactory::GetTexture(std::u16string_view name, int kind, std::uint32_t width,
                                        std::uint32_t height, std::uint32_t format,
                                        std::uint32_t levels, bool stretch) {
    if (kind == TEXKIND_MOVIE || kind == TEXKIND_NONE)
        return nullptr;
    return static_cast<GxTexture*>(Get(name, kind, width, height, format, levels, stretch));
}

GxTextureFlexFactory& GxTextureFlexFactory::Instance() {
    static GxTextureFlexFactory instance;
    return instance;
}

GxTextureFlexFactory::GxTextureFlexFactory()
    : GxResourceFactory(
          u"Warning/GxTextureFlexFactory You tried to release the texture does not exist(0x%x)\n",
          u"Warning/GxTextureFlexFactory You tried to release the texture does not exist(%s)\n") {}

GxTextureFlex* GxTextureFlexFactory::Get(std::u16string_view name, int kind, std::uint32_t width,
                                         std::uint32_t height, std::uint32_t format,
                                         std::uint32_t colorKey) {
    GxMutexScopedLock lock(m_Mutex);
    GxResourceKey key{kind, kind == 2 ? width : 0, kind == 2 ? height : 0, format};
    if (GxTextureFlex* found = Lookup(name, key))
        return found;
    auto made = std::make_unique<GxTextureFlex>();
    const bool ok = kind == 1   ? made->CreateFromFile(name, format, colorKey)
                    : kind == 2 ? made->Create(name, width, height, format)
                                : false;
    if (!ok)
        return nullptr;
    return Add(std::move(made), key);
}

GxShaderFactory& GxShaderFactory::Instance() {
    static GxShaderFactory instance;
    return instance;
}

GxShaderFactory::GxShaderFactory()
    : GxResourceFactory(
          u"Warning/GxShaderFactory You tried to release the shader does not exist(0x%x)\n",
          u"Warning/GxShaderFactory You tried to release the shader does not exist(%s)\n") {}

GxShaderEffect* GxShaderFactory::Get(std::u16string_view name, bool skipValidation) {
    GxMutexScopedLock lock(m_Mutex);
    if (GxShaderEffect* found = Lookup(name, GxResourceKey{}))
        return found;
    auto made = std::make_unique<GxShaderEffect>();
    if (!made->CreateFromFile(name, skipValidation))
        return nullptr;
    return Add(std::move(made), GxResourceKey{});
}
