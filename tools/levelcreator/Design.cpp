// build: turns a readable level design (docs/level-design.md) into a level file.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Commands.h"
#include "LevelCreator.h"
#include "StandardLib.h"

namespace {

namespace K = Kolvemar_Constanten_en_Types;

struct Name {
    const char* name;
    int value;
};

const Name KINDS[] = {{"monster", 0}, {"player", 1},  {"speler", 1}, {"armor", 2},
                      {"armour", 2},  {"life", 3},    {"leven", 3},  {"maxlife", 4},
                      {"leven2", 4},  {"leventot", 4}};
const Name MOVES[] = {{"still", 0},    {"stil", 0},  {"chase", 1},    {"type1", 1},
                      {"patrol-x", 2}, {"type2", 2}, {"patrol-y", 3}, {"type3", 3},
                      {"random", 4},   {"type4", 4}, {"random30", 5}, {"type5", 5}};
const Name DEATHS[] = {{"none", 0},   {"niets", 0},   {"spawn", 1},
                       {"spawen", 1}, {"explode", 4}, {"explosion", 4}};
const Name AIMS[] = {{"horizontal", 0},
                     {"horizontaal", 0},
                     {"vertical", 1},
                     {"vertikaal", 1},
                     {"axes", 2},
                     {"volgens_assen", 2},
                     {"diagonals", 3},
                     {"volgens_absissen", 3},
                     {"axes-and-diagonals", 4},
                     {"volgens_assen_en_absissen", 4},
                     {"player", 5},
                     {"naar_speler", 5},
                     {"random", 6},
                     {"lukraak", 6}};
const Name BOOLS[] = {{"yes", 1}, {"no", 0}, {"true", 1}, {"false", 0}};

constexpr int FIRST_PICKUP = 51;

struct Design {
    std::string file;
    int line = 0;
    bool ok = true;
    K::Level level{};
    bool defined[K::OBJECT_MAX + 1] = {};
    bool hasX[K::OBJECT_MAX + 1] = {};
    bool hasY[K::OBJECT_MAX + 1] = {};
    int startLine[K::OBJECT_MAX + 1] = {};
    std::vector<int> targets; // the slots the current section writes
    int parent = -1;          // the spawner whose children are being written
    bool objectsGiven = false;
};

void Problem(Design& d, const std::string& message) {
    std::cout << d.file << ":" << d.line << ": " << message << "\n";
    d.ok = false;
}

bool Lookup(Design& d, const Name* begin, const Name* end, std::string value, int& out) {
    std::transform(value.begin(), value.end(), value.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    const auto it = std::find_if(begin, end, [&](const Name& n) { return value == n.name; });
    if (it == end) {
        std::string known;
        for (const Name* n = begin; n != end; ++n)
            known += std::string(known.empty() ? "" : ", ") + n->name;
        Problem(d, "\"" + value + "\" is not one of: " + known);
        return false;
    }
    out = it->value;
    return true;
}

template <std::size_t N>
bool Pick(Design& d, const Name (&names)[N], const std::string& v, int& out) {
    return Lookup(d, names, names + N, v, out);
}

template <typename T> bool Whole(Design& d, const std::string& v, T& out) {
    const auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), out);
    if (ec == std::errc() && ptr == v.data() + v.size()) return true;
    Problem(d, "\"" + v + "\" is not a whole number in range");
    return false;
}

bool Real(Design& d, const std::string& v, K::REAL& out) {
    if (StandardLib::IsDecimalReal(v)) {
        out = std::strtof(v.c_str(), nullptr);
        if (std::isfinite(out)) return true;
    }
    Problem(d, "\"" + v + "\" is not a finite decimal number");
    return false;
}

template <std::size_t N> bool Text(Design& d, const std::string& v, char (&out)[N]) {
    if (v.size() >= N) {
        Problem(d, "text longer than " + std::to_string(N - 1) + " characters");
        return false;
    }
    std::memset(out, 0, N);
    std::memcpy(out, v.data(), v.size());
    return true;
}

template <typename E, std::size_t N>
void Enum(Design& d, const Name (&names)[N], const std::string& v, E& out) {
    int value = 0;
    if (Pick(d, names, v, value)) out = static_cast<E>(value);
}

void Bool(Design& d, const std::string& v, bool& out) {
    int value = 0;
    if (Pick(d, BOOLS, v, value)) out = value != 0;
}

