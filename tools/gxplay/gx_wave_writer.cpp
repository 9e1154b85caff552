#include "gx_wave_writer.h"

#include <algorithm>
#include <fstream>

#include "base/gx_byte_order.h"

bool WriteStereoWave(const std::string& path, const std::vector<GxS16>& frames, GxU32 rate) {
    const GxU32 dataBytes = static_cast<GxU32>(frames.size() * 2);
    std::vector<GxU8> out(44 + dataBytes);
    GxU8* p = out.data();
    std::copy_n("RIFF", 4, p);
    gx::WriteLE32(p + 4, 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, p + 8);
    gx::WriteLE32(p + 16, 16);
    gx::WriteLE16(p + 20, 1);
    gx::WriteLE16(p + 22, 2);
    gx::WriteLE32(p + 24, rate);
    gx::WriteLE32(p + 28, rate * 4);
    gx::WriteLE16(p + 32, 4);
    gx::WriteLE16(p + 34, 16);
    std::copy_n("data", 4, p + 36);
    gx::WriteLE32(p + 40, dataBytes);
    for (size_t i = 0; i < frames.size(); ++i)
        gx::WriteLE16(p + 44 + 2 * i, static_cast<GxU16>(frames[i]));
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
