#include "ElfSymbols.h"

#include "win/winbase.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string moduleImage() {
    return winx::readFile(TRKSS_LIBRARY).value_or("");
}

bool hasExport(const std::vector<trkhost::ExportedSymbol>& symbols, const std::string& name) {
    return std::any_of(symbols.begin(), symbols.end(),
                       [&](const auto& s) { return s.demangled == name; });
}

TEST(ElfSymbols, TheModuleExportsItsLaunchersAndHidesItsInternals) {
    const auto symbols = trkhost::exportedSymbols(moduleImage());
    ASSERT_TRUE(symbols.has_value());
    EXPECT_TRUE(hasExport(*symbols, "acrxEntryPoint"));
    EXPECT_TRUE(hasExport(*symbols, "StartDlgStandardsSS(KvDlgStandardsData&)"));
    EXPECT_TRUE(hasExport(*symbols, "StartDlgMacroModeless(bool, MacroData&, int&)"));
    EXPECT_TRUE(hasExport(*symbols, "gSSDlgsMgr"));
    EXPECT_TRUE(hasExport(*symbols, "KvSSDlgsMgr::getDlg()"));
    EXPECT_FALSE(hasExport(*symbols, "trkss::moduleState()"));
    EXPECT_FALSE(hasExport(*symbols, "trkssDllMain(HINSTANCE__*, unsigned int)"));
}

TEST(ElfSymbols, DamagedImagesAreRefusedWithoutReadingPastTheEnd) {
    const std::string image = moduleImage();
    ASSERT_GT(image.size(), 4096u);
    EXPECT_FALSE(trkhost::exportedSymbols("").has_value());
    EXPECT_FALSE(trkhost::exportedSymbols("not an image").has_value());
    EXPECT_FALSE(trkhost::exportedSymbols(std::string_view(image).substr(0, 64)).has_value());
    std::string damaged = image;
    damaged[0x28] = '\xFF'; // section header table offset far beyond the end
    damaged[0x2F] = '\x7F';
    EXPECT_FALSE(trkhost::exportedSymbols(damaged).has_value());
    for (size_t cut : {image.size() / 2, image.size() - 100})
        EXPECT_FALSE(trkhost::exportedSymbols(std::string_view(image).substr(0, cut)))
            << "cut at " << cut;
}

} // namespace
