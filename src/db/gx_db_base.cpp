#include "db/gx_db_base.h"

#include <cstdlib>

#include "base/gx_log.h"
#include "base/gx_string.h"

namespace gx {

std::u16string UnquoteTableField(std::u16string_view field) {
    if (field.empty() || (field[0] != u'"' && field[0] != u'\''))
        return std::u16string(field);
    const char16_t quote = field[0];
    size_t end = 1;
    while (end < field.size() && !(field[end] == quote && field[end - 1] != u'\\'))
        ++end;
    return std::u16string(field.substr(1, end - 1));
}

GxS32 ParseTableInt(const std::u16string& field) {
    return ParseInt(field.c_str(), nullptr, 0, false);
}

GxF32 ParseTableFloat(const std::u16string& field) {
    const std::string text = Utf16ToUtf8(field);
    return static_cast<GxF32>(std::strtod(text.c_str(), nullptr));
}

std::vector<std::vector<std::u16string>> SplitTableLines(const std::vector<std::u16string>& lines,
                                                         size_t fieldCount) {
    std::vector<std::vector<std::u16string>> rows;
    for (const std::u16string& line : lines) {
        if (line.empty() || line[0] == u'#')
            continue;
        std::vector<std::u16string> fields = SplitExactly(line, u'\t', fieldCount);
        for (std::u16string& field : fields)
            field = UnquoteTableField(field);
        rows.push_back(std::move(fields));
    }
    return rows;
}

void ReportTableIdOutOfRange(const char16_t* message, GxS32 id) {
    LogError(message, id);
}

}  // namespace gx
