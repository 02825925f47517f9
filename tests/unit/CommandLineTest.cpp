// The command line: what each option sets, how forms combine, what is refused
// and with which line, and what --help and --version print.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "CommandLine.h"
#include "Kolvemar_Trovix.h"
#include "StandardLib.h"
#include "Wimdows.h"

namespace {

using CommandLine::Parse;

CommandLine::Choices Good(const std::vector<std::string>& args) {
    const CommandLine::Parsed p = Parse(args);
    EXPECT_EQ(p.error, "");
    return p.choices;
}

std::string Refused(const std::vector<std::string>& args) {
    return Parse(args).error;
}

TEST(CommandLine, EveryOptionInItsLongAndShortForms) {
    EXPECT_FALSE(Good({}).help);
    EXPECT_FALSE(Good({}).fullscreen.has_value());
    EXPECT_TRUE(Good({"--help"}).help);
    EXPECT_TRUE(Good({"-h"}).help);
    EXPECT_TRUE(Good({"--version"}).version);
    EXPECT_TRUE(Good({"-v"}).version);
    EXPECT_EQ(Good({"--fullscreen"}).fullscreen, true);
    EXPECT_EQ(Good({"-w"}).fullscreen, false);
    EXPECT_EQ(Good({"--level", "3"}).level, 3u);
    EXPECT_EQ(Good({"--level=12"}).level, 12u);
    EXPECT_EQ(Good({"-l", "4"}).level, 4u);
    EXPECT_EQ(Good({"-l5"}).level, 5u);
    EXPECT_EQ(Good({"--tutorial", "2"}).tutorial, 2u);
    EXPECT_EQ(Good({"-t3"}).tutorial, 3u);
    EXPECT_EQ(Good({"--data-dir", "/d"}).dataDir, "/d");
    EXPECT_EQ(Good({"-d/d"}).dataDir, "/d");
    EXPECT_EQ(Good({"--save-dir=/s"}).saveDir, "/s");
    EXPECT_EQ(Good({"-s", "s d"}).saveDir, "s d");
    EXPECT_EQ(Good({"--screenshot-dir", "-x"}).screenshotDir, "-x"); // a value may start with -
    EXPECT_EQ(Good({"--record", "a.ktdemo"}).record, "a.ktdemo");
    EXPECT_EQ(Good({"--playdemo=b.ktdemo"}).playDemo, "b.ktdemo");
    EXPECT_EQ(Good({"--timedemo", "c.ktdemo", "-l2"}).timeDemo, "c.ktdemo");
}

TEST(CommandLine, OneDemoOptionAtATime) {
    const std::string P = "kolvemar-trovix: ";
    EXPECT_EQ(Refused({"--record", "a", "--timedemo", "b"}),
              P + "options '--record', '--playdemo' and '--timedemo' exclude each other");
    EXPECT_EQ(Refused({"--playdemo"}), P + "option '--playdemo' needs a FILE");
    EXPECT_EQ(Refused({"--t", "1"}), P + "option '--t' is ambiguous (--tutorial, --timedemo)");
}

TEST(CommandLine, OptionsCombine) {
    const CommandLine::Choices c =
        Good({"-fv", "--level", "2", "--save-dir", "/s", "--window", "--"});
    EXPECT_TRUE(c.version);
    EXPECT_EQ(c.fullscreen, false); // the last of the two wins
    EXPECT_EQ(c.level, 2u);
    EXPECT_EQ(c.saveDir, "/s");
    EXPECT_EQ(Good({"-fl7"}).level, 7u); // a value ends a group of switches
    EXPECT_TRUE(Good({"--full"}).fullscreen.value_or(false)) << "an unambiguous prefix";
    EXPECT_EQ(Good({"--screen=/p"}).screenshotDir, "/p");
}

TEST(CommandLine, BadCommandLinesNameWhatIsWrong) {
    const std::string P = "kolvemar-trovix: ";
    EXPECT_EQ(Refused({"--bogus"}), P + "unrecognized option '--bogus'");
    EXPECT_EQ(Refused({"-x"}), P + "unrecognized option '-x'");
    EXPECT_EQ(Refused({"-fx"}), P + "unrecognized option '-x'");
    EXPECT_EQ(Refused({"level3"}), P + "unexpected argument 'level3'");
    EXPECT_EQ(Refused({"--", "--help"}), P + "unexpected argument '--help'");
    EXPECT_EQ(Refused({"-"}), P + "unexpected argument '-'");
    EXPECT_EQ(Refused({"--s=/x"}), P + "option '--s' is ambiguous (--save-dir, --screenshot-dir)");
    EXPECT_EQ(Refused({"--help=yes"}), P + "option '--help' takes no value");
    EXPECT_EQ(Refused({"--level"}), P + "option '--level' needs a N");
    EXPECT_EQ(Refused({"-d"}), P + "option '-d' needs a DIR");
    EXPECT_EQ(Refused({"--data-dir="}), P + "option '--data-dir' needs a non-empty DIR");
    EXPECT_EQ(Refused({"--level", ""}), P + "option '--level' needs a non-empty N");
    for (const char* bad : {"0", "-1", "3x", "x", " 2", "+2", "10000", "99999999999"})
        EXPECT_EQ(Refused({"--level", bad}),
                  P + "invalid level number '" + std::string(bad) + "' for '--level'")
            << bad;
    EXPECT_EQ(Refused({"-t", "0"}), P + "invalid level number '0' for '--tutorial'");
    EXPECT_EQ(Refused({"-l2", "-t1"}), P + "options '--level' and '--tutorial' exclude each other");
    // The first fault is the one told, even after a good --help.
    EXPECT_EQ(Refused({"--help", "--nope", "--bogus"}), P + "unrecognized option '--nope'");
    EXPECT_EQ(CommandLine::TryHelp(), "Try 'kolvemar-trovix --help'.");
}

TEST(CommandLine, HelpAndManualPageShowEveryOptionOfTheTable) {
    const std::string help = CommandLine::Help();
    const std::string man = CommandLine::ManOptions();
    EXPECT_EQ(man.rfind(".SH OPTIONS\n", 0), 0u);
    for (const CommandLine::Option& o : CommandLine::Table()) {
        const std::string name(o.name);
        EXPECT_NE(help.find("--" + name), std::string::npos) << name;
        std::string troff;
        for (char c : name)
            troff += c == '-' ? std::string("\\-") : std::string(1, c);
        EXPECT_NE(man.find("\\fB\\-\\-" + troff + "\\fR"), std::string::npos) << name;
        if (o.shortName) {
            EXPECT_NE(help.find(std::string("-") + o.shortName + ", --" + name), std::string::npos);
            EXPECT_EQ(Good({std::string("-") + o.shortName + (o.value.empty() ? "" : "1")}).help,
                      o.kind == CommandLine::Kind::help);
        }
    }
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);)
        EXPECT_LT(line.size(), 80u) << line;
}

