// Every picture and sound file the game loads, with the size at which it loads each picture.
// The generator writes exactly these files; the data-folder test checks them against this list.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace AssetList {

// Window side and information bar of the shipped Constanten.txt.
inline constexpr int S = 800;
inline constexpr int kBar = 100;

struct Picture {
    std::string_view path; // relative to the data folder, '/' separated
    int width;
    int height;
};

// Arena floors: one per level and one per tutorial level.
inline constexpr int kArenaCount = 12;
inline constexpr int kTutorialCount = 3;

// Pictures loaded at several sizes (the cloud, the explosion, the red fill, intro drawing 2)
// are written at the largest one, so that scaling only ever shrinks them.
inline constexpr auto kPictures = std::to_array<Picture>({
    // Arena and its objects.
    {"images/deurtje.bmp", 60, 95},
    {"images/wolk.bmp", 150, 150},
    {"images/wolk_mask.bmp", 150, 150},
    {"images/explosie.bmp", 150, 150},
    {"images/explosie_mask.bmp", 150, 150},
    {"images/gameover.bmp", 400, 120},
    {"images/gameover_mask.bmp", 400, 120},
    {"images/armor.bmp", 30, 30},
    {"images/armor_mask.bmp", 30, 30},
    {"images/leven.bmp", 30, 30},
    {"images/leven_mask.bmp", 30, 30},
    {"images/leven2.bmp", 30, 30},
    {"images/ijzerenkanten.bmp", S, S},
    {"images/robot/boven.bmp", 60, 60},
    {"images/robot/boven_mask.bmp", 60, 60},
    {"images/robot/rechtsboven.bmp", 65, 65},
    {"images/robot/rechtsboven_mask.bmp", 65, 65},
    {"images/robot/rechts.bmp", 60, 60},
    {"images/robot/rechts_mask.bmp", 60, 60},
    {"images/robot/rechtsonder.bmp", 65, 65},
    {"images/robot/rechtsonder_mask.bmp", 65, 65},
    {"images/robot/onder.bmp", 60, 60},
    {"images/robot/onder_mask.bmp", 60, 60},
    {"images/robot/linksonder.bmp", 65, 65},
    {"images/robot/linksonder_mask.bmp", 65, 65},
    {"images/robot/links.bmp", 60, 60},
    {"images/robot/links_mask.bmp", 60, 60},
    {"images/robot/linksboven.bmp", 65, 65},
    {"images/robot/linksboven_mask.bmp", 65, 65},
    // Monsters: "images/monsters/monstersN.bmp" and "..._mask.bmp", N = 1..36, 60 x 60.
    // Listed by kMonsterCount below rather than spelled out.
    // Full-screen backgrounds.
    {"images/Backgrounds/robotachtergrond.bmp", S, S},
    {"images/Backgrounds/pauze.bmp", S, S},
    {"images/Backgrounds/sterrenhemel2.bmp", S, S},
    {"images/Backgrounds/wit.bmp", S, S},
    {"images/Backgrounds/gameover.bmp", S, S},
    {"images/Backgrounds/fire3.bmp", S, S},
    {"images/Backgrounds/fire4.bmp", S, S},
    {"images/Backgrounds/fire5.bmp", S, S},
    {"images/Backgrounds/fire6.bmp", S, S},
    {"images/Backgrounds/fire_en_tekst.bmp", S, S},
    // Intro drawings.
    {"images/Tamsel_images/tekeningen-Tamsel1.bmp", S / 2, S / 2},
    {"images/Tamsel_images/tekeningen-Tamsel2.bmp", 600, 600},
    {"images/Tamsel_images/tekeningen-Tamsel3.bmp", S, S},
    {"images/Tamsel_images/tekeningen-Tamsel4.bmp", S, S},
    {"images/Tamsel_images/tekeningen-Tamsel5.bmp", S, S},
    {"images/Tamsel_images/tekeningen-Tamsel6.bmp", S, 115},
    {"images/Credits2.bmp", S, 3 * S},
    // High-score digits and labels (masks: white is the shape).
    {"images/nummers/0.bmp", 20, 28},
    {"images/nummers/1.bmp", 20, 28},
    {"images/nummers/2.bmp", 20, 28},
    {"images/nummers/3.bmp", 20, 28},
    {"images/nummers/4.bmp", 20, 28},
    {"images/nummers/5.bmp", 20, 28},
    {"images/nummers/6.bmp", 20, 28},
    {"images/nummers/7.bmp", 20, 28},
    {"images/nummers/8.bmp", 20, 28},
    {"images/nummers/9.bmp", 20, 28},
    {"images/nummers/rood.bmp", 180, 42},
    {"images/nummers/slash.bmp", 20, 28},
    {"images/nummers/).bmp", 20, 28},
    {"images/nummers/h.bmp", 20, 28},
    {"images/nummers/min.bmp", 44, 28},
    {"images/nummers/sec.bmp", 44, 28},
    {"images/nummers/zondag.bmp", 120, 28},
    {"images/nummers/maandag.bmp", 120, 28},
    {"images/nummers/dinsdag.bmp", 120, 28},
    {"images/nummers/woensdag.bmp", 120, 28},
    {"images/nummers/donderdag.bmp", 120, 28},
    {"images/nummers/vrijdag.bmp", 120, 28},
    {"images/nummers/zaterdag.bmp", 120, 28},
    {"images/nummers/highscores.bmp", 180, 42},
    // Menu buttons, normal and mouse-over.
    {"images/Start0.bmp", 200, 50},
    {"images/Start1.bmp", 200, 50},
    {"images/Tutorial0.bmp", 200, 50},
    {"images/Tutorial1.bmp", 200, 50},
    {"images/Load0.bmp", 200, 50},
    {"images/Load1.bmp", 200, 50},
    {"images/Hiscore0.bmp", 200, 50},
    {"images/Hiscore1.bmp", 200, 50},
    {"images/Settings0.bmp", 200, 50},
    {"images/Settings1.bmp", 200, 50},
    {"images/Controls0.bmp", 200, 50},
    {"images/Controls1.bmp", 200, 50},
    {"images/Credits0.bmp", 200, 50},
    {"images/Credits1.bmp", 200, 50},
    {"images/Quit0.bmp", 200, 50},
    {"images/Quit1.bmp", 200, 50},
    {"images/Resume0.bmp", 200, 50},
    {"images/Resume1.bmp", 200, 50},
    {"images/Save0.bmp", 200, 50},
    {"images/Save1.bmp", 200, 50},
    {"images/Menu0.bmp", 200, 50},
    {"images/Menu1.bmp", 200, 50},
    {"images/Help0.bmp", 200, 50},
    {"images/Help1.bmp", 200, 50},
    {"images/save10.bmp", 200, 50},
    {"images/save11.bmp", 200, 50},
    {"images/save20.bmp", 200, 50},
    {"images/save21.bmp", 200, 50},
    {"images/save30.bmp", 200, 50},
    {"images/save31.bmp", 200, 50},
    {"images/save40.bmp", 200, 50},
    {"images/save41.bmp", 200, 50},
    {"images/save50.bmp", 200, 50},
    {"images/save51.bmp", 200, 50},
    {"images/back20.bmp", 200, 50},
    {"images/back21.bmp", 200, 50},
    // Masked buttons and the difficulty fields.
    {"images/back0.bmp", 200, 100},
    {"images/back1.bmp", 200, 100},
    {"images/back_mask.bmp", 200, 100},
    {"images/down.bmp", 25, 100},
    {"images/down1.bmp", 25, 100},
    {"images/down_mask.bmp", 25, 100},
    {"images/up.bmp", 25, 100},
    {"images/up1.bmp", 25, 100},
    {"images/up_mask.bmp", 25, 100},
    {"images/lazy.bmp", 300, 100},
    {"images/lazy_mask.bmp", 300, 100},
    {"images/easy.bmp", 300, 100},
    {"images/easy_mask.bmp", 300, 100},
    {"images/medium.bmp", 300, 100},
    {"images/medium_mask.bmp", 300, 100},
    {"images/hard.bmp", 300, 100},
    {"images/hard_mask.bmp", 300, 100},
    {"images/extreme.bmp", 300, 100},
    {"images/extreme_mask.bmp", 300, 100},
    // The language selector: each language's name in that language.
    {"images/taal_nl.bmp", 300, 100},
    {"images/taal_nl_mask.bmp", 300, 100},
    {"images/taal_en.bmp", 300, 100},
    {"images/taal_en_mask.bmp", 300, 100},
    {"images/taal_de.bmp", 300, 100},
    {"images/taal_de_mask.bmp", 300, 100},
    {"images/taal_fr.bmp", 300, 100},
    {"images/taal_fr_mask.bmp", 300, 100},
});

