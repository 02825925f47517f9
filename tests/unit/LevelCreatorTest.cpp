#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "LevelCreator.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace L = LevelCreator;

namespace {

uint32_t Bits(float v) {
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

// A small deterministic source of awkward values.
struct Mixer {
    uint64_t state = 88172645463325252ull;
    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<uint32_t>(state >> 11);
    }
    float Real() {
        static const float special[] = {0.0f,     -0.0f,    FLT_MIN,   -FLT_MIN, FLT_MAX,
                                        -FLT_MAX, 1.4e-45f, -1.4e-45f, 1e-38f,   50.0f};
        const uint32_t pick = Next() % 20;
        if (pick < std::size(special)) return special[pick];
        float v;
        do {
            const uint32_t b = Next();
            std::memcpy(&v, &b, sizeof v);
        } while (!std::isfinite(v));
        return v;
    }
    int32_t Int() { return static_cast<int32_t>(Next()); }
    template <std::size_t N> void Text(char (&out)[N]) {
        std::memset(out, 0, N);
        const std::size_t len = Next() % N; // up to N - 1 characters
        for (std::size_t i = 0; i < len; ++i)
            out[i] = static_cast<char>('!' + Next() % 94);
    }
};

// Every stored field set; the fields the file does not hold carry markers.
K::Level AwkwardLevel() {
    Mixer m;
    K::Level l{};
    l.margerechts = m.Real();
    l.margerelinks = m.Real();
    l.margeboven = m.Real();
    l.margeonder = m.Real();
    l.time = m.Int();
    l.vordering = m.Next();
    l.punten = INT32_MIN;
    l.aantalobjecten = UINT32_MAX;
    m.Text(l.locatieachtergrond);
    l.stats_kogels = m.Int();
    l.stats_tijd = {2026, 12, 1, 65535, 23, 59, 59, 999};
    l.Got_bonus = true;
    for (int i = 0; i <= K::OBJECT_MAX; ++i) {
        K::Object& o = l.objecten[i];
        o.levend = m.Next() & 1;
        o.armoraan = m.Next() & 1;
        o.soort = static_cast<K::soortSR>(m.Next() % 5);
        o.levenspuntentot = m.Int();
        o.levenspuntentotbegin = m.Int();
        o.soortbeweging = static_cast<K::bewegingssoort>(m.Next() % 4); // steady kinds
        o.death = static_cast<K::doodsoort>(m.Next() % 7);
        o.x = m.Real();
        o.y = m.Real();
        o.vtot = m.Real();
        o.grootte = m.Int();
        o.tekennummer = m.Next() % 46;
        o.wapens.actief = m.Next() & 1;
        m.Text(o.wapens.naamwapen);
        o.wapens.tijdtussenkogels = m.Int();
        o.wapens.volgendekogeltijd = m.Int();
        o.wapens.inteligentie = static_cast<K::Inteligentie>(m.Next() % 6);
        o.wapens.soortkogel = {m.Int(), m.Real()};
    }
    for (int i = 1; i <= K::GESCHUT_MAX; ++i) {
        K::Objectkogel& k = l.geschut[i];
        k = {m.Real(), m.Real(),           m.Real(),           m.Real(),
             m.Real(), bool(m.Next() & 1), {m.Int(), m.Real()}};
    }
    return l;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find("\r\n", begin)) != std::string::npos; begin = end + 2)
        lines.push_back(text.substr(begin, end - begin));
    return lines;
}

bool Read(const std::string& text, K::Level& level, L::Tekstbestand* out = nullptr) {
    L::Tekstbestand f = L::UitTekst("t.txt", text);
    const bool ok = L::Leeslevel(f, level);
    if (out) *out = f;
    return ok;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t p = 0; (p = text.find(from, p)) != std::string::npos; p += to.size())
        text.replace(p, from.size(), to);
    return text;
}

// Sets line n (from 1) of a level text to `value`.
std::string WithLine(const std::string& text, std::size_t n, const std::string& value) {
    std::vector<std::string> lines = Lines(text);
    lines.at(n - 1) = value;
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::string TempPath(const std::string& name) {
    return testing::TempDir() + name;
}

} // namespace

