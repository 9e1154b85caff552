#pragma once

#include <string_view>

#include "base/gx_format.h"

namespace gx {

// A modal information box with a display; the caption and text on stderr
// without one (headless runs, no display, or a dialog that cannot be shown).
void ShowMessageBox(std::u16string_view caption, std::u16string_view text);

}  // namespace gx

// Formats the text (at most 522 characters) and shows it in a message box.
template <class... Args>
void ShowMessage(std::u16string_view caption, std::u16string_view format, const Args&... args) {
    std::u16string text = gx::Format(format, args...);
    if (text.size() > 521)
        text.resize(521);
    gx::ShowMessageBox(caption, text);
}
