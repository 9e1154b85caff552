#pragma once

// The GL objects behind the device. Internal to the graphics library.
#include <epoxy/gl.h>

#include <cstdint>

#include "graphics/gx_graphics_types.h"
#include "graphics/gx_vertex.h"

struct GxGLFormat {
    GLenum internalFormat;
    GLenum format;
    GLenum type;
    bool opaque;  // the alpha channel reads as one
    int bytesPerPixel;
};

// The upload layout of a texture format; false for formats the device cannot hold.
bool GxGetGLFormat(std::uint32_t format, GxGLFormat& out);
int GxGetBytesPerPixel(std::uint32_t format);

class GxGLDevice {
public:
    bool Create(int backWidth, int backHeight);
    void Destroy();

    // Binds the framebuffer that draws land in (0 target = the back buffer).
    void BindTargetFramebuffer(GLuint framebuffer, int width, int height);
    GLuint GetBackFramebuffer() const { return m_BackFramebuffer; }
    GLuint GetBackTexture() const { return m_BackTexture; }
    GLuint GetCurrentFramebuffer() const { return m_CurrentFramebuffer; }
    int GetTargetWidth() const { return m_TargetWidth; }
    int GetTargetHeight() const { return m_TargetHeight; }
    int GetBackWidth() const { return m_BackWidth; }
    int GetBackHeight() const { return m_BackHeight; }

    void SetViewport(int x, int y, int width, int height);
    // Stage-0 texture (0 means the white texture that stands for "none").
    void BindTexture(GLuint texture);
    // Draws a triangle fan from the cached draw states.
    void DrawFan(const GxVertex* vertices, int count);
    void ClearColor(std::uint32_t argb, int x, int y, int width, int height);
    // Reads the bound target's pixels as 0xAARRGGBB rows from the top.
    void ReadPixels(int x, int y, int width, int height, std::uint32_t* out);
    void MarkStatesDirty() { m_StatesDirty = true; }
    // After foreign GL code: rebind the program, buffers and sampler before the next draw.
    void MarkBindingsDirty() { m_BindingsDirty = m_StatesDirty = m_ViewportDirty = true; }

private:
    void ApplyStates();

    // A linked shader program with the uniforms the draw states feed.
    struct Program {
        GLuint id = 0;
        GLint viewport = -1, colorOp = -1, alphaOp = -1, colorArgs = -1, alphaArgs = -1;
        GLint specular = -1, alphaTest = -1, alphaRef = -1, colorScale = -1;
    };
    static bool Link(Program& program, const char* fragmentSource);

    // The general stage-0 emulation, and the modulate case every 2D draw uses.
    // A plain variant without the specular colour for quads that have none.
    Program m_General, m_Modulate, m_ModulatePlain, m_TextureOnly;
    Program* m_Current = nullptr;
    bool m_ModulateStates = false;
    float m_ColorScale = 1.0f;
    void UseProgram(Program* program);
    GLuint m_VertexArray = 0, m_VertexBuffer = 0;
    GLuint m_WhiteTexture = 0, m_Sampler = 0;
    GLuint m_BackFramebuffer = 0, m_BackTexture = 0;
    GLuint m_CurrentFramebuffer = 0;
    int m_BackWidth = 0, m_BackHeight = 0;
    int m_TargetWidth = 0, m_TargetHeight = 0;
    int m_Viewport[4] = {0, 0, 0, 0};
    bool m_StatesDirty = true;
    bool m_BindingsDirty = false;
    bool m_ViewportDirty = true;
    size_t m_BufferOffset = 0;
};

// Null when no device is initialised.
GxGLDevice* GxGetGLDevice();
