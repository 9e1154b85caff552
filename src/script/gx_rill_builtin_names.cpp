#include "script/gx_rill_builtin_names.h"

namespace {

const GxRillGameBuiltinRange kGameRanges[] = {
    {300, 499, {u"rand"}},
    {500,
     999,
     {u"getsavedir",
      u"getcurseqname",
      u"getprevseqname",
      u"getcurseqparam0",
      u"getcurseqparam1",
      u"getprevseqparam0",
      u"getprevseqparam1",
      u"getlastselect",
      u"getdialogresult",
      u"getdebugmodeflag",
      u"setgamedatatitle",
      u"getgamedatatitle",
      u"getreplaymode",
      u"getpassedlabel",
      u"setnameidentifymode",
      u"dlg",
      u"msg",
      u"msgn",
      u"msg.show",
      u"msg.hide",
      u"msg.clear",
      u"text"}},
    {1000,
     1099,
     {u"sp.color", u"sp.alpha", u"sp.blend", u"sp.lcg", u"sp.lnc", u"sp.wa", u"sp.shake",
      u"sp.shake_end", u"stand"}},
    {1100,
     1299,
     {u"bg", u"bg.color", u"bg.act_move", u"bg.wa", u"ev", u"ev.color", u"ev.act_move", u"ev.wa"}},
    {1300, 1399, {u"fin", u"fout", u"flash", u"flash.wa", u"shake", u"shake.end"}},
    {1400, 1499, {u"mv", u"mv.wa", u"mv.autostop"}},
    {1500,
     1599,
     {u"bgm", u"bgm.wa", u"bgv", u"bgv.wa", u"se", u"se_0", u"se_1", u"se_2", u"se_3", u"se.wa",
      u"vo", u"vo_0", u"vo_1", u"vo_2", u"vo_3", u"vo.wa"}},
    {2000,
     2099,
     {u"sel", u"sel.go", u"sel.gosub", u"sel.visible", u"sel.enable", u"sel.cancel", u"sel.hash"}},
    {2100, 2199, {u"wa.click", u"wa.time", u"wa.layer"}},
    {2200,
     2399,
     {u"rp.set", u"rp.unset", u"rp.setall", u"rp.unsetall", u"rp.end", u"cg.set", u"cg.setgroup",
      u"cg.setall", u"cg.unsetall"}},
    {10000, 0x7FFFFFFF, {u"jumptotitle", u"setextraoption", u"getextraoption"}},
};

}  // namespace

std::span<const GxRillGameBuiltinRange> GetRillGameBuiltinRanges() {
    return kGameRanges;
}
