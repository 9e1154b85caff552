#include "graphics/gx_gl_device.h"

#include <cstddef>
#include <cstring>

#include "base/gx_log.h"
#include "graphics/gx_graphics.h"

namespace {

// The fixed-function stage 0 of the classic pipeline, as a shader. Positions
// arrive in the classic pixel convention (pixel centres on integers); GL puts
// centres at +0.5, so the projection adds half a pixel.
const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aDiffuse;
layout(location = 2) in vec4 aSpecular;
layout(location = 3) in vec2 aTexCoord;
uniform vec4 uViewport;
out vec4 vDiffuse;
out vec4 vSpecular;
out vec2 vTexCoord;
void main() {
    vec2 ndc = (aPosition.xy + 0.5 - uViewport.xy) / uViewport.zw * 2.0 - 1.0;
    gl_Position = vec4(ndc, 0.0, 1.0);
    vDiffuse = aDiffuse;
    vSpecular = aSpecular;
    vTexCoord = aTexCoord;
}
)";

const char* const kFragmentShader = R"(#version 330 core
in vec4 vDiffuse;
in vec4 vSpecular;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform int uColorOp;
uniform int uAlphaOp;
uniform ivec2 uColorArgs;
uniform ivec2 uAlphaArgs;
uniform bool uSpecular;
uniform int uAlphaTest;
uniform float uAlphaRef;
out vec4 fragColor;
vec4 Arg(int arg, vec4 tex) { return arg == 2 ? tex : vDiffuse; }
vec4 Op(int op, vec4 a, vec4 b) {
    if (op == 1) return vDiffuse;
    if (op == 2) return a;
    if (op == 3) return b;
    if (op == 5) return clamp(a * b * 2.0, 0.0, 1.0);
    if (op == 6) return clamp(a * b * 4.0, 0.0, 1.0);
    if (op == 7) return clamp(a + b, 0.0, 1.0);
    return a * b;
}
bool Compare(int func, float value, float ref) {
    if (func == 1) return false;
    if (func == 2) return value < ref;
    if (func == 3) return value == ref;
    if (func == 4) return value <= ref;
    if (func == 5) return value > ref;
    if (func == 6) return value != ref;
    if (func == 7) return value >= ref;
    return true;
}
void main() {
    vec4 tex = texture(uTexture, vTexCoord);
    vec3 color = Op(uColorOp, Arg(uColorArgs.x, tex), Arg(uColorArgs.y, tex)).rgb;
    float alpha = Op(uAlphaOp, Arg(uAlphaArgs.x, tex), Arg(uAlphaArgs.y, tex)).a;
    if (uSpecular) color = clamp(color + vSpecular.rgb, 0.0, 1.0);
    if (uAlphaTest != 0 && !Compare(uAlphaTest, floor(alpha * 255.0 + 0.5), uAlphaRef)) discard;
    fragColor = vec4(color, alpha);
}
)";

// Texture times diffuse (doubled for the brighter additive mode), plus specular.
const char* const kModulateFragmentShader = R"(#version 330 core
in vec4 vDiffuse;
in vec4 vSpecular;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform float uColorScale;
uniform float uSpecular;
out vec4 fragColor;
void main() {
    vec4 tex = texture(uTexture, vTexCoord);
    vec3 color = min(tex.rgb * vDiffuse.rgb * uColorScale, 1.0);
    fragColor = vec4(min(color + vSpecular.rgb * uSpecular, 1.0), tex.a * vDiffuse.a);
}
)";

const char* const kModulatePlainFragmentShader = R"(#version 330 core
in vec4 vDiffuse;
in vec2 vTexCoord;
uniform sampler2D uTexture;
uniform float uColorScale;
out vec4 fragColor;
void main() {
    vec4 tex = texture(uTexture, vTexCoord);
    fragColor = vec4(min(tex.rgb * vDiffuse.rgb * uColorScale, 1.0), tex.a * vDiffuse.a);
}
)";

// Quads with white diffuse and no specular show the texture as it is.
const char* const kTextureFragmentShader = R"(#version 330 core
in vec2 vTexCoord;
uniform sampler2D uTexture;
out vec4 fragColor;
void main() { fragColor = texture(uTexture, vTexCoord); }
)";

