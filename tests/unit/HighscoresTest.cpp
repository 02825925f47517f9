#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/wait.h>
#include <unistd.h>

#include "Kolvemar_Menu.h"
#include "LevelCreator.h"
#include "StandardLib.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace KM = Kolvemar_Menu;
namespace LC = LevelCreator;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class HighscoreFile : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::path(testing::TempDir()) /
              ("hs_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "Highscores.txt").string();
    }
    void TearDown() override { fs::remove_all(dir); }

    LC::Highscores Table(std::initializer_list<uint32_t> punten) {
        LC::Highscores t{};
        std::size_t k = 0;
        for (uint32_t p : punten) {
            t[k].punten = p;
            t[k].dag_behaald = {uint16_t(2020 + k), 5, uint16_t(k % 7), 17, 13, 45, 30, 250};
            ++k;
        }
        return t;
    }

    fs::path dir;
    std::string file;
};

SYSTEMTIME Stamp() {
    return {2026, 12, 1, 7, 6, 30, 59, 999};
}

bool SameEntry(const K::Score& a, const K::Score& b) {
    const SYSTEMTIME &x = a.dag_behaald, &y = b.dag_behaald;
    return a.punten == b.punten && x.wYear == y.wYear && x.wMonth == y.wMonth &&
           x.wDayOfWeek == y.wDayOfWeek && x.wDay == y.wDay && x.wHour == y.wHour &&
           x.wMinute == y.wMinute && x.wSecond == y.wSecond && x.wMilliseconds == y.wMilliseconds;
}

} // namespace

TEST_F(HighscoreFile, LayoutIs102CrLfLinesOf1184Bytes) {
    LC::Highscores t = Table({4294967295u, 500});
    t[0].dag_behaald = {65535, 12, 6, 31, 23, 59, 58, 65535};
    ASSERT_TRUE(LC::SchrijfHigscore(t, file));
    const std::string text = ReadAll(file);
    EXPECT_EQ(text.size(), 1184u);
    std::size_t crlf = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        crlf += text[i] == '\r' && text[i + 1] == '\n';
    EXPECT_EQ(crlf, 102u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 102);
    const std::string head = "Dit zijn de Higscores van KolvemarTrovix\r\n" + std::string(40, '*') +
                             "\r\n\r\n4294967295\r\n     65535\r\n" +
                             "        58\r\n        59\r\n        23\r\n        31\r\n" +
                             "         6\r\n        12\r\n     65535\r\n\r\n       500\r\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1); // no temporary left
}

TEST_F(HighscoreFile, WrittenTableReadsBackEntryForEntry) {
    const LC::Highscores t = Table({900, 800, 700, 600, 500, 400, 300, 200, 100, 1});
    ASSERT_TRUE(LC::SchrijfHigscore(t, file));
    LC::Highscores back{};
    ASSERT_TRUE(LC::LeesHigscore(back, file));
    for (std::size_t k = 0; k < 10; ++k)
        EXPECT_TRUE(SameEntry(back[k], t[k])) << "rank " << k + 1;
}

TEST(Highscores, TiesGoBelowTheOlderEntriesAndTheTenthDropsOut) {
    LC::Highscores t{};
    const uint32_t punten[] = {500, 400, 400, 300};
    for (std::size_t k = 0; k < 4; ++k)
        t[k].punten = punten[k];
    t[9].punten = 0;
    EXPECT_EQ(LC::InvoegenScore(t, 400, Stamp()), 4u);
    EXPECT_EQ(t[3].punten, 400u);
    EXPECT_EQ(t[3].dag_behaald.wYear, 2026);
    EXPECT_EQ(t[4].punten, 300u);
    EXPECT_EQ(t[1].dag_behaald.wYear, 0); // the older 400s keep their places

    LC::Highscores full{};
    for (std::size_t k = 0; k < 10; ++k)
        full[k].punten = 100 - uint32_t(k);
    EXPECT_EQ(LC::InvoegenScore(full, 91, Stamp()), 11u); // equal to the tenth
    EXPECT_EQ(LC::InvoegenScore(full, 101, Stamp()), 1u);
    EXPECT_EQ(full[9].punten, 92u); // 91 fell out
    LC::Highscores empty{};
    EXPECT_EQ(LC::InvoegenScore(empty, 0, Stamp()), 11u); // 0 never enters
}

