#pragma once

#include <cstdint>

#include "content/gx_content_types.h"

// The device's numeric vocabulary. Formats, render states, blend factors and
// result codes keep their classic numeric values so that stored settings,
// tables and messages read the same on every backend.

using GxResult = std::int32_t;

constexpr std::uint32_t GxMakeFourCC(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(a)) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d)) << 24;
}

enum GxFormat : std::uint32_t {
    D3DFMT_UNKNOWN = 0,
    D3DFMT_R8G8B8 = 20,
    D3DFMT_A8R8G8B8 = 21,
    D3DFMT_X8R8G8B8 = 22,
    D3DFMT_R5G6B5 = 23,
    D3DFMT_X1R5G5B5 = 24,
    D3DFMT_A1R5G5B5 = 25,
    D3DFMT_A4R4G4B4 = 26,
    D3DFMT_R3G3B2 = 27,
    D3DFMT_A8 = 28,
    D3DFMT_A8R3G3B2 = 29,
    D3DFMT_X4R4G4B4 = 30,
    D3DFMT_A2B10G10R10 = 31,
    D3DFMT_A8B8G8R8 = 32,
    D3DFMT_X8B8G8R8 = 33,
    D3DFMT_G16R16 = 34,
    D3DFMT_A2R10G10B10 = 35,
    D3DFMT_A16B16G16R16 = 36,
    D3DFMT_A8P8 = 40,
    D3DFMT_P8 = 41,
    D3DFMT_L8 = 50,
    D3DFMT_A8L8 = 51,
    D3DFMT_A4L4 = 52,
    D3DFMT_V8U8 = 60,
    D3DFMT_L6V5U5 = 61,
    D3DFMT_X8L8V8U8 = 62,
    D3DFMT_Q8W8V8U8 = 63,
    D3DFMT_V16U16 = 64,
    D3DFMT_A2W10V10U10 = 67,
    D3DFMT_D16_LOCKABLE = 70,
    D3DFMT_D32 = 71,
    D3DFMT_D15S1 = 73,
    D3DFMT_D24S8 = 75,
    D3DFMT_D24X8 = 77,
    D3DFMT_D24X4S4 = 79,
    D3DFMT_D16 = 80,
    D3DFMT_L16 = 81,
    D3DFMT_D32F_LOCKABLE = 82,
    D3DFMT_D24FS8 = 83,
    D3DFMT_VERTEXDATA = 100,
    D3DFMT_INDEX16 = 101,
    D3DFMT_INDEX32 = 102,
    D3DFMT_Q16W16V16U16 = 110,
    D3DFMT_R16F = 111,
    D3DFMT_G16R16F = 112,
    D3DFMT_A16B16G16R16F = 113,
    D3DFMT_R32F = 114,
    D3DFMT_G32R32F = 115,
    D3DFMT_A32B32G32R32F = 116,
    D3DFMT_CxV8U8 = 117,
    D3DFMT_UYVY = GxMakeFourCC('U', 'Y', 'V', 'Y'),
    D3DFMT_R8G8_B8G8 = GxMakeFourCC('R', 'G', 'B', 'G'),
    D3DFMT_YUY2 = GxMakeFourCC('Y', 'U', 'Y', '2'),
    D3DFMT_G8R8_G8B8 = GxMakeFourCC('G', 'R', 'G', 'B'),
    D3DFMT_DXT1 = GxMakeFourCC('D', 'X', 'T', '1'),
    D3DFMT_DXT2 = GxMakeFourCC('D', 'X', 'T', '2'),
    D3DFMT_DXT3 = GxMakeFourCC('D', 'X', 'T', '3'),
    D3DFMT_DXT4 = GxMakeFourCC('D', 'X', 'T', '4'),
    D3DFMT_DXT5 = GxMakeFourCC('D', 'X', 'T', '5'),
    D3DFMT_MULTI2_ARGB8 = GxMakeFourCC('M', 'E', 'T', '1'),
};

