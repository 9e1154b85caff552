#include "rill_builtin_table.h"

#include <initializer_list>

namespace {

void AddRange(std::vector<RillBuiltinName>& out, GxS32 first,
              std::initializer_list<std::u16string_view> names) {
    for (std::u16string_view name : names)
        out.push_back({name, first++});
}

std::vector<RillBuiltinName> BuildTable() {
    std::vector<RillBuiltinName> out = {
        {u"int", 1},        {u"float", 2},      {u"str", 3},      {u"isarray", 4},
        {u"arraysize", 5},  {u"print", 6},      {u"debuglog", 7}, {u"errorlog", 8},
        {u"fileexists", 9}, {u"filesize", 10},  {u"strlen", 11},  {u"substr", 12},
        {u"tolower", 13},   {u"toupper", 14},   {u"strfind", 15}, {u"labelexists", 16},
        {u"vardump", 17},   {u"getlocale", 20}, {u"tzname", 21},  {u"tzbias", 22},
        {u"time", 23},      {u"year", 24},      {u"month", 25},   {u"day", 26},
        {u"hour", 27},      {u"minute", 28},    {u"second", 29},  {u"weekday", 30},
        {u"yearday", 31},   {u"getcurdir", 32}, {u"jump", 64},    {u"jumpif", 65},
        {u"call", 66},      {u"callif", 67},    {u"return", 68},  {u"returnif", 69},
        {u"stop", 70},      {u"result", 71},    {u"sign", 100},   {u"abs", 101},
        {u"fsign", 102},    {u"fabs", 103},     {u"fmod", 104},   {u"pow", 105},
        {u"sqrt", 106},     {u"exp", 107},      {u"log", 108},
    };
    AddRange(out, 300, {u"rand"});
    AddRange(out, 500,
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
              u"text"});
    AddRange(out, 1000,
             {u"sp.color", u"sp.alpha", u"sp.blend", u"sp.lcg", u"sp.lnc", u"sp.wa", u"sp.shake",
              u"sp.shake_end", u"stand"});
    AddRange(out, 1100,
             {u"bg", u"bg.color", u"bg.act_move", u"bg.wa", u"ev", u"ev.color", u"ev.act_move",
              u"ev.wa"});
    AddRange(out, 1300, {u"fin", u"fout", u"flash", u"flash.wa", u"shake", u"shake.end"});
    AddRange(out, 1400, {u"mv", u"mv.wa", u"mv.autostop"});
    AddRange(out, 1500,
             {u"bgm", u"bgm.wa", u"bgv", u"bgv.wa", u"se", u"se_0", u"se_1", u"se_2", u"se_3",
              u"se.wa", u"vo", u"vo_0", u"vo_1", u"vo_2", u"vo_3", u"vo.wa"});
    AddRange(out, 2000,
             {u"sel", u"sel.go", u"sel.gosub", u"sel.visible", u"sel.enable", u"sel.cancel",
              u"sel.hash"});
    AddRange(out, 2100, {u"wa.click", u"wa.time", u"wa.layer"});
    AddRange(out, 2200,
             {u"rp.set", u"rp.unset", u"rp.setall", u"rp.unsetall", u"rp.end", u"cg.set",
              u"cg.setgroup", u"cg.setall", u"cg.unsetall"});
    AddRange(out, 10000, {u"jumptotitle", u"setextraoption", u"getextraoption"});
    out.push_back({u"endstand", 0});
    out.push_back({u"endtext", 0});
    return out;
}

}  // namespace

const std::vector<RillBuiltinName>& GetRillBuiltinNames() {
    static const std::vector<RillBuiltinName> table = BuildTable();
    return table;
}

bool IsRillGeneralBuiltinIndex(GxS32 index) {
    if (index < 1 || index > 299)
        return false;
    for (const RillBuiltinName& entry : GetRillBuiltinNames()) {
        if (entry.index == index)
            return true;
    }
    return false;
}
