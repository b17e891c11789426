#include "trk/DialString.h"

#include "HostFiles.h"

#include "trk/StringFunctions.h"
#include "trk/Trk_Settings.h"

#include "acutads.h"

#include <optional>

namespace {

struct TextTable {
    std::optional<std::map<int, Trk_String>> texts; // empty optional: not read yet
};

TextTable& table() {
    static TextTable instance;
    return instance;
}

void loadOnFirstUse() {
    if (table().texts) return;
    Trk_String problems;
    const Trk_String path = dialStringsFile();
    const ErrorStatus status = loadDialStrings(path, problems);
    if (status != eOk || !problems.isEmpty())
        acutPrintf(L"Interface texts \"%s\":\n%s\n", path.c_str(), problems.c_str());
}

} // namespace

Trk_String dialString(int number) {
    loadOnFirstUse();
    const auto& texts = *table().texts;
    const auto found = texts.find(number);
    return found != texts.end() ? found->second : Trk_String::formatted(L"[text %d]", number);
}

ErrorStatus loadDialStrings(const Trk_String& path, Trk_String& problems) {
    table().texts.emplace();
    const auto bytes = trkx::readBytes(path.view());
    if (!bytes) {
        problems = L"the file is missing or cannot be read";
        return eInvalidInput;
    }
    auto parsed = trkx::parseDialStrings(*bytes);
    problems = arrToStr(parsed.problems, L"\n");
    if (parsed.corrupt) return eInvalidInput;
    table().texts = std::move(parsed.texts);
    return eOk;
}

void resetDialStrings() {
    table().texts.reset();
}

Trk_String dialStringsFile() {
    return gSettings.trkDir + L"texts\\" + gSettings.workLanguage + L".txt";
}
