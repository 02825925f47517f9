// playtest [--record DIR] DATA_DIR [LEVEL...]: plays each level twice on the dummy video
// driver with a fake clock: once with a bot that aims at the nearest monster and backs away
// from danger, once idle. Prints how each run ended. Runs in a temporary copy of the data
// folder. With --record, the bot's game of each level goes into DIR/<level>.ktdemo.
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <unistd.h>

#include "Demo.h"
#include "Kolvemar_Animations.h"
#include "Kolvemar_Constanten_en_Types.h"
#include "Kolvemar_Menu.h"
#include "Kolvemar_spel.h"
#include "LevelCreator.h"
#include "SdlInput.h"
#include "StandardLib.h"
#include "Time.h"
#include "Wimdows.h"

namespace K = Kolvemar_Constanten_en_Types;

namespace {

constexpr float kBlast = 110; // keep this far from a monster that explodes
constexpr K::INTEGER kTickLimit = 6000;

struct Run {
    const K::Level* level = nullptr;
    bool bot = false;
    K::INTEGER lastTick = -1;
    std::set<SDL_Keycode> held;
    bool firing = false;
    uint64_t hundredths = 0;
};
Run run;
std::string recordDir; // empty: no demos

void Mouse(int x, int y, bool fire) {
    SdlInput::Move(x, y);
    if (fire != run.firing) {
        SdlInput::Button(x, y, fire);
        run.firing = fire;
    }
}

void Hold(const std::set<SDL_Keycode>& keys) {
    for (SDL_Keycode k : run.held)
        if (!keys.count(k)) SdlInput::Key(k, false);
    for (SDL_Keycode k : keys)
        if (!run.held.count(k)) SdlInput::Key(k, true);
    run.held = keys;
}

float Dist(const K::Object& a, const K::Object& b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool NearArmour(const K::Level& l, const K::Object& m) {
    for (int j = 1; j <= 50; ++j)
        if (l.objecten[j].levend && l.objecten[j].armoraan && Dist(l.objecten[j], m) < 90)
            return true;
    return false;
}

// One decision per frame: aim, fire, and which way to step.
void Decide(const K::Level& l) {
    const K::Object& p = l.objecten[0];
    const K::Object* target = nullptr;
    float best = 1e9f;
    float ax = 0, ay = 0; // away from danger
    for (int i = 1; i <= 50; ++i) {
        const K::Object& m = l.objecten[i];
        if (!m.levend) continue;
        const float d = Dist(p, m);
        const bool exploding = m.death == K::doodsoort::explosion;
        if (d < (exploding ? kBlast + 40 : 130) && !m.armoraan) {
            ax += (p.x - m.x) / (d + 1);
            ay += (p.y - m.y) / (d + 1);
        }
        if (m.armoraan || (exploding && d < kBlast)) continue;
        // Prefer the eyeballs that would take an armoured monster with them.
        const float score = d - (exploding && NearArmour(l, m) ? 400.0f : 0.0f);
        if (score < best) {
            best = score;
            target = &m;
        }
    }
    std::set<SDL_Keycode> keys;
    float tx = ax, ty = ay;
    bool anyAlive = false;
    for (int i = 1; i <= 50; ++i)
        anyAlive = anyAlive || l.objecten[i].levend;
    if (!anyAlive) {
        tx = K::schermgrootte / 2.0f - p.x;
        ty = K::schermgrootte - 47.0f - p.y;
    } else if (ax == 0 && ay == 0) {
        // Drift back towards the lower middle, where there is room to dodge.
        tx = (K::schermgrootte / 2.0f - p.x) / 200;
        ty = (K::schermgrootte * 0.7f - p.y) / 200;
    }
    if (tx > 0.1f) keys.insert(SDLK_RIGHT);
    if (tx < -0.1f) keys.insert(SDLK_LEFT);
    if (ty > 0.1f) keys.insert(SDLK_DOWN);
    if (ty < -0.1f) keys.insert(SDLK_UP);
    Hold(keys);
    if (target) {
        Mouse(int(target->x), int(target->y), true);
    } else {
        Mouse(int(p.x), int(p.y) - 100, false);
    }
    Wimdows::Sync();
}

Time::DateTime Clock() {
    static bool busy = false;
    if (run.level && !busy && run.level->time != run.lastTick) {
        busy = true;
        run.lastTick = run.level->time;
        if (run.level->time > kTickLimit) {
            SdlInput::Key(SDLK_q, true);
            Wimdows::Sync();
        } else if (run.bot) {
            Decide(*run.level);
        }
        busy = false;
    }
    const uint64_t h = run.hundredths++;
    Time::DateTime t{};
    t.year = 2026;
    t.month = 1;
    t.day = 10 + uint32_t(h / 8640000);
    t.hour = uint32_t(h / 360000 % 24);
    t.minute = uint32_t(h / 6000 % 60);
    t.second = uint32_t(h / 100 % 60);
    t.fractions = uint32_t(h % 100);
    return t;
}

const char* Outcome(K::next_action a, const K::Level& l) {
    if (l.time > kTickLimit) return "still alive at the time limit";
    switch (a) {
    case K::next_action::next_level:
    case K::next_action::next_level_tutorial:
        return "won";
    case K::next_action::einde:
        return "died";
    default:
        return "ended otherwise";
    }
}

void Play(const std::string& file, bool bot) {
    static K::Level level;
    if (!LevelCreator::Leeslevel(file, level)) return;
    run = Run{};
    run.bot = bot;
    Time::SetClockSource(Clock);
    run.level = &level;
    Kolvemar_Menu::tutorial = file.find("tutorial") != std::string::npos;
    if (bot && !recordDir.empty())
        Demo::Opnemen(recordDir + "/" + std::filesystem::path(file).stem().string() + ".ktdemo");
    const K::next_action a = Kolvemar_spel::spel(level);
    Demo::Opnemen("");
    run.level = nullptr;
    Time::SetClockSource(nullptr);
    Hold({});
    SdlInput::Key(SDLK_q, false);
    Mouse(0, 0, false);
    Wimdows::Sync();
    Wimdows::FlushKeys();
    std::printf("%-22s %-5s %-30s tick %6d  life %4d/%-4d score %d\n", file.c_str(),
                bot ? "bot" : "idle", Outcome(a, level), level.time,
                level.objecten[0].levenspuntentot, level.objecten[0].levenspuntentotbegin,
                level.punten);
    std::string left;
    for (int i = 1; i <= 50; ++i)
        if (level.objecten[i].levend)
            left += " " + std::to_string(i) + "@" + std::to_string(int(level.objecten[i].x)) + "," +
                    std::to_string(int(level.objecten[i].y)) + "(" +
                    std::to_string(level.objecten[i].levenspuntentot) + ")";
    if (!left.empty()) std::printf("    left:%s\n", left.c_str());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::string(argv[1]) == "--record") {
        recordDir = std::filesystem::absolute(argv[2]).string();
        argv += 2;
        argc -= 2;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: playtest [--record DIR] DATA_DIR [LEVEL_FILE...]\n");
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    const auto copy =
        std::filesystem::temp_directory_path() / ("playtest_" + std::to_string(getpid()));
    std::filesystem::copy(argv[1], copy, std::filesystem::copy_options::recursive);
    std::filesystem::current_path(copy);
    K::LeesConstanten("Constanten.txt");
    StandardLib::Init();
    Kolvemar_Animations::Init();
    Kolvemar_spel::Init();
    Wimdows::Window("Kolvemar-Trovix", K::schermgrootte, K::schermgrootte);
    Wimdows::SetBuffering(true);
    std::vector<std::string> files;
    for (int i = 2; i < argc; ++i)
        files.push_back(argv[i]);
    if (files.empty()) {
        for (K::CARDINAL n = 1; n <= K::aantal_tutoriallevels; ++n)
            files.push_back("levels/tutorial" + std::to_string(n) + ".txt");
        for (K::CARDINAL n = 1; n <= K::aantal_levels; ++n)
            files.push_back("levels/level" + std::to_string(n) + ".txt");
    }
    for (const auto& f : files) {
        Play(f, true);
        Play(f, false);
    }
    Wimdows::KillWindow();
    std::filesystem::remove_all(copy);
    return 0;
}
