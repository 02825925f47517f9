#include "Settings.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <cstring>
#include <iostream>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <variant>

#include "StandardLib.h"

namespace Settings {

namespace {

// Far more than any settings file holds; the rest of a bigger file is ignored
// (and said so).
constexpr std::size_t MAX_BYTES = 64 * 1024;

// The words of a choice, in the order of its values.
const char* const PRESENT_NAMES[] = {"auto", "renderer", "surface"};

// One line per setting: a new setting is a field in Values and a line here.
struct Key {
    const char* name;
    std::variant<int32_t Values::*, bool Values::*, std::string Values::*, Present Values::*> field;
    int32_t min = 0;
    int32_t max = 1;
};

const Key KEYS[] = {
    {"window_width", &Values::windowWidth, 0, 16384},
    {"window_height", &Values::windowHeight, 0, 16384},
    {"fullscreen", &Values::fullscreen},
    {"volume", &Values::volume, 0, 100},
    {"mute", &Values::muted},
    {"language", &Values::language},
    {"present", &Values::present},
    {"smooth", &Values::smooth},
};

// "auto" or a language code such as "de" or "fr_BE": letters and the
// separators of a locale name, never long enough to matter.
bool Taalcode(std::string_view s) {
    constexpr std::size_t MAX_CODE = 32;
    const auto teken = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.' || c == '@';
    };
    return !s.empty() && s.size() <= MAX_CODE && std::all_of(s.begin(), s.end(), teken);
}

std::mutex lock;
std::optional<Values> current; // guarded by lock

// One thread replaces the file with the newest values handed to it, so that
// no caller (the window thread's volume keys) ever waits for the disk. It is
// a static of its own so that it outlives every caller, the exit handlers'
// included, and writes what is pending before the program ends.
struct Writer {
    std::mutex lock;
    std::condition_variable changed;
    std::optional<Values> pending; // the newest values not yet being written
    bool busy = false;             // a write is under way
    bool stopping = false;
    bool lastWritten = true; // the outcome of the newest finished write
    std::thread thread;
    ~Writer() {
        {
            std::lock_guard guard(lock);
            stopping = true;
        }
        changed.notify_all();
        if (thread.joinable()) thread.join();
    }
};
Writer writer;
FileWriter fileWriter = StandardLib::WritePrivateFile; // guarded by writer.lock

std::string_view Trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<int32_t> Number(std::string_view s) {
    int32_t v = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<bool> Flag(std::string_view s) {
    if (s == "true" || s == "1") return true;
    if (s == "false" || s == "0") return false;
    return std::nullopt;
}

std::optional<Present> Choice(std::string_view s) {
    for (int32_t i = 0; i < static_cast<int32_t>(std::size(PRESENT_NAMES)); ++i)
        if (s == PRESENT_NAMES[i]) return static_cast<Present>(i);
    return std::nullopt;
}

// Sets the key's field from the text; the reason when it cannot.
std::optional<std::string> Apply(const Key& key, std::string_view text, Values& values) {
    if (const auto* woord = std::get_if<std::string Values::*>(&key.field)) {
        if (!Taalcode(text)) return "expected auto or a language code such as de or fr_BE";
        values.*(*woord) = text;
        return std::nullopt;
    }
    if (const auto* flag = std::get_if<bool Values::*>(&key.field)) {
        const std::optional<bool> v = Flag(text);
        if (!v) return "expected true or false";
        values.*(*flag) = *v;
        return std::nullopt;
    }
    if (const auto* choice = std::get_if<Present Values::*>(&key.field)) {
        const std::optional<Present> v = Choice(text);
        if (!v) return "expected auto, renderer or surface";
        values.*(*choice) = *v;
        return std::nullopt;
    }
    const std::optional<int32_t> v = Number(text);
    if (!v) return "expected a whole number";
    if (*v < key.min || *v > key.max)
        return "out of range " + std::to_string(key.min) + " to " + std::to_string(key.max);
    values.*std::get<int32_t Values::*>(key.field) = *v;
    return std::nullopt;
}

// A key_ or pad_ line, kept as written for the command module (a later line
// for the same action replaces an earlier one). No key's name is long.
std::optional<std::string> KeepBinding(std::string_view name, std::string_view value,
                                       std::size_t number, Values& values) {
    constexpr std::size_t LONGEST = 64;
    if (name.size() > LONGEST || value.size() > LONGEST) return "too long for a binding";
    const auto same = [name](const Binding& b) { return b.name == name; };
    std::erase_if(values.bindings, same);
    values.bindings.push_back(
        {std::string(name), std::string(value), static_cast<int32_t>(number)});
    return std::nullopt;
}

std::optional<std::string> ReadLine(std::string_view line, std::size_t number, Values& values) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return "expected key=value";
    const std::string_view name = Trimmed(line.substr(0, eq));
    if (name.starts_with("key_") || name.starts_with("pad_"))
        return KeepBinding(name, Trimmed(line.substr(eq + 1)), number, values);
    for (const Key& key : KEYS)
        if (name == key.name) return Apply(key, Trimmed(line.substr(eq + 1)), values);
    return "unknown setting";
}

// The file's text, at most MAX_BYTES of it; a missing file is an empty one.
std::string FileText() {
    std::string text, reason;
    if (!StandardLib::ReadRegularFile(FilePath(), MAX_BYTES, text, &reason)) {
        if (errno != ENOENT)
            std::cerr << "\"" << FilePath() << "\" " << reason << "; the defaults are used."
                      << std::endl;
        return {};
    }
    if (text.size() > MAX_BYTES) {
        std::cerr << "\"" << FilePath()
                  << "\" is longer than a settings file can be: only the first " << MAX_BYTES
                  << " bytes are read." << std::endl;
        text.resize(MAX_BYTES);
    }
    return text;
}

bool WriteNow(const Values& values, FileWriter write) {
    if (FilePath().empty()) return false; // no home folder, as was said at the start
    const int error = StandardLib::MakeFolders(StandardLib::ConfigFolder());
    if (error != 0) {
        std::cerr << "Cannot create the settings folder \"" << StandardLib::ConfigFolder()
                  << "\": " << std::strerror(error) << "; the settings are not saved." << std::endl;
        return false;
    }
    return write(FilePath(), Write(values));
}

void WriterLoop() {
    std::unique_lock guard(writer.lock);
    for (;;) {
        writer.changed.wait(guard, [] { return writer.pending || writer.stopping; });
        if (!writer.pending) return;
        const Values values = *writer.pending;
        writer.pending.reset();
        writer.busy = true;
        const FileWriter write = fileWriter;
        guard.unlock();
        const bool written = WriteNow(values, write);
        guard.lock();
        writer.busy = false;
        writer.lastWritten = written;
        writer.changed.notify_all();
    }
}

} // namespace

