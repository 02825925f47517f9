#include "StandardLib.h"

#include <cerrno>
#include <cstdlib>

namespace StandardLib {

namespace {

constexpr std::size_t MAX_TOKEN = 255;

bool IsSeparator(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 26; }

} // namespace

std::string PlatformPath(const std::string& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::FILE* OpenFile(const std::string& name, const char* mode) {
    return std::fopen(PlatformPath(name).c_str(), mode);
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

float TokenToReal(const std::string& token) {
    if (token.empty()) return 0.0f;
    char* end = nullptr;
    const float v = std::strtof(token.c_str(), &end);
    return (end == token.c_str() + token.size()) ? v : 0.0f;
}

bool TokenToBool(const std::string& token) { return token == "TRUE"; }

} // namespace StandardLib