TEST_F(HighscoreFile, HigscoreRewritesTheFileEvenWhenTheScoreMissesIt) {
    ASSERT_TRUE(LC::SchrijfHigscore(Table({50, 40, 30, 20, 10, 9, 8, 7, 6, 5}), file));
    const std::string before = ReadAll(file);
    const auto stamp = fs::last_write_time(file);
    fs::last_write_time(file, stamp - std::chrono::hours(1));
    EXPECT_EQ(LC::Higscore(5, file), 11u);
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_GT(fs::last_write_time(file), stamp - std::chrono::hours(1));

    EXPECT_EQ(LC::Higscore(45, file), 2u);
    LC::Highscores back{};
    ASSERT_TRUE(LC::LeesHigscore(back, file));
    EXPECT_EQ(back[1].punten, 45u);
    EXPECT_EQ(back[9].punten, 6u);
    EXPECT_NE(back[1].dag_behaald.wYear, 0); // stamped with the time now
}

TEST_F(HighscoreFile, MissingOrDamagedFileStartsEmptyAndIsRepaired) {
    const std::string good = [&] {
        LC::SchrijfHigscore(Table({9, 8, 7}), file);
        return ReadAll(file);
    }();
    const std::string damaged[] = {
        "",                                              // empty
        good.substr(0, 600),                             // truncated
        std::string(good).replace(86, 10, "   12x45  "), // not a number
        std::string(good).replace(98, 10, "     65536"), // a time field out of range
        std::string(5000, 'A')};                         // garbage
    for (const std::string& inhoud : damaged) {
        std::ofstream(file, std::ios::binary) << inhoud;
        LC::Highscores t = Table({1, 2, 3});
        testing::internal::CaptureStderr();
        EXPECT_FALSE(LC::LeesHigscore(t, file));
        const std::string console = testing::internal::GetCapturedStderr();
        for (const K::Score& s : t)
            EXPECT_TRUE(SameEntry(s, K::Score{}));
        EXPECT_EQ(ReadAll(file).size(), 1184u);
        // The damaged bytes are kept beside it, replacing an older copy.
        EXPECT_EQ(ReadAll(file + ".damaged"), inhoud);
        EXPECT_NE(console.find(file + ":"), std::string::npos) << console;
        EXPECT_NE(console.find("\"" + file + ".damaged\""), std::string::npos) << console;
        LC::Highscores again{};
        EXPECT_TRUE(LC::LeesHigscore(again, file));
    }
    fs::remove(file);
    fs::remove(file + ".damaged");
    bool bewaard = false;
    EXPECT_EQ(LC::Higscore(77, file, &bewaard), 1u); // a missing file does not stop a game's end
    EXPECT_TRUE(bewaard);
    EXPECT_EQ(ReadAll(file).size(), 1184u);
    EXPECT_FALSE(fs::exists(file + ".damaged")); // nothing to keep
}

TEST_F(HighscoreFile, ATableThatCannotBeWrittenIsNotClaimedAsKept) {
    bool bewaard = true;
    EXPECT_EQ(LC::Higscore(77, (dir / "no such folder" / "Highscores.txt"), &bewaard), 1u);
    EXPECT_FALSE(bewaard);
    // A damaged table that cannot be put aside stays as it is.
    std::ofstream(file, std::ios::binary) << "damaged";
    fs::create_directories(file + ".damaged/in the way");
    LC::Highscores t = Table({1});
    EXPECT_FALSE(LC::LeesHigscore(t, file));
    bewaard = true;
    EXPECT_EQ(LC::Higscore(77, file, &bewaard), 1u);
    EXPECT_FALSE(bewaard);
    EXPECT_EQ(ReadAll(file), "damaged");
}

TEST_F(HighscoreFile, AFreshTableIsMadeInThePlayersFolderOnFirstUse) {
    const fs::path player = dir / "home" / "kolvemar-trovix";
    StandardLib::SetFolders("", player.string());
    testing::internal::CaptureStderr();
    LC::Highscores t = Table({5});
    LC::LeesHigscore(t);
    const std::string said = testing::internal::GetCapturedStderr();
    StandardLib::SetFolders("", "");
    EXPECT_TRUE(SameEntry(t[0], K::Score{}));
    EXPECT_EQ(ReadAll(player / "Highscores.txt").size(), 1184u);
    EXPECT_NE(said.find("No high scores yet"), std::string::npos) << said; // not a damage report
}

TEST_F(HighscoreFile, LineFeedOnlyFileReadsTheSame) {
    const LC::Highscores t = Table({31, 30});
    LC::SchrijfHigscore(t, file);
    std::string text = ReadAll(file);
    std::erase(text, '\r');
    std::ofstream(file, std::ios::binary) << text;
    LC::Highscores back{};
    ASSERT_TRUE(LC::LeesHigscore(back, file));
    EXPECT_TRUE(SameEntry(back[1], t[1]));
}

