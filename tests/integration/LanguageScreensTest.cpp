// The screens in the player's language: chosen by the settings file or by
// LANG when the game starts, and changed on the settings screen, after which
// the next screen speaks the new language and the settings file keeps it.
#include <cstdlib>
#include <fstream>

#include "../../tools/assetgen/AssetList.h"
#include "MenuScript.h"
#include "Settings.h"
#include "Taal.h"

namespace K = Kolvemar_Constanten_en_Types;
namespace KM = Kolvemar_Menu;
using namespace MenuScript;
using K::next_action;

namespace {

enum StartKnop { START, TUTORIAL, LOAD, HISCORE, SETTINGS, CREDITS, QUIT };
const Step LANGUAGE_UP = Click(587, 150), SELECTOR_BACK = Click(425, 400);

// The test's game folder with the data folder's catalogues and each worded
// picture in each language, in a colour of its own.
class Languages : public Screens {
  protected:
    void SetUp() override {
        Screens::SetUp();
        fs::copy(fs::path(KT_GAME_DIR) / "locale", dir / "locale", fs::copy_options::recursive);
        for (std::string_view code : AssetList::kLanguages)
            for (std::string_view worded : AssetList::kWorded) {
                const std::string name = AssetList::Localised(worded, code);
                WritePicture(dir / name, Colour(name));
            }
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
            unsetenv(name);
    }
    void TearDown() override {
        unsetenv("LANG");
        Taal::Zet(Taal::NEDERLANDS);
        Settings::Store({});
        Screens::TearDown();
    }
    // As the game starts: the language first, then the menus' pictures.
    static void Start() {
        KM::MemoryClearMenu();
        Taal::Init();
        KM::Init();
    }
    // The start menu shows the tutorial button of `code` ("nl": the Dutch one) and is left.
    void ExpectStartMenuIn(const std::string& code) {
        const std::string button =
            code == "nl" ? "images/Tutorial0.bmp" : "images/" + code + "/Tutorial0.bmp";
        next_action r{};
        Play({Pixel(310, 180, Colour(button)), StartMenu(QUIT)}, [&] { r = KM::Kolvemar_menu(); });
        EXPECT_EQ(r, next_action::afsluiten) << code;
    }
};

} // namespace

TEST_F(Languages, ChosenByTheSettingsFileOrByLang) {
    for (const char* code : Taal::TALEN) {
        Settings::Values v;
        v.language = code;
        ASSERT_TRUE(Settings::Store(v));
        setenv("LANG", "fr_FR.UTF-8", 1); // the settings file wins
        Start();
        EXPECT_EQ(Taal::Code(), code);
        ExpectStartMenuIn(code);
    }
    ASSERT_TRUE(Settings::Store({}));
    for (const auto& [lang, code] : {std::pair{"en_US.UTF-8", "en"}, std::pair{"de_AT.UTF-8", "de"},
                                     std::pair{"fr_BE.UTF-8", "fr"}, std::pair{"nl_NL.UTF-8", "nl"},
                                     std::pair{"C", "nl"}, std::pair{"pt_BR.UTF-8", "nl"}}) {
        setenv("LANG", lang, 1);
        Start();
        EXPECT_EQ(Taal::Code(), code) << lang;
        ExpectStartMenuIn(code);
    }
}

TEST_F(Languages, ChangedOnTheSettingsScreenTheNextScreenSpeaksItAndItIsKept) {
    Start();
    ASSERT_EQ(Taal::Code(), "nl");
    next_action r{};
    Play({StartMenu(SETTINGS), Pixel(400, 150, Colour("images/taal_nl.bmp")), LANGUAGE_UP,
          Pixel(400, 150, Colour("images/taal_en.bmp")),
          Pixel(400, 400, Colour("images/en/back0.bmp")), LANGUAGE_UP,
          Pixel(400, 150, Colour("images/taal_de.bmp")), SELECTOR_BACK,
          Pixel(310, 180, Colour("images/de/Tutorial0.bmp")),
          Pixel(5, 5, Colour("images/Backgrounds/robotachtergrond.bmp")), StartMenu(QUIT)},
         [&] { r = KM::Kolvemar_menu(); });
    EXPECT_EQ(r, next_action::afsluiten);
    EXPECT_EQ(Taal::Code(), "de");
    EXPECT_STREQ(Taal::Tekst("Terug"), "Zur\u00fcck");
    std::ifstream in(Settings::FilePath());
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(text.find("language=de\n"), std::string::npos) << text;
    // The next start speaks it too.
    Start();
    EXPECT_EQ(Taal::Code(), "de");
}