K::soortSR KindOfSlot(int i) {
    if (i == 0) return K::soortSR::speler;
    if (i == FIRST_PICKUP) return K::soortSR::armor;
    if (i == FIRST_PICKUP + 2) return K::soortSR::leventot;
    return i > FIRST_PICKUP ? K::soortSR::leven : K::soortSR::monster;
}

K::CARDINAL PictureOfKind(K::soortSR kind) {
    switch (kind) {
    case K::soortSR::armor:
        return 36;
    case K::soortSR::leven:
        return 37;
    case K::soortSR::leventot:
        return 38;
    default:
        return 0;
    }
}

K::Object DefaultObject(int i) {
    K::Object o{};
    o.levend = true;
    o.soort = KindOfSlot(i);
    o.levenspuntentot = o.levenspuntentotbegin = i == 0 ? 100 : 10;
    o.grootte = 20;
    o.tekennummer = PictureOfKind(o.soort);
    o.wapens.tijdtussenkogels = 30;
    o.wapens.inteligentie = K::Inteligentie::naar_speler;
    o.wapens.soortkogel = {10, 10.0f};
    return o;
}

// Applies one key of an object section to one slot; false for unknown keys.
bool ObjectKey(Design& d, int i, const std::string& key, const std::string& v) {
    K::Object& o = d.level.objecten[i];
    K::Wapen& w = o.wapens;
    if (key == "kind") {
        const K::soortSR old = o.soort;
        Enum(d, KINDS, v, o.soort);
        if (o.tekennummer == PictureOfKind(old)) o.tekennummer = PictureOfKind(o.soort);
    } else if (key == "alive")
        Bool(d, v, o.levend);
    else if (key == "armour" || key == "armor")
        Bool(d, v, o.armoraan);
    else if (key == "life") {
        if (Whole(d, v, o.levenspuntentot)) o.levenspuntentotbegin = o.levenspuntentot;
    } else if (key == "max-life")
        Whole(d, v, o.levenspuntentotbegin);
    else if (key == "move")
        Enum(d, MOVES, v, o.soortbeweging);
    else if (key == "death")
        Enum(d, DEATHS, v, o.death);
    else if (key == "x")
        d.hasX[i] = Real(d, v, o.x);
    else if (key == "y")
        d.hasY[i] = Real(d, v, o.y);
    else if (key == "speed")
        Real(d, v, o.vtot);
    else if (key == "radius")
        Whole(d, v, o.grootte);
    else if (key == "picture")
        Whole(d, v, o.tekennummer);
    else if (key == "weapon")
        w.actief = Text(d, v, w.naamwapen);
    else if (key == "weapon-active")
        Bool(d, v, w.actief);
    else if (key == "fire-interval")
        Whole(d, v, w.tijdtussenkogels);
    else if (key == "next-shot")
        Whole(d, v, w.volgendekogeltijd);
    else if (key == "aim")
        Enum(d, AIMS, v, w.inteligentie);
    else if (key == "damage")
        Whole(d, v, w.soortkogel.dammage);
    else if (key == "bullet-speed")
        Real(d, v, w.soortkogel.vtot);
    else
        return false;
    return true;
}

bool HeaderKey(Design& d, const std::string& key, const std::string& v) {
    K::Level& l = d.level;
    if (key == "level")
        Whole(d, v, l.vordering);
    else if (key == "background") {
        if (Text(d, v, l.locatieachtergrond) && !StandardLib::StaysInside(v))
            Problem(d, "the background must be a picture in the game's data folder");
    } else if (key == "margin-left")
        Real(d, v, l.margerelinks);
    else if (key == "margin-right")
        Real(d, v, l.margerechts);
    else if (key == "margin-top")
        Real(d, v, l.margeboven);
    else if (key == "margin-bottom")
        Real(d, v, l.margeonder);
    else if (key == "margins") {
        if (Real(d, v, l.margerelinks))
            l.margerechts = l.margeboven = l.margeonder = l.margerelinks;
    } else if (key == "time")
        Whole(d, v, l.time);
    else if (key == "score")
        Whole(d, v, l.punten);
    else if (key == "objects")
        d.objectsGiven = Whole(d, v, l.aantalobjecten);
    else if (key == "bullets-fired")
        Whole(d, v, l.stats_kogels);
    else if (key == "bonus-drawn")
        Bool(d, v, l.Got_bonus);
    else
        return false;
    return true;
}

