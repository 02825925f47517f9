// Any bytes as a picture file, loaded at the file's own size and at an odd
// size: the loader must stay in bounds, and once both are destroyed the
// picture table must be empty again.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

#include "Wimdows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz-picture-" + std::to_string(getpid()) + ".bmp";
    // Refusals are told on the console: millions of them would only slow the run.
    static std::ostringstream quiet;
    static std::streambuf* const console = std::cerr.rdbuf(quiet.rdbuf());
    (void)console;
    quiet.str({});
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    const uint32_t own = Wimdows::LoadBitmap(path.c_str(), 0, 0);
    const uint32_t odd = Wimdows::LoadBitmap(path.c_str(), 7, 5);
    Wimdows::DestroyBitmap(own);
    Wimdows::DestroyBitmap(odd);
    if (Wimdows::BitmapTableLength() != 0) std::abort();
    return 0;
}
