// The high-score table: "Highscores.txt", read, written and entered into.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <limits>
#include <sys/stat.h>

#include "LevelCreator.h"
#include "StandardLib.h"
#include "Time.h"

namespace LevelCreator {

namespace {

namespace K = Kolvemar_Constanten_en_Types;

constexpr std::size_t REGEL_LEN = 102;
constexpr CARDINAL MAX_TIJDVELD = std::numeric_limits<uint16_t>::max();

const char* const SCORE_VELDEN[9] = {"score", "milliseconds", "seconds", "minutes", "hours",
                                     "day",   "weekday",      "month",   "year"};

void Veld10(std::string& out, CARDINAL waarde) {
    char veld[16];
    std::snprintf(veld, sizeof veld, "%10u\r\n", waarde);
    out += veld;
}

// A damaged table is renamed out of the way before a fresh one replaces it,
// so that its scores can still be read or mended by hand. FALSE, with the
// reason in `melding`, when it has to stay where it is.
bool BewaarBeschadigd(const std::string& pad, std::string& melding) {
    const std::string bewaard = pad + ".damaged";
    if (std::rename(pad.c_str(), bewaard.c_str()) == 0) {
        melding += "; kept as \"" + bewaard + "\"";
        return true;
    }
    melding += "; it cannot be kept as \"" + bewaard + "\" (" + std::strerror(errno) +
               ") and is left as it is";
    return false;
}

// Reads the table; `vervangbaar` is FALSE when a damaged file could not be
// kept and must therefore not be overwritten.
bool LeesOfVervang(Highscores& Scores, const std::string& bestand, bool& vervangbaar) {
    Tekstbestand f;
    vervangbaar = true;
    if (Openen(bestand, f) && LeesHigscore(f, Scores)) return true;
    Scores = Highscores{};
    struct stat st {};
    if (::stat(f.naam.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR)) {
        std::cerr << "No high scores yet: a fresh table is made in \"" << f.naam << "\"."
                  << std::endl;
    } else {
        std::string melding = f.fout;
        vervangbaar = BewaarBeschadigd(f.naam, melding);
        std::cerr << melding << "; the high scores start again from an empty table." << std::endl;
    }
    if (vervangbaar) SchrijfHigscore(Scores, bestand);
    return false;
}

} // namespace

bool LeesHigscore(Tekstbestand& f, Highscores& Scores) {
    Highscores gelezen{};
    char regel[REGEL_LEN];
    stringlezer(f, regel);
    stringlezer(f, regel);
    for (K::Score& s : gelezen) {
        stringlezer(f, regel);
        CARDINAL v[9];
        for (int i = 0; i < 9; ++i)
            v[i] = LeesCardinal(f, i == 0 ? std::numeric_limits<CARDINAL>::max() : MAX_TIJDVELD,
                                SCORE_VELDEN[i]);
        s.punten = v[0];
        SYSTEMTIME& t = s.dag_behaald;
        uint16_t* velden[8] = {&t.wMilliseconds, &t.wSecond,    &t.wMinute, &t.wHour,
                               &t.wDay,          &t.wDayOfWeek, &t.wMonth,  &t.wYear};
        for (int i = 0; i < 8; ++i)
            *velden[i] = static_cast<uint16_t>(v[i + 1]);
    }
    if (!f.fout.empty()) return false;
    Scores = gelezen;
    return true;
}

bool LeesHigscore(Highscores& Scores, const std::string& bestand) {
    // A damaged table is replaced: a write that another game must not cross.
    bool vervangbaar = true, gelezen = false;
    StandardLib::Locked(bestand, [&] { gelezen = LeesOfVervang(Scores, bestand, vervangbaar); });
    return gelezen;
}

std::string Highscoretekst(const Highscores& Scores) {
    std::string out =
        "Dit zijn de Higscores van KolvemarTrovix\r\n" + std::string(40, '*') + "\r\n";
    for (const K::Score& s : Scores) {
        const SYSTEMTIME& t = s.dag_behaald;
        out += "\r\n";
        Veld10(out, s.punten);
        for (uint16_t v : {t.wMilliseconds, t.wSecond, t.wMinute, t.wHour, t.wDay, t.wDayOfWeek,
                           t.wMonth, t.wYear})
            Veld10(out, v);
    }
    return out;
}

bool SchrijfHigscore(const Highscores& Scores, const std::string& bestand) {
    return SchrijfBestand(bestand, Highscoretekst(Scores));
}

CARDINAL InvoegenScore(Highscores& Scores, CARDINAL nieuwepunten, const SYSTEMTIME& nu) {
    for (std::size_t k = 0; k < Scores.size(); ++k) {
        if (Scores[k].punten >= nieuwepunten) continue;
        std::copy_backward(Scores.begin() + k, Scores.end() - 1, Scores.end());
        Scores[k] = {nieuwepunten, nu};
        return static_cast<CARDINAL>(k + 1);
    }
    return 11;
}

CARDINAL Higscore(CARDINAL nieuwepunten, const std::string& bestand, bool* bewaard) {
    // One locked read-modify-write: two games ending at once both keep their
    // score, and the rank is the one in the table as written.
    CARDINAL rank = 11;
    bool geschreven = false;
    StandardLib::Locked(bestand, [&] {
        Highscores Scores;
        bool vervangbaar = true;
        LeesOfVervang(Scores, bestand, vervangbaar);
        rank = InvoegenScore(Scores, nieuwepunten, Time::GetLocalTime());
        geschreven = vervangbaar && SchrijfHigscore(Scores, bestand);
    });
    if (bewaard) *bewaard = geschreven;
    return rank;
}

} // namespace LevelCreator