Values Load() {
    std::vector<std::string> problems;
    const Values values = Read(FileText(), &problems);
    // A file of garbage is told about in a few lines, not thousands.
    constexpr std::size_t TOLD = 5;
    for (std::size_t i = 0; i < std::min(problems.size(), TOLD); ++i)
        std::cerr << "\"" << FilePath() << "\" " << problems[i] << "; the default is used."
                  << std::endl;
    if (problems.size() > TOLD)
        std::cerr << "\"" << FilePath() << "\": " << problems.size() - TOLD
                  << " more lines ignored." << std::endl;
    return values;
}

std::string FilePath() {
    const std::string folder = StandardLib::ConfigFolder();
    return folder.empty() ? "" : folder + "/settings.txt";
}

Values Read(std::string_view text, std::vector<std::string>* problems) {
    Values values;
    text = text.substr(0, MAX_BYTES);
    std::size_t number = 0;
    while (!text.empty()) {
        ++number;
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trimmed(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.empty() || line.front() == '#') continue;
        const std::optional<std::string> problem = ReadLine(line, number, values);
        if (problem && problems)
            problems->push_back("line " + std::to_string(number) + ": " + *problem);
    }
    return values;
}

std::string Write(const Values& values) {
    std::string text;
    for (const Key& key : KEYS) {
        text += key.name;
        text += '=';
        if (const auto* flag = std::get_if<bool Values::*>(&key.field))
            text += values.*(*flag) ? "true" : "false";
        else if (const auto* woord = std::get_if<std::string Values::*>(&key.field))
            text += values.*(*woord);
        else if (const auto* choice = std::get_if<Present Values::*>(&key.field))
            text += PRESENT_NAMES[static_cast<int32_t>(values.*(*choice))];
        else
            text += std::to_string(values.*std::get<int32_t Values::*>(key.field));
        text += '\n';
    }
    for (const Binding& b : values.bindings)
        text += b.name + '=' + b.value + '\n';
    return text;
}

Values Current() {
    std::lock_guard guard(lock);
    if (!current) current = Load();
    return *current;
}

void StoreLater(const Values& values) {
    std::lock_guard guard(lock);
    current = values;
    std::lock_guard writing(writer.lock);
    writer.pending = values;
    writer.changed.notify_all();
    if (writer.thread.joinable()) return;
    try {
        writer.thread = std::thread(WriterLoop);
    } catch (const std::system_error&) {
        // No thread to be had: the caller waits for the disk instead.
        writer.pending.reset();
        writer.lastWritten = WriteNow(values, fileWriter);
    }
}

bool Flush() {
    std::unique_lock writing(writer.lock);
    writer.changed.wait(writing, [] { return !writer.pending && !writer.busy; });
    return writer.lastWritten;
}

bool Store(const Values& values) {
    StoreLater(values);
    return Flush();
}

void SetFileWriter(FileWriter write) {
    std::lock_guard writing(writer.lock);
    fileWriter = write ? write : StandardLib::WritePrivateFile;
}

} // namespace Settings
