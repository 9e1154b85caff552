#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One picture or text of the command line with the settings in force for it.
struct GxViewItem {
    bool isText = false;
    std::string path;     // picture file
    std::u16string text;  // text to draw
    int size = 16;        // text size in pixels
    std::uint32_t color = 0xFFFFFFFFu;
    int blend = 2;
    int alpha = 255;
    int x = 0, y = 0;
    std::uint32_t format = 0;
};

struct GxViewOptions {
    std::uint32_t background = 0xFF000000u;
    std::vector<GxViewItem> items;
    std::string out;
};

// Parses the arguments (without the program name); false with `error` set when they are wrong.
bool ParseGxViewOptions(const std::vector<std::string>& args, GxViewOptions& options,
                        std::string& error);
// A texture format from its name, with or without the "D3DFMT_" prefix; 0 when unknown.
std::uint32_t ParseFormatName(const std::string& name);
