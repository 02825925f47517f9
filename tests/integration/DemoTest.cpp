// Demos: a recorded game replays to the same frames and end state; a changed
// level, another version, a truncated or damaged demo are refused by name;
// a replay that strays names the first frame and field.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Demo.h"
#include "Kolvemar_Menu.h"
#include "LevelCreator.h"
#include "SpelFixture.h"

using namespace spelproef;

namespace {

constexpr const char* LEVELBESTAND = "levels/demo.txt";
constexpr const char* DEMO = "proef.ktdemo";

// Monsters that steer and aim on the clock-mixed random numbers.
K::Level Ontwerp() {
    K::Level l = LeegLevel();
    l.Got_bonus = false;
    for (int i = 1; i <= 8; ++i) {
        K::Object& m = Monster(l, i, 60.0f + 35 * i, 90.0f + 20 * (i % 4), 30);
        m.soortbeweging = i % 2 ? K::bewegingssoort::type4 : K::bewegingssoort::type5;
        m.vtot = 1.5f;
        m.wapens =
            K::Wapen{true, "geweer", 12 + i, 1005 + i, K::Inteligentie::lukraak, K::Kogel{3, 5.0f}};
    }
    return l;
}

std::vector<Invoer> Script(K::INTEGER t) {
    return {{t, Soort::muis, 120, 90},       {t, Soort::knop_neer, 120, 90},
            {t + 5, Soort::toets_neer, 'E'}, {t + 25, Soort::toets_op, 'E'},
            {t + 30, Soort::muis, 300, 320}, {t + 60, Soort::knop_op},
            {t + 90, Soort::toets_neer, 'Q'}};
}

std::string Bestand(const std::string& naam) {
    std::ostringstream s;
    s << std::ifstream(naam, std::ios::binary).rdbuf();
    return s.str();
}

void Schrijf(const std::string& naam, const std::string& inhoud) {
    std::ofstream(naam, std::ios::binary) << inhoud;
}

// Plays the replay and returns its status with what it printed.
int Afspelen(std::string& uitvoer) {
    testing::internal::CaptureStdout();
    const int status = Demo::Afspelen(DEMO, true);
    uitvoer = testing::internal::GetCapturedStdout();
    return status;
}

class DemoTest : public testing::Test {
  protected:
    void SetUp() override {
        Opstarten();
        Kolvemar_Menu::tutorial = false;
        Kolvemar_Menu::autosave = false;
        Kolvemar_Menu::difficultyLevel = 3;
        ASSERT_TRUE(LevelCreator::Schrijflevel(LEVELBESTAND, Ontwerp()));
        K::Level l{};
        ASSERT_TRUE(LevelCreator::Leeslevel(LEVELBESTAND, l));
        Demo::Opnemen(DEMO);
        Speel(l, Script(l.time));
        Demo::Opnemen("");
        gespeeld = l;
        tekst = Bestand(DEMO);
        ASSERT_TRUE(Demo::Lees(DEMO, tekst, opnames, fout)) << fout;
        ASSERT_EQ(opnames.size(), 1u);
    }
    K::Level gespeeld{};
    std::string tekst, fout, uitvoer;
    std::vector<Demo::Opname> opnames;
};

TEST_F(DemoTest, ARecordedGameReplaysFrameForFrameToTheSameEnd) {
    const Demo::Opname& o = opnames[0];
    EXPECT_EQ(o.naam, LEVELBESTAND);
    EXPECT_EQ(o.moeilijkheid, 3u);
    EXPECT_GT(o.frames.size(), 80u);
    EXPECT_GT(o.lezingen.size(), o.frames.size()) << "the random numbers' clock readings too";
    EXPECT_TRUE(o.frames[10].opdracht.fire);
    EXPECT_EQ(o.einde, Demo::Eindstandvan(gespeeld, K::next_action::afsluiten));
    EXPECT_EQ(Demo::Tekst(opnames), tekst) << "every command record read back as written";
    EXPECT_EQ(Afspelen(uitvoer), 0) << uitvoer;
    EXPECT_NE(uitvoer.find(Demo::Regel(LEVELBESTAND, o.einde)), std::string::npos) << uitvoer;
    EXPECT_NE(uitvoer.find(std::to_string(o.frames.size()) + " frames, "), std::string::npos);
}

TEST_F(DemoTest, AReplayThatStraysNamesTheFirstFrameAndField) {
    opnames[0].frames[40].stand.punten += 1;
    opnames[0].frames[50].stand.leven += 1;
    Schrijf(DEMO, Demo::Tekst(opnames));
    EXPECT_EQ(Afspelen(uitvoer), 1);
    const int32_t score = opnames[0].frames[40].stand.punten;
    EXPECT_NE(uitvoer.find("differs from the demo: frame 41: score is " +
                           std::to_string(score - 1) + ", recorded " + std::to_string(score)),
              std::string::npos)
        << uitvoer;
}

TEST_F(DemoTest, AChangedLevelFileIsRefused) {
    Schrijf(LEVELBESTAND, Bestand(LEVELBESTAND) + "\r\n");
    EXPECT_EQ(Afspelen(uitvoer), 1);
    EXPECT_EQ(uitvoer, std::string(DEMO) + ": the level file " + LEVELBESTAND +
                           " has changed since the demo was recorded\n");
}

TEST_F(DemoTest, AGameFromASaveSlotReplaysWhateverTheSlotHoldsNow) {
    opnames[0].naam = "levels\\save3.txt"; // none written: the record in the demo is all
    Schrijf(DEMO, Demo::Tekst(opnames));
    EXPECT_EQ(Afspelen(uitvoer), 0) << uitvoer;
}

TEST_F(DemoTest, AnotherVersionATruncatedOrDamagedDemoIsRefusedByName) {
    std::string ander = tekst;
    ander[6] = 2; // the version, right after the magic
    EXPECT_FALSE(Demo::Lees(DEMO, ander, opnames, fout));
    EXPECT_EQ(fout, std::string(DEMO) + ": a demo of version 2; this game plays version 1");
    for (std::size_t lengte :
         {std::size_t{3}, std::size_t{9}, tekst.size() / 2, tekst.size() - 1}) {
        EXPECT_FALSE(Demo::Lees(DEMO, tekst.substr(0, lengte), opnames, fout));
        EXPECT_TRUE(fout.starts_with(std::string(DEMO) + ": ")) << fout;
        EXPECT_TRUE(opnames.empty());
    }
    EXPECT_EQ(fout.find("damaged demo (truncated at byte"), std::string(DEMO).size() + 2) << fout;
    Schrijf(DEMO, tekst.substr(0, tekst.size() / 2));
    EXPECT_EQ(Afspelen(uitvoer), 1);
    EXPECT_TRUE(uitvoer.starts_with(std::string(DEMO) + ": damaged demo (truncated")) << uitvoer;
    EXPECT_FALSE(Demo::Lees(DEMO, tekst + "x", opnames, fout));
    EXPECT_NE(fout.find("bytes after the last level"), std::string::npos);
}

} // namespace
