#include "script/gx_rill_builtin_default.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "base/gx_log.h"
#include "base/gx_string.h"
#include "script/gx_rill_builtin_args.h"
#include "script/gx_rill_worker.h"

GxRillWorker* GetRillWorker(GxRillEvalWorker* worker) {
    return dynamic_cast<GxRillWorker*>(worker);
}

GxRillScriptEntity* GetRillFrameEntity(GxRillEvalWorker* worker, GxRillEvalFrame* frame) {
    GxRillWorker* rillWorker = GetRillWorker(worker);
    if (!rillWorker || !frame)
        return nullptr;
    return rillWorker->ResolveEntity(static_cast<GxRillExecStackElement&>(*frame));
}

namespace {

using V = GxRillVariable;

std::filesystem::path ToPath(std::u16string_view name) {
    return std::filesystem::path(gx::Utf16ToUtf8(name));
}

// A Windows locale identifier for the user's locale settings.
GxS32 DefaultLocaleId() {
    const char* names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::string locale;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    static const struct {
        const char* prefix;
        GxS32 id;
    } kLocales[] = {{"ja", 0x0411}, {"en_GB", 0x0809}, {"zh_TW", 0x0404}, {"zh", 0x0804},
                    {"ko", 0x0412}, {"fr", 0x040C},    {"de", 0x0407}};
    for (const auto& entry : kLocales) {
        if (locale.rfind(entry.prefix, 0) == 0)
            return entry.id;
    }
    return 0x0409;
}

// A field of the local calendar time; 0 when the time cannot be represented.
GxS64 LocalTimeField(GxS64 seconds, GxS32 index) {
    if (seconds < std::numeric_limits<std::time_t>::min() ||
        seconds > std::numeric_limits<std::time_t>::max()) {
        return 0;
    }
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&time, &local))
        return 0;
    switch (index) {
        case 24:
            return GxS64(local.tm_year) + 1900;
        case 25:
            return local.tm_mon + 1;
        case 26:
            return local.tm_mday;
        case 27:
            return local.tm_hour;
        case 28:
            return local.tm_min;
        case 29:
            return local.tm_sec;
        case 30:
            return local.tm_wday;
        default:
            return local.tm_yday;
    }
}

GxS64 TimeZoneBias() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local))
        return 0;
    return -static_cast<GxS64>(local.tm_gmtoff) / 60;
}

std::u16string CurrentDirectory() {
    std::error_code error;
    std::u16string path = gx::Utf8ToUtf16(std::filesystem::current_path(error).string());
    for (char16_t& c : path) {
        if (c == u'\\')
            c = u'/';
    }
    if (path.empty() || path.back() != u'/')
        path += u'/';
    return path;
}

