#include "CommandLine.h"

#include <array>
#include <charconv>

namespace CommandLine {

namespace {

constexpr std::array<Option, 12> OPTIONS{{
    {Kind::help, 'h', "help", "", "show this help and exit"},
    {Kind::version, 'v', "version", "",
     "show the version and the folders of the game's data and the player's files, and exit"},
    {Kind::fullscreen, 'f', "fullscreen", "", "start fullscreen (this run only)"},
    {Kind::window, 'w', "window", "", "start in a window (this run only)"},
    {Kind::level, 'l', "level", "N", "let Start begin a game at level N instead of level 1"},
    {Kind::tutorial, 't', "tutorial", "N",
     "let Oefenen begin the tutorial at its level N instead of 1"},
    {Kind::dataDir, 'd', "data-dir", "DIR",
     "read the game's data (Constanten.txt, levels, images, muziek) from DIR"},
    {Kind::saveDir, 's', "save-dir", "DIR",
     "keep the save slots and the high scores in DIR (this run only)"},
    {Kind::screenshotDir, 0, "screenshot-dir", "DIR",
     "write the screenshots of F12 into DIR (default: screenshots/ in the player's folder)"},
    {Kind::record, 0, "record", "FILE",
     "record every level played into the demo FILE (.ktdemo), rewritten as each level ends"},
    {Kind::playDemo, 0, "playdemo", "FILE",
     "play the demo FILE back in the window at the game's pace; Esc ends it"},
    {Kind::timeDemo, 0, "timedemo", "FILE",
     "play the demo FILE back as fast as it goes, without sound, then print the frames, "
     "seconds, frames per second and how each level ended"},
}};

constexpr std::size_t HELP_COLUMN = 26;

// Level numbers beyond any level file's reach are refused at once.
constexpr uint32_t MAX_LEVEL = 9999;

std::string Quoted(std::string_view s) {
    return "'" + std::string(s) + "'";
}

std::string Complaint(const std::string& what) {
    return std::string(PROGRAM) + ": " + what;
}

// The option a long name stands for: the whole name, or a prefix that names
// one option alone, as getopt_long allows.
const Option* FindLong(std::string_view name, std::string& error) {
    std::vector<const Option*> prefixed;
    for (const Option& o : OPTIONS) {
        if (o.name == name) return &o;
        if (!name.empty() && o.name.starts_with(name)) prefixed.push_back(&o);
    }
    if (prefixed.size() == 1) return prefixed[0];
    const std::string shown = Quoted("--" + std::string(name));
    if (prefixed.empty()) {
        error = Complaint("unrecognized option " + shown);
        return nullptr;
    }
    std::string names;
    for (const Option* o : prefixed)
        names += (names.empty() ? "--" : ", --") + std::string(o->name);
    error = Complaint("option " + shown + " is ambiguous (" + names + ")");
    return nullptr;
}

const Option* FindShort(char c) {
    for (const Option& o : OPTIONS)
        if (o.shortName != 0 && o.shortName == c) return &o;
    return nullptr;
}

// The options whose value is kept as written, in the order of their kinds.
constexpr std::string Choices::*TEXTS[] = {&Choices::dataDir,       &Choices::saveDir,
                                           &Choices::screenshotDir, &Choices::record,
                                           &Choices::playDemo,      &Choices::timeDemo};
static_assert(static_cast<int>(Kind::timeDemo) - static_cast<int>(Kind::dataDir) + 1 ==
              std::size(TEXTS));

// Stores one option with its value (checked); the error line when the value is bad.
std::string Apply(const Option& o, const std::string& value, Choices& c) {
    const std::string shown = "--" + std::string(o.name);
    if (!o.value.empty() && value.empty())
        return Complaint("option " + Quoted(shown) + " needs a non-empty " + std::string(o.value));
    switch (o.kind) {
    case Kind::help:
        c.help = true;
        break;
    case Kind::version:
        c.version = true;
        break;
    case Kind::fullscreen:
    case Kind::window:
        c.fullscreen = o.kind == Kind::fullscreen;
        break;
    case Kind::level:
    case Kind::tutorial: {
        uint32_t n = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (ec != std::errc() || end != value.data() + value.size() || n < 1 || n > MAX_LEVEL)
            return Complaint("invalid level number " + Quoted(value) + " for " + Quoted(shown));
        (o.kind == Kind::level ? c.level : c.tutorial) = n;
        break;
    }
    case Kind::dataDir:
    case Kind::saveDir:
    case Kind::screenshotDir:
    case Kind::record:
    case Kind::playDemo:
    case Kind::timeDemo:
        c.*TEXTS[static_cast<int>(o.kind) - static_cast<int>(Kind::dataDir)] = value;
        break;
    }
    return {};
}

// The option (as it was `written`) with the next argument as its value.
std::string ApplyNext(const std::vector<std::string>& args, std::size_t& i, const Option& o,
                      const std::string& written, Choices& c) {
    if (i + 1 >= args.size())
        return Complaint("option " + Quoted(written) + " needs a " + std::string(o.value));
    return Apply(o, args[++i], c);
}

// One "--name" or "--name=value"; may take the next argument as its value.
std::string ParseLong(const std::vector<std::string>& args, std::size_t& i, Choices& c) {
    const std::string_view arg = std::string_view(args[i]).substr(2);
    const std::size_t equals = arg.find('=');
    std::string error;
    const Option* o = FindLong(arg.substr(0, equals), error);
    if (!o) return error;
    if (o->value.empty()) {
        if (equals != std::string_view::npos)
            return Complaint("option " + Quoted("--" + std::string(o->name)) + " takes no value");
        return Apply(*o, "", c);
    }
    if (equals != std::string_view::npos) return Apply(*o, std::string(arg.substr(equals + 1)), c);
    return ApplyNext(args, i, *o, "--" + std::string(o->name), c);
}

// "-fw", "-l3", "-l 3": switches may share a dash; a value ends the group.
std::string ParseShort(const std::vector<std::string>& args, std::size_t& i, Choices& c) {
    const std::string& arg = args[i];
    for (std::size_t k = 1; k < arg.size(); ++k) {
        const Option* o = FindShort(arg[k]);
        if (!o) return Complaint("unrecognized option " + Quoted(std::string("-") + arg[k]));
        if (o->value.empty()) {
            if (const std::string error = Apply(*o, "", c); !error.empty()) return error;
            continue;
        }
        if (k + 1 < arg.size()) return Apply(*o, arg.substr(k + 1), c);
        return ApplyNext(args, i, *o, std::string("-") + arg[k], c);
    }
    return {};
}

// "-l, --level N" as --help shows it.
std::string Synopsis(const Option& o) {
    std::string s = o.shortName ? std::string("-") + o.shortName + ", " : "    ";
    s += "--" + std::string(o.name);
    if (!o.value.empty()) s += " " + std::string(o.value);
    return s;
}

// The help column's text in lines that end before the 80th column.
std::string Wrapped(std::string_view text) {
    constexpr std::size_t WIDTH = 79 - HELP_COLUMN;
    std::string out;
    std::size_t lineLength = 0;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        if (lineLength > 0 && lineLength + 1 + word.size() > WIDTH) {
            out += "\n" + std::string(HELP_COLUMN, ' ');
            lineLength = 0;
        } else if (lineLength > 0) {
            out += ' ';
            ++lineLength;
        }
        out += word;
        lineLength += word.size();
    }
    return out;
}

// troff text: a backslash and a minus are escaped, a leading dot or quote guarded.
std::string Troff(std::string_view text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\\')
            out += "\\e";
        else if (ch == '-')
            out += "\\-";
        else
            out += ch;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

} // namespace

std::span<const Option> Table() {
    return OPTIONS;
}

Parsed Parse(const std::vector<std::string>& arguments) {
    Parsed p;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size() && p.error.empty(); ++i) {
        const std::string& arg = arguments[i];
        if (!optionsEnded && arg == "--")
            optionsEnded = true;
        else if (!optionsEnded && arg.starts_with("--"))
            p.error = ParseLong(arguments, i, p.choices);
        else if (!optionsEnded && arg.size() > 1 && arg[0] == '-')
            p.error = ParseShort(arguments, i, p.choices);
        else
            p.error = Complaint("unexpected argument " + Quoted(arg));
    }
    if (p.error.empty() && p.choices.level != 0 && p.choices.tutorial != 0)
        p.error = Complaint("options '--level' and '--tutorial' exclude each other");
    const int demos =
        !p.choices.record.empty() + !p.choices.playDemo.empty() + !p.choices.timeDemo.empty();
    if (p.error.empty() && demos > 1)
        p.error = Complaint("options '--record', '--playdemo' and '--timedemo' exclude each other");
    return p;
}