// Render states (the subset the engine sets; others are cached but inert).
enum GxRenderState : std::uint32_t {
    D3DRS_ZENABLE = 7,
    D3DRS_FILLMODE = 8,
    D3DRS_SHADEMODE = 9,
    D3DRS_ZWRITEENABLE = 14,
    D3DRS_ALPHATESTENABLE = 15,
    D3DRS_LASTPIXEL = 16,
    D3DRS_SRCBLEND = 19,
    D3DRS_DESTBLEND = 20,
    D3DRS_CULLMODE = 22,
    D3DRS_ZFUNC = 23,
    D3DRS_ALPHAREF = 24,
    D3DRS_ALPHAFUNC = 25,
    D3DRS_DITHERENABLE = 26,
    D3DRS_ALPHABLENDENABLE = 27,
    D3DRS_FOGENABLE = 28,
    D3DRS_SPECULARENABLE = 29,
    D3DRS_FOGCOLOR = 34,
    D3DRS_FOGTABLEMODE = 35,
    D3DRS_FOGSTART = 36,
    D3DRS_FOGEND = 37,
    D3DRS_FOGDENSITY = 38,
    D3DRS_LIGHTING = 137,
    D3DRS_AMBIENT = 139,
    D3DRS_FOGVERTEXMODE = 140,
    D3DRS_COLORVERTEX = 141,
    D3DRS_DIFFUSEMATERIALSOURCE = 145,
    D3DRS_SPECULARMATERIALSOURCE = 146,
    D3DRS_AMBIENTMATERIALSOURCE = 147,
    D3DRS_EMISSIVEMATERIALSOURCE = 148,
    D3DRS_MULTISAMPLEANTIALIAS = 161,
    D3DRS_BLENDOP = 171,
    D3DRS_SCISSORTESTENABLE = 174,
    D3DRS_SEPARATEALPHABLENDENABLE = 206,
    D3DRS_SRCBLENDALPHA = 207,
    D3DRS_DESTBLENDALPHA = 208,
    D3DRS_BLENDOPALPHA = 209,
};

enum GxTextureStageState : std::uint32_t {
    D3DTSS_COLOROP = 1,
    D3DTSS_COLORARG1 = 2,
    D3DTSS_COLORARG2 = 3,
    D3DTSS_ALPHAOP = 4,
    D3DTSS_ALPHAARG1 = 5,
    D3DTSS_ALPHAARG2 = 6,
};

enum GxSamplerState : std::uint32_t {
    D3DSAMP_ADDRESSU = 1,
    D3DSAMP_ADDRESSV = 2,
    D3DSAMP_MAGFILTER = 5,
    D3DSAMP_MINFILTER = 6,
    D3DSAMP_MIPFILTER = 7,
};

enum : std::uint32_t {
    D3DTOP_DISABLE = 1,
    D3DTOP_SELECTARG1 = 2,
    D3DTOP_SELECTARG2 = 3,
    D3DTOP_MODULATE = 4,
    D3DTOP_MODULATE2X = 5,
    D3DTOP_MODULATE4X = 6,
    D3DTOP_ADD = 7,
    D3DTA_DIFFUSE = 0,
    D3DTA_CURRENT = 1,
    D3DTA_TEXTURE = 2,
    D3DBLEND_ZERO = 1,
    D3DBLEND_ONE = 2,
    D3DBLEND_SRCCOLOR = 3,
    D3DBLEND_INVSRCCOLOR = 4,
    D3DBLEND_SRCALPHA = 5,
    D3DBLEND_INVSRCALPHA = 6,
    D3DBLEND_DESTALPHA = 7,
    D3DBLEND_INVDESTALPHA = 8,
    D3DBLEND_DESTCOLOR = 9,
    D3DBLEND_INVDESTCOLOR = 10,
    D3DBLENDOP_ADD = 1,
    D3DBLENDOP_SUBTRACT = 2,
    D3DBLENDOP_REVSUBTRACT = 3,
    D3DBLENDOP_MIN = 4,
    D3DBLENDOP_MAX = 5,
    D3DCULL_NONE = 1,
    D3DCULL_CW = 2,
    D3DCULL_CCW = 3,
    D3DFILL_POINT = 1,
    D3DFILL_WIREFRAME = 2,
    D3DFILL_SOLID = 3,
    D3DCMP_NEVER = 1,
    D3DCMP_LESS = 2,
    D3DCMP_EQUAL = 3,
    D3DCMP_LESSEQUAL = 4,
    D3DCMP_GREATER = 5,
    D3DCMP_NOTEQUAL = 6,
    D3DCMP_GREATEREQUAL = 7,
    D3DCMP_ALWAYS = 8,
    D3DTEXF_NONE = 0,
    D3DTEXF_POINT = 1,
    D3DTEXF_LINEAR = 2,
    D3DTADDRESS_WRAP = 1,
    D3DTADDRESS_CLAMP = 3,
    D3DCLEAR_TARGET = 1,
    D3DCLEAR_ZBUFFER = 2,
    D3DCLEAR_STENCIL = 4,
    D3DPOOL_DEFAULT = 0,
    D3DPOOL_MANAGED = 1,
    D3DPOOL_SYSTEMMEM = 2,
    D3DPOOL_SCRATCH = 3,
};

