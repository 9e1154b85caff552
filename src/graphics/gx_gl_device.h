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

private:
    void ApplyStates();

    GLuint m_Program = 0;
    GLint m_ViewportLocation = -1, m_ColorOpLocation = -1, m_AlphaOpLocation = -1;
    GLint m_ColorArgsLocation = -1, m_AlphaArgsLocation = -1, m_SpecularLocation = -1;
    GLint m_AlphaTestLocation = -1, m_AlphaRefLocation = -1;
    GLuint m_VertexArray = 0, m_VertexBuffer = 0;
    GLuint m_WhiteTexture = 0, m_Sampler = 0;
    GLuint m_BackFramebuffer = 0, m_BackTexture = 0;
    GLuint m_CurrentFramebuffer = 0;
    int m_BackWidth = 0, m_BackHeight = 0;
    int m_TargetWidth = 0, m_TargetHeight = 0;
    int m_Viewport[4] = {0, 0, 0, 0};
    bool m_StatesDirty = true;
    size_t m_BufferOffset = 0;
};

// Null when no device is initialised.
GxGLDevice* GxGetGLDevice();
