#include "Settings.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>

#include "StandardLib.h"

namespace Settings {

namespace {

constexpr std::size_t LONGEST_LINE = 1024;

std::mutex lock;
std::optional<std::map<std::string, std::string>> values; // read on first use

std::string Trim(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

std::map<std::string, std::string> Read() {
    std::map<std::string, std::string> read;
    std::ifstream in(FilePath());
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string text = Trim(line);
        if (text.empty() || text[0] == '#') continue;
        const std::size_t is = text.find('=');
        if (is == std::string::npos || is == 0 || text.size() > LONGEST_LINE) {
            std::cout << FilePath() << ":" << number << ": not a setting, skipped" << std::endl;
            continue;
        }
        read[Trim(text.substr(0, is))] = Trim(text.substr(is + 1));
    }
    return read;
}

std::map<std::string, std::string>& Values() {
    if (!values) values = Read();
    return *values;
}

} // namespace

std::string FilePath() {
    return StandardLib::ConfigFolder() + "/settings.txt";
}

std::string Get(const std::string& key) {
    std::lock_guard guard(lock);
    const auto& v = Values();
    const auto found = v.find(key);
    return found == v.end() ? "" : found->second;
}

void Set(const std::string& key, const std::string& value) {
    std::lock_guard guard(lock);
    auto& v = Values();
    v[key] = value;
    std::ostringstream out;
    for (const auto& [k, val] : v)
        out << k << '=' << val << '\n';
    std::error_code error;
    std::filesystem::create_directories(StandardLib::ConfigFolder(), error);
    StandardLib::WriteFileAtomic(FilePath(), out.str());
}

void Reload() {
    std::lock_guard guard(lock);
    values.reset();
}

} // namespace Settings