// Main's output and status with the console captured.
struct Outcome {
    int status;
    std::string out, err;
};

Outcome RunMain(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    auto* oldOut = std::cout.rdbuf(out.rdbuf());
    auto* oldErr = std::cerr.rdbuf(err.rdbuf());
    const int status = Kolvemar_Trovix::Main(args);
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    StandardLib::SetFolders("", ""); // the tools' meaning, as the other tests expect
    Wimdows::SetScreenshotFolder("");
    return {status, out.str(), err.str()};
}

TEST(CommandLine, HelpAndVersionEndTheProgramWithStatusZero) {
    const Outcome help = RunMain({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, CommandLine::Help());
    EXPECT_EQ(help.err, "");

    const std::filesystem::path saves = std::filesystem::temp_directory_path() / "kt-saves";
    const Outcome version =
        RunMain({"-v", "--data-dir", KT_GAME_DIR, "--save-dir", saves.string()});
    EXPECT_EQ(version.status, 0) << version.err;
    EXPECT_EQ(version.out,
              std::string("kolvemar-trovix ") + KT_VERSION +
                  "\ndata: " + std::filesystem::path(KT_GAME_DIR).lexically_normal().string() +
                  "\nsaves: " + saves.string() + "\nsettings: " + std::getenv("XDG_CONFIG_HOME") +
                  "/kolvemar-trovix/settings.txt\n");
    EXPECT_FALSE(std::filesystem::exists(saves)) << "--version makes no folder";
}

TEST(CommandLine, BadCommandLinesEndWithStatusTwoAndTheTryLine) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--bogus"}, {"--level", "0"}, {"--data-dir", "/nonexistent"}}) {
        const Outcome run = RunMain(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.ends_with("\nTry 'kolvemar-trovix --help'.\n")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    }
    EXPECT_EQ(RunMain({"-d", "/nonexistent"}).err,
              "kolvemar-trovix: no Constanten.txt in the data folder '/nonexistent'\n"
              "Try 'kolvemar-trovix --help'.\n");
}

} // namespace
