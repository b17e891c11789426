#include "standards/LookupTables.h"

#include "FunctionsTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using stdfunctest::TempLibrary;

std::vector<std::wstring> texts(const Trk_StringArray& array) {
    std::vector<std::wstring> out;
    for (const Trk_String& text : array)
        out.push_back(text.str());
    return out;
}

TEST(LookupTables, RowsAreTabSplitWithKeyAndValueAndCommentsDropped) {
    const LookupTable table = parseLookupTable({
        L"// bolts per section",
        L"IPE-200;10\t55\tignored",
        L"HEA-100\t",
        L"single",
        L"A\tB // note",
        L"",
        L"//",
        L"\tno key",
    });
    EXPECT_EQ(texts(table.keys),
              (std::vector<std::wstring>{L"IPE-200;10", L"HEA-100", L"single", L"A", L""}));
    ASSERT_EQ(table.values.size(), 5u);
    EXPECT_EQ(table.values[0], Trk_String(L"55"));
    EXPECT_EQ(table.values[1], Trk_String(L""));
    EXPECT_EQ(table.values[2], std::nullopt);
    EXPECT_EQ(table.values[3], Trk_String(L"B "));
    EXPECT_EQ(table.values[4], Trk_String(L"no key"));
}

TEST(LookupTables, FilesAreReadWholeAndUnreadableOnesGiveNothing) {
    TempLibrary library;
    library.write("t.txt", "\xEF\xBB\xBFM16\t18\r\nM20\t22\r\n");
    const auto table = readLookupTable(library.path("t.txt").wstring());
    ASSERT_TRUE(table);
    EXPECT_EQ(texts(table->keys), (std::vector<std::wstring>{L"M16", L"M20"}));
    EXPECT_EQ(table->values[1], Trk_String(L"22"));
    EXPECT_FALSE(readLookupTable(library.path("missing.txt").wstring()));
}

TEST(LookupTables, NamesResolveToTheFirstExistingOfFourPaths) {
    TempLibrary library;
    library.write("t.txt", "lib");
    library.write("Connection Standards/t.txt", "standards");
    library.write("Connection Standards/Data/t.txt", "data");
    const Trk_String lib = gSettings.libDir;

    EXPECT_EQ(resolveStandardsDataFile(L"t.txt"), lib + L"Connection Standards\\Data\\t.txt");
    library.remove("Connection Standards/Data/t.txt");
    EXPECT_EQ(resolveStandardsDataFile(L"t.txt"), lib + L"Connection Standards\\t.txt");
    library.remove("Connection Standards/t.txt");
    EXPECT_EQ(resolveStandardsDataFile(L"t.txt"), lib + L"t.txt");
    library.remove("t.txt");
    EXPECT_EQ(resolveStandardsDataFile(L"t.txt"), std::nullopt);
}

TEST(LookupTables, AnExistingNameIsTakenAsItIsAndFoldersDoNotCount) {
    TempLibrary library;
    library.write("Connection Standards/Data/t.txt", "data");
    const Trk_String own = library.path("own.txt").wstring();
    library.write("own.txt", "own");
    EXPECT_EQ(resolveStandardsDataFile(own), own);

    std::filesystem::create_directories(library.path("Connection Standards/Data/dir.txt"));
    library.write("Connection Standards/dir.txt", "file");
    EXPECT_EQ(resolveStandardsDataFile(L"dir.txt"),
              gSettings.libDir + L"Connection Standards\\dir.txt");
    EXPECT_EQ(resolveStandardsDataFile(L""), std::nullopt) << "the library folder is no file";
}

} // namespace
