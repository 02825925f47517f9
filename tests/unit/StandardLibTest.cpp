#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "StandardLib.h"

#include <pwd.h>
#include <unistd.h>

namespace S = StandardLib;

TEST(RandomCard, DeterministicSequenceFromAFreshStart) {
    S::Init();
    const uint32_t expected[] = {716, 230, 841, 546, 327, 446, 682, 452, 762, 168, 352, 104};
    for (uint32_t g : expected)
        EXPECT_EQ(S::PseudoRandomCardGenerator(), g);
    S::Init();
    const uint32_t coin[] = {1, 0, 1, 1, 0};
    for (uint32_t c : coin)
        EXPECT_EQ(S::RandomCard(0, 1), c);
}

TEST(RandomCard, GeneratorCoversEverythingButItsFixedPoint) {
    S::Init();
    std::set<uint32_t> seen;
    for (int i = 0; i < 1012; ++i)
        seen.insert(S::PseudoRandomCardGenerator());
    EXPECT_EQ(seen.size(), 1012u);
    EXPECT_EQ(seen.count(509), 0u);
    EXPECT_EQ(*seen.rbegin(), 1012u);
    EXPECT_EQ(S::PseudoRandomCardGenerator(), 716u) << "period of 1012";
}

TEST(RandomCard, EdgesOfTheInterval) {
    S::Init();
    EXPECT_EQ(S::RandomCard(7, 7), 7u);
    EXPECT_EQ(S::PseudoRandomCardGenerator(), 230u) << "RandomCard(x, x) still advances";
    for (int i = 0; i < 1012; ++i) {
        ASSERT_LE(S::RandomCard(0, UINT32_MAX - 1), UINT32_MAX - 1);
        ASSERT_LE(S::RandomCard(10, 12), 12u);
    }
    testing::internal::CaptureStdout();
    S::Init();
    EXPECT_EQ(S::RandomCard(5, 3), 5u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "ERROR calling RandomCardFromInterval: min 5 is bigger than max 3\n");
    EXPECT_EQ(S::PseudoRandomCardGenerator(), 716u) << "no generator advanced";
}

TEST(Angle, QuadrantsAndVerticals) {
    const float pi = 3.14159265358979f;
    EXPECT_FLOAT_EQ(S::AngleWithXAx_REAL(0, 0, 1, 1), pi / 4);
    EXPECT_FLOAT_EQ(S::AngleWithXAx_REAL(0, 0, -1, -1), 5 * pi / 4);
    EXPECT_FLOAT_EQ(S::AngleWithXAx_REAL(0, 0, -1, 0), pi);
    EXPECT_EQ(S::AngleWithXAx_REAL(0, 0, 0, 5), 1.570796f);
    EXPECT_EQ(S::AngleWithXAx_REAL(2, 2, 2, 2), -1.570796f);
    EXPECT_EQ(S::AngleWithXAx_REAL(0, 5, 0, 0), -1.570796f);
    const float a = S::AngleWithXAx_REAL(0, 0, -1, 1);
    EXPECT_FLOAT_EQ(a, 3 * pi / 4);
    EXPECT_GT(S::AngleWithXAx_REAL(0, 0, -1, -1e-6f), pi) << "stays below 3pi/2";
}

