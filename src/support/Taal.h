// The language the game speaks: Dutch, its own, or one of its translations.
// Every text the player sees goes through Tekst with its Dutch wording; every
// picture with words in it through Plaatje.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace Taal {

// The game's own language and the ones it is translated into.
inline constexpr const char* NEDERLANDS = "nl";
inline constexpr std::array<const char*, 4> TALEN = {"nl", "en", "de", "fr"};

// The language for the settings file's `language` value ("auto" or a code)
// and the environment (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG): "de_AT.UTF-8"
// speaks "de", and anything the game does not speak gives Dutch.
std::string KiesCode(std::string_view instelling,
                     const std::function<const char*(const char*)>& omgeving);

// The code of a language the game speaks ("de" for "de_AT.UTF-8"), or "".
std::string Gesproken(std::string_view code);

// Chooses from the settings file and the environment.
void Init();
// Speaks `code` from now on; a language without a readable catalogue gives
// Dutch (said on the console). The catalogue is read once and kept.
void Zet(std::string_view code);
// The language spoken now, one of TALEN.
std::string Code();

// The text in the language spoken now; the Dutch text when it has no
// translation. The pointer stays valid for the whole run.
const char* Tekst(const char* nederlands);
// The text with its one or two %s filled in, as snprintf would (at most 255
// bytes); the catalogue keeps only translations with the same placeholders.
std::string Formaat(const char* nederlands, const std::string& a, const std::string& b = "");
// Marks a Dutch text that is translated where it is shown.
constexpr const char* Nl(const char* nederlands) {
    return nederlands;
}

// The picture file of the language spoken now for a worded picture
// ("images\Start0.bmp" is "images\de\Start0.bmp" in German); the Dutch one
// when the language has none.
std::string Plaatje(const std::string& naam);

} // namespace Taal
