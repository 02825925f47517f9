#include "Catalogus.h"

#include <cstdint>

namespace Catalogus {

namespace {

constexpr uint32_t MAGIC = 0x950412de; // read swapped, a catalogue of the other byte order
constexpr std::size_t KOP = 28; // magic, revision, count, two table offsets, hash size, offset

struct Lezer {
    std::string_view bytes;
    bool omgekeerd = false;

    // The 32-bit word at `plaats`; the caller has checked that it lies inside.
    uint32_t Woord(std::size_t plaats) const {
        uint32_t w = 0;
        for (int i = 0; i < 4; ++i) {
            const uint32_t b = static_cast<unsigned char>(bytes[plaats + i]);
            w |= omgekeerd ? b << (24 - 8 * i) : b << (8 * i);
        }
        return w;
    }

    // String `index` of the table at `tabel`: its first part, up to a NUL
    // (plural forms follow it); nothing when it does not lie inside the file.
    std::optional<std::string_view> Tekst(uint32_t tabel, uint32_t index) const {
        const std::size_t plaats = std::size_t{tabel} + 8 * std::size_t{index};
        if (plaats + 8 > bytes.size()) return std::nullopt;
        const std::size_t lengte = Woord(plaats), begin = Woord(plaats + 4);
        // The string is followed by its terminating NUL, which must be there too.
        if (begin > bytes.size() || lengte >= bytes.size() - begin) return std::nullopt;
        const std::string_view s = bytes.substr(begin, lengte);
        return s.substr(0, s.find('\0'));
    }
};

} // namespace

std::string Plaatshouders(std::string_view tekst) {
    std::string gevonden;
    for (std::size_t i = 0; i < tekst.size(); ++i) {
        if (tekst[i] != '%') continue;
        if (i + 1 < tekst.size() && tekst[i + 1] == '%') {
            ++i;
            continue;
        }
        // Flags, width, precision and length up to the conversion letter.
        const std::size_t einde = tekst.find_first_not_of("0123456789.-+ #'hlLqjzt", i + 1);
        const std::size_t tot = einde == std::string_view::npos ? tekst.size() : einde + 1;
        gevonden += tekst.substr(i, tot - i);
        i = tot - 1;
    }
    return gevonden;
}

std::optional<Catalogus> Lees(std::string_view bytes, std::string& fout) {
    if (bytes.size() > MAX_BYTES) {
        fout = "larger than " + std::to_string(MAX_BYTES) + " bytes";
        return std::nullopt;
    }
    if (bytes.size() < KOP) {
        fout = "too short for a catalogue";
        return std::nullopt;
    }
    Lezer lezer{bytes};
    if (lezer.Woord(0) != MAGIC) {
        lezer.omgekeerd = true;
        if (lezer.Woord(0) != MAGIC) {
            fout = "not a compiled catalogue (.mo)";
            return std::nullopt;
        }
    }
    // Only the major revision 0 is understood; minor revisions add tables.
    if (lezer.Woord(4) >> 16 != 0) {
        fout = "unknown catalogue revision";
        return std::nullopt;
    }
    const uint32_t aantal = lezer.Woord(8), ids = lezer.Woord(12), teksten = lezer.Woord(16);
    Catalogus catalogus;
    for (uint32_t i = 0; i < aantal; ++i) {
        const auto id = lezer.Tekst(ids, i), tekst = lezer.Tekst(teksten, i);
        if (!id || !tekst) {
            fout = "entry " + std::to_string(i) + " lies outside the file";
            return std::nullopt;
        }
        // The header has an empty id; an empty translation is no translation.
        if (id->empty() || tekst->empty()) continue;
        if (Plaatshouders(*id) != Plaatshouders(*tekst)) {
            ++catalogus.afwijkend;
            continue;
        }
        catalogus.vertalingen.insert_or_assign(std::string(*id), std::string(*tekst));
    }
    return catalogus;
}

const std::string* Zoek(const Catalogus& catalogus, std::string_view msgid) {
    const auto gevonden = catalogus.vertalingen.find(std::string(msgid));
    return gevonden == catalogus.vertalingen.end() ? nullptr : &gevonden->second;
}

} // namespace Catalogus
