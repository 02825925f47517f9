#include "StandardLib.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <random>
#include <vector>

#include "Time.h"

namespace StandardLib {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t MAX_TOKEN = 255;
constexpr uint32_t START_SEED = 94;
constexpr float HALF_PI_REAL = 1.570796f;
// A temporary file this old is no longer being written by anyone.
constexpr std::chrono::seconds STALE_AFTER{60};

std::string gDataFolder, gPlayerFolder;
bool gWithoutSaving = false; // no home folder: the player's files are neither read nor written

bool gPseudoRandom = true;
uint32_t gSeed = START_SEED;
std::mt19937 general;

bool IsSeparator(int c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 26;
}

bool WriteAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Temporaries carry a mark of the game's own, so that a player's "save1.txt.backup"
// is never taken for one.
constexpr std::string_view TEMPORARY_MARK = ".kt-";

// The file a temporary stands for, when `name` ends as mkstemp makes it from
// "<file>.kt-XXXXXX" (six letters or digits); empty otherwise.
std::string TemporaryOf(const std::string& name) {
    constexpr std::size_t RANDOM = 6;
    const std::size_t suffix = TEMPORARY_MARK.size() + RANDOM;
    if (name.size() <= suffix ||
        name.compare(name.size() - suffix, TEMPORARY_MARK.size(), TEMPORARY_MARK) != 0)
        return {};
    for (std::size_t i = name.size() - RANDOM; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return {};
    return name.substr(0, name.size() - suffix);
}

// "save3.txt" and "save1.txt" are one family of files: the name without digits.
std::string Family(const std::string& name) {
    std::string f;
    for (char c : name)
        if (!std::isdigit(static_cast<unsigned char>(c))) f.push_back(c);
    return f;
}

// $HOME, or when that is unset or empty the password database's home folder;
// empty when neither gives one.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') return home;
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir || found->pw_dir[0] != '/')
        return "";
    return found->pw_dir;
}

// The XDG base directory rule: an unset, empty or relative value means the
// default under the home folder. Empty when there is no home folder either.
std::string XdgFolder(const char* variable, const char* fallbackUnderHome) {
    const char* value = std::getenv(variable);
    std::string base;
    if (value != nullptr && value[0] == '/') {
        base = value;
    } else {
        const std::string home = HomeFolder();
        if (home.empty()) return "";
        base = home + fallbackUnderHome;
    }
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base + "/kolvemar-trovix";
}

// Removes the temporaries that writes killed half-way left next to `path`:
// "<name>.kt-XXXXXX" files older than a minute, where <name> is `path`'s own
// file name up to its digits ("save2.txt.kt-Ab12Cd" for "save5.txt").
void RemoveStaleTemporaries(const std::string& path) {
    const fs::path target(path);
    const std::string family = Family(target.filename().string());
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const auto tooOld = fs::file_time_type::clock::now() - STALE_AFTER;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string of = TemporaryOf(it->path().filename().string());
        if (of.empty() || Family(of) != family) continue;
        std::error_code statError;
        // A younger one may be another running game's write in progress.
        if (!it->is_regular_file(statError) || it->last_write_time(statError) > tooOld || statError)
            continue;
        std::error_code removeError;
        fs::remove(it->path(), removeError);
    }
}

std::string WithSlashes(const std::string& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

bool HoldsConstants(const fs::path& folder) {
    std::error_code error;
    return fs::is_regular_file(folder / "Constanten.txt", error);
}

void CannotWrite(const std::string& path, int error) {
    std::cerr << "Cannot write \"" << path << "\": " << std::strerror(error)
              << "; the old file is left as it was." << std::endl;
}

// The mode the replacement takes: an old regular file's own, else (nothing
// there, or a link or anything else in the way, which is replaced and never
// written through) `fresh`. 0 with the errno when the file must stay.
mode_t ReplacementMode(const std::string& path, mode_t fresh, int& error) {
    struct stat old {};
    if (::lstat(path.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return fresh;
    // Root may write anything, so the mode bits decide as well as access().
    if ((old.st_mode & 0222) == 0)
        error = EACCES;
    else if (::access(path.c_str(), W_OK) != 0)
        error = errno;
    return error == 0 ? old.st_mode & 07777 : 0;
}

// The atomic replace: a temporary in the same folder, flushed, then renamed
// over the old file.
bool ReplaceFile(const std::string& path, const std::string& content, mode_t fresh) {
    int error = 0;
    const mode_t mode = ReplacementMode(path, fresh, error);
    if (error != 0) {
        CannotWrite(path, error);
        return false;
    }
    RemoveStaleTemporaries(path);
    std::string temporary = path + std::string(TEMPORARY_MARK) + "XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        CannotWrite(path, errno);
        return false;
    }
    errno = 0;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, content) || ::fsync(fd) != 0)
        error = errno ? errno : EIO;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        CannotWrite(path, error);
        std::remove(temporary.c_str());
    }
    return error == 0;
}

} // namespace