TEST_F(HighscoreFile, FailedWriteIsReportedNotClaimed) {
    EXPECT_FALSE(LC::SchrijfHigscore(Table({4}), (dir / "no such folder" / "Highscores.txt")));
    EXPECT_FALSE(fs::exists(dir / "no such folder"));
}

// ---- What the high-score screen and the result sheet draw ----

namespace {

std::vector<std::pair<uint32_t, int32_t>> Digits(const std::vector<KM::MaskPlaatje>& p) {
    std::vector<std::pair<uint32_t, int32_t>> d;
    for (const KM::MaskPlaatje& m : p) {
        EXPECT_EQ(m.rood, 10u);
        d.push_back({m.vorm, m.x});
    }
    return d;
}

using D = std::vector<std::pair<uint32_t, int32_t>>;

} // namespace

TEST(HighscoreScreen, NumbersShowTheirLastFiveDigitsWithoutLeadingZeros) {
    EXPECT_EQ(Digits(KM::CijferPlaatjes(0, 100, 5, 15)), (D{{0, 100}}));
    EXPECT_EQ(Digits(KM::CijferPlaatjes(7, 100, 5, 15)), (D{{7, 100}}));
    EXPECT_EQ(Digits(KM::CijferPlaatjes(12345, 100, 5, 15)),
              (D{{1, 100}, {2, 115}, {3, 130}, {4, 145}, {5, 160}}));
    EXPECT_EQ(Digits(KM::CijferPlaatjes(123456, 0, 5, 15)),
              (D{{2, 0}, {3, 15}, {4, 30}, {5, 45}, {6, 60}}));
    EXPECT_EQ(Digits(KM::CijferPlaatjes(1005, 0, 5, 15)), (D{{1, 0}, {0, 15}, {0, 30}, {5, 45}}));
    EXPECT_TRUE(KM::CijferPlaatjes(200000, 0, 5, 15).empty());
}

TEST(HighscoreScreen, RanksAndStampsStandWhereTheTableSays) {
    K::schermgrootte = 800;
    std::array<K::Score, 10> t{};
    t[2] = {4321, {2026, 12, 1, 7, 6, 30, 59, 999}};
    t[9].dag_behaald.wDayOfWeek = 9; // absurd weekday: drawn without a name
    const std::vector<KM::MaskPlaatje> p = KM::HiscorePlaatjes(t);
    auto has = [&](uint32_t rood, uint32_t vorm, int32_t x, int32_t y) {
        return std::any_of(p.begin(), p.end(), [&](const KM::MaskPlaatje& m) {
            return m.rood == rood && m.vorm == vorm && m.x == x && m.y == y;
        });
    };
    EXPECT_TRUE(has(26, 25, 310, 10));  // the title, centred
    EXPECT_TRUE(has(10, 3, 125, 215));  // rank 3
    EXPECT_TRUE(has(10, 12, 140, 215)); // its ")"
    EXPECT_TRUE(has(10, 4, 180, 215));  // 4321 ...
    EXPECT_TRUE(has(10, 1, 225, 215));  // ... its last digit
    EXPECT_TRUE(has(24, 18, 360, 200)); // maandag
    EXPECT_TRUE(has(10, 2, 510, 200));  // 2026
    EXPECT_TRUE(has(10, 11, 570, 200)); // "/"
    EXPECT_TRUE(has(10, 2, 600, 200));  // month 12, second digit
    EXPECT_TRUE(has(10, 7, 630, 200));  // day 7
    EXPECT_TRUE(has(16, 14, 505, 230)); // "min"
    EXPECT_TRUE(has(16, 15, 580, 230)); // "sec"
    EXPECT_TRUE(has(10, 9, 655, 230));  // 999 ms, last digit
    EXPECT_TRUE(has(10, 1, 110, 635));  // rank 10 as 1 and 0
    EXPECT_TRUE(has(10, 0, 125, 635));
    EXPECT_FALSE(std::any_of(p.begin(), p.end(), [](const KM::MaskPlaatje& m) {
        return m.rood == 24 && m.y == 620; // no weekday for rank 10
    }));
    for (const KM::MaskPlaatje& m : p)
        EXPECT_LT(m.vorm, 27u);
}

namespace {

std::string At(const std::vector<KM::TekstRegel>& regels, int32_t x, int32_t y) {
    for (const KM::TekstRegel& r : regels)
        if (r.x == x && r.y == y) return r.tekst;
    return "<none>";
}

} // namespace