TEST(Tokens, SeparatorsAndConversions) {
    const std::string text = "  12\x1a-7\tTRUE\r\nabc 1.5E+2";
    std::size_t pos = 0;
    std::string t;
    std::vector<std::string> tokens;
    while (S::ReadToken(text, pos, t))
        tokens.push_back(t);
    EXPECT_EQ(tokens, (std::vector<std::string>{"12", "-7", "TRUE", "abc", "1.5E+2"}));
    pos = 0;
    S::ReadToken(text, pos, t);
    EXPECT_EQ(pos, 5u) << "the one separator after the token is consumed";

    EXPECT_EQ(S::TokenToCard("4294967295"), UINT32_MAX);
    EXPECT_EQ(S::TokenToCard("4294967296"), 0u);
    EXPECT_EQ(S::TokenToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(S::TokenToReal(" 5.00000000000000E+1"), 0.0f) << "tokens hold no blanks";
    EXPECT_EQ(S::TokenToReal("5.00000000000000E+1"), 50.0f);
    EXPECT_EQ(S::TokenToReal("1e39"), 0.0f) << "out of range";
    EXPECT_FALSE(S::TokenToBool("true"));
    EXPECT_TRUE(S::TokenToBool("TRUE"));
    for (const char* ok : {"5", "-5.", ".5", "+1E+10", "1e-50", "0.00000000000000E+0"})
        EXPECT_TRUE(S::IsDecimalReal(ok)) << ok;
    for (const char* bad : {"", ".", "+", "1e", "nan", "inf", "-infinity", "0x10", "1.5.2", "1 "})
        EXPECT_FALSE(S::IsDecimalReal(bad)) << bad;
}

TEST(Paths, BackslashNamesOpenOnLinux) {
    EXPECT_EQ(S::PlatformPath("levels\\level1.txt"), "levels/level1.txt");
    const std::filesystem::path dir = testing::TempDir() + "paths-dir";
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "x.txt") << "1";
    std::FILE* f = S::OpenFile(dir.string() + "\\x.txt", "rb");
    ASSERT_NE(f, nullptr);
    std::string t;
    EXPECT_TRUE(S::ReadToken(f, t));
    EXPECT_EQ(t, "1");
    std::fclose(f);
}

namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        hadOld_ = std::getenv(name) != nullptr;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (hadOld_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    std::string old_;
    bool hadOld_ = false;
};

} // namespace

TEST(Paths, XdgFoldersFollowTheBaseDirectoryRules) {
    ScopedEnv home("HOME", "/home/tester");
    {
        ScopedEnv data("XDG_DATA_HOME", "/xdg/data/");
        ScopedEnv config("XDG_CONFIG_HOME", "/xdg/config");
        EXPECT_EQ(S::PlayerFolder(), "/xdg/data/kolvemar-trovix");
        EXPECT_EQ(S::ConfigFolder(), "/xdg/config/kolvemar-trovix");
    }
    // Unset, empty and relative values all mean the default under $HOME.
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/dir"}) {
        ScopedEnv data("XDG_DATA_HOME", value);
        ScopedEnv config("XDG_CONFIG_HOME", value);
        EXPECT_EQ(S::PlayerFolder(), "/home/tester/.local/share/kolvemar-trovix");
        EXPECT_EQ(S::ConfigFolder(), "/home/tester/.config/kolvemar-trovix");
    }
}

TEST(Paths, WithoutHomeTheFoldersComeFromThePasswordDatabase) {
    const passwd* me = getpwuid(getuid());
    ASSERT_NE(me, nullptr);
    ScopedEnv data("XDG_DATA_HOME", nullptr);
    ScopedEnv config("XDG_CONFIG_HOME", nullptr);
    for (const char* value : {static_cast<const char*>(nullptr), ""}) {
        ScopedEnv home("HOME", value);
        EXPECT_EQ(S::PlayerFolder(), std::string(me->pw_dir) + "/.local/share/kolvemar-trovix");
        EXPECT_EQ(S::ConfigFolder(), std::string(me->pw_dir) + "/.config/kolvemar-trovix");
    }
}

namespace {

// The folders are the game's global state: every case gives the tools'
// meaning back.
class Folders : public testing::Test {
  protected:
    void SetUp() override {
        root = std::filesystem::path(testing::TempDir()) /
               ("folders_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root);
    }
    void TearDown() override {
        S::SetFolders("", "");
        std::filesystem::remove_all(root);
    }
    void Constants(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "Constanten.txt") << "3\n";
    }
    std::filesystem::path root;
};

} // namespace

