#include "Taal.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sys/stat.h>

#include "Catalogus.h"
#include "Settings.h"
#include "StandardLib.h"

namespace Taal {

namespace {

std::string taal = NEDERLANDS;
const Catalogus::Catalogus* catalogus = nullptr; // of taal; none for Dutch
// Every catalogue read so far, kept so that texts handed out stay valid.
std::map<std::string, std::unique_ptr<Catalogus::Catalogus>, std::less<>> gelezen;

std::string CatalogusBestand(const std::string& code) {
    return "locale\\" + code + "\\LC_MESSAGES\\kolvemar-trovix.mo";
}

// Up to one byte more than a catalogue may hold, so that the reader sees it is too big.
std::optional<std::string> LeesBestand(const std::string& naam, std::string& fout) {
    std::string bytes;
    if (!StandardLib::ReadRegularFile(StandardLib::PlatformPath(naam), Catalogus::MAX_BYTES, bytes,
                                      &fout))
        return std::nullopt;
    return bytes;
}

const Catalogus::Catalogus* LeesCatalogus(const std::string& code) {
    if (const auto al = gelezen.find(code); al != gelezen.end()) return al->second.get();
    const std::string bestand = CatalogusBestand(code);
    std::string fout;
    const std::optional<std::string> bytes = LeesBestand(bestand, fout);
    std::optional<Catalogus::Catalogus> gevonden;
    if (bytes) gevonden = Catalogus::Lees(*bytes, fout);
    if (!gevonden) {
        std::cerr << "\"" << StandardLib::PlatformPath(bestand) << "\" " << fout
                  << "; the game speaks Dutch." << std::endl;
        return nullptr;
    }
    if (gevonden->afwijkend > 0)
        std::cerr << "\"" << StandardLib::PlatformPath(bestand) << "\": " << gevonden->afwijkend
                  << " translations with other placeholders than the Dutch are left out."
                  << std::endl;
    auto& plaats = gelezen[code];
    plaats = std::make_unique<Catalogus::Catalogus>(std::move(*gevonden));
    return plaats.get();
}

bool Bestaat(const std::string& naam) {
    struct stat st {};
    return ::stat(StandardLib::PlatformPath(naam).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// "C", "POSIX" and their variants ask for no language at all.
bool GeenTaal(std::string_view locale) {
    const std::string_view basis = locale.substr(0, locale.find_first_of(".@"));
    return basis == "C" || basis == "POSIX";
}

} // namespace

std::string Gesproken(std::string_view code) {
    const std::string_view basis = code.substr(0, code.find_first_of("_.@-"));
    for (const char* t : TALEN)
        if (basis == t) return t;
    return "";
}

std::string KiesCode(std::string_view instelling,
                     const std::function<const char*(const char*)>& omgeving) {
    if (!instelling.empty() && instelling != "auto") {
        const std::string code = Gesproken(instelling);
        return code.empty() ? NEDERLANDS : code;
    }
    // LANGUAGE lists languages in order of preference, separated by colons.
    if (const char* lijst = omgeving("LANGUAGE")) {
        std::string_view rest = lijst;
        while (!rest.empty()) {
            const std::size_t einde = std::min(rest.find(':'), rest.size());
            const std::string code = Gesproken(rest.substr(0, einde));
            if (!code.empty()) return code;
            rest.remove_prefix(std::min(einde + 1, rest.size()));
        }
    }
    for (const char* naam : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* locale = omgeving(naam);
        if (!locale || !*locale) continue;
        if (GeenTaal(locale)) return NEDERLANDS;
        const std::string code = Gesproken(locale);
        return code.empty() ? NEDERLANDS : code;
    }
    return NEDERLANDS;
}

void Init() {
    Zet(KiesCode(Settings::Current().language, [](const char* naam) { return std::getenv(naam); }));
}

void Zet(std::string_view code) {
    const std::string gekozen = Gesproken(code);
    catalogus = gekozen.empty() || gekozen == NEDERLANDS ? nullptr : LeesCatalogus(gekozen);
    taal = catalogus ? gekozen : NEDERLANDS;
}

std::string Code() {
    return taal;
}

const char* Tekst(const char* nederlands) {
    if (!catalogus || !nederlands) return nederlands;
    const std::string* vertaald = Catalogus::Zoek(*catalogus, nederlands);
    return vertaald ? vertaald->c_str() : nederlands;
}

std::string Formaat(const char* nederlands, const std::string& a, const std::string& b) {
    char tekst[256];
    std::snprintf(tekst, sizeof tekst, Tekst(nederlands), a.c_str(), b.c_str());
    return tekst;
}

std::string Plaatje(const std::string& naam) {
    if (taal == NEDERLANDS) return naam;
    // Right after "images" and its separator, whichever the name uses.
    const std::size_t map = naam.find("images");
    if (map != 0 || naam.size() <= 7) return naam;
    const char scheiding = naam[6];
    const std::string vertaald = naam.substr(0, 7) + taal + scheiding + naam.substr(7);
    return Bestaat(vertaald) ? vertaald : naam;
}

} // namespace Taal
