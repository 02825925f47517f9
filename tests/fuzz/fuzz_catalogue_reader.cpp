// Any bytes as a compiled catalogue (.mo): the reader refuses with a reason or
// gives translations whose placeholders are their ids', each found again by its id.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Catalogus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string fout;
    const auto c =
        Catalogus::Lees(std::string_view(reinterpret_cast<const char*>(data), size), fout);
    if (!c) {
        if (fout.empty()) std::abort();
        return 0;
    }
    for (const auto& [id, tekst] : c->vertalingen) {
        if (id.empty() || tekst.empty()) std::abort();
        if (Catalogus::Plaatshouders(id) != Catalogus::Plaatshouders(tekst)) std::abort();
        if (Catalogus::Zoek(*c, id) != &tekst) std::abort();
    }
    return 0;
}