TEST(LevelFile, EveryStoredFieldRoundTripsBitForBit) {
    const K::Level original = AwkwardLevel();
    const std::string text = L::Leveltekst(original);
    K::Level back{};
    back.objecten[7].vx = 3.5f; // not in the file: must survive the read
    back.objecten[7].laatstebotstijd = 0.25f;
    back.stats_tijd.wYear = 1999;
    ASSERT_TRUE(Read(text, back));
    EXPECT_EQ(L::Leveltekst(back), text);
    EXPECT_EQ(Bits(back.margerechts), Bits(original.margerechts));
    for (int i = 0; i <= K::OBJECT_MAX; ++i) {
        EXPECT_EQ(Bits(back.objecten[i].x), Bits(original.objecten[i].x)) << i;
        EXPECT_EQ(Bits(back.objecten[i].wapens.soortkogel.vtot),
                  Bits(original.objecten[i].wapens.soortkogel.vtot));
        EXPECT_STREQ(back.objecten[i].wapens.naamwapen, original.objecten[i].wapens.naamwapen);
    }
    for (int i = 1; i <= K::GESCHUT_MAX; ++i) {
        EXPECT_EQ(Bits(back.geschut[i].fase), Bits(original.geschut[i].fase)) << i;
        EXPECT_EQ(back.geschut[i].soortkogel.dammage, original.geschut[i].soortkogel.dammage);
    }
    EXPECT_STREQ(back.locatieachtergrond, original.locatieachtergrond);
    EXPECT_EQ(back.punten, INT32_MIN);
    EXPECT_EQ(back.stats_tijd.wDay, 65535);
    EXPECT_EQ(back.objecten[7].vx, 3.5f);
    EXPECT_EQ(back.objecten[7].laatstebotstijd, 0.25f);
    EXPECT_EQ(back.stats_tijd.wYear, 1999);
}

TEST(LevelFile, SpecialRealsKeepTheirBits) {
    K::Level l{};
    const float values[] = {-0.0f, 1.4e-45f, -FLT_MAX, FLT_MAX, FLT_MIN, 1e-40f, 0.1f, -123.456f};
    for (std::size_t i = 0; i < std::size(values); ++i)
        l.geschut[i + 1].vx = values[i];
    K::Level back{};
    ASSERT_TRUE(Read(L::Leveltekst(l), back));
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(Bits(back.geschut[i + 1].vx), Bits(values[i])) << values[i];
}

TEST(LevelFile, LayoutAndCommentLines) {
    K::Level l{};
    l.vordering = 7;
    l.objecten[0].soort = K::soortSR::speler;
    l.objecten[0].levend = true;
    l.objecten[53].soort = K::soortSR::leventot;
    l.margerechts = 50.0f;
    l.margerelinks = -0.0009765625f;
    l.margeboven = 0x1p70f;
    l.Got_bonus = true;
    l.stats_tijd.wMilliseconds = 7;
    const std::string text = L::Leveltekst(l);
    const std::vector<std::string> lines = Lines(text);
    ASSERT_EQ(lines.size(), 4425u);
    EXPECT_EQ(text.size(), text.find_last_of('\n') + 1);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4425);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 4425);
    EXPECT_EQ(lines[0], "(* Alle gegevens van level:  7 *)");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], " 5.00000000000000E+1");
    EXPECT_EQ(lines[3], "-9.76562500000000E-4");
    EXPECT_EQ(lines[4], " 1.18059162071741E+21");
    EXPECT_EQ(lines[5], " 0.00000000000000E+0");
    EXPECT_EQ(lines[12], "         7"); // C10 milliseconds
    EXPECT_EQ(lines[17], "TRUE");       // B3 never cut
    EXPECT_EQ(lines[19], "(* Alle gegevens van: speler  0*)");
    EXPECT_EQ(lines[20], " TRUE");
    EXPECT_EQ(lines[21], "FALSE");
    EXPECT_EQ(lines[18 + 12 * 23 + 14], " (* Wapens van monster 12*)");
    EXPECT_EQ(lines[18 + 53 * 23 + 1], "(* Alle gegevens van: leven2 53*)");
    EXPECT_EQ(lines[18 + 61 * 23 + 1], std::string(51, '*'));
    EXPECT_EQ(lines[18 + 61 * 23 + 2], "Alle gegevens betreffende de kogels in het level");
    EXPECT_EQ(lines[18 + 61 * 23 + 4], "(* kogel     1*)");
    EXPECT_EQ(lines[18 + 61 * 23 + 4 + 299 * 10], "(* kogel   300*)");
    l.vordering = 12;
    EXPECT_EQ(Lines(L::Leveltekst(l))[0], "(* Alle gegevens van level: 12 *)");
}

TEST(LevelFile, LineEndsOfAnyKindReadAlike) {
    const K::Level original = AwkwardLevel();
    const std::string text = L::Leveltekst(original);
    for (const std::string& ending : {std::string("\n"), std::string("\r")}) {
        K::Level back{};
        ASSERT_TRUE(Read(Replace(text, "\r\n", ending), back));
        EXPECT_EQ(L::Leveltekst(back), text);
    }
}

