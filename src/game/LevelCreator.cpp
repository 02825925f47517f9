#include "LevelCreator.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <limits>

#include "StandardLib.h"

namespace LevelCreator {

namespace K = Kolvemar_Constanten_en_Types;

namespace {

// A valid level is about 100 kB; anything far beyond that is not a game file.
constexpr std::size_t MAX_FILE_SIZE = 4u << 20;
constexpr std::size_t MAX_TOKEN = 255;
constexpr std::size_t COMMENT_LEN = 102; // 101 characters and the zero

Herkomst laatste;
constexpr CARDINAL MAX_TIME_FIELD = 65535;
constexpr CARDINAL MAX_TEKENNUMMER = 45;
constexpr int REAL_WIDTH = 20;

const char* const SOORT_NAMEN[] = {"monster", "speler", "armor", "leven", "leven2"};

// Keeps messages printable and short whatever bytes a damaged file holds.
std::string Citaat(const std::string& token) {
    std::string s;
    for (char c : token.substr(0, 40))
        s.push_back(c >= ' ' && c < 127 ? c : '?');
    return "\"" + s + (token.size() > 40 ? "...\"" : "\"");
}

void Fout(Tekstbestand& f, CARDINAL regel, const std::string& tekst) {
    if (f.fout.empty()) f.fout = f.naam + ":" + std::to_string(regel) + ": " + tekst;
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Moves to `pos`, counting the line ends passed: LF, or CR not followed by LF.
void Verplaats(Tekstbestand& f, std::size_t pos) {
    const std::string& s = f.inhoud;
    for (; f.pos < pos; ++f.pos)
        if (s[f.pos] == '\n' ||
            (s[f.pos] == '\r' && (f.pos + 1 >= s.size() || s[f.pos + 1] != '\n')))
            ++f.regel;
}

bool AanRegelbegin(const Tekstbestand& f) {
    if (f.pos == 0) return true;
    const char vorige = f.inhoud[f.pos - 1];
    return vorige == '\n' ||
           (vorige == '\r' && (f.pos >= f.inhoud.size() || f.inhoud[f.pos] != '\n'));
}

// Skips what is left of the line of the last value: blanks and the line end.
bool RegelAfmaken(Tekstbestand& f) {
    const std::string& s = f.inhoud;
    std::size_t p = f.pos;
    while (p < s.size() && (s[p] == ' ' || s[p] == '\t' || s[p] == 26))
        ++p;
    if (p < s.size() && !IsLineEnd(s[p])) {
        Verplaats(f, p);
        const std::size_t eind = s.find_first_of("\r\n", p);
        Fout(f, f.regel, "unexpected text " + Citaat(s.substr(p, eind - p)) + " after the value");
        return false;
    }
    if (p < s.size() && s[p] == '\r') ++p;
    if (p < s.size() && s[p] == '\n') ++p;
    Verplaats(f, p);
    return true;
}

bool Token(Tekstbestand& f, Veldnaam wat, std::string& token) {
    if (!f.fout.empty()) return false;
    Verplaats(f, StandardLib::SkipSeparators(f.inhoud, f.pos));
    f.waarderegel = f.regel;
    if (f.pos >= f.inhoud.size()) {
        Fout(f, f.regel, Naam(wat) + ": the file ends early");
        return false;
    }
    const std::size_t begin = f.pos;
    std::size_t pos = f.pos;
    StandardLib::ReadToken(f.inhoud, pos, token);
    Verplaats(f, pos);
    if (pos - begin > MAX_TOKEN + 1) {
        Fout(f, f.waarderegel, Naam(wat) + ": value longer than 255 characters");
        return false;
    }
    return true;
}

template <typename T> bool Geheel(const std::string& token, T& v) {
    const char* end = token.data() + token.size();
    const auto [ptr, ec] = std::from_chars(token.data(), end, v);
    return ec == std::errc() && ptr == end;
}

// Mends a speed that a random choice of direction cannot take.
REAL KlemSnelheid(Tekstbestand& f, CARDINAL regel, REAL v, Veldnaam wat) {
    if (v < 0) {
        Waarschuwing(f, regel, Naam(wat) + " is negative; its absolute value is used");
        v = -v;
    }
    if (v > MAX_RANDOM_SPEED) {
        Waarschuwing(f, regel, Naam(wat) + " is absurdly large; capped at 1000000");
        v = MAX_RANDOM_SPEED;
    }
    return v;
}

void LeesObject(Tekstbestand& f, K::Object& o, int i) {
    char commentaar[COMMENT_LEN];
    const auto veld = [i](const char* naam) { return Veldnaam("objecten", i, naam); };
    stringlezer(f, commentaar);
    stringlezer(f, commentaar);
    o.levend = LeesBoolean(f, veld("levend"));
    o.armoraan = LeesBoolean(f, veld("armoraan"));
    o.soort = static_cast<K::soortSR>(LeesCardinal(f, 4, veld("soort")));
    o.levenspuntentot = LeesInteger(f, veld("levenspuntentot"));
    o.levenspuntentotbegin = LeesInteger(f, veld("levenspuntentotbegin"));
    o.soortbeweging = static_cast<K::bewegingssoort>(LeesCardinal(f, 5, veld("soortbeweging")));
    o.death = static_cast<K::doodsoort>(LeesCardinal(f, 6, veld("death")));
    o.x = LeesReal(f, veld("x"));
    o.y = LeesReal(f, veld("y"));
    o.vtot = LeesReal(f, veld("vtot"));
    if (o.soortbeweging == K::bewegingssoort::type4 || o.soortbeweging == K::bewegingssoort::type5)
        o.vtot = KlemSnelheid(f, f.waarderegel, o.vtot, veld("vtot"));
    o.grootte = LeesInteger(f, veld("grootte"));
    o.tekennummer = LeesCardinal(f, std::numeric_limits<CARDINAL>::max(), veld("tekennummer"));
    if (o.tekennummer > MAX_TEKENNUMMER)
        Waarschuwing(f, f.waarderegel,
                     Naam(veld("tekennummer")) + " " + std::to_string(o.tekennummer) +
                         " has no picture (0 to 45); the object is not drawn");
    stringlezer(f, commentaar);
    stringlezer(f, commentaar);
    K::Wapen& w = o.wapens;
    w.actief = LeesBoolean(f, veld("wapens.actief"));
    stringlezer(f, w.naamwapen);
    w.tijdtussenkogels = LeesInteger(f, veld("wapens.tijdtussenkogels"));
    w.volgendekogeltijd = LeesInteger(f, veld("wapens.volgendekogeltijd"));
    w.inteligentie = static_cast<K::Inteligentie>(LeesCardinal(f, 6, veld("wapens.inteligentie")));
    w.soortkogel.dammage = LeesInteger(f, veld("wapens.soortkogel.dammage"));
    w.soortkogel.vtot = LeesReal(f, veld("wapens.soortkogel.vtot"));
    if (w.inteligentie == K::Inteligentie::lukraak)
        w.soortkogel.vtot =
            KlemSnelheid(f, f.waarderegel, w.soortkogel.vtot, veld("wapens.soortkogel.vtot"));
}

void LeesKogel(Tekstbestand& f, K::Objectkogel& k, int i) {
    char commentaar[COMMENT_LEN];
    const auto veld = [i](const char* naam) { return Veldnaam("geschut", i, naam); };
    stringlezer(f, commentaar);
    k.x = LeesReal(f, veld("x"));
    k.y = LeesReal(f, veld("y"));
    k.vx = LeesReal(f, veld("vx"));
    k.vy = LeesReal(f, veld("vy"));
    k.fase = LeesReal(f, veld("fase"));
    k.leven = LeesBoolean(f, veld("leven"));
    // Written as a signed number, so read as one: a weapon may carry a
    // negative damage, and the game's own save must read back.
    k.soortkogel.dammage = LeesInteger(f, veld("soortkogel.dammage"));
    k.soortkogel.vtot = LeesReal(f, veld("soortkogel.vtot"));
    stringlezer(f, commentaar);
}

uint16_t LeesTijdveld(Tekstbestand& f, const char* naam) {
    return static_cast<uint16_t>(LeesCardinal(f, MAX_TIME_FIELD, naam));
}

void LeesKop(Tekstbestand& f, Level& l) {
    char commentaar[COMMENT_LEN];
    stringlezer(f, commentaar);
    stringlezer(f, commentaar);
    l.margerechts = LeesReal(f, "margerechts");
    l.margerelinks = LeesReal(f, "margerelinks");
    l.margeboven = LeesReal(f, "margeboven");
    l.margeonder = LeesReal(f, "margeonder");
    l.time = LeesInteger(f, "time");
    l.vordering = LeesCardinal(f, std::numeric_limits<CARDINAL>::max(), "vordering");
    l.punten = LeesInteger(f, "punten");
    l.aantalobjecten = LeesCardinal(f, std::numeric_limits<CARDINAL>::max(), "aantalobjecten");
    stringlezer(f, l.locatieachtergrond);
    // A shared level or save must not make the game open any file of the system.
    const std::string achtergrond(l.locatieachtergrond,
                                  strnlen(l.locatieachtergrond, sizeof l.locatieachtergrond));
    if (!StandardLib::StaysInside(achtergrond))
        Fout(f, f.waarderegel,
             "locatieachtergrond: " + Citaat(achtergrond) +
                 " is not a picture in the game's data folder (an absolute name, or one with "
                 "\"..\")");
    l.stats_kogels = LeesInteger(f, "stats_kogels");
    l.stats_tijd.wMilliseconds = LeesTijdveld(f, "stats_tijd.wMilliseconds");
    l.stats_tijd.wSecond = LeesTijdveld(f, "stats_tijd.wSecond");
    l.stats_tijd.wMinute = LeesTijdveld(f, "stats_tijd.wMinute");
    l.stats_tijd.wHour = LeesTijdveld(f, "stats_tijd.wHour");
    l.stats_tijd.wDay = LeesTijdveld(f, "stats_tijd.wDay");
    l.Got_bonus = LeesBoolean(f, "Got_bonus");
}

// --- writing ---------------------------------------------------------------

void Regel(std::string& out, const std::string& tekst) {
    out += tekst;
    out += "\r\n";
}

std::string Rechts(const std::string& s, std::size_t breedte) {
    return s.size() >= breedte ? s : std::string(breedte - s.size(), ' ') + s;
}

std::string C(CARDINAL v, std::size_t w) {
    return Rechts(std::to_string(v), w);
}

std::string I(INTEGER v, std::size_t w) {
    return Rechts(std::to_string(v), w);
}

std::string B(bool v, std::size_t w) {
    return Rechts(v ? "TRUE" : "FALSE", w);
}

// Sign (space or "-"), one digit, 14 decimals, "E", exponent sign and digits
// without leading zeros; right-aligned in 20. The sign of a negative zero is
// kept so that every REAL reads back bit for bit.
std::string R(REAL v) {
    double d = v;
    if (!std::isfinite(d)) {
        std::cerr << "A level value that is not a finite number is written as 0." << std::endl;
        d = 0.0;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14E", std::fabs(d));
    const std::string s = buf;
    const std::size_t e = s.find('E');
    std::size_t cijfers = e + 2;
    while (cijfers + 1 < s.size() && s[cijfers] == '0')
        ++cijfers;
    const std::string vorm = (std::signbit(d) ? "-" : " ") + s.substr(0, e + 2) + s.substr(cijfers);
    return Rechts(vorm, REAL_WIDTH);
}

std::string T(const char* tekst, std::size_t grootte) {
    return std::string(tekst, strnlen(tekst, grootte));
}

const char* SoortNaam(K::soortSR soort) {
    const auto i = static_cast<std::size_t>(soort);
    return i < std::size(SOORT_NAMEN) ? SOORT_NAMEN[i] : "object";
}

void SchrijfObject(std::string& out, const K::Object& o, int i) {
    const std::string naam = SoortNaam(o.soort) + C(static_cast<CARDINAL>(i), 3);
    Regel(out, "");
    Regel(out, "(* Alle gegevens van: " + naam + "*)");
    Regel(out, B(o.levend, 5));
    Regel(out, B(o.armoraan, 5));
    Regel(out, C(static_cast<CARDINAL>(o.soort), 5));
    Regel(out, I(o.levenspuntentot, 5));
    Regel(out, I(o.levenspuntentotbegin, 5));
    Regel(out, C(static_cast<CARDINAL>(o.soortbeweging), 5));
    Regel(out, C(static_cast<CARDINAL>(o.death), 5));
    Regel(out, R(o.x));
    Regel(out, R(o.y));
    Regel(out, R(o.vtot));
    Regel(out, I(o.grootte, 5));
    Regel(out, C(o.tekennummer, 5));
    Regel(out, " (* Wapens van " + naam + "*)");
    Regel(out, "");
    const K::Wapen& w = o.wapens;
    Regel(out, B(w.actief, 5));
    Regel(out, T(w.naamwapen, sizeof w.naamwapen));
    Regel(out, I(w.tijdtussenkogels, 5));
    Regel(out, I(w.volgendekogeltijd, 5));
    Regel(out, C(static_cast<CARDINAL>(w.inteligentie), 5));
    Regel(out, I(w.soortkogel.dammage, 5));
    Regel(out, R(w.soortkogel.vtot));
}

void SchrijfKogel(std::string& out, const K::Objectkogel& k, int i) {
    Regel(out, "(* kogel " + C(static_cast<CARDINAL>(i), 5) + "*)");
    for (REAL v : {k.x, k.y, k.vx, k.vy, k.fase})
        Regel(out, R(v));
    Regel(out, B(k.leven, 5));
    Regel(out, I(k.soortkogel.dammage, 5));
    Regel(out, R(k.soortkogel.vtot));
    Regel(out, "");
}

void Melding(const std::string& tekst) {
    std::cerr << tekst << std::endl;
}

} // namespace

// --- reading ---------------------------------------------------------------

bool Openen(const std::string& filename, Tekstbestand& f) {
    f = Tekstbestand{};
    f.naam = StandardLib::PlatformPath(filename);
    std::string reden;
    if (!StandardLib::ReadRegularFile(f.naam, MAX_FILE_SIZE, f.inhoud, &reden))
        f.fout = f.naam + ": " + reden;
    else if (f.inhoud.size() > MAX_FILE_SIZE)
        f.fout = f.naam + ": too large for a game file";
    return f.fout.empty();
}

Tekstbestand UitTekst(const std::string& naam, std::string inhoud) {
    Tekstbestand f;
    f.naam = naam;
    f.inhoud = std::move(inhoud);
    return f;
}

std::string Naam(const Veldnaam& wat) {
    if (!wat.rij) return wat.veld;
    return std::string(wat.rij) + "[" + std::to_string(wat.index) + "]." + wat.veld;
}

void Waarschuwing(Tekstbestand& f, CARDINAL regel, const std::string& tekst) {
    f.waarschuwingen.push_back(f.naam + ":" + std::to_string(regel) + ": warning: " + tekst);
}

bool stringlezer(Tekstbestand& f, char* string, std::size_t size) {
    std::memset(string, 0, size);
    if (!f.fout.empty()) return false;
    if (!AanRegelbegin(f) && !RegelAfmaken(f)) return false;
    const std::string& s = f.inhoud;
    if (f.pos >= s.size()) {
        Fout(f, f.regel, "the file ends early: a text line is missing");
        return false;
    }
    f.waarderegel = f.regel;
    std::size_t eind = f.pos;
    while (eind < s.size() && !IsLineEnd(s[eind]))
        ++eind;
    const std::size_t lengte = eind - f.pos;
    if (lengte + 1 > size) {
        Fout(f, f.regel,
             "text line of " + std::to_string(lengte) + " characters is longer than its field (" +
                 std::to_string(size - 1) + ")");
        return false;
    }
    std::memcpy(string, s.data() + f.pos, lengte);
    // Consume the line end's first character; a LF after a CR is skipped by
    // the next read, whatever it is.
    Verplaats(f, eind < s.size() ? eind + 1 : eind);
    return true;
}

CARDINAL LeesCardinal(Tekstbestand& f, CARDINAL max, Veldnaam wat) {
    std::string token;
    if (!Token(f, wat, token)) return 0;
    CARDINAL v = 0;
    if (!Geheel(token, v) || v > max) {
        Fout(f, f.waarderegel,
             Naam(wat) + ": expected a whole number from 0 to " + std::to_string(max) + ", found " +
                 Citaat(token));
        return 0;
    }
    return v;
}

INTEGER LeesInteger(Tekstbestand& f, Veldnaam wat) {
    std::string token;
    if (!Token(f, wat, token)) return 0;
    INTEGER v = 0;
    if (!Geheel(token, v)) {
        Fout(f, f.waarderegel, Naam(wat) + ": expected a whole number, found " + Citaat(token));
        return 0;
    }
    return v;
}

REAL LeesReal(Tekstbestand& f, Veldnaam wat) {
    std::string token;
    if (!Token(f, wat, token)) return 0;
    const REAL v = StandardLib::IsDecimalReal(token) ? std::strtof(token.c_str(), nullptr) : NAN;
    if (!std::isfinite(v)) {
        Fout(f, f.waarderegel,
             Naam(wat) + ": expected a finite real number, found " + Citaat(token));
        return 0;
    }
    return v;
}

bool LeesBoolean(Tekstbestand& f, Veldnaam wat) {
    std::string token;
    if (!Token(f, wat, token)) return false;
    if (token != "TRUE" && token != "FALSE")
        Waarschuwing(f, f.waarderegel, Naam(wat) + ": " + Citaat(token) + " reads as FALSE");
    return StandardLib::TokenToBool(token);
}

bool Leeslevel(Tekstbestand& f, Level& level) {
    Level kopie = level; // the target stays untouched unless the whole file reads
    LeesKop(f, kopie);
    for (int i = 0; i <= K::OBJECT_MAX && f.fout.empty(); ++i)
        LeesObject(f, kopie.objecten[i], i);
    char commentaar[COMMENT_LEN];
    for (int i = 0; i < 4; ++i)
        stringlezer(f, commentaar);
    for (int i = 1; i <= K::GESCHUT_MAX && f.fout.empty(); ++i)
        LeesKogel(f, kopie.geschut[i], i);
    if (!f.fout.empty()) return false;
    level = kopie;
    return true;
}

uint64_t Tekstcontrole(std::string_view tekst) {
    uint64_t h = 14695981039346656037ull;
    for (const unsigned char c : tekst)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

const Herkomst& LaatsteLevel() {
    return laatste;
}

bool Leeslevel(const std::string& filename, Level& level) {
    Tekstbestand f;
    const bool gelukt = Openen(filename, f) && Leeslevel(f, level);
    if (gelukt) laatste = {filename, Tekstcontrole(f.inhoud)};
    for (const std::string& w : f.waarschuwingen)
        Melding(w);
    if (!gelukt) Melding(f.fout + "; the file is not used.");
    return gelukt;
}

// --- writing -----------------------------------------------------------------

std::string Leveltekst(const Level& l) {
    std::string out;
    out.reserve(128 * 1024);
    Regel(out, "(* Alle gegevens van level: " + C(l.vordering, 2) + " *)");
    Regel(out, "");
    for (REAL v : {l.margerechts, l.margerelinks, l.margeboven, l.margeonder})
        Regel(out, R(v));
    Regel(out, I(l.time, 5));
    Regel(out, C(l.vordering, 5));
    Regel(out, I(l.punten, 5));
    Regel(out, C(l.aantalobjecten, 5));
    Regel(out, T(l.locatieachtergrond, sizeof l.locatieachtergrond));
    Regel(out, I(l.stats_kogels, 5));
    for (uint16_t v : {l.stats_tijd.wMilliseconds, l.stats_tijd.wSecond, l.stats_tijd.wMinute,
                       l.stats_tijd.wHour, l.stats_tijd.wDay})
        Regel(out, C(v, 10));
    Regel(out, B(l.Got_bonus, 3));
    for (int i = 0; i <= K::OBJECT_MAX; ++i)
        SchrijfObject(out, l.objecten[i], i);
    Regel(out, "");
    Regel(out, std::string(51, '*'));
    Regel(out, "Alle gegevens betreffende de kogels in het level");
    Regel(out, "");
    for (int i = 1; i <= K::GESCHUT_MAX; ++i)
        SchrijfKogel(out, l.geschut[i], i);
    return out;
}

bool Schrijflevel(const std::string& filename, const Level& level) {
    const Level kopie = level; // one consistent snapshot
    return SchrijfBestand(filename, Leveltekst(kopie));
}

bool SchrijfBestand(const std::string& filename, const std::string& inhoud) {
    return StandardLib::WriteGameFile(filename, inhoud);
}

// --- names ---------------------------------------------------------------------

void Add_StringtoString(CARDINAL& index, char* string1, std::size_t size1, const char* string2) {
    if (size1 == 0) return;
    if (index >= size1) index = static_cast<CARDINAL>(size1 - 1);
    const std::size_t ruimte = size1 - 1 - index;
    const std::size_t lengte = std::strlen(string2);
    const std::size_t n = lengte < ruimte ? lengte : ruimte;
    if (n < lengte) Melding("A name does not fit in its field and is cut: " + std::string(string2));
    std::memcpy(string1 + index, string2, n);
    index += static_cast<CARDINAL>(n);
    string1[index] = '\0';
}

void txtfile_arrays(const char* bronnaam, CARDINAL getal, locatie& file) {
    CARDINAL index = 0;
    Add_StringtoString(index, file, bronnaam);
    Add_StringtoString(index, file, std::to_string(getal).c_str());
    Add_StringtoString(index, file, ".txt");
}

void Bitmaps_arrays(const char* bronnaam, CARDINAL getal, locatie& bitmap, locatie& mask) {
    const std::string nummer = std::to_string(getal);
    CARDINAL index = 0;
    Add_StringtoString(index, bitmap, bronnaam);
    Add_StringtoString(index, bitmap, nummer.c_str());
    Add_StringtoString(index, bitmap, ".bmp");
    index = 0;
    Add_StringtoString(index, mask, bronnaam);
    Add_StringtoString(index, mask, nummer.c_str());
    Add_StringtoString(index, mask, "_mask.bmp");
}

} // namespace LevelCreator