// The translations: each pictures with words again under images/<code>/, at the same size.
inline constexpr std::array<std::string_view, 3> kLanguages = {"en", "de", "fr"};
inline constexpr auto kWorded = std::to_array<std::string_view>({
    "images/gameover.bmp",
    "images/gameover_mask.bmp",
    "images/Backgrounds/pauze.bmp",
    "images/Backgrounds/fire_en_tekst.bmp",
    "images/Credits2.bmp",
    "images/nummers/h.bmp",
    "images/nummers/min.bmp",
    "images/nummers/sec.bmp",
    "images/nummers/zondag.bmp",
    "images/nummers/maandag.bmp",
    "images/nummers/dinsdag.bmp",
    "images/nummers/woensdag.bmp",
    "images/nummers/donderdag.bmp",
    "images/nummers/vrijdag.bmp",
    "images/nummers/zaterdag.bmp",
    "images/nummers/highscores.bmp",
    "images/Start0.bmp",
    "images/Start1.bmp",
    "images/Tutorial0.bmp",
    "images/Tutorial1.bmp",
    "images/Load0.bmp",
    "images/Load1.bmp",
    "images/Hiscore0.bmp",
    "images/Hiscore1.bmp",
    "images/Settings0.bmp",
    "images/Settings1.bmp",
    "images/Controls0.bmp",
    "images/Controls1.bmp",
    "images/Credits0.bmp",
    "images/Credits1.bmp",
    "images/Quit0.bmp",
    "images/Quit1.bmp",
    "images/Resume0.bmp",
    "images/Resume1.bmp",
    "images/Save0.bmp",
    "images/Save1.bmp",
    "images/Menu0.bmp",
    "images/Menu1.bmp",
    "images/Help0.bmp",
    "images/Help1.bmp",
    "images/save10.bmp",
    "images/save11.bmp",
    "images/save20.bmp",
    "images/save21.bmp",
    "images/save30.bmp",
    "images/save31.bmp",
    "images/save40.bmp",
    "images/save41.bmp",
    "images/save50.bmp",
    "images/save51.bmp",
    "images/back20.bmp",
    "images/back21.bmp",
    "images/back0.bmp",
    "images/back1.bmp",
    "images/back_mask.bmp",
    "images/lazy.bmp",
    "images/lazy_mask.bmp",
    "images/easy.bmp",
    "images/easy_mask.bmp",
    "images/medium.bmp",
    "images/medium_mask.bmp",
    "images/hard.bmp",
    "images/hard_mask.bmp",
    "images/extreme.bmp",
    "images/extreme_mask.bmp",
});

