// Something other than a regular file where the game expects one: every
// reader refuses it at once, names it, and the game goes on.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "Kolvemar_Constanten_en_Types.h"
#include "LevelCreator.h"
#include "Music.h"
#include "Settings.h"
#include "StandardLib.h"
#include "Taal.h"
#include "Wimdows.h"

namespace fs = std::filesystem;
namespace LC = LevelCreator;

namespace {

// Runs `reader` in a child process; true when it ended, unhung, within a
// second with every expectation met (a hung child is killed).
bool EndsWithinASecond(const std::function<bool()>& reader) {
    const pid_t child = fork();
    if (child == 0) _exit(reader() ? 0 : 1);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > until) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class OddFile : public testing::Test {
  protected:
    void SetUp() override {
        dir = fs::path(testing::TempDir()) / ("odd_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    // A FIFO nobody writes to, at `name` in the test's folder.
    std::string Fifo(const std::string& name) {
        const std::string path = (dir / name).string();
        fs::create_directories(fs::path(path).parent_path());
        EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
        return path;
    }
    fs::path dir;
};

} // namespace

TEST_F(OddFile, EveryReaderRefusesAFifoAtOnce) {
    const std::string fifo = Fifo("fifo.txt");
    EXPECT_TRUE(EndsWithinASecond([&] {
        std::string why;
        return !Kolvemar_Constanten_en_Types::LeesConstanten(fifo, &why) &&
               why == "is not a regular file but a FIFO";
    }));
    EXPECT_TRUE(EndsWithinASecond([&] {
        Kolvemar_Constanten_en_Types::Level level{};
        testing::internal::CaptureStderr();
        const bool read = LC::Leeslevel(fifo, level);
        const std::string said = testing::internal::GetCapturedStderr();
        return !read && said.find(fifo + ": is not a regular file but a FIFO") != std::string::npos;
    }));
    EXPECT_TRUE(EndsWithinASecond([&] {
        // Treated as a damaged table: put aside, and a fresh one made.
        const std::string table = Fifo("Highscores.txt");
        LC::Highscores t{};
        return !LC::LeesHigscore(t, table) && fs::is_regular_file(table) &&
               fs::is_fifo(table + ".damaged");
    }));
    EXPECT_TRUE(EndsWithinASecond([&] {
        const fs::path settings = Settings::FilePath();
        fs::create_directories(settings.parent_path());
        fs::remove(settings); // an earlier test's settings may stand there
        if (mkfifo(settings.c_str(), 0600) != 0) return false;
        testing::internal::CaptureStderr();
        const Settings::Values v = Settings::Load();
        const std::string said = testing::internal::GetCapturedStderr();
        fs::remove(settings);
        return v.volume == 100 && said.find("a FIFO; the defaults are used") != std::string::npos;
    }));
    EXPECT_TRUE(EndsWithinASecond([&] {
        Fifo("locale/de/LC_MESSAGES/kolvemar-trovix.mo");
        StandardLib::SetFolders(dir.string(), "");
        testing::internal::CaptureStderr();
        Taal::Zet("de");
        const std::string said = testing::internal::GetCapturedStderr();
        return Taal::Code() == "nl" &&
               said.find("a FIFO; the game speaks Dutch") != std::string::npos;
    }));
    EXPECT_TRUE(EndsWithinASecond([&] {
        testing::internal::CaptureStderr();
        const bool refused = Wimdows::LoadBitmap(fifo.c_str(), 8, 8) == 0;
        return refused &&
               testing::internal::GetCapturedStderr().find("a FIFO") != std::string::npos;
    }));
    EXPECT_TRUE(EndsWithinASecond([&] {
        if (!Music::InitMusic()) return false;
        testing::internal::CaptureStdout();
        const bool refused = Music::LoadSound(fifo.c_str()) == 0;
        Music::StopMusic();
        return refused &&
               testing::internal::GetCapturedStdout().find("a FIFO") != std::string::npos;
    }));
}

TEST_F(OddFile, FoldersAndDevicesAreNoFilesEither) {
    std::string why;
    EXPECT_EQ(StandardLib::OpenRegularFile(dir.string(), &why), nullptr);
    EXPECT_EQ(errno, EISDIR);
    EXPECT_EQ(why, "is not a regular file but a folder");
    EXPECT_EQ(StandardLib::OpenRegularFile("/dev/zero", &why), nullptr);
    EXPECT_EQ(why, "is not a regular file but a device");
    EXPECT_EQ(StandardLib::OpenRegularFile((dir / "none").string(), &why), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(why, "cannot be opened (No such file or directory)");
    EXPECT_EQ(StandardLib::OpenFile((dir / "none").string(), "w"), nullptr); // reading only
}
