#pragma once

#include <string>
#include <string_view>
#include <vector>

class GxRillWorker;

// Reads the lines of a block that follows a command (the pictures of `stand`,
// the message lines of `text`) from the worker's position, moving it: words,
// string literals and text lines are collected; command starts and line ends
// are passed over; the built-in `endName` ends the block at the start of the
// next line; the end of the script ends it too. Any other token, another
// built-in name included, fails with its description in `badToken`.
bool ReadRillBlock(GxRillWorker& worker, std::u16string_view endName,
                   std::vector<std::u16string>& lines, std::u16string& badToken);