TEST_F(Folders, NamesLeadIntoThePlayersOrTheDataFolder) {
    S::SetFolders("/data", "/player");
    for (const char* name :
         {"levels\\save1.txt", "levels\\save5.txt", "levels/save3.txt", "Highscores.txt"}) {
        EXPECT_TRUE(S::IsPlayerFile(name)) << name;
        EXPECT_EQ(S::PlatformPath(name).rfind("/player/", 0), 0u) << name;
    }
    for (const char* name :
         {"levels\\save0.txt", "levels\\save6.txt", "levels\\save12.txt", "levels\\save1.txt.bak",
          "levels\\level1.txt", "levels\\tutorial1.txt", "Constanten.txt",
          "images\\nummers\\rood.bmp", "muziek/Fire.mp3", "highscores.txt"}) {
        EXPECT_FALSE(S::IsPlayerFile(name)) << name;
        EXPECT_EQ(S::PlatformPath(name).rfind("/data/", 0), 0u) << name;
    }
    EXPECT_EQ(S::PlatformPath("levels\\save5.txt"), "/player/levels/save5.txt");
    EXPECT_EQ(S::PlatformPath("levels\\level1.txt"), "/data/levels/level1.txt");
    EXPECT_EQ(S::PlatformPath("/tmp/x\\Highscores.txt"), "/tmp/x/Highscores.txt"); // absolute
    S::SetFolders("", "/player"); // data in the working directory
    EXPECT_EQ(S::PlatformPath("images\\a.bmp"), "images/a.bmp");
    EXPECT_EQ(S::PlatformPath("Highscores.txt"), "/player/Highscores.txt");
    S::SetFolders("", ""); // the tools
    EXPECT_EQ(S::PlatformPath("levels\\save1.txt"), "levels/save1.txt");
}

TEST_F(Folders, DataFolderFromTheWorkingFolderOrBesideTheExecutable) {
    const auto installed = root / "prefix" / "share" / "kolvemar-trovix";
    const auto built = root / "build" / "game";
    Constants(installed);
    Constants(built);
    Constants(root / "own");
    std::filesystem::create_directories(root / "start");
    const std::string start = (root / "start").string();
    EXPECT_EQ(S::FindDataFolder(start, (root / "prefix/bin/kolvemar-trovix").string()),
              installed.string());
    EXPECT_EQ(S::FindDataFolder(start, (root / "build/bin/kolvemar-trovix").string()),
              built.string());
    // A working folder with its own constants wins.
    EXPECT_EQ(
        S::FindDataFolder((root / "own").string(), (root / "prefix/bin/kolvemar-trovix").string()),
        "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(S::FindDataFolder(start, (root / "start/kolvemar-trovix").string()), "");
    EXPECT_EQ(S::FindDataFolder(start, (root / "start/bin/kolvemar-trovix").string()), "");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("No game data found: no \"Constanten.txt\" in the working folder."),
              std::string::npos)
        << said;
    EXPECT_NE(said.find((root / "start/share/kolvemar-trovix").string()), std::string::npos);
}

TEST_F(Folders, ThePlayersFolderIsMadeOnFirstWrite) {
    const auto player = root / "home" / ".local" / "share" / "kolvemar-trovix";
    S::SetFolders((root / "data").string(), player.string());
    EXPECT_FALSE(std::filesystem::exists(player));
    ASSERT_TRUE(S::WriteGameFile("levels\\save5.txt", "five"));
    ASSERT_TRUE(S::WriteGameFile("Highscores.txt", "scores"));
    std::ifstream in(player / "levels" / "save5.txt");
    std::string t;
    in >> t;
    EXPECT_EQ(t, "five");
    EXPECT_TRUE(std::filesystem::exists(player / "Highscores.txt"));
    EXPECT_EQ(std::filesystem::status(player).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);         // private, as the XDG rules ask
    EXPECT_FALSE(std::filesystem::exists(root / "data")); // nothing beside the data
}

TEST_F(Folders, APlayersFolderThatCannotBeMadeIsReportedAndNothingWritten) {
    std::ofstream(root / "blocker") << "a file where a folder should be";
    const auto player = root / "blocker" / "kolvemar-trovix";
    S::SetFolders("", player.string());
    for (const char* name : {"levels\\save1.txt", "Highscores.txt"}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(S::WriteGameFile(name, "x"));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("Cannot create the player's folder \"" + player.string()),
                  std::string::npos)
            << said;
        EXPECT_NE(said.find("the game plays on without saving"), std::string::npos) << said;
    }
}