TEST(LevelFile, BlanksAfterAValueAreIgnored) {
    K::Level l{}; // empty text fields: every non-empty line is a value or a comment
    l.objecten[3].grootte = 17;
    const std::string text = L::Leveltekst(l);
    std::string padded;
    for (const std::string& line : Lines(text))
        padded += line + (line.empty() ? "" : " \t") + "\r\n";
    K::Level back{};
    ASSERT_TRUE(Read(padded, back));
    EXPECT_EQ(L::Leveltekst(back), text);
}

TEST(LevelFile, DamagedFilesAreRefusedWithFileAndLine) {
    K::Level l{};
    std::strcpy(l.locatieachtergrond, "images\\bg.bmp");
    const std::string good = L::Leveltekst(l);
    const struct {
        std::size_t line;
        std::string value;
        std::string message;
    } cases[] = {
        {18 + 5, "    5", "t.txt:23: objecten[0].soort: expected a whole number from 0 to 4"},
        {18 + 23 + 8, "6", "t.txt:49: objecten[1].soortbeweging"},
        {18 + 9, "7", "t.txt:27: objecten[0].death"},
        {18 + 21, "7", "t.txt:39: objecten[0].wapens.inteligentie"},
        {13, "65536", "t.txt:13: stats_tijd.wMilliseconds"},
        {11, std::string(51, 'x'), "t.txt:11: text line of 51 characters"},
        {18 + 18, std::string(31, 'w'), "t.txt:36: text line of 31 characters"},
        {2, std::string(102, '*'), "t.txt:2: text line of 102 characters"},
        {3, "nan", "t.txt:3: margerechts: expected a finite real"},
        {4, "1e39", "t.txt:4: margerelinks"},
        {5, "0x10", "t.txt:5: margeboven"},
        {7, "-2147483649", "t.txt:7: time: expected a whole number"},
        {8, "-1", "t.txt:8: vordering"},
        {10, "12 extra", "t.txt:10: unexpected text \"extra\" after the value"},
    };
    for (const auto& c : cases) {
        K::Level target{};
        target.punten = 4242;
        L::Tekstbestand f;
        EXPECT_FALSE(Read(WithLine(good, c.line, c.value), target, &f)) << c.message;
        EXPECT_EQ(f.fout.rfind(c.message, 0), 0u) << f.fout;
        EXPECT_EQ(target.punten, 4242) << "the target must stay untouched";
    }
}

TEST(LevelFile, ABackgroundOutsideTheDataFolderIsRefusedWithItsLine) {
    K::Level l{};
    const std::string good = L::Leveltekst(l);
    for (const char* outside : {"../../../../etc/passwd", "/etc/passwd", "\\etc\\passwd",
                                "images\\..\\..\\x.bmp", "..", "images/../../x.bmp"}) {
        L::Tekstbestand f;
        EXPECT_FALSE(Read(WithLine(good, 11, outside), l, &f)) << outside;
        EXPECT_EQ(f.fout.rfind("t.txt:11: locatieachtergrond: ", 0), 0u) << f.fout;
    }
    for (const char* inside :
         {"images\\Backgrounds\\level1.bmp", "a..b.bmp", "images/.x/..y.bmp", ""})
        EXPECT_TRUE(Read(WithLine(good, 11, inside), l)) << inside;
}

TEST(LevelFile, TruncatedOrGarbageFilesAreRefused) {
    const std::string good = L::Leveltekst(AwkwardLevel());
    for (std::size_t cut = 0; cut < good.size() - 2; cut += 997) {
        K::Level target{};
        L::Tekstbestand f;
        EXPECT_FALSE(Read(good.substr(0, cut), target, &f)) << cut;
        EXPECT_EQ(f.fout.rfind("t.txt:", 0), 0u) << f.fout;
    }
    K::Level target{};
    L::Tekstbestand f;
    EXPECT_FALSE(Read(std::string(5000, '\0'), target, &f));
    EXPECT_FALSE(Read(good.substr(0, good.size() - 2), target, &f)) << "last line missing";
    EXPECT_NE(f.fout.find("a text line is missing"), std::string::npos) << f.fout;
    EXPECT_TRUE(Read(good + "whatever follows", target)) << "anything after the end is ignored";
}