void Claim(Design& d, int slot) {
    if (d.defined[slot]) Problem(d, "object " + std::to_string(slot) + " is defined twice");
    d.defined[slot] = true;
}

void StartObject(Design& d, const std::string& v) {
    int slot = 0;
    if (!Whole(d, v, slot)) return;
    if (slot < 0 || slot > K::OBJECT_MAX) return Problem(d, "object slots run from 0 to 60");
    Claim(d, slot);
    d.startLine[slot] = d.line;
    d.level.objecten[slot] = DefaultObject(slot);
    d.targets = {slot};
    d.parent = -1;
}

void StartChildren(Design& d) {
    if (d.targets.size() != 1 || d.level.objecten[d.targets[0]].death != K::doodsoort::spawen)
        return Problem(d, "\"children\" must follow an object with \"death spawn\"");
    const int parent = d.targets[0];
    if (parent + 4 > K::OBJECT_MAX) return Problem(d, "a spawner needs four free slots after it");
    d.targets.clear();
    for (int c = parent + 1; c <= parent + 4; ++c) {
        Claim(d, c);
        K::Object& child = d.level.objecten[c];
        child = d.level.objecten[parent];
        child.levend = false; // dormant until the spawner dies
        child.death = K::doodsoort::niets;
        d.hasX[c] = d.hasY[c] = true;
        d.targets.push_back(c);
    }
    d.parent = parent;
}

void Line(Design& d, const std::string& key, const std::string& value) {
    if (key == "player") return StartObject(d, "0");
    if (key == "object") return StartObject(d, value);
    if (key == "children") return StartChildren(d);
    if (d.targets.empty()) {
        if (!HeaderKey(d, key, value)) Problem(d, "unknown header key \"" + key + "\"");
        return;
    }
    for (int slot : d.targets)
        if (!ObjectKey(d, slot, key, value))
            return Problem(d, "unknown object key \"" + key + "\"");
}

// Splits "key value..." and drops a comment: '#' at the start or after a blank.
bool SplitLine(std::string text, std::string& key, std::string& value) {
    for (std::size_t p = text.find('#'); p != std::string::npos; p = text.find('#', p + 1))
        if (p == 0 || text[p - 1] == ' ' || text[p - 1] == '\t') {
            text.erase(p);
            break;
        }
    const char* blanks = " \t\r";
    const std::size_t begin = text.find_first_not_of(blanks);
    if (begin == std::string::npos) return false;
    const std::size_t end = text.find_last_not_of(blanks);
    text = text.substr(begin, end - begin + 1);
    const std::size_t split = text.find_first_of(" \t");
    key = text.substr(0, split);
    value = split == std::string::npos ? "" : text.substr(text.find_first_not_of(" \t", split));
    return true;
}

void Finish(Design& d) {
    K::CARDINAL count = 0;
    for (int i = 0; i <= K::OBJECT_MAX; ++i) {
        if (!d.defined[i]) {
            d.level.objecten[i].soort = KindOfSlot(i);
            continue;
        }
        count += i > 0;
        d.line = d.startLine[i];
        if (!d.hasX[i] || !d.hasY[i])
            Problem(d, "object " + std::to_string(i) + " needs both \"x\" and \"y\"");
    }
    if (!d.objectsGiven) d.level.aantalobjecten = count;
}

} // namespace

int Build(const Arguments& paths) {
    Design d;
    d.file = paths[0];
    d.level.vordering = 1;
    d.level.margerechts = d.level.margerelinks = d.level.margeboven = d.level.margeonder = 40;
    std::ifstream in(StandardLib::PlatformPath(paths[0]), std::ios::binary);
    if (!in) {
        std::cout << paths[0] << ": cannot be opened\n";
        return 1;
    }
    std::string text, key, value;
    while (std::getline(in, text)) {
        ++d.line;
        if (SplitLine(text, key, value)) Line(d, key, value);
    }
    Finish(d);
    if (!d.ok || !LevelCreator::Schrijflevel(paths[1], d.level)) return 1;
    // Read the result back, so that the game's own rules have the last word.
    LevelCreator::Tekstbestand f;
    const bool ok = LevelCreator::Openen(paths[1], f) && LevelCreator::Leeslevel(f, d.level);
    for (const std::string& w : f.waarschuwingen)
        std::cout << w << "\n";
    if (!ok) std::cout << f.fout << "\n";
    return ok ? 0 : 1;
}