namespace {

namespace fs = std::filesystem;

fs::path FreshFolder(const std::string& name) {
    const fs::path dir = testing::TempDir() + name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(AtomicWrite, AReadOnlyFileIsRefusedAndAReplacedOneKeepsItsMode) {
    const fs::path dir = FreshFolder("atomic-modes");
    const std::string slot = (dir / "save1.txt").string();
    ASSERT_TRUE(S::WriteFileAtomic(slot, "first"));
    EXPECT_EQ(fs::status(slot).permissions(), fs::perms(0644));

    fs::permissions(slot, fs::perms(0600));
    ASSERT_TRUE(S::WriteFileAtomic(slot, "second"));
    EXPECT_EQ(fs::status(slot).permissions(), fs::perms(0600)) << "the mode is kept";

    fs::permissions(slot, fs::perms(0444));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(S::WriteFileAtomic(slot, "third"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Cannot write \"" + slot +
                  "\": Permission denied; the old file is left as it was.\n");
    EXPECT_EQ(Contents(slot), "second");
    EXPECT_EQ(fs::status(slot).permissions(), fs::perms(0444));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator{}), 1);
}

TEST(AtomicWrite, ALinkIsReplacedByAPrivateFileAndItsTargetLeftAlone) {
    const fs::path dir = FreshFolder("atomic-links");
    const fs::path target = dir / "target.txt", slot = dir / "save1.txt";
    std::ofstream(target) << "target";
    fs::permissions(target, fs::perms(0666));
    for (const fs::path& to : {target, fs::path("/dev/zero")}) {
        fs::remove(slot);
        fs::create_symlink(to, slot);
        ASSERT_TRUE(S::WritePrivateFile(slot.string(), "slot"));
        EXPECT_FALSE(fs::is_symlink(slot)) << to;
        EXPECT_EQ(fs::status(slot).permissions(), fs::perms(0600)) << to;
        EXPECT_EQ(Contents(slot.string()), "slot");
    }
    EXPECT_EQ(Contents(target.string()), "target");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0666));
    ASSERT_TRUE(S::WritePrivateFile(slot.string(), "again")); // now its own regular file
    EXPECT_EQ(fs::status(slot).permissions(), fs::perms(0600));
}

TEST(AtomicWrite, StaleTemporariesOfTheGamesOwnFilesAreRemoved) {
    const fs::path dir = FreshFolder("atomic-stale");
    const auto make = [&](const std::string& name, bool old) {
        std::ofstream(dir / name) << std::string(1000, 'x');
        if (old)
            fs::last_write_time(dir / name,
                                fs::file_time_type::clock::now() - std::chrono::hours(1));
    };
    for (const char* stale : {"save1.txt.kt-Ab12Cd", "save5.txt.kt-zzzzzz", "save3.txt.kt-000000"})
        make(stale, true);
    const std::set<std::string> kept = {
        "save2.txt.kt-Xy34Ef",      // still being written by someone else, perhaps
        "Highscores.txt.kt-Ab12Cd", // another file's: its own write cleans it
        "notes.txt.kt-Ab12Cd",      // the player's
        "save1.txt.backup",         // the player's too, though six letters long
        "save1.txt.kt-Ab12C",       // not as mkstemp names them
        "save1.txt.kt-Ab-2Cd",      "save1.txt", "save1.txt.bak"};
    for (const std::string& name : kept)
        make(name, name != "save2.txt.kt-Xy34Ef");
    fs::create_directory(dir / "save4.txt.kt-dir123");
    fs::last_write_time(dir / "save4.txt.kt-dir123",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));

    ASSERT_TRUE(S::WriteFileAtomic((dir / "save3.txt").string(), "slot"));
    std::set<std::string> left;
    for (const fs::directory_entry& e : fs::directory_iterator(dir))
        left.insert(e.path().filename().string());
    std::set<std::string> expected = kept;
    expected.insert({"save3.txt", "save4.txt.kt-dir123"});
    EXPECT_EQ(left, expected);
}
