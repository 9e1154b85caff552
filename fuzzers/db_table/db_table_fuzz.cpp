// Any bytes as a table file, decoded as the line reader decodes it, loaded into
// every table.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "content/gx_text_decode.h"
#include "content/gx_text_lines.h"
#include "content_fuzz_support.h"
#include "db/gx_db_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gxfuzz::QuietLog quiet;
    std::u16string text;
    if (!gx::DecodeText(data, size, false, text))
        return 0;
    std::vector<std::u16string> lines;
    SplitTextLines(text, lines, true);
    GxDatabase database;
    database.avgChar.LoadLines(lines);
    database.bgmMode.LoadLines(lines);
    database.cgMode.LoadLines(lines);
    database.rpMode.LoadLines(lines);
    database.uiModule.LoadLines(lines);
    database.uiLayout.LoadLines(lines);
    database.effect.LoadLines(lines);
    return 0;
}
