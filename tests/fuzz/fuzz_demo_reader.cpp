// Any bytes through the demo reader: no read outside the text, no fault
// escaping, and a demo it accepts writes out to a text that reads back to
// the very same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "Demo.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<Demo::Opname> opnames;
    std::string fout;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!Demo::Lees("fuzz.ktdemo", text, opnames, fout)) {
        if (fout.empty()) std::abort();
        return 0;
    }
    const std::string written = Demo::Tekst(opnames);
    if (!Demo::Lees("again.ktdemo", written, opnames, fout) || Demo::Tekst(opnames) != written)
        std::abort();
    return 0;
}
