#include "gxview_options.h"

#include <cstdlib>

#include "base/gx_string.h"
#include "graphics/gx_graphics.h"

namespace {

bool ParseNumber(const std::string& text, long long& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return end && *end == 0;
}

}  // namespace

std::uint32_t ParseFormatName(const std::string& name) {
    const std::string wanted = name.rfind("D3DFMT_", 0) == 0 ? name : "D3DFMT_" + name;
    const std::uint32_t formats[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A1R5G5B5,
                                     D3DFMT_A4R4G4B4, D3DFMT_X4R4G4B4, D3DFMT_R5G6B5};
    for (std::uint32_t format : formats) {
        if (gx::Utf16ToUtf8(GxGraphics::GetFormatName(format)) == wanted)
            return format;
    }
    return 0;
}

bool ParseGxViewOptions(const std::vector<std::string>& args, GxViewOptions& options,
                        std::string& error) {
    GxViewItem current;
    bool textPending = false;
    const auto finishText = [&] {
        if (textPending)
            options.items.push_back(current);
        textPending = false;
        current.isText = false;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        long long number = 0;
        if (arg == "--bg" || arg == "--blend" || arg == "--alpha" || arg == "--at" ||
            arg == "--format" || arg == "--text" || arg == "--size" || arg == "--color" ||
            arg == "--out") {
            if (!hasValue) {
                error = "missing value after " + arg;
                return false;
            }
            const std::string& value = args[++i];
            if (arg == "--out") {
                options.out = value;
            } else if (arg == "--text") {
                finishText();
                current.isText = true;
                current.text = gx::Utf8ToUtf16(value);
                textPending = true;
            } else if (arg == "--at") {
                const size_t comma = value.find(',');
                long long x = 0, y = 0;
                if (comma == std::string::npos || !ParseNumber(value.substr(0, comma), x) ||
                    !ParseNumber(value.substr(comma + 1), y)) {
                    error = "bad position " + value + " (use X,Y)";
                    return false;
                }
                current.x = static_cast<int>(x);
                current.y = static_cast<int>(y);
            } else if (arg == "--format") {
                current.format = ParseFormatName(value);
                if (current.format == 0) {
                    error = "unknown format " + value;
                    return false;
                }
            } else if (!ParseNumber(value, number)) {
                error = "bad number " + value + " after " + arg;
                return false;
            } else if (arg == "--bg") {
                options.background = static_cast<std::uint32_t>(number);
            } else if (arg == "--blend") {
                current.blend = static_cast<int>(number);
            } else if (arg == "--alpha") {
                if (number < 0 || number > 255) {
                    error = "alpha must be 0 to 255";
                    return false;
                }
                current.alpha = static_cast<int>(number);
            } else if (arg == "--size") {
                if (number <= 0 || number > 256) {
                    error = "size must be 1 to 256";
                    return false;
                }
                current.size = static_cast<int>(number);
            } else {
                current.color = static_cast<std::uint32_t>(number);
            }
            continue;
        }
        if (arg.rfind("--", 0) == 0) {
            error = "unknown option " + arg;
            return false;
        }
        finishText();
        GxViewItem picture = current;
        picture.path = arg;
        options.items.push_back(picture);
    }
    finishText();
    if (options.out.empty()) {
        error = "--out FILE.png is required";
        return false;
    }
    return true;
}
