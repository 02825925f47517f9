// A compiled gettext catalogue (.mo): the translations of one language, keyed
// by the game's own Dutch texts. Platform-free: it reads bytes, not files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace Catalogus {

// Far more than the game's catalogues hold; a bigger file is refused.
constexpr std::size_t MAX_BYTES = 4 * 1024 * 1024;

struct Catalogus {
    std::unordered_map<std::string, std::string> vertalingen;
    // Translations left out because their placeholders differ from the id's.
    std::size_t afwijkend = 0;
};

// The printf conversions of a text in order ("%u%02d" for "level %u at %02d"),
// "%%" left out: a translation must have exactly its id's.
std::string Plaatshouders(std::string_view tekst);

// The catalogue in a .mo file's bytes (either byte order), or nothing with the
// reason in `fout`. Every table entry and string is checked against the bytes;
// the header entry, the plural forms beyond the first and translations whose
// placeholders differ from their id's (they would misread the values) are left out.
std::optional<Catalogus> Lees(std::string_view bytes, std::string& fout);

// The translation of `msgid`, or nothing when the catalogue has none.
const std::string* Zoek(const Catalogus& catalogus, std::string_view msgid);

} // namespace Catalogus