void WriteVariableDump(std::u16string_view fileName, GxRillWorker& worker) {
    std::u16string text;
    worker.GetEngine()->Dump(text, 0);
    worker.Dump(text, 1);
    FILE* file = std::fopen(gx::Utf16ToUtf8(fileName).c_str(), "wb");
    if (!file)
        return;
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::u16string Substring(const std::u16string& text, GxS64 start, bool toEnd, GxS64 length) {
    if (start < 0 || start > static_cast<GxS64>(text.size()))
        return u"";
    const GxS64 rest = static_cast<GxS64>(text.size()) - start;
    if (toEnd || length > rest)
        length = rest;
    if (length <= 0)
        return u"";
    return text.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

GxS64 FindText(const std::u16string& text, const std::u16string& part, GxS64 start) {
    if (start < 0 || start > static_cast<GxS64>(text.size()))
        return -1;
    const size_t at = text.find(part, static_cast<size_t>(start));
    return at == std::u16string::npos ? -1 : static_cast<GxS64>(at);
}

// Jumps and calls (64 to 67) with the argument "_".
bool JumpOrCall(GxRillWorker& worker, GxRillEvalWorker* view, GxRillEvalFrame* frame,
                std::u16string_view name, bool call, const std::u16string& label,
                const V& argument) {
    const GxRillArgument underscore{u"_", argument};
    const bool ok = call ? worker.Call(label, &underscore) : worker.Jump(label, &underscore);
    if (!ok) {
        worker.ReportError(name, GetRillFrameEntity(view, frame),
                           u"飛び先のラベルが見つかりません[%s]", label);
        worker.GetEngine()->SetErrorStop(true);
    }
    return ok;
}

}  // namespace

bool GxRillBuiltinDefault::Call(std::u16string_view name, GxS32 index, GxRillVariable& arguments,
                                GxRillEvalWorker* view, GxRillEvalFrame* frame, V& result) {
    GxRillArgs args(arguments);
    GxRillWorker* worker = GetRillWorker(view);
    switch (index) {
        case 1:
            result = V::MakeInt(args.Int(0));
            return true;
        case 2:
            result = V::MakeFloat(args.Num(0));
            return true;
        case 3:
            result = V::MakeStr(args.Str(0));
            return true;
        case 4:
            result = V::MakeInt(args[0].IsArray() ? 1 : 0);
            return true;
        case 5:
            result =
                V::MakeInt(args[0].IsArray() ? static_cast<GxS64>(args[0].GetArray().size()) : 0);
            return true;
        case 6:
            if (!worker)
                return false;
            worker->GetEngine()->Print(u"%s", args.Str(0));
            return true;
        case 7:
            LogDebug(u"%s\n", args.Str(0));
            return true;
        case 8:
            LogError(u"%s\n", args.Str(0));
            return true;
        case 9: {
            std::error_code error;
            result =
                V::MakeInt(std::filesystem::is_regular_file(ToPath(args.Str(0)), error) ? 1 : 0);
            return true;
        }
        case 10: {
            std::error_code error;
            const auto path = ToPath(args.Str(0));
            if (!std::filesystem::exists(path, error)) {
                result = V::MakeInt(0);
                return true;
            }
            const auto size = std::filesystem::file_size(path, error);
            result = V::MakeInt(error ? -1 : static_cast<GxS64>(size));
            return true;
        }
        case 11:
            result = V::MakeInt(static_cast<GxS64>(args.Str(0).size()));
            return true;
        case 12:
            result = V::MakeStr(Substring(args.Str(0), args.Int(1), args[2].IsNull(), args.Int(2)));
            return true;
        case 13:
            result = V::MakeStr(gx::ToLowerAscii(args.Str(0)));
            return true;
        case 14:
            result = V::MakeStr(gx::ToUpperAscii(args.Str(0)));
            return true;
        case 15:
            result = V::MakeInt(FindText(args.Str(0), args.Str(1), args.Int(2)));
            return true;
        case 16:
            if (!worker)
                return false;
            result = V::MakeInt(
                worker->GetEngine()->LabelExists(args.Str(0), gx::ToLowerAscii(args.Str(1))) ? 1
                                                                                             : 0);
            return true;
        case 17:
            if (!worker)
                return false;
            WriteVariableDump(args.Str(0), *worker);
            return true;
        case 20:
            result = V::MakeInt(DefaultLocaleId());
            return true;
        case 21:
            tzset();
            result = V::MakeStr(gx::Utf8ToUtf16(::tzname[0] ? ::tzname[0] : ""));
            return true;
        case 22:
            result = V::MakeInt(TimeZoneBias());
            return true;
        case 23:
            result = V::MakeInt(static_cast<GxS64>(std::time(nullptr)));
            return true;
        case 24:
        case 25:
        case 26:
        case 27:
        case 28:
        case 29:
        case 30:
        case 31:
            result = V::MakeInt(LocalTimeField(args.Int(0), index));
            return true;
        case 32:
            result = V::MakeStr(CurrentDirectory());
            return true;
        case 64:
        case 66:
            if (!worker)
                return false;
            return JumpOrCall(*worker, view, frame, name, index == 66, args.Str(0), args[1]);
        case 65:
        case 67: {
            if (!worker)
                return false;
            const std::u16string label = args.Int(0) != 0 ? args.Str(1) : args.Str(2);
            if (label.empty())
                return true;
            return JumpOrCall(*worker, view, frame, name, index == 67, label, args[3]);
        }
        case 68:
        case 69:
            if (!worker)
                return false;
            if (index == 68) {
                worker->Return(&args[0]);
            } else if (args.Int(0) != 0) {
                worker->Return(&args[1]);
            }
            return true;
        case 70:
            if (!worker)
                return false;
            worker->Stop(&args[0]);
            return true;
        case 71:
            if (!worker)
                return false;
            result = worker->GetResult();
            return true;
        case 100: {
            const GxS64 v = args.Int(0);
            result = V::MakeInt(v > 0 ? 1 : (v < 0 ? -1 : 0));
            return true;
        }
        case 101: {
            const GxS64 v = args.Int(0);
            result = V::MakeInt(v < 0 ? static_cast<GxS64>(GxU64(0) - GxU64(v)) : v);
            return true;
        }
        case 102: {
            const double v = args.Num(0);
            result = V::MakeFloat(v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0));
            return true;
        }
        case 103:
            result = V::MakeFloat(std::fabs(args.Num(0)));
            return true;
        case 104:
            result = V::MakeFloat(std::fmod(args.Num(0), args.Num(1)));
            return true;
        case 105:
            result = V::MakeFloat(std::pow(args.Num(0), args.Num(1)));
            return true;
        case 106:
            result = V::MakeFloat(std::sqrt(args.Num(0)));
            return true;
        case 107:
            result = V::MakeFloat(std::exp(args.Num(0)));
            return true;
        case 108:
            result = V::MakeFloat(std::log(args.Num(0)));
            return true;
        default:
            return false;
    }
}