// Result codes.
constexpr GxResult GxMakeResult(std::uint32_t facility, std::uint32_t code) {
    return static_cast<GxResult>(0x80000000u | facility << 16 | code);
}
constexpr GxResult GX_OK = 0;
constexpr GxResult E_NOTIMPL = static_cast<GxResult>(0x80004001u);
constexpr GxResult E_NOINTERFACE = static_cast<GxResult>(0x80004002u);
constexpr GxResult E_FAIL = static_cast<GxResult>(0x80004005u);
constexpr GxResult E_OUTOFMEMORY = static_cast<GxResult>(0x8007000Eu);
constexpr GxResult E_INVALIDARG = static_cast<GxResult>(0x80070057u);
constexpr GxResult D3DERR_OUTOFVIDEOMEMORY = GxMakeResult(0x876, 380);
constexpr GxResult D3DERR_WRONGTEXTUREFORMAT = GxMakeResult(0x876, 2072);
constexpr GxResult D3DERR_UNSUPPORTEDCOLOROPERATION = GxMakeResult(0x876, 2073);
constexpr GxResult D3DERR_UNSUPPORTEDCOLORARG = GxMakeResult(0x876, 2074);
constexpr GxResult D3DERR_UNSUPPORTEDALPHAOPERATION = GxMakeResult(0x876, 2075);
constexpr GxResult D3DERR_UNSUPPORTEDALPHAARG = GxMakeResult(0x876, 2076);
constexpr GxResult D3DERR_TOOMANYOPERATIONS = GxMakeResult(0x876, 2077);
constexpr GxResult D3DERR_CONFLICTINGTEXTUREFILTER = GxMakeResult(0x876, 2078);
constexpr GxResult D3DERR_UNSUPPORTEDFACTORVALUE = GxMakeResult(0x876, 2079);
constexpr GxResult D3DERR_CONFLICTINGRENDERSTATE = GxMakeResult(0x876, 2081);
constexpr GxResult D3DERR_UNSUPPORTEDTEXTUREFILTER = GxMakeResult(0x876, 2082);
constexpr GxResult D3DERR_CONFLICTINGTEXTUREPALETTE = GxMakeResult(0x876, 2086);
constexpr GxResult D3DERR_DRIVERINTERNALERROR = GxMakeResult(0x876, 2087);
constexpr GxResult D3DERR_NOTFOUND = GxMakeResult(0x876, 2150);
constexpr GxResult D3DERR_MOREDATA = GxMakeResult(0x876, 2151);
constexpr GxResult D3DERR_DEVICELOST = GxMakeResult(0x876, 2152);
constexpr GxResult D3DERR_DEVICENOTRESET = GxMakeResult(0x876, 2153);
constexpr GxResult D3DERR_NOTAVAILABLE = GxMakeResult(0x876, 2154);
constexpr GxResult D3DERR_INVALIDDEVICE = GxMakeResult(0x876, 2155);
constexpr GxResult D3DERR_INVALIDCALL = GxMakeResult(0x876, 2156);
constexpr GxResult D3DXERR_CANNOTMODIFYINDEXBUFFER = GxMakeResult(0x876, 2900);
constexpr GxResult D3DXERR_INVALIDMESH = GxMakeResult(0x876, 2901);
constexpr GxResult D3DXERR_CANNOTATTRSORT = GxMakeResult(0x876, 2902);
constexpr GxResult D3DXERR_SKINNINGNOTSUPPORTED = GxMakeResult(0x876, 2903);
constexpr GxResult D3DXERR_TOOMANYINFLUENCES = GxMakeResult(0x876, 2904);
constexpr GxResult D3DXERR_INVALIDDATA = GxMakeResult(0x876, 2905);
constexpr GxResult D3DXERR_LOADEDMESHHASNODATA = GxMakeResult(0x876, 2906);
constexpr GxResult D3DXERR_DUPLICATENAMEDFRAGMENT = GxMakeResult(0x876, 2907);
constexpr GxResult D3DXERR_CANNOTREMOVELASTITEM = GxMakeResult(0x876, 2908);