std::string TryHelp() {
    return "Try '" + std::string(PROGRAM) + " --help'.";
}

std::string Help() {
    std::string s = "Usage: " + std::string(PROGRAM) + " [OPTION]...\n" +
                    "A top-down arena shooter: steer a robot through walled arenas and fire at\n"
                    "the mouse.\n"
                    "Without options the game starts as always: intro, then the start menu.\n\n";
    for (const Option& o : OPTIONS) {
        const std::string synopsis = "  " + Synopsis(o);
        s += synopsis.size() < HELP_COLUMN
                 ? synopsis + std::string(HELP_COLUMN - synopsis.size(), ' ')
                 : synopsis + "\n" + std::string(HELP_COLUMN, ' ');
        s += Wrapped(o.help) + "\n";
    }
    s += "\nExit status: 0 when the game ends in order, 1 when it cannot start or stops\n"
         "on an error, 2 for a bad command line.\n"
         "The manual page (man kolvemar-trovix) has the controls and the files.\n";
    return s;
}

std::string ManOptions() {
    std::string s = ".SH OPTIONS\n";
    for (const Option& o : OPTIONS) {
        s += ".TP\n";
        if (o.shortName) s += "\\fB\\-" + std::string(1, o.shortName) + "\\fR, ";
        s += "\\fB\\-\\-" + Troff(o.name) + "\\fR";
        if (!o.value.empty()) s += " \\fI" + Troff(o.value) + "\\fR";
        s += "\n" + Troff(o.help) + "\n";
    }
    return s;
}

} // namespace CommandLine
