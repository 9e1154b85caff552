#pragma once
// Temporary stand-in until the file layer lands; replaced by the real one at merge.
#include <string_view>
#include "base/gx_types.h"
int FileExists(std::u16string_view path);
bool OpenPackFile(std::u16string_view path);
void CloseAllPackFiles();
void SetFileCacheCapacity(GxU32 bytes);
void SetFileCacheFileLimit(GxU32 bytes);
void SetFileCacheEnabled(bool enabled);
void ClearFileCache();
