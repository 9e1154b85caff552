#include "rill_builtin_table.h"

#include <initializer_list>

#include "script/gx_rill_builtin_names.h"

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
    for (const GxRillGameBuiltinRange& range : GetRillGameBuiltinRanges())
        AddRange(out, range.first, range.names);
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