GLuint CompileShader(GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof(log) - 1, nullptr, log);
        LogError(u"Error/GxGraphics shader compile failed(%s)\n", std::string_view(log));
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GLenum ToGLBlend(std::uint32_t blend) {
    switch (blend) {
        case D3DBLEND_ZERO:
            return GL_ZERO;
        case D3DBLEND_ONE:
            return GL_ONE;
        case D3DBLEND_SRCCOLOR:
            return GL_SRC_COLOR;
        case D3DBLEND_INVSRCCOLOR:
            return GL_ONE_MINUS_SRC_COLOR;
        case D3DBLEND_SRCALPHA:
            return GL_SRC_ALPHA;
        case D3DBLEND_INVSRCALPHA:
            return GL_ONE_MINUS_SRC_ALPHA;
        case D3DBLEND_DESTALPHA:
            return GL_DST_ALPHA;
        case D3DBLEND_INVDESTALPHA:
            return GL_ONE_MINUS_DST_ALPHA;
        case D3DBLEND_DESTCOLOR:
            return GL_DST_COLOR;
        case D3DBLEND_INVDESTCOLOR:
            return GL_ONE_MINUS_DST_COLOR;
        case 11:
            return GL_SRC_ALPHA_SATURATE;
        default:
            return GL_ONE;
    }
}

GLenum ToGLBlendOp(std::uint32_t op) {
    switch (op) {
        case D3DBLENDOP_SUBTRACT:
            return GL_FUNC_SUBTRACT;
        case D3DBLENDOP_REVSUBTRACT:
            return GL_FUNC_REVERSE_SUBTRACT;
        case D3DBLENDOP_MIN:
            return GL_MIN;
        case D3DBLENDOP_MAX:
            return GL_MAX;
        default:
            return GL_FUNC_ADD;
    }
}

GLint ToGLFilter(std::uint32_t filter) {
    return filter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST;
}

GLint ToGLAddress(std::uint32_t address) {
    switch (address) {
        case 2:
            return GL_MIRRORED_REPEAT;
        case D3DTADDRESS_CLAMP:
            return GL_CLAMP_TO_EDGE;
        case 4:
            return GL_CLAMP_TO_BORDER;
        default:
            return GL_REPEAT;
    }
}

}  // namespace

bool GxGetGLFormat(std::uint32_t format, GxGLFormat& out) {
    switch (format) {
        case D3DFMT_A8R8G8B8:
            out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, false, 4};
            return true;
        case D3DFMT_X8R8G8B8:
            out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, true, 4};
            return true;
        case D3DFMT_A4R4G4B4:
            out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, false, 2};
            return true;
        case D3DFMT_X4R4G4B4:
            out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, true, 2};
            return true;
        case D3DFMT_A1R5G5B5:
            out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, false, 2};
            return true;
        case D3DFMT_X1R5G5B5:
            out = {GL_RGBA8, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, true, 2};
            return true;
        case D3DFMT_R5G6B5:
            out = {GL_RGBA8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, true, 2};
            return true;
        default:
            return false;
    }
}

int GxGetBytesPerPixel(std::uint32_t format) {
    GxGLFormat gl;
    return GxGetGLFormat(format, gl) ? gl.bytesPerPixel : 0;
}

bool GxGLDevice::Link(Program& program, const char* fragmentSource) {
    GLuint vertex = CompileShader(GL_VERTEX_SHADER, kVertexShader);
    GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, fragmentSource);
    if (!vertex || !fragment)
        return false;
    program.id = glCreateProgram();
    glAttachShader(program.id, vertex);
    glAttachShader(program.id, fragment);
    glLinkProgram(program.id);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = 0;
    glGetProgramiv(program.id, GL_LINK_STATUS, &linked);
    if (!linked) {
        LogError(u"Error/GxGraphics shader link failed\n");
        return false;
    }
    glUseProgram(program.id);
    glUniform1i(glGetUniformLocation(program.id, "uTexture"), 0);
    program.viewport = glGetUniformLocation(program.id, "uViewport");
    program.colorOp = glGetUniformLocation(program.id, "uColorOp");
    program.alphaOp = glGetUniformLocation(program.id, "uAlphaOp");
    program.colorArgs = glGetUniformLocation(program.id, "uColorArgs");
    program.alphaArgs = glGetUniformLocation(program.id, "uAlphaArgs");
    program.specular = glGetUniformLocation(program.id, "uSpecular");
    program.alphaTest = glGetUniformLocation(program.id, "uAlphaTest");
    program.alphaRef = glGetUniformLocation(program.id, "uAlphaRef");
    program.colorScale = glGetUniformLocation(program.id, "uColorScale");
    return true;
}

