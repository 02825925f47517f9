// The languages: the catalogue reader, the choice of language, the shipped
// translations against the template, and the settings file's language.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Catalogus.h"
#include "Settings.h"
#include "StandardLib.h"
#include "Taal.h"

namespace {

namespace fs = std::filesystem;

// A .mo file of the given entries (sorted, as msgfmt writes them), either byte order.
std::string Mo(std::map<std::string, std::string> entries, bool bigEndian = false) {
    std::string out;
    const auto word = [&](uint32_t w) {
        for (int i = 0; i < 4; ++i)
            out += static_cast<char>(bigEndian ? w >> (24 - 8 * i) : w >> (8 * i));
    };
    const auto n = static_cast<uint32_t>(entries.size());
    const uint32_t ids = 28, texts = ids + 8 * n;
    uint32_t at = texts + 8 * n;
    word(0x950412de);
    word(0);
    word(n);
    word(ids);
    word(texts);
    word(0);
    word(at);
    std::string strings;
    for (int pass = 0; pass < 2; ++pass)
        for (const auto& [id, text] : entries) {
            const std::string& s = pass == 0 ? id : text;
            word(static_cast<uint32_t>(s.size()));
            word(at + static_cast<uint32_t>(strings.size()));
            strings += s + '\0';
        }
    return out + strings;
}

std::optional<Catalogus::Catalogus> Read(const std::string& bytes) {
    std::string fout;
    return Catalogus::Lees(bytes, fout);
}

std::string Lookup(const Catalogus::Catalogus& c, const std::string& id) {
    const std::string* t = Catalogus::Zoek(c, id);
    return t ? *t : "<none>";
}

TEST(Catalogue, ReadsBothByteOrdersAndLeavesOutHeaderEmptyAndWrongPlaceholders) {
    const std::map<std::string, std::string> entries = {
        {"", "Content-Type: text/plain; charset=UTF-8\n"},
        {"Laden", "Load"},
        {"leeg", ""},
        {"Slot %d", "Slot %d"},
        {"level %u \u00b7 %d-%d", "level %s"},
        {std::string("kogel\0kogels", 12), std::string("shot\0shots", 10)}};
    for (bool big : {false, true}) {
        const auto c = Read(Mo(entries, big));
        ASSERT_TRUE(c) << big;
        EXPECT_EQ(Lookup(*c, "Laden"), "Load");
        EXPECT_EQ(Lookup(*c, "Slot %d"), "Slot %d");
        EXPECT_EQ(Lookup(*c, "kogel"), "shot"); // the first plural form
        EXPECT_EQ(Lookup(*c, ""), "<none>");
        EXPECT_EQ(Lookup(*c, "leeg"), "<none>");
        EXPECT_EQ(Lookup(*c, "level %u \u00b7 %d-%d"), "<none>");
        EXPECT_EQ(c->afwijkend, 1u);
    }
}

TEST(Catalogue, RefusesEveryDamagedFileWithAReason) {
    const std::string good = Mo({{"Laden", "Load"}, {"Terug", "Back"}});
    std::vector<std::pair<std::string, std::string>> bad = {
        {"", "too short"},
        {std::string(40, 'x'), "not a compiled catalogue"},
        {std::string(Catalogus::MAX_BYTES + 1, '\0'), "larger than"}};
    // Cut anywhere inside the strings or tables.
    for (std::size_t size : {std::size_t{27}, std::size_t{40}, good.size() - 1})
        bad.push_back({good.substr(0, size), ""});
    std::string revision = good;
    revision[6] = 1; // major revision 1
    bad.push_back({revision, "revision"});
    std::string far = good;
    far[28 + 4] = '\x7f'; // the first id starts far outside
    bad.push_back({far, "outside"});
    std::string many = good;
    many[8] = '\xff'; // more entries than the tables hold
    many[11] = '\x7f';
    bad.push_back({many, "outside"});
    for (const auto& [bytes, reason] : bad) {
        std::string fout;
        EXPECT_FALSE(Catalogus::Lees(bytes, fout)) << bytes.size();
        EXPECT_NE(fout.find(reason), std::string::npos) << fout;
    }
}

TEST(Catalogue, PlaceholdersAreTheConversionsInOrder) {
    EXPECT_EQ(Catalogus::Plaatshouders("level %u \u00b7 %d-%d %02d:%02d"), "%u%d%d%02d%02d");
    EXPECT_EQ(Catalogus::Plaatshouders("100%% zeker, %s"), "%s");
    EXPECT_EQ(Catalogus::Plaatshouders("tot slot %"), "%");
    EXPECT_EQ(Catalogus::Plaatshouders("geen"), "");
}

TEST(Language, ChosenBySettingThenLanguageListThenLocale) {
    struct Case {
        const char* instelling;
        std::map<std::string, std::string> omgeving;
        const char* taal;
    };
    const Case cases[] = {
        {"auto", {}, "nl"},
        {"auto", {{"LANG", "C"}}, "nl"},
        {"auto", {{"LANG", "C.UTF-8"}}, "nl"},
        {"auto", {{"LANG", "POSIX"}}, "nl"},
        {"auto", {{"LANG", "nl_BE.UTF-8"}}, "nl"},
        {"auto", {{"LANG", "en_US.UTF-8"}}, "en"},
        {"auto", {{"LANG", "en_GB"}}, "en"},
        {"auto", {{"LANG", "de_AT.UTF-8@euro"}}, "de"},
        {"auto", {{"LANG", "fr_CA.UTF-8"}}, "fr"},
        {"auto", {{"LANG", "ja_JP.UTF-8"}}, "nl"},
        {"auto", {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, "fr"},
        {"auto", {{"LC_MESSAGES", "fr_FR.UTF-8"}, {"LC_ALL", "en_US.UTF-8"}}, "en"},
        {"auto", {{"LC_ALL", "C"}, {"LANG", "de_DE.UTF-8"}}, "nl"},
        {"auto", {{"LC_ALL", ""}, {"LANG", "de_DE.UTF-8"}}, "de"},
        // LANGUAGE is honoured even under C, first spoken entry first.
        {"auto", {{"LANGUAGE", "ja:fr_BE:de"}, {"LANG", "C"}}, "fr"},
        {"auto", {{"LANGUAGE", "ja:pt"}, {"LANG", "de_DE.UTF-8"}}, "de"},
        {"auto", {{"LANGUAGE", ""}, {"LANG", "en_US"}}, "en"},
        {"de", {{"LANG", "fr_FR.UTF-8"}}, "de"},
        {"en_GB", {}, "en"},
        {"nl", {{"LANGUAGE", "fr"}}, "nl"},
        {"xx", {{"LANG", "fr_FR.UTF-8"}}, "nl"},
        {"", {{"LANG", "fr_FR.UTF-8"}}, "fr"},
    };
    for (const Case& c : cases) {
        const auto omgeving = [&](const char* naam) -> const char* {
            const auto it = c.omgeving.find(naam);
            return it == c.omgeving.end() ? nullptr : it->second.c_str();
        };
        std::string beschrijving = c.instelling;
        for (const auto& [k, v] : c.omgeving)
            beschrijving += " " + k + "=" + v;
        EXPECT_EQ(Taal::KiesCode(c.instelling, omgeving), c.taal) << beschrijving;
    }
}

// The msgids of the template, its escapes undone.
std::vector<std::string> TemplateIds() {
    std::ifstream in(std::string(KT_SOURCE_DIR) + "/po/kolvemar-trovix.pot");
    std::vector<std::string> ids;
    std::string line, *current = nullptr;
    const auto unquote = [](const std::string& q) {
        std::string s;
        for (std::size_t i = q.find('"') + 1; i + 1 < q.size(); ++i) {
            if (q[i] != '\\') {
                s += q[i];
                continue;
            }
            const char e = q[++i];
            s += e == 'n' ? '\n' : e == 't' ? '\t' : e;
        }
        return s;
    };
    while (std::getline(in, line)) {
        if (line.rfind("msgid ", 0) == 0) {
            ids.push_back(unquote(line));
            current = &ids.back();
        } else if (line.rfind("\"", 0) == 0 && current) {
            *current += unquote(line);
        } else {
            current = nullptr;
        }
    }
    ids.erase(std::remove(ids.begin(), ids.end(), ""), ids.end());
    return ids;
}

// The catalogues in the data folder, compiled by the build.
class Shipped : public testing::Test {
  protected:
    void SetUp() override { StandardLib::SetFolders(KT_GAME_DIR, ""); }
    void TearDown() override {
        Taal::Zet(Taal::NEDERLANDS);
        StandardLib::SetFolders("", "");
    }
};

TEST_F(Shipped, EveryTemplateTextIsTranslatedWithItsPlaceholdersAndLines) {
    const std::vector<std::string> ids = TemplateIds();
    ASSERT_GT(ids.size(), 60u);
    for (const char* taal : Taal::TALEN) {
        if (std::string(taal) == Taal::NEDERLANDS) continue;
        std::ifstream in(StandardLib::PlatformPath(std::string("locale\\") + taal +
                                                   "\\LC_MESSAGES\\kolvemar-trovix.mo"),
                         std::ios::binary);
        const auto c = Read(std::string(std::istreambuf_iterator<char>(in), {}));
        ASSERT_TRUE(c) << taal;
        EXPECT_EQ(c->afwijkend, 0u) << taal;
        EXPECT_EQ(c->vertalingen.size(), ids.size()) << taal << ": texts not in the template";
        for (const std::string& id : ids) {
            const std::string* t = Catalogus::Zoek(*c, id);
            ASSERT_TRUE(t) << taal << " lacks \"" << id << "\"";
            EXPECT_EQ(Catalogus::Plaatshouders(*t), Catalogus::Plaatshouders(id)) << taal << id;
            EXPECT_EQ(std::count(t->begin(), t->end(), '\n'),
                      std::count(id.begin(), id.end(), '\n'))
                << taal << ": \"" << *t << "\"";
        }
    }
}

TEST_F(Shipped, TextsAndWordedPicturesFollowTheLanguageSpoken) {
    Taal::Zet("de_CH");
    EXPECT_EQ(Taal::Code(), "de");
    EXPECT_STREQ(Taal::Tekst("Afsluiten"), "Beenden");
    EXPECT_STREQ(Taal::Tekst("not a text of the game"), "not a text of the game");
    EXPECT_EQ(Taal::Plaatje("images\\Start0.bmp"), "images\\de\\Start0.bmp");
    EXPECT_EQ(Taal::Plaatje("images/nummers/zondag.bmp"), "images/de/nummers/zondag.bmp");
    EXPECT_EQ(Taal::Plaatje("images/up.bmp"), "images/up.bmp"); // no words: the one picture
    const char* eerder = Taal::Tekst("Terug");
    Taal::Zet("fr");
    EXPECT_STREQ(Taal::Tekst("Terug"), "Retour");
    EXPECT_STREQ(eerder, "Zurück"); // texts handed out stay valid
    Taal::Zet("pt");
    EXPECT_EQ(Taal::Code(), "nl");
    EXPECT_STREQ(Taal::Tekst("Terug"), "Terug");
    EXPECT_EQ(Taal::Plaatje("images\\Start0.bmp"), "images\\Start0.bmp");
    // A language whose catalogue is missing is spoken as Dutch.
    StandardLib::SetFolders((fs::temp_directory_path() / "kt-no-catalogues").string(), "");
    Taal::Zet("en");
    EXPECT_EQ(Taal::Code(), "nl");
}

TEST_F(Shipped, TheSettingsFileChoosesTheLanguageAndKeepsIt) {
    Settings::Values v;
    v.language = "fr_BE";
    ASSERT_TRUE(Settings::Store(v));
    std::ifstream in(Settings::FilePath());
    const std::string text(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(text.find("language=fr_BE\n"), std::string::npos) << text;
    Taal::Init();
    EXPECT_EQ(Taal::Code(), "fr");
    EXPECT_STREQ(Taal::Tekst("Laden"), "Charger");
    ASSERT_TRUE(Settings::Store({}));
    std::vector<std::string> problems;
    EXPECT_EQ(Settings::Read("language=de\n", &problems).language, "de");
    EXPECT_EQ(Settings::Read("language=../../x y\nlanguage=\n", &problems).language, "auto");
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_EQ(Settings::Read(Settings::Write(Settings::Read("language=en_GB"))).language, "en_GB");
}

} // namespace
