#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "base/gx_types.h"

// The bytes a decoder reads: a loose file, an archive entry or a block of memory.
class GxSoundSource {
public:
    virtual ~GxSoundSource() = default;
    // Returns the bytes read (fewer at the end).
    virtual GxU32 Read(void* buffer, GxU32 count) = 0;
    // origin 0 from the start, 1 from the current position, 2 from the end.
    virtual bool Seek(GxS64 offset, int origin) = 0;
    virtual GxS64 GetSize() = 0;
    virtual GxS64 GetPosition() = 0;
};

namespace gx {

// Opens a sound file through the engine's file layer; null when it cannot be opened.
std::unique_ptr<GxSoundSource> OpenSoundSource(std::u16string_view path);
std::unique_ptr<GxSoundSource> MakeMemorySoundSource(std::vector<GxU8> bytes);

}  // namespace gx