bool GxGLDevice::Create(int backWidth, int backHeight) {
    if (!Link(m_Modulate, kModulateFragmentShader) ||
        !Link(m_ModulatePlain, kModulatePlainFragmentShader) ||
        !Link(m_TextureOnly, kTextureFragmentShader) || !Link(m_General, kFragmentShader)) {
        return false;
    }
    m_Current = &m_General;

    glGenVertexArrays(1, &m_VertexArray);
    glBindVertexArray(m_VertexArray);
    glGenBuffers(1, &m_VertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, m_VertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, 1 << 16, nullptr, GL_STREAM_DRAW);
    const GLsizei stride = sizeof(GxVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(GxVertex, x)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(GxVertex, diffuse)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<void*>(offsetof(GxVertex, specular)));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<void*>(offsetof(GxVertex, u)));

    const std::uint32_t white = 0xFFFFFFFFu;
    glGenTextures(1, &m_WhiteTexture);
    glBindTexture(GL_TEXTURE_2D, m_WhiteTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &white);
    glGenSamplers(1, &m_Sampler);
    glBindSampler(0, m_Sampler);

    m_BackWidth = backWidth;
    m_BackHeight = backHeight;
    glGenTextures(1, &m_BackTexture);
    glBindTexture(GL_TEXTURE_2D, m_BackTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, backWidth, backHeight, 0, GL_BGRA,
                 GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glGenFramebuffers(1, &m_BackFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_BackFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_BackTexture, 0);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        LogError(u"Error/GxGraphics back buffer is incomplete\n");
        return false;
    }
    BindTargetFramebuffer(m_BackFramebuffer, backWidth, backHeight);
    SetViewport(0, 0, backWidth, backHeight);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    m_StatesDirty = true;
    return glGetError() == GL_NO_ERROR;
}

void GxGLDevice::Destroy() {
    if (m_General.id)
        glDeleteProgram(m_General.id);
    if (m_Modulate.id)
        glDeleteProgram(m_Modulate.id);
    if (m_ModulatePlain.id)
        glDeleteProgram(m_ModulatePlain.id);
    if (m_TextureOnly.id)
        glDeleteProgram(m_TextureOnly.id);
    if (m_VertexBuffer)
        glDeleteBuffers(1, &m_VertexBuffer);
    if (m_VertexArray)
        glDeleteVertexArrays(1, &m_VertexArray);
    if (m_WhiteTexture)
        glDeleteTextures(1, &m_WhiteTexture);
    if (m_Sampler)
        glDeleteSamplers(1, &m_Sampler);
    if (m_BackFramebuffer)
        glDeleteFramebuffers(1, &m_BackFramebuffer);
    if (m_BackTexture)
        glDeleteTextures(1, &m_BackTexture);
    *this = GxGLDevice();
}

void GxGLDevice::BindTargetFramebuffer(GLuint framebuffer, int width, int height) {
    if (framebuffer == 0)
        framebuffer = m_BackFramebuffer;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    m_CurrentFramebuffer = framebuffer;
    m_TargetWidth = width;
    m_TargetHeight = height;
}

void GxGLDevice::SetViewport(int x, int y, int width, int height) {
    m_Viewport[0] = x;
    m_Viewport[1] = y;
    m_Viewport[2] = width > 0 ? width : 1;
    m_Viewport[3] = height > 0 ? height : 1;
    // Rows are stored top row first, so classic viewport rectangles map unchanged.
    glViewport(x, y, m_Viewport[2], m_Viewport[3]);
    m_ViewportDirty = true;
}

void GxGLDevice::BindTexture(GLuint texture) {
    glBindTexture(GL_TEXTURE_2D, texture ? texture : m_WhiteTexture);
}

