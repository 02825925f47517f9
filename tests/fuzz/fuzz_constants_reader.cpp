// Any bytes as "Constanten.txt": the reader must stay in bounds and every
// value must come out as a finite number.
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Kolvemar_Constanten_en_Types.h"

namespace K = Kolvemar_Constanten_en_Types;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz-constanten-" + std::to_string(getpid()) + ".txt";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    if (!K::LeesConstanten(path)) std::abort();
    if (!std::isfinite(K::bewegingssnelheid) || !std::isfinite(K::grote_exposies)) std::abort();
    return 0;
}