int MakeFolders(const std::string& folder) {
    std::size_t end = 0;
    while (end != std::string::npos) {
        end = folder.find('/', end + 1);
        const std::string part = folder.substr(0, end);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return errno;
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

std::string ConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", "/.config");
}

std::string PlayerFolder() {
    return XdgFolder("XDG_DATA_HOME", "/.local/share");
}

std::string PlatformPath(const std::string& name) {
    std::string path = WithSlashes(name);
    if (path.empty() || path[0] == '/') return path;
    if (gWithoutSaving && IsPlayerFile(path)) return "";
    const std::string& folder = IsPlayerFile(path) ? gPlayerFolder : gDataFolder;
    return folder.empty() ? path : folder + "/" + path;
}

bool StaysInside(const std::string& name) {
    const std::string path = WithSlashes(name);
    if (path.starts_with('/')) return false;
    for (std::size_t from = 0; from <= path.size();) {
        const std::size_t end = std::min(path.find('/', from), path.size());
        if (path.compare(from, end - from, "..") == 0) return false;
        from = end + 1;
    }
    return true;
}

bool IsPlayerFile(const std::string& name) {
    const std::string path = WithSlashes(name);
    if (path == "Highscores.txt") return true;
    static const std::string prefix = "levels/save", suffix = ".txt";
    return path.size() == prefix.size() + 1 + suffix.size() && path.starts_with(prefix) &&
           path.ends_with(suffix) && path[prefix.size()] >= '1' && path[prefix.size()] <= '5';
}

void SetFolders(const std::string& dataFolder, const std::string& playerFolder) {
    gDataFolder = dataFolder;
    gPlayerFolder = playerFolder;
    gWithoutSaving = false;
}

std::string DataFolder() {
    return gDataFolder;
}

std::string SaveFolder() {
    return gPlayerFolder;
}

std::string FindDataFolder(const std::string& workingFolder, const std::string& executable) {
    const fs::path working = workingFolder.empty() ? fs::path(".") : fs::path(workingFolder);
    if (HoldsConstants(working)) return "";
    const fs::path bin = fs::path(executable).parent_path();
    std::string tried = "the working folder";
    if (bin.filename() == "bin") {
        for (const fs::path& candidate :
             {bin.parent_path() / "share" / "kolvemar-trovix", bin.parent_path() / "game"}) {
            if (HoldsConstants(candidate)) return candidate.string();
            tried += ", " + candidate.string();
        }
    }
    std::cerr << "No game data found: no \"Constanten.txt\" in " << tried << "." << std::endl;
    return "";
}

void FindFolders() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    const std::string player = PlayerFolder();
    SetFolders(FindDataFolder("", error ? "" : executable.string()), player);
    if (!player.empty()) return;
    std::cerr << "No home folder (HOME is unset or empty and the password database names none): "
                 "the game plays without saving."
              << std::endl;
    gWithoutSaving = true;
}

int MakePlayerFolder(const std::string& name) {
    if (gPlayerFolder.empty() || !IsPlayerFile(name)) return 0;
    return MakeFolders(fs::path(PlatformPath(name)).parent_path().string());
}

bool WriteGameFile(const std::string& name, const std::string& content) {
    const std::string path = PlatformPath(name);
    if (path.empty()) {
        std::cerr << "No player's folder: the game plays on without saving \"" << WithSlashes(name)
                  << "\"." << std::endl;
        return false;
    }
    const int error = MakePlayerFolder(name);
    if (error != 0) {
        std::cerr << "Cannot create the player's folder \"" << fs::path(path).parent_path().string()
                  << "\": " << std::strerror(error) << "; the game plays on without saving \""
                  << WithSlashes(name) << "\"." << std::endl;
        return false;
    }
    return IsPlayerFile(name) ? WritePrivateFile(path, content) : WriteFileAtomic(path, content);
}

std::FILE* OpenFile(const std::string& name, const char* mode, std::string* reason) {
    if (mode == nullptr || mode[0] != 'r' || std::strchr(mode, '+') != nullptr) {
        errno = EINVAL;
        if (reason) *reason = "cannot be opened (only for reading)";
        return nullptr;
    }
    return OpenRegularFile(PlatformPath(name), reason);
}

