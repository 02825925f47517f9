// A one-second WAV tone for tests that need a sound file; the mixer tells
// formats by their content, so it may carry the game's ".mp3" names.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace TestSound {

inline void Write(const std::string& name) {
    std::vector<int16_t> pcm(32000, 1000);
    const uint32_t bytes = static_cast<uint32_t>(pcm.size() * 2);
    const uint32_t header[] = {0x46464952, 36 + bytes, 0x45564157, 0x20746d66, 16,   0x00010001,
                               32000,      64000,      0x00100002, 0x61746164, bytes};
    std::filesystem::create_directories(std::filesystem::path(name).parent_path());
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out.write(reinterpret_cast<const char*>(pcm.data()), bytes);
}

} // namespace TestSound