TEST(ResultSheet, TextsAndDifficultyNames) {
    const SYSTEMTIME tijd{0, 0, 0, 0, 1, 2, 3, 40};
    auto sheet = [&](uint32_t rank, int32_t leven, uint32_t difficulty) {
        return KM::ResultTeksten(rank, 1234, leven, 100, 56, tijd, 7, difficulty);
    };
    const auto first = sheet(1, -5, 0);
    EXPECT_EQ(At(first, 200, 20), "Einde van dit spel!");
    EXPECT_EQ(At(first, 250, 60), "1234");
    EXPECT_EQ(At(first, 250, 100), "Proficiat u staat op de 1ste plaats!");
    EXPECT_EQ(At(first, 395, 100), "<none>");
    EXPECT_EQ(At(first, 250, 140), "7");
    EXPECT_EQ(At(first, 250, 180), "lazy"); // 0 is lazy, as the selector shows it
    EXPECT_EQ(At(first, 250, 220), "0");    // negative life shows as 0
    EXPECT_EQ(At(first, 285, 220), "100");
    EXPECT_EQ(At(first, 250, 260), "56");
    EXPECT_EQ(At(first, 250, 300), "1");
    EXPECT_EQ(At(first, 270, 300), "2");
    EXPECT_EQ(At(first, 320, 300), "3");
    EXPECT_EQ(At(first, 380, 300), "40");
    EXPECT_EQ(At(first, 10, 750), "Einde van het spel");

    const auto third = sheet(3, 20, 1);
    EXPECT_EQ(At(third, 250, 100), "Proficiat u staat op de");
    EXPECT_EQ(At(third, 395, 100), "3");
    EXPECT_EQ(At(third, 410, 100), "de plaats");
    EXPECT_EQ(At(third, 250, 180), "easy");
    EXPECT_EQ(At(third, 250, 220), "20");
    EXPECT_EQ(At(sheet(11, 0, 2), 250, 100), "U heeft de high scores niet gehaald.");
    EXPECT_EQ(At(sheet(11, 0, 2), 250, 180), "normaal");
    EXPECT_EQ(At(sheet(11, 0, 3), 250, 180), "hard");
    EXPECT_EQ(At(sheet(11, 0, 4), 250, 180), "extreem");
    EXPECT_EQ(At(first, 250, 112), "<none>");
    // A rank that could not be written says so under the rank line.
    EXPECT_EQ(At(KM::ResultTeksten(3, 9, 0, 9, 0, tijd, 1, 2, false), 250, 112),
              KM::SCORE_NIET_BEWAARD);
    EXPECT_EQ(At(KM::ResultTeksten(11, 9, 0, 9, 0, tijd, 1, 2, false), 250, 112), "<none>");
}

// Two games sharing a player's folder end at the same moment, many times.
TEST_F(HighscoreFile, TwoGamesEnteringAtOnceKeepEveryScore) {
    for (int round = 0; round < 25; ++round) {
        ASSERT_TRUE(LC::SchrijfHigscore(LC::Highscores{}, file));
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        const pid_t other = fork();
        ASSERT_GE(other, 0);
        const uint32_t first = other == 0 ? 2001 : 1001;
        if (other == 0) {
            char c = 0;
            if (read(go[0], &c, 1) != 1) _exit(2);
        } else {
            ASSERT_EQ(write(go[1], "g", 1), 1);
        }
        for (uint32_t p = first; p < first + 5; ++p)
            LC::Higscore(p, file);
        if (other == 0) _exit(0);
        int status = 0;
        ASSERT_EQ(waitpid(other, &status, 0), other);
        close(go[0]);
        close(go[1]);
        LC::Highscores t{};
        ASSERT_TRUE(LC::LeesHigscore(t, file));
        const uint32_t all[] = {2005, 2004, 2003, 2002, 2001, 1005, 1004, 1003, 1002, 1001};
        for (std::size_t k = 0; k < 10; ++k)
            ASSERT_EQ(t[k].punten, all[k]) << "round " << round << ", rank " << k + 1;
    }
}

TEST_F(HighscoreFile, TheRankIsTheOneInTheTableAsWritten) {
    ASSERT_TRUE(LC::SchrijfHigscore(Table({50, 40, 30}), file));
    EXPECT_EQ(LC::Higscore(45, file), 2u);
    EXPECT_EQ(LC::Higscore(45, file), 3u); // below the equal score already there
    LC::Highscores t{};
    ASSERT_TRUE(LC::LeesHigscore(t, file));
    EXPECT_EQ(t[1].punten, 45u);
    EXPECT_EQ(t[2].punten, 45u);
}
