#include "Kolvemar_Trovix.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "Demo.h"
#include "Kolvemar_Animations.h"
#include "Kolvemar_Menu.h"
#include "Kolvemar_spel.h"
#include "LevelCreator.h"
#include "Music.h"
#include "Settings.h"
#include "StandardLib.h"
#include "StandardMenu.h"
#include "Taal.h"
#include "Time.h"
#include "Wimdows.h"

namespace Kolvemar_Trovix {

using namespace Kolvemar_Constanten_en_Types;

namespace {

constexpr uint32_t SPEL_VOLUME = 210, TUTORIAL_VOLUME = 170;

Level level;
Bijhouden bijhouden;
locatie volgend_level;
uint32_t menusound = 0, spelsound = 0;
uint32_t eersteTutorial = 1; // the tutorial level Oefenen begins with
bool foutstop = false;       // ended on a file it cannot go on without

void NaarSpelmuziek(uint32_t volume) {
    Music::StopSound(menusound);
    Music::PlaySound(spelsound, true);
    Music::SetSoundVolume(spelsound, volume);
}

void NaarMenumuziek() {
    Music::StopSound(spelsound);
    Music::PlaySound(menusound, true);
}

// Reads level `nummer` of a series ("levels\level", "levels\tutorial") into
// the driver's record; FALSE (level untouched) when the file is unusable.
bool LeesVolgende(const char* serie, uint32_t nummer) {
    LevelCreator::txtfile_arrays(serie, nummer, volgend_level);
    if (LevelCreator::Leeslevel(volgend_level, level)) return true;
    std::cout << "cannot go on without " << volgend_level << std::endl;
    foutstop = true;
    return false;
}

next_action StartGame() {
    NaarSpelmuziek(SPEL_VOLUME);
    const std::string start = Kolvemar_Menu::Getstartlevel();
    if (!LevelCreator::Leeslevel(start.c_str(), level)) {
        // An empty or damaged save slot: back to the menu, nothing carried changes.
        std::cout << "cannot start a game from " << start << "; back to the menu" << std::endl;
        Kolvemar_Menu::autosave = true;
        NaarMenumuziek();
        return next_action::menu;
    }
    const next_action volgende = Kolvemar_spel::spel(level);
    bijhouden = CarryOut(level);
    return volgende;
}

next_action NextLevel() {
    if (level.vordering >= aantal_levels) return next_action::einde;
    Time::StartIterations();
    if (!LeesVolgende("levels\\level", level.vordering + 1)) return next_action::afsluiten;
    CarryIn(level, bijhouden);
    Time::StartIterations();
    const next_action volgende = Kolvemar_spel::spel(level);
    bijhouden = CarryOut(level);
    return volgende;
}

next_action PlayTutorial() {
    const next_action volgende = Kolvemar_spel::spel(level);
    if (volgende == next_action::menu) NaarMenumuziek();
    return volgende;
}

next_action StartTutorial() {
    NaarSpelmuziek(TUTORIAL_VOLUME);
    if (!LeesVolgende("levels\\tutorial", eersteTutorial)) return next_action::afsluiten;
    return PlayTutorial();
}

next_action NextTutorial() {
    if (level.vordering >= aantal_tutoriallevels) {
        Kolvemar_spel::TutorialKlaar();
        NaarMenumuziek();
        return next_action::menu;
    }
    Time::StartIterations();
    if (!LeesVolgende("levels\\tutorial", level.vordering + 1)) return next_action::afsluiten;
    Time::StartIterations();
    return PlayTutorial();
}

next_action Einde() {
    bijhouden.bijhoudenscore = std::max(bijhouden.bijhoudenscore, 0);
    bool bewaard = true;
    const uint32_t hiscore = LevelCreator::Higscore(static_cast<uint32_t>(bijhouden.bijhoudenscore),
                                                    LevelCreator::HIGHSCORE_BESTAND, &bewaard);
    Kolvemar_Menu::resultfiche(hiscore, bijhouden.bijhoudenscore, bijhouden.bijhoudenleven,
                               bijhouden.bijhoudenleventot, bijhouden.bijhoudenkogelcounter,
                               bijhouden.bijhoudentijd, level.vordering, bewaard);
    NaarMenumuziek();
    return next_action::menu;
}

void StartModules() {
    Taal::Init(); // before the modules load their pictures with words
    Commands::LoadBindings();
    Kolvemar_Constanten_en_Types::Init();
    Kolvemar_Menu::Init();
    Kolvemar_Animations::Init();
    StandardLib::Init();
    Kolvemar_spel::Init();
}

int BadCommandLine(const std::string& error) {
    std::cerr << error << '\n' << CommandLine::TryHelp() << std::endl;
    return 2;
}

std::string Absolute(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(folder, error);
    return error ? folder : path.lexically_normal().string();
}

// The folders of this run: found as always, unless the command line names them.
// An error line when a named data folder holds no game.
std::string UseFolders(const CommandLine::Choices& c) {
    StandardLib::FindFolders();
    std::string data = StandardLib::DataFolder(), player = StandardLib::SaveFolder();
    if (!c.dataDir.empty()) {
        data = Absolute(c.dataDir);
        std::error_code error;
        if (!std::filesystem::is_regular_file(data + "/Constanten.txt", error))
            return std::string(CommandLine::PROGRAM) + ": no Constanten.txt in the data folder '" +
                   c.dataDir + "'";
    }
    if (!c.saveDir.empty()) player = Absolute(c.saveDir);
    StandardLib::SetFolders(data, player);
    const std::string shots = c.screenshotDir.empty() ? player + "/screenshots" : c.screenshotDir;
    Wimdows::SetScreenshotFolder(Absolute(shots).c_str());
    if (c.fullscreen) Wimdows::SetStartFullscreen(*c.fullscreen);
    return {};
}

void PrintVersion() {
    const std::string constants = StandardLib::PlatformPath("Constanten.txt");
    std::error_code error;
    const bool found = std::filesystem::is_regular_file(constants, error);
    std::cout << CommandLine::PROGRAM << " " << KT_VERSION << "\n"
              << "data: "
              << (found ? Absolute(std::filesystem::path(constants).parent_path().string())
                        : "none found")
              << "\nsaves: " << StandardLib::SaveFolder() << "\nsettings: " << Settings::FilePath()
              << std::endl;
}

// The start levels asked for exist; the constants file tells how many there are.
std::string StartLevelsExist(const CommandLine::Choices& c) {
    auto refused = [](const char* what, uint32_t n, uint32_t last) {
        return std::string(CommandLine::PROGRAM) + ": there is no " + what + " " +
               std::to_string(n) + " (1 to " + std::to_string(last) + ")";
    };
    if (c.level > aantal_levels) return refused("level", c.level, aantal_levels);
    if (c.tutorial > aantal_tutoriallevels)
        return refused("tutorial level", c.tutorial, aantal_tutoriallevels);
    return {};
}

} // namespace

Bijhouden CarryOut(const Level& level) {
    return {level.punten, level.objecten[0].levenspuntentot, level.objecten[0].levenspuntentotbegin,
            level.stats_tijd, level.stats_kogels};
}

void CarryIn(Level& level, const Bijhouden& carried) {
    Object& speler = level.objecten[0];
    level.punten = carried.bijhoudenscore;
    const int64_t leven = int64_t(level.vordering) + carried.bijhoudenleven;
    speler.levenspuntentot =
        static_cast<INTEGER>(std::min<int64_t>(leven, carried.bijhoudenleventot));
    speler.levenspuntentotbegin = carried.bijhoudenleventot;
    level.stats_tijd = carried.bijhoudentijd;
    level.stats_kogels = carried.bijhoudenkogelcounter;
}

void StartAt(uint32_t level, uint32_t tutorial) {
    Kolvemar_Menu::SetStartLevel(level);
    eersteTutorial = tutorial;
}

next_action Stap(next_action actie) {
    switch (actie) {
    case next_action::menu:
        return Kolvemar_Menu::Kolvemar_menu();
    case next_action::startup:
        return StartGame();
    case next_action::next_level:
        return NextLevel();
    case next_action::startup_tutorial:
        return StartTutorial();
    case next_action::next_level_tutorial:
        return NextTutorial();
    case next_action::einde:
        return Einde();
    case next_action::afsluiten:
        return next_action::afsluiten;
    default:
        std::cout << "internal error: unexpected next step " << static_cast<int>(actie)
                  << std::endl;
        return next_action::afsluiten;
    }
}

Bijhouden& Carried() {
    return bijhouden;
}

Level& CurrentLevel() {
    return level;
}

bool Foutstop() {
    return foutstop;
}

void MemoryClear() {
    Kolvemar_Animations::MemoryClearAnimation();
    Kolvemar_Menu::MemoryClearMenu();
    Kolvemar_spel::MemoryClearSpel();
}

namespace {

// A demo instead of the game: in the window with sound, or timed without.
int PlayDemo(const CommandLine::Choices& c) {
    const bool timed = !c.timeDemo.empty();
    if (!timed) Music::InitMusic();
    const int status = Demo::Afspelen(timed ? c.timeDemo : c.playDemo, timed);
    Music::StopMusic();
    Wimdows::KillWindow();
    MemoryClear();
    return status;
}

} // namespace

int Main(const std::vector<std::string>& arguments) {
    const CommandLine::Parsed command = CommandLine::Parse(arguments);
    if (!command.error.empty()) return BadCommandLine(command.error);
    if (command.choices.help) {
        std::cout << CommandLine::Help() << std::flush;
        return 0;
    }
    if (const std::string error = UseFolders(command.choices); !error.empty())
        return BadCommandLine(error);
    if (command.choices.version) {
        PrintVersion();
        return 0;
    }
    StartModules();
    if (const std::string error = StartLevelsExist(command.choices); !error.empty()) {
        MemoryClear();
        return BadCommandLine(error);
    }
    StartAt(std::max(command.choices.level, 1u), std::max(command.choices.tutorial, 1u));
    std::cout << "\nWelcome on Kolvemar-Trovix" << std::endl;
    Wimdows::Window("Kolvemar-Trovix", schermgrootte, schermgrootte);
    if (Wimdows::State() != Wimdows::STATE_ACTIVE) {
        MemoryClear(); // the window layer has said "Can't create window."
        return 1;
    }
    Wimdows::SetBuffering(true);
    if (!command.choices.playDemo.empty() || !command.choices.timeDemo.empty())
        return PlayDemo(command.choices);
    if (!command.choices.record.empty()) Demo::Opnemen(command.choices.record);
    std::cout << (Music::InitMusic() ? "muziek in orde" : "probleem met de muziek") << std::endl;
    Kolvemar_Animations::Startup_Animation();
    next_action actie = Commands::Held(Commands::QUIT) ? next_action::afsluiten : next_action::menu;
    Commands::NextScreen(); // what skipped the intro does not act on the menu
    // The close box or a signal during the intro: straight to the farewell,
    // without decoding the music first.
    if (StandardMenu::WindowGone()) {
        actie = next_action::afsluiten;
    } else {
        menusound = Music::LoadMusic("muziek/Fire.mp3");
        spelsound = Music::LoadMusic("muziek/Metal_Gear_Solid_2.mp3");
        std::cout << "ready to play" << std::endl;
        Music::PlaySound(menusound, true);
    }
    Time::StartIterations();
    while (actie != next_action::afsluiten) {
        actie = Stap(actie);
        // The close box ends the program as Quit would.
        if (StandardMenu::WindowGone()) actie = next_action::afsluiten;
    }
    Music::StopSound(menusound);
    Music::UnLoadSound(menusound);
    Music::UnLoadSound(spelsound);
    std::cout << "bye, thanks for playing" << std::endl;
    Music::StopMusic();
    Wimdows::KillWindow();
    MemoryClear();
    return foutstop ? 1 : 0;
}

} // namespace Kolvemar_Trovix