// A worded picture's file in a language: images/X is images/<code>/X.
inline std::string Localised(std::string_view path, std::string_view code) {
    return "images/" + std::string(code) + "/" + std::string(path.substr(7));
}

// Numbered pictures that the game builds from a stem and a number.
inline constexpr int kMonsterCount = 36;
inline constexpr int kMonsterSide = 60;
inline constexpr std::string_view kMonsterStem = "images/monsters/monsters";
// Radius (the level's grootte) that monster N is drawn for: every fourth one is a small breed.
inline constexpr int MonsterRadius(int n) {
    return (n - 1) % 4 == 3 ? 15 : 20;
}
// Monsters that look the part: the eyeballs (29 to 32) carry a lit fuse and are the ones that
// explode; the brood beetles (9 to 11) carry eggs and are the ones that spawn.
inline constexpr bool ExploderPicture(int n) {
    return n >= 29 && n <= 32;
}
inline constexpr bool SpawnerPicture(int n) {
    return n >= 9 && n <= 11;
}
inline constexpr std::string_view kArenaStem = "images/Backgrounds/level";
inline constexpr std::string_view kTutorialStem = "images/Backgrounds/tutorial";

// The mixer's rate: every sound is rendered at it, so nothing is resampled at load.
inline constexpr int kMixRate = 32000;
// The game restarts the held gun's loop every 17 frames of 30 ms: one loop is exactly that long.
inline constexpr int kGunLoopMs = 17 * 30;
// The volume (0-255) at which the game plays its level music.
inline constexpr int kGameMusicVolume = 210;

inline constexpr std::array<std::string_view, 6> kSounds = {
    "muziek/Intro.mp3",   "muziek/Fire.mp3",      "muziek/Metal_Gear_Solid_2.mp3",
    "muziek/glock22.mp3", "muziek/explosion.mp3", "muziek/death.mp3",
};

struct File {
    std::string path;
    int width;
    int height;
};

// The whole list of pictures: the fixed ones, the monsters with masks and the arena floors.
inline std::vector<File> AllPictures() {
    std::vector<File> all;
    for (const Picture& p : kPictures)
        all.push_back({std::string(p.path), p.width, p.height});
    for (int k = 1; k <= kMonsterCount; ++k) {
        const std::string stem = std::string(kMonsterStem) + std::to_string(k);
        all.push_back({stem + ".bmp", kMonsterSide, kMonsterSide});
        all.push_back({stem + "_mask.bmp", kMonsterSide, kMonsterSide});
    }
    for (int k = 1; k <= kArenaCount; ++k)
        all.push_back({std::string(kArenaStem) + std::to_string(k) + ".bmp", S, S});
    for (int k = 1; k <= kTutorialCount; ++k)
        all.push_back({std::string(kTutorialStem) + std::to_string(k) + ".bmp", S, S});
    for (std::string_view code : kLanguages)
        for (std::string_view worded : kWorded)
            for (const Picture& p : kPictures)
                if (p.path == worded) all.push_back({Localised(worded, code), p.width, p.height});
    return all;
}

} // namespace AssetList
