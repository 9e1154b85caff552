// Names of formats, screen modes and result codes for the logs.
#include <string>

#include "base/gx_format.h"
#include "graphics/gx_graphics.h"

namespace {

struct FormatName {
    std::uint32_t format;
    const char16_t* name;
};

#define GX_FORMAT_NAME(f) \
    { f, u## #f }
const FormatName kFormatNames[] = {
    GX_FORMAT_NAME(D3DFMT_UNKNOWN),
    GX_FORMAT_NAME(D3DFMT_R8G8B8),
    GX_FORMAT_NAME(D3DFMT_A8R8G8B8),
    GX_FORMAT_NAME(D3DFMT_X8R8G8B8),
    GX_FORMAT_NAME(D3DFMT_R5G6B5),
    GX_FORMAT_NAME(D3DFMT_X1R5G5B5),
    GX_FORMAT_NAME(D3DFMT_A1R5G5B5),
    GX_FORMAT_NAME(D3DFMT_A4R4G4B4),
    GX_FORMAT_NAME(D3DFMT_R3G3B2),
    GX_FORMAT_NAME(D3DFMT_A8),
    GX_FORMAT_NAME(D3DFMT_A8R3G3B2),
    GX_FORMAT_NAME(D3DFMT_X4R4G4B4),
    GX_FORMAT_NAME(D3DFMT_A2B10G10R10),
    GX_FORMAT_NAME(D3DFMT_A8B8G8R8),
    GX_FORMAT_NAME(D3DFMT_X8B8G8R8),
    GX_FORMAT_NAME(D3DFMT_G16R16),
    GX_FORMAT_NAME(D3DFMT_A2R10G10B10),
    GX_FORMAT_NAME(D3DFMT_A16B16G16R16),
    GX_FORMAT_NAME(D3DFMT_A8P8),
    GX_FORMAT_NAME(D3DFMT_P8),
    GX_FORMAT_NAME(D3DFMT_L8),
    GX_FORMAT_NAME(D3DFMT_A8L8),
    GX_FORMAT_NAME(D3DFMT_A4L4),
    GX_FORMAT_NAME(D3DFMT_V8U8),
    GX_FORMAT_NAME(D3DFMT_L6V5U5),
    GX_FORMAT_NAME(D3DFMT_X8L8V8U8),
    GX_FORMAT_NAME(D3DFMT_Q8W8V8U8),
    GX_FORMAT_NAME(D3DFMT_V16U16),
    GX_FORMAT_NAME(D3DFMT_A2W10V10U10),
    GX_FORMAT_NAME(D3DFMT_UYVY),
    GX_FORMAT_NAME(D3DFMT_R8G8_B8G8),
    GX_FORMAT_NAME(D3DFMT_YUY2),
    GX_FORMAT_NAME(D3DFMT_G8R8_G8B8),
    GX_FORMAT_NAME(D3DFMT_DXT1),
    GX_FORMAT_NAME(D3DFMT_DXT2),
    GX_FORMAT_NAME(D3DFMT_DXT3),
    GX_FORMAT_NAME(D3DFMT_DXT4),
    GX_FORMAT_NAME(D3DFMT_DXT5),
    GX_FORMAT_NAME(D3DFMT_D16_LOCKABLE),
    GX_FORMAT_NAME(D3DFMT_D32),
    GX_FORMAT_NAME(D3DFMT_D15S1),
    GX_FORMAT_NAME(D3DFMT_D24S8),
    GX_FORMAT_NAME(D3DFMT_D24X8),
    GX_FORMAT_NAME(D3DFMT_D24X4S4),
    GX_FORMAT_NAME(D3DFMT_D16),
    GX_FORMAT_NAME(D3DFMT_D32F_LOCKABLE),
    GX_FORMAT_NAME(D3DFMT_D24FS8),
    GX_FORMAT_NAME(D3DFMT_L16),
    GX_FORMAT_NAME(D3DFMT_VERTEXDATA),
    GX_FORMAT_NAME(D3DFMT_INDEX16),
    GX_FORMAT_NAME(D3DFMT_INDEX32),
    GX_FORMAT_NAME(D3DFMT_Q16W16V16U16),
    GX_FORMAT_NAME(D3DFMT_MULTI2_ARGB8),
    GX_FORMAT_NAME(D3DFMT_R16F),
    GX_FORMAT_NAME(D3DFMT_G16R16F),
    GX_FORMAT_NAME(D3DFMT_A16B16G16R16F),
    GX_FORMAT_NAME(D3DFMT_R32F),
    GX_FORMAT_NAME(D3DFMT_G32R32F),
    GX_FORMAT_NAME(D3DFMT_A32B32G32R32F),
    GX_FORMAT_NAME(D3DFMT_CxV8U8),
};
#undef GX_FORMAT_NAME

struct ErrorText {
    GxResult code;
    const char16_t* text;
};

const ErrorText kErrorTexts[] = {
    {GX_OK, u"エラーは発生していません"},
    {E_NOTIMPL, u"実装されていません。"},
    {E_NOINTERFACE, u"利用可能なオブジェクトインターフェイスがありません。"},
    {E_FAIL, u"Direct3D サブシステム内で原因不明のエラーが発生しました。"},
    {E_OUTOFMEMORY,
     u"Direct3D が呼び出しを完了するための十分なメモリを割り当てることができませんでした。"},
    {E_INVALIDARG, u"無効なパラメータが関数に渡されました。"},
    {D3DERR_OUTOFVIDEOMEMORY, u"Direct3D が処理を行うのに十分なディスプレイメモリがありません。"},
    {D3DERR_WRONGTEXTUREFORMAT, u"テクスチャサーフェイスのピクセルフォーマットが無効です。"},
    {D3DERR_UNSUPPORTEDCOLOROPERATION,
     u"色値に対して指定されているテクスチャブレンディング処理を、デバイスがサポートしていません"
     u"。"},
    {D3DERR_UNSUPPORTEDCOLORARG,
     u"色値に対して指定されているテクスチャブレンディング引数を、デバイスがサポートしていません"
     u"。"},
    {D3DERR_UNSUPPORTEDALPHAOPERATION,
     u"アルファ チャンネルに対して指定されているテクスチャブレンディング処理を、デバイスがサポー"
     u"トしていません。"},
    {D3DERR_UNSUPPORTEDALPHAARG,
     u"アルファ チャンネルに対して指定されているテクスチャブレンディング引数を、デバイスがサポー"
     u"トしていません。"},
    {D3DERR_TOOMANYOPERATIONS,
     u"デバイスがサポートしている数より多くのテクスチャフィルタリング処理を、アプリケーションが"
     u"要求しています。"},
    {D3DERR_CONFLICTINGTEXTUREFILTER, u"現在のテクスチャフィルタは同時に使えません。"},
    {D3DERR_UNSUPPORTEDFACTORVALUE,
     u"デバイスが指定されたテクスチャ係数値をサポートしていません。"},
    {D3DERR_CONFLICTINGRENDERSTATE, u"現在設定されているレンダリング ステートは同時に使えません。"},
    {D3DERR_UNSUPPORTEDTEXTUREFILTER,
     u"デバイスが指定されたテクスチャフィルタをサポートしていません。"},
    {D3DERR_CONFLICTINGTEXTUREPALETTE,
     u"現在のテクスチャは同時に使えません。パレットの共有ができません。"},
    {D3DERR_DRIVERINTERNALERROR, u"内部ドライバ エラー。"},
    {D3DERR_NOTFOUND, u"要求された項目が見つかりませんでした。"},
    {D3DERR_MOREDATA, u"指定されたバッファサイズに保持できる以上のデータが存在します。"},
    {D3DERR_DEVICELOST,
     u"デバイスは消失していますが現在リセットできません。レンダリングは不可能です。"},
    {D3DERR_DEVICENOTRESET, u"デバイスは消失していますが、現在リセットできます。"},
    {D3DERR_NOTAVAILABLE, u"このデバイスは問い合わせたテクニックをサポートしていません。"},
    {D3DERR_INVALIDDEVICE, u"要求されたデバイスタイプが無効です。"},
    {D3DERR_INVALIDCALL,
     u"メソッドの呼び出しが無効です。例えばメソッドのパラメータが有効なポインタではありません。"},
    {D3DXERR_CANNOTMODIFYINDEXBUFFER, u"インデックス バッファを変更できません。"},
    {D3DXERR_INVALIDMESH, u"メッシュが無効です。"},
    {D3DXERR_CANNOTATTRSORT,
     u"最適化テクニックとして、属性のソート (D3DXMESHOPT_ATTRSORT) はサポートされていません。"},
    {D3DXERR_SKINNINGNOTSUPPORTED, u"スキニングがサポートされていません。"},
    {D3DXERR_TOOMANYINFLUENCES, u"指定された影響が多すぎます。"},
    {D3DXERR_INVALIDDATA, u"データが無効です。"},
    {D3DXERR_LOADEDMESHHASNODATA, u"メッシュにデータが含まれていません。"},
    {D3DXERR_DUPLICATENAMEDFRAGMENT, u"同じ名前のフラグメントが既に存在しています。"},
    {D3DXERR_CANNOTREMOVELASTITEM, u"最後の項目が削除できません。"},
};

const char16_t* const kScreenModeNames[] = {
    u"SCRMODE_WINDOW",        u"SCRMODE_WINDOWSIZE",    u"SCRMODE_FULLSCREEN",
    u"SCRMODE_FULLSCREENX2",  u"SCRMODE_FULL320X240",   u"SCRMODE_FULL640X480",
    u"SCRMODE_FULL800X600",   u"SCRMODE_FULL1024X576",  u"SCRMODE_FULL1024X768",
    u"SCRMODE_FULL1280X720",  u"SCRMODE_FULL1280X800",  u"SCRMODE_FULL1280X960",
    u"SCRMODE_FULL1280X1024", u"SCRMODE_FULL1920X1080",
};

}  // namespace

const char16_t* GxGraphics::GetFormatName(std::uint32_t format) {
    for (const FormatName& entry : kFormatNames) {
        if (entry.format == format)
            return entry.name;
    }
    return u"ERROR";
}

const char16_t* GxGraphics::GetErrorText(GxResult result) {
    for (const ErrorText& entry : kErrorTexts) {
        if (entry.code == result)
            return entry.text;
    }
    // The unknown-code text carries the code, so it lives in a shared buffer.
    static std::u16string unknown;
    unknown = gx::Format(u"未知のエラーです。(code:0x%x)", static_cast<std::uint32_t>(result));
    return unknown.c_str();
}

const char16_t* GxGraphics::GetScreenModeName(int mode) {
    constexpr int count = static_cast<int>(sizeof(kScreenModeNames) / sizeof(kScreenModeNames[0]));
    if (mode < 0 || mode >= count)
        return u"";
    return kScreenModeNames[mode];
}