TEST(LevelFile, AbsurdValuesAreMendedOrKeptWithAWarning) {
    K::Level l{};
    l.objecten[2].soortbeweging = K::bewegingssoort::type4;
    l.objecten[2].vtot = -3.0f;
    l.objecten[3].soortbeweging = K::bewegingssoort::type5;
    l.objecten[3].vtot = 1e30f;
    l.objecten[4].soortbeweging = K::bewegingssoort::type2;
    l.objecten[4].vtot = -3.0f; // a patrol's sign is its direction
    l.objecten[5].wapens.inteligentie = K::Inteligentie::lukraak;
    l.objecten[5].wapens.soortkogel.vtot = -5.0f;
    l.objecten[6].tekennummer = 99;
    l.geschut[1].soortkogel.dammage = -4;
    K::Level back{};
    L::Tekstbestand f;
    ASSERT_TRUE(Read(L::Leveltekst(l), back, &f)) << f.fout;
    EXPECT_EQ(back.objecten[2].vtot, 3.0f);
    EXPECT_EQ(back.objecten[3].vtot, L::MAX_RANDOM_SPEED);
    EXPECT_EQ(back.objecten[4].vtot, -3.0f);
    EXPECT_EQ(back.objecten[5].wapens.soortkogel.vtot, 5.0f);
    EXPECT_EQ(back.objecten[6].tekennummer, 99u);
    EXPECT_EQ(back.geschut[1].soortkogel.dammage, -4);
    ASSERT_EQ(f.waarschuwingen.size(), 4u);
    EXPECT_EQ(f.waarschuwingen[0],
              "t.txt:76: warning: objecten[2].vtot is negative; its absolute value is used");
    EXPECT_NE(f.waarschuwingen[3].find("objecten[6].tekennummer 99 has no picture"),
              std::string::npos);
}

TEST(LevelFile, BooleansOtherThanTrueReadAsFalse) {
    K::Level l{};
    l.objecten[0].levend = true;
    K::Level back{};
    L::Tekstbestand f;
    ASSERT_TRUE(Read(WithLine(L::Leveltekst(l), 18 + 3, "true"), back, &f));
    EXPECT_FALSE(back.objecten[0].levend);
    ASSERT_EQ(f.waarschuwingen.size(), 1u);
    EXPECT_EQ(f.waarschuwingen[0],
              "t.txt:21: warning: objecten[0].levend: \"true\" reads as FALSE");
}

TEST(LevelFile, WritesAtomicallyThroughBackslashPaths) {
    namespace fs = std::filesystem;
    const fs::path dir = TempPath("levels-atomic");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string name = dir.string() + "\\save1.txt"; // the game's own spelling
    K::Level l = AwkwardLevel();
    ASSERT_TRUE(L::Schrijflevel(name, l));
    l.punten = 99;
    ASSERT_TRUE(L::Schrijflevel(name, l)); // replaces
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1)
        << "no temporary file is left behind";
    std::ifstream in(dir / "save1.txt", std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bytes.str(), L::Leveltekst(l));
    K::Level back{};
    ASSERT_TRUE(L::Leeslevel(name, back));
    EXPECT_EQ(back.punten, 99);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(L::Schrijflevel(dir.string() + "/missing-folder/save2.txt", l));
    K::Level untouched{};
    untouched.punten = 5;
    EXPECT_FALSE(L::Leeslevel(dir.string() + "\\save3.txt", untouched));
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("missing-folder/save2.txt"), std::string::npos) << messages;
    EXPECT_NE(messages.find("save3.txt: cannot be opened"), std::string::npos) << messages;
    EXPECT_EQ(untouched.punten, 5);
}

TEST(FileNames, BuildersAppendStemNumberAndEnding) {
    K::locatie file;
    L::txtfile_arrays("levels\\level", 10, file);
    EXPECT_STREQ(file, "levels\\level10.txt");
    K::locatie bitmap, mask;
    L::Bitmaps_arrays("images\\nummers\\", 3, bitmap, mask);
    EXPECT_STREQ(bitmap, "images\\nummers\\3.bmp");
    EXPECT_STREQ(mask, "images\\nummers\\3_mask.bmp");

    char target[8];
    std::memset(target, 'z', sizeof target);
    L::CARDINAL index = 0;
    L::Add_StringtoString(index, target, "ab");
    EXPECT_EQ(index, 2u);
    L::Add_StringtoString(index, target, "cd");
    EXPECT_STREQ(target, "abcd");
    EXPECT_EQ(index, 4u);

    struct {
        char name[8];
        char guard[4];
    } cut;
    std::memset(&cut, 'g', sizeof cut);
    index = 0;
    testing::internal::CaptureStderr();
    L::Add_StringtoString(index, cut.name, "much too long for eight");
    testing::internal::GetCapturedStderr();
    EXPECT_STREQ(cut.name, "much to");
    EXPECT_EQ(index, 7u);
    EXPECT_EQ(std::string(cut.guard, 4), "gggg");
}
