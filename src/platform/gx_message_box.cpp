#include "platform/gx_message_box.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "base/gx_string.h"
#include "platform/gx_platform.h"

namespace gx {

void ShowMessageBox(std::u16string_view caption, std::u16string_view text) {
    std::string caption8 = Utf16ToUtf8(caption);
    std::string text8 = Utf16ToUtf8(text);
    if (HasDisplay() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption8.c_str(),
                                                 text8.c_str(), nullptr) == 0) {
        return;
    }
    std::fprintf(stderr, "[%s] %s\n", caption8.c_str(), text8.c_str());
    std::fflush(stderr);
}

}  // namespace gx