bool WriteFileAtomic(const std::string& path, const std::string& content) {
    return ReplaceFile(path, content, 0644);
}

bool WritePrivateFile(const std::string& path, const std::string& content) {
    return ReplaceFile(path, content, 0600);
}

std::size_t SkipSeparators(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsSeparator(static_cast<unsigned char>(text[pos])))
        ++pos;
    return pos;
}

bool ReadToken(std::string_view text, std::size_t& pos, std::string& token) {
    token.clear();
    pos = SkipSeparators(text, pos);
    while (pos < text.size() && !IsSeparator(static_cast<unsigned char>(text[pos]))) {
        if (token.size() < MAX_TOKEN) token.push_back(text[pos]);
        ++pos;
    }
    if (pos < text.size()) ++pos; // the separator that ended the token
    return !token.empty();
}

bool ReadToken(std::FILE* f, std::string& token) {
    token.clear();
    int c = std::fgetc(f);
    while (c != EOF && IsSeparator(c))
        c = std::fgetc(f);
    while (c != EOF && !IsSeparator(c)) {
        if (token.size() < MAX_TOKEN) token.push_back(static_cast<char>(c));
        c = std::fgetc(f);
    }
    return !token.empty();
}

uint32_t TokenToCard(const std::string& token) {
    if (token.empty() || token.find_first_not_of("0123456789") != std::string::npos) return 0;
    errno = 0;
    const unsigned long long v = std::strtoull(token.c_str(), nullptr, 10);
    return (errno == ERANGE || v > UINT32_MAX) ? 0 : static_cast<uint32_t>(v);
}

int32_t TokenToInt(const std::string& token) {
    const bool negative = !token.empty() && token[0] == '-';
    const uint32_t magnitude = TokenToCard(negative ? token.substr(1) : token);
    if (negative) return magnitude <= 2147483648u ? static_cast<int32_t>(-int64_t(magnitude)) : 0;
    return magnitude <= INT32_MAX ? static_cast<int32_t>(magnitude) : 0;
}

bool IsDecimalReal(std::string_view token) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < token.size() && token[i] >= '0' && token[i] <= '9')
            ++i;
        return i - from;
    };
    const auto sign = [&] {
        if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    };
    sign();
    std::size_t mantissa = digits();
    if (i < token.size() && token[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < token.size() && (token[i] == 'E' || token[i] == 'e')) {
        ++i;
        sign();
        if (digits() == 0) return false;
    }
    return i == token.size();
}

float TokenToReal(const std::string& token) {
    // strtof alone would also take "nan", "inf" and hexadecimal forms.
    if (!IsDecimalReal(token)) return 0.0f;
    const float v = std::strtof(token.c_str(), nullptr);
    return std::isfinite(v) ? v : 0.0f;
}

bool TokenToBool(const std::string& token) {
    return token == "TRUE";
}

void Init() {
    const Time::DateTime now = Time::ReadClock();
    general.seed(now.minute * 6000 + now.second * 100 + now.fractions);
    gPseudoRandom = true;
    gSeed = START_SEED;
}

uint32_t PseudoRandomCardGenerator() {
    uint32_t n = (gSeed * 351u + 138u) % 1013u;
    if (n == gSeed) n = n + 1; // the generator's fixed point, 509
    gSeed = n;
    return n;
}

uint32_t RandomSeed() {
    return gSeed;
}

void SetRandomSeed(uint32_t seed) {
    gSeed = seed;
}

uint32_t RandomCard(uint32_t min, uint32_t max) {
    if (max < min) {
        std::cout << "ERROR calling RandomCardFromInterval: min " << min << " is bigger than max "
                  << max << std::endl;
        return min;
    }
    if (!gPseudoRandom) return min + std::uniform_int_distribution<uint32_t>(0, max - min)(general);
    const long double g = PseudoRandomCardGenerator();
    const long double share = (static_cast<long double>(max - min) + 0.99999f) / 1012.0L;
    return min + static_cast<uint32_t>(share * g);
}

float AngleWithXAx_REAL(float x0, float y0, float x1, float y1) {
    if (x0 == x1) return y0 < y1 ? HALF_PI_REAL : -HALF_PI_REAL;
    long double alfa =
        std::atan((static_cast<long double>(y1) - y0) / (static_cast<long double>(x1) - x0));
    if (x1 < x0) alfa += 3.14159265358979323846264338327950288L;
    return static_cast<float>(alfa);
}

} // namespace StandardLib
