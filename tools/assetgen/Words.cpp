#include "Words.h"

#include "AssetList.h"
#include "Canvas.h"
#include "Catalogus.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>

namespace Words {

namespace {

std::map<std::string, Catalogus::Catalogus> catalogues;
const Catalogus::Catalogus* current = nullptr;

} // namespace

bool Load(const std::string& outDir) {
    for (std::string_view code : AssetList::kLanguages) {
        const std::string path =
            outDir + "/locale/" + std::string(code) + "/LC_MESSAGES/kolvemar-trovix.mo";
        std::ifstream in(path, std::ios::binary);
        std::string error = "cannot be read";
        std::optional<Catalogus::Catalogus> c;
        if (in) c = Catalogus::Lees(std::string(std::istreambuf_iterator<char>(in), {}), error);
        if (!c) {
            std::fprintf(stderr, "assetgen: %s %s\n", path.c_str(), error.c_str());
            return false;
        }
        catalogues[std::string(code)] = std::move(*c);
    }
    return true;
}

void Speak(const std::string& code) {
    const auto it = catalogues.find(code);
    current = it == catalogues.end() ? nullptr : &it->second;
    Canvas::SetLanguage(code);
}

const char* Tekst(const char* nederlands) {
    const std::string* t = current ? Catalogus::Zoek(*current, nederlands) : nullptr;
    return t ? t->c_str() : nederlands;
}

} // namespace Words
