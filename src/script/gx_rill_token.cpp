#include "script/gx_rill_token.h"

#include <bit>

#include "base/gx_format.h"

bool GxRillRunPos::Write(GxContentWriterBase& writer) const {
    writer.WriteValue("m_Line", m_Line);
    writer.WriteValue("m_Pos", m_Pos);
    return writer.GetErrorCount() == 0;
}

bool GxRillRunPos::Read(GxContentReaderBase& reader) {
    m_Line = reader.ReadS32("m_Line");
    m_Pos = reader.ReadS32("m_Pos");
    return reader.GetErrorCount() == 0;
}

bool GxRillScriptPos::Write(GxContentWriterBase& writer) const {
    GxRillRunPos::Write(writer);
    writer.WriteValue("m_ScriptName", m_ScriptName);
    return writer.GetErrorCount() == 0;
}

bool GxRillScriptPos::Read(GxContentReaderBase& reader) {
    GxRillRunPos::Read(reader);
    m_ScriptName = reader.ReadWString("m_ScriptName");
    m_pEntity = nullptr;
    return reader.GetErrorCount() == 0;
}

GxRillToken::GxRillToken(const GxRillToken& other)
    : m_Type(other.m_Type), m_Scope(other.m_Scope), m_Int(other.m_Int), m_Str(other.m_Str) {
    if (other.m_Positions)
        m_Positions = std::make_unique<std::array<GxRillRunPos, 4>>(*other.m_Positions);
}

GxRillToken& GxRillToken::operator=(const GxRillToken& other) {
    if (this != &other) {
        GxRillToken copy(other);
        *this = std::move(copy);
    }
    return *this;
}

GxRillRunPos& GxRillToken::Position(int slot) {
    if (!m_Positions)
        m_Positions = std::make_unique<std::array<GxRillRunPos, 4>>();
    return (*m_Positions)[slot];
}

GxRillRunPos GxRillToken::GetPosition(int slot) const {
    return m_Positions ? (*m_Positions)[slot] : GxRillRunPos();
}

const std::u16string& GxRillToken::GetStr() const {
    static const std::u16string empty;
    return m_Str ? *m_Str : empty;
}

namespace {
constexpr GxU32 kFlagInt = 1;
constexpr GxU32 kFlagPositions = 2;
constexpr GxU32 kFlagStr = 4;
}  // namespace

bool GxRillToken::Write(GxContentWriterBase& writer) const {
    GxBit32 flags;
    if (m_Int != 0)
        flags.bits |= kFlagInt;
    if (m_Positions)
        flags.bits |= kFlagPositions;
    if (m_Str)
        flags.bits |= kFlagStr;
    writer.WriteValue("m_Flags", flags);
    writer.WriteValue("m_TokenTypeAndScope", GetTypeAndScope());
    if (m_Int != 0)
        writer.WriteValue("m_Int", m_Int);
    if (m_Positions) {
        for (const GxRillRunPos& position : *m_Positions)
            position.Write(writer);
    }
    if (m_Str)
        writer.WriteValue("m_Str", *m_Str);
    return writer.GetErrorCount() == 0;
}

bool GxRillToken::Read(GxContentReaderBase& reader) {
    GxBit32 flags = reader.ReadBit32("m_Flags");
    GxU32 typeAndScope = reader.ReadU32("m_TokenTypeAndScope");
    m_Type = static_cast<GxU16>(typeAndScope & 0xFFFF);
    m_Scope = static_cast<GxU16>(typeAndScope >> 16);
    m_Int = (flags.bits & kFlagInt) ? reader.ReadS64("m_Int") : 0;
    m_Positions.reset();
    if (flags.bits & kFlagPositions) {
        for (int slot = 0; slot < 4; ++slot)
            Position(slot).Read(reader);
    }
    m_Str.reset();
    if (flags.bits & kFlagStr)
        m_Str = reader.ReadWString("m_Str");
    return reader.GetErrorCount() == 0;
}

bool IsRillTermEnd(int type) {
    switch (type) {
        case RILLTOKEN_INT:
        case RILLTOKEN_FLOAT:
        case RILLTOKEN_STRING:
        case RILLTOKEN_NULL:
        case RILLTOKEN_VAR:
        case RILLTOKEN_INDEX_END:
        case RILLTOKEN_PAREN_END:
        case RILLTOKEN_POSTINC:
        case RILLTOKEN_POSTDEC:
            return true;
        default:
            return false;
    }
}

std::u16string_view GetRillTokenTypeText(int type) {
    static constexpr std::u16string_view kTexts[] = {u"未定義",
                                                     u"組み込み関数名",
                                                     u"不明文字列",
                                                     u"整数値",
                                                     u"小数値",
                                                     u"文字列",
                                                     u"NULL",
                                                     u"ラベル宣言",
                                                     u"テキスト",
                                                     u"変数名",
                                                     u"配列変数名",
                                                     u"&変数名",
                                                     u"&配列変数名",
                                                     u"ARRAY",
                                                     u"コマンド開始",
                                                     u"ブレークポイント",
                                                     u"ヒアドキュメント終端",
                                                     u"スクリプト終端",
                                                     u"DEFINE",
                                                     u"BUILTIN",
                                                     u"**不明トークン**",
                                                     u"STATIC",
                                                     u"GLOBAL",
                                                     u"EXTERN",
                                                     u"NOSAVE",
                                                     u"INGAME",
                                                     u"PERMAN",
                                                     u"IF",
                                                     u"ELSE",
                                                     u"WHILE",
                                                     u"FOR",
                                                     u"DO",
                                                     u"CONTINUE",
                                                     u"BREAK",
                                                     u";",
                                                     u",",
                                                     u"{",
                                                     u"}",
                                                     u"[",
                                                     u"]",
                                                     u"(",
                                                     u")",
                                                     u"==",
                                                     u"!=",
                                                     u">",
                                                     u">=",
                                                     u"<",
                                                     u"<=",
                                                     u"+",
                                                     u":",
                                                     u"-",
                                                     u"*",
                                                     u"/",
                                                     u"%",
                                                     u"単項+",
                                                     u"単項-",
                                                     u"&",
                                                     u"|",
                                                     u"^",
                                                     u"~",
                                                     u"<<",
                                                     u">>",
                                                     u"!",
                                                     u"&&",
                                                     u"||",
                                                     u"++単項",
                                                     u"--単項",
                                                     u"単項++",
                                                     u"単項--",
                                                     u"=",
                                                     u"+=",
                                                     u":=",
                                                     u"-=",
                                                     u"*=",
                                                     u"/=",
                                                     u"%=",
                                                     u"&=",
                                                     u"|=",
                                                     u"^=",
                                                     u"?"};
    static_assert(std::size(kTexts) == RILLTOKEN_QUESTION + 1);
    if (type < 0 || type > RILLTOKEN_QUESTION)
        return u"**不明トークン**";
    return kTexts[type];
}

std::u16string DescribeToken(const GxRillToken& token) {
    std::u16string text;
    if (token.m_Type == RILLTOKEN_INT) {
        text = gx::Format(u"整数値[%I64d]", token.m_Int);
    } else if (token.m_Type == RILLTOKEN_FLOAT) {
        text = gx::Format(u"小数値[%f]", std::bit_cast<double>(token.m_Int));
    } else {
        text = GetRillTokenTypeText(token.m_Type);
    }
    if (token.m_Str) {
        text += u" String:";
        text += *token.m_Str;
    }
    return text;
}
