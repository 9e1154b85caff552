#include "script/gx_rill_builtin_ex.h"

#include <algorithm>

#include "base/gx_log.h"
#include "script/gx_rill_builtin_args.h"
#include "script/gx_rill_builtin_names.h"
#include "script/gx_rill_random.h"
#include "script/gx_rill_worker.h"

namespace {

using V = GxRillVariable;

}  // namespace

bool IsRillGameBuiltinOfRange(std::u16string_view name, GxS32 index) {
    for (const GxRillGameBuiltinRange& range : GetRillGameBuiltinRanges()) {
        if (index >= range.first && index <= range.last)
            return std::find(range.names.begin(), range.names.end(), name) != range.names.end();
    }
    return false;
}

bool GxRillBuiltinEx::Call(std::u16string_view name, GxS32 index, GxRillVariable& arguments,
                           GxRillEvalWorker* worker, GxRillEvalFrame* frame, V& result) {
    if (index == 6 || index == 7) {
        if (!m_DebugMode)
            return true;
        return m_Default.Call(name, index, arguments, worker, frame, result);
    }
    if (index >= 1 && index <= 299)
        return m_Default.Call(name, index, arguments, worker, frame, result);
    if (!IsRillGameBuiltinOfRange(name, index))
        return false;
    if (name == u"rand") {
        GxRillArgs args(arguments);
        result = V::MakeInt(GetRillRandom().Draw(args.Int(0), args.Int(1)));
        return true;
    }
    if (name == u"getdebugmodeflag") {
        result = V::MakeInt(m_DebugMode ? 1 : 0);
        return true;
    }
    if (m_pHost && CallQuery(name, arguments, worker, frame, result))
        return true;
    if (m_pHost && name == u"getpassedlabel")
        return false;  // reported by the query
    return CallCommand(name, index, arguments, worker, frame, result);
}

// The queries that the host answers; false for other names (and a failed query).
bool GxRillBuiltinEx::CallQuery(std::u16string_view name, GxRillVariable& arguments,
                                GxRillEvalWorker* worker, GxRillEvalFrame* frame, V& result) {
    GxRillArgs args(arguments);
    GxRillGameHost& host = *m_pHost;
    if (name == u"getsavedir" || name == u"getcurseqname" || name == u"getprevseqname" ||
        name == u"getgamedatatitle") {
        result = V::MakeStr(name == u"getsavedir"         ? host.GetSaveDir()
                            : name == u"getgamedatatitle" ? host.GetGameDataTitle()
                                                          : host.GetSequenceName(name[3] == u'p'));
        return true;
    }
    if (name.starts_with(u"getcurseqparam") || name.starts_with(u"getprevseqparam")) {
        result = V::MakeInt(host.GetSequenceParam(name[3] == u'p', name.back() == u'1' ? 1 : 0));
        return true;
    }
    if (name == u"getlastselect") {
        result = V::MakeInt(host.GetLastSelect());
    } else if (name == u"getdialogresult") {
        result = V::MakeInt(host.GetLastDialogResult());
    } else if (name == u"setgamedatatitle") {
        host.SetGameDataTitle(args.Str(0));
    } else if (name == u"getreplaymode") {
        result = V::MakeInt(host.IsReplayMode() ? 1 : 0);
    } else if (name == u"getpassedlabel") {
        if (!args.Present(0)) {
            if (GxRillWorker* rillWorker = GetRillWorker(worker)) {
                rillWorker->ReportError(name, GetRillFrameEntity(worker, frame),
                                        u"ラベル名を指定してください");
            }
            return false;
        }
        result = V::MakeInt(host.IsPassedReplayLabel(args.Str(0)) ? 1 : 0);
    } else if (name == u"setnameidentifymode") {
        host.SetNameIdentifyMode(args.Int32(0));
    } else if (name == u"jumptotitle") {
        if (!host.JumpToTitle())
            LogError(u"遷移先のシーケンスが見つかりません(%s)\n", u"SeqTitle");
    } else if (name == u"setextraoption" || name == u"getextraoption") {
        const GxU32 bit = GxU32(1) << (static_cast<GxU64>(args.Int(0)) & 31);
        if (name == u"getextraoption") {
            result = V::MakeInt((host.GetExtraOption() & bit) ? 1 : 0);
        } else {
            const GxU32 bits = host.GetExtraOption();
            host.SetExtraOption(args.Int(1) != 0 ? (bits | bit) : (bits & ~bit));
        }
    } else {
        return false;
    }
    return true;
}