void GxGLDevice::ApplyStates() {
    m_StatesDirty = false;
    const auto rs = [](std::uint32_t state) { return GxGraphics::GetRenderState(state); };
    if (rs(D3DRS_ALPHABLENDENABLE)) {
        glEnable(GL_BLEND);
        const GLenum colorOp = ToGLBlendOp(rs(D3DRS_BLENDOP));
        const GLenum src = ToGLBlend(rs(D3DRS_SRCBLEND));
        const GLenum dst = ToGLBlend(rs(D3DRS_DESTBLEND));
        if (rs(D3DRS_SEPARATEALPHABLENDENABLE)) {
            glBlendEquationSeparate(colorOp, ToGLBlendOp(rs(D3DRS_BLENDOPALPHA)));
            glBlendFuncSeparate(src, dst, ToGLBlend(rs(D3DRS_SRCBLENDALPHA)),
                                ToGLBlend(rs(D3DRS_DESTBLENDALPHA)));
        } else {
            glBlendEquation(colorOp);
            glBlendFunc(src, dst);
        }
    } else {
        glDisable(GL_BLEND);
    }
    const std::uint32_t cull = rs(D3DRS_CULLMODE);
    if (cull == D3DCULL_CW || cull == D3DCULL_CCW) {
        glEnable(GL_CULL_FACE);
        // Rows are stored top first, which mirrors the winding seen on screen.
        glFrontFace(cull == D3DCULL_CCW ? GL_CCW : GL_CW);
        glCullFace(GL_BACK);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glPolygonMode(GL_FRONT_AND_BACK, rs(D3DRS_FILLMODE) == D3DFILL_WIREFRAME ? GL_LINE
                                     : rs(D3DRS_FILLMODE) == D3DFILL_POINT   ? GL_POINT
                                                                             : GL_FILL);
    const auto tss = [](std::uint32_t type) { return GxGraphics::GetTextureStageState(0, type); };
    const std::uint32_t colorOp = tss(D3DTSS_COLOROP), alphaOp = tss(D3DTSS_ALPHAOP);
    const bool modulate =
        (colorOp == D3DTOP_MODULATE || colorOp == D3DTOP_MODULATE2X) &&
        alphaOp == D3DTOP_MODULATE && (tss(D3DTSS_COLORARG1) & 0xF) == D3DTA_TEXTURE &&
        (tss(D3DTSS_COLORARG2) & 0xF) == D3DTA_DIFFUSE &&
        (tss(D3DTSS_ALPHAARG1) & 0xF) == D3DTA_TEXTURE &&
        (tss(D3DTSS_ALPHAARG2) & 0xF) == D3DTA_DIFFUSE && !rs(D3DRS_ALPHATESTENABLE);
    m_ModulateStates = modulate;
    m_ColorScale = colorOp == D3DTOP_MODULATE2X ? 2.0f : 1.0f;
    UseProgram(modulate ? &m_Modulate : &m_General);
    if (modulate) {
        glUniform1f(m_Current->colorScale, m_ColorScale);
        glUniform1f(m_Current->specular, rs(D3DRS_SPECULARENABLE) ? 1.0f : 0.0f);
    } else {
        glUniform1i(m_Current->colorOp, static_cast<GLint>(colorOp));
        glUniform1i(m_Current->alphaOp, static_cast<GLint>(alphaOp));
        glUniform2i(m_Current->colorArgs, static_cast<GLint>(tss(D3DTSS_COLORARG1) & 0xF),
                    static_cast<GLint>(tss(D3DTSS_COLORARG2) & 0xF));
        glUniform2i(m_Current->alphaArgs, static_cast<GLint>(tss(D3DTSS_ALPHAARG1) & 0xF),
                    static_cast<GLint>(tss(D3DTSS_ALPHAARG2) & 0xF));
        glUniform1i(m_Current->specular, rs(D3DRS_SPECULARENABLE) ? 1 : 0);
        glUniform1i(m_Current->alphaTest,
                    rs(D3DRS_ALPHATESTENABLE) ? static_cast<GLint>(rs(D3DRS_ALPHAFUNC)) : 0);
        glUniform1f(m_Current->alphaRef, static_cast<float>(rs(D3DRS_ALPHAREF) & 0xFF));
    }
    const auto ss = [](std::uint32_t type) { return GxGraphics::GetSamplerState(0, type); };
    glSamplerParameteri(m_Sampler, GL_TEXTURE_MAG_FILTER, ToGLFilter(ss(D3DSAMP_MAGFILTER)));
    glSamplerParameteri(m_Sampler, GL_TEXTURE_MIN_FILTER, ToGLFilter(ss(D3DSAMP_MINFILTER)));
    glSamplerParameteri(m_Sampler, GL_TEXTURE_WRAP_S, ToGLAddress(ss(D3DSAMP_ADDRESSU)));
    glSamplerParameteri(m_Sampler, GL_TEXTURE_WRAP_T, ToGLAddress(ss(D3DSAMP_ADDRESSV)));
}

void GxGLDevice::UseProgram(Program* program) {
    if (program != m_Current)
        m_ViewportDirty = true;
    m_Current = program;
    glUseProgram(program->id);
}

void GxGLDevice::DrawFan(const GxVertex* vertices, int count) {
    if (m_BindingsDirty) {
        m_BindingsDirty = false;
        glBindVertexArray(m_VertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, m_VertexBuffer);
        glBindSampler(0, m_Sampler);
        glActiveTexture(GL_TEXTURE0);
    }
    if (m_StatesDirty)
        ApplyStates();
    if (m_ModulateStates) {
        // Quads without a specular colour skip interpolating it; with white
        // diffuse too, the texture is shown as it is.
        const bool specularOn = GxGraphics::GetRenderState(D3DRS_SPECULARENABLE) != 0;
        bool specular = false, white = m_ColorScale == 1.0f;
        for (int i = 0; i < count; ++i) {
            specular = specular || (specularOn && (vertices[i].specular & 0xFFFFFF) != 0);
            white = white && vertices[i].diffuse == 0xFFFFFFFFu;
        }
        Program* wanted = specular ? &m_Modulate : white ? &m_TextureOnly : &m_ModulatePlain;
        if (wanted != m_Current) {
            UseProgram(wanted);
            if (wanted != &m_TextureOnly)
                glUniform1f(m_Current->colorScale, m_ColorScale);
            if (specular)
                glUniform1f(m_Current->specular, 1.0f);
        }
    }
    if (m_ViewportDirty) {
        m_ViewportDirty = false;
        glUniform4f(m_Current->viewport, static_cast<float>(m_Viewport[0]),
                    static_cast<float>(m_Viewport[1]), static_cast<float>(m_Viewport[2]),
                    static_cast<float>(m_Viewport[3]));
    }
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(count) * sizeof(GxVertex);
    constexpr GLsizeiptr kBufferBytes = 1 << 16;
    if (m_BufferOffset + bytes > kBufferBytes) {
        glBufferData(GL_ARRAY_BUFFER, kBufferBytes, nullptr, GL_STREAM_DRAW);
        m_BufferOffset = 0;
    }
    // Writes go to a part of the buffer no queued draw reads, so no wait is needed.
    void* target = glMapBufferRange(
        GL_ARRAY_BUFFER, static_cast<GLintptr>(m_BufferOffset), bytes,
        GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT | GL_MAP_INVALIDATE_RANGE_BIT);
    if (!target)
        return;
    std::memcpy(target, vertices, static_cast<size_t>(bytes));
    glUnmapBuffer(GL_ARRAY_BUFFER);
    glDrawArrays(GL_TRIANGLE_FAN, static_cast<GLint>(m_BufferOffset / sizeof(GxVertex)), count);
    m_BufferOffset += bytes;
}

void GxGLDevice::ClearColor(std::uint32_t argb, int x, int y, int width, int height) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(x, y, width, height);
    glClearColor(static_cast<float>(argb >> 16 & 0xFF) / 255.0f,
                 static_cast<float>(argb >> 8 & 0xFF) / 255.0f,
                 static_cast<float>(argb & 0xFF) / 255.0f,
                 static_cast<float>(argb >> 24 & 0xFF) / 255.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

void GxGLDevice::ReadPixels(int x, int y, int width, int height, std::uint32_t* out) {
    glReadPixels(x, y, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, out);
}
