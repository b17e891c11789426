// Reading a library's tables: reloads, malformed files, publishing and withdrawing tables.
#include "SectionTestSupport.h"

#include <filesystem>

using hosttest::TempFolder;
using hosttest::writeRaw;
using sectiontest::SectionTablesTest;
using sectiontest::tableFileText;

namespace {

const char* const kTitles = "SysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb";

void writeTable(const TempFolder& library, const std::string& series, const char* row) {
    writeRaw(library.file("prof/" + series + ".pr"), tableFileText({"1", kTitles, row}));
}

bool knows(const wchar_t* name) {
    Trk_String systemName;
    return getSystemName(name, systemName) == eOk;
}

bool startsWithEach(const Trk_StringArray& texts, const Trk_StringArray& prefixes) {
    if (texts.length() != prefixes.length()) return false;
    for (int i = 0; i < texts.length(); ++i)
        if (!texts[i].startsWith(prefixes[i])) return false;
    return true;
}

} // namespace

TEST_F(SectionTablesTest, TheRegistryReadsTheLibraryAgainWhenTheLibraryFolderChanges) {
    TempFolder first, second;
    writeTable(first, "UPN", "100\t1\tUPN 100\tU 100\tUPN 100\tUNP 100\t100\t50");
    writeTable(second, "UPE", "100\t1\tUPE 100\tUPE 100\tUPE 100\tUPE 100\t100\t55");
    gSettings.setLibDir(first.text());
    EXPECT_TRUE(knows(L"U 100"));
    EXPECT_FALSE(knows(L"UPE-100"));
    gSettings.setLibDir(second.text());
    EXPECT_FALSE(knows(L"U 100"));
    EXPECT_TRUE(knows(L"UPE-100"));
    // Unchanged folder: a file added since is not read until the folder changes.
    writeTable(second, "UPN", "200\t1\tUPN 200\tU 200\tUPN 200\tUNP 200\t200\t75");
    EXPECT_FALSE(knows(L"UPN-200"));
    gSettings.setLibDir(first.text());
    EXPECT_TRUE(knows(L"U 100"));
    gSettings.setLibDir(second.text());
    EXPECT_TRUE(knows(L"UPN-200"));
    gSettings.libDir.clear();
    EXPECT_TRUE(gSectionTables.tableNames().isEmpty());
}

TEST_F(SectionTablesTest, MalformedFilesAreReportedAndTheOtherTablesStayPublished) {
    TempFolder library;
    writeTable(library, "Good", "10\t1\tG 10\tG 10\tG 10\tG 10\t10\t5");
    writeRaw(library.file("prof/Empty.pr"), "");
    writeRaw(library.file("prof/NoTitles.pr"), tableFileText({"1", "10\t1\tN 10"}));
    writeRaw(library.file("prof/OneLine.pr"), tableFileText({"1"}));
    writeRaw(library.file("prof/Ragged.pr"),
             tableFileText({"1", kTitles, "10\t1\tR\tR\tR\tR\t1\t2\t3"}));
    writeRaw(library.file("prof/Twice.pr"),
             tableFileText({"1", kTitles, "10\t1\tT\tT\tT\tT\t1\t2", "10\t1\tT\tT\tT\tT\t1\t2"}));
    writeRaw(library.file("prof/Unnamed.pr"), tableFileText({"1", kTitles, "\t1\tU"}));
    std::filesystem::create_directories(library.file("prof/Folder.pr"));
    writeRaw(library.file("prof/Notes.txt"), "not a table");
    Trk_StringArray problems;
    EXPECT_EQ(gSectionTables.loadFolder(library.text() + L"prof\\", &problems), eInvalidInput);
    EXPECT_TRUE(
        startsWithEach(problems, {L"Empty.pr: ", L"Folder.pr: ", L"NoTitles.pr: ", L"OneLine.pr: ",
                                  L"Ragged.pr: ", L"Twice.pr: ", L"Unnamed.pr: "}))
        << ::testing::PrintToString(problems.items());
    EXPECT_EQ(gSectionTables.tableNames(), Trk_StringArray{L"Good"});
    Trk_String text;
    EXPECT_EQ(getSectionValue(L"g10", 1, text), eOk);
    EXPECT_EQ(text, L"5");
}

// The platform shows such a name with replacement characters and opens the file by it.
TEST_F(SectionTablesTest, AFileNameThatIsNoUtf8IsReadUnderItsDecodedName) {
    TempFolder library;
    writeTable(library, "Good", "10\t1\tG 10\tG 10\tG 10\tG 10\t10\t5");
    writeTable(library, "\xFF\xFE", "20\t1\tB 20\tB 20\tB 20\tB 20\t20\t9");
    Trk_StringArray problems;
    EXPECT_EQ(gSectionTables.loadFolder(library.text() + L"prof\\", &problems), eOk);
    EXPECT_TRUE(problems.isEmpty());
    EXPECT_EQ(gSectionTables.tableNames(), (Trk_StringArray{L"Good", L"\uFFFD\uFFFD"}));
    Trk_String text;
    EXPECT_EQ(getSectionValue(L"B 20", 1, text), eOk);
    EXPECT_EQ(text, L"9");
}

TEST_F(SectionTablesTest, AFolderThatCannotBeReadLeavesNoTables) {
    gSettings.setLibDir(sectiontest::exampleLibrary());
    ASSERT_FALSE(gSectionTables.tableNames().isEmpty());
    TempFolder library;
    Trk_StringArray problems;
    EXPECT_EQ(gSectionTables.loadFolder(library.text() + L"missing\\", &problems), eInvalidInput);
    EXPECT_EQ(problems.length(), 1);
    EXPECT_TRUE(gSectionTables.tableNames().isEmpty());
    EXPECT_FALSE(knows(L"IPE-300"));
}

TEST_F(SectionTablesTest, InactiveSizesAndTheFlagColumnAreNotPublished) {
    TempFolder library;
    writeRaw(
        library.file("prof/K.pr"),
        tableFileText({"Plate.dwg", "SysName\tI/O\tEnglish\tGerman\tFrench\tDutch\tKorean\th",
                       "1\t1\tK 1\tK 1\tK 1\tK 1\tK 1\t11", "2\t0\tK 2\tK 2\tK 2\tK 2\tK 2\t22",
                       "3\t\tK 3\t\tK 3\tK 3\tK 3\t33", "", "4"}));
    gSettings.setLibDir(library.text());
    const Trk_SectionTable* table = gSectionTables.findTable(L"K");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->shape, L"Prof\\Plate.dwg");
    EXPECT_EQ(table->languageCount(), 5);
    EXPECT_EQ(table->columns, (Trk_StringArray{L"SysName", L"English", L"German", L"French",
                                               L"Dutch", L"Korean", L"h"}));
    ASSERT_EQ(table->rows.length(), 3);
    EXPECT_EQ(table->rows[0],
              (Trk_StringArray{L"1", L"K 1", L"K 1", L"K 1", L"K 1", L"K 1", L"11"}));
    EXPECT_FALSE(knows(L"K-2"));
    Trk_String text = L"unset";
    EXPECT_EQ(getSectionValue(L"K 3", 0, text), eOk);
    EXPECT_EQ(text, L"33");
    EXPECT_EQ(getSectionValue(L"K-4", 0, text), eOk); // a short row reads as empty cells
    EXPECT_EQ(text, L"");
    gSettings.workLanguage = L"de";
    EXPECT_EQ(gSectionTables.getUserName(L"K 3", text), eOk);
    EXPECT_EQ(text, L"K-3");
}

TEST_F(SectionTablesTest, PublishedTablesCanBeAddedWithdrawnAndReplaced) {
    gSettings.setLibDir(sectiontest::exampleLibrary());
    const Trk_StringArray columns{L"SysName", L"English", L"German", L"French", L"Dutch", L"d"};
    const auto rowOf = [](const wchar_t* size, const wchar_t* d) {
        return Trk_StringArray{size, Trk_String(L"RD ") + size, L"", L"", L"", d};
    };
    ASSERT_EQ(gSectionTables.addSectionTable(L"RD.pr", L"5", columns, {rowOf(L"20", L"20")}), eOk);
    EXPECT_EQ(gSectionTables.addSectionTable(L"rd.pr", L"5", columns, {}), eInvalidInput);
    EXPECT_EQ(gSectionTables.addSectionTable(L"X.pr", L"5", {}, {}), eInvalidInput);
    EXPECT_EQ(gSectionTables.addSectionTable(L".pr", L"5", columns, {}), eInvalidInput);
    Trk_String text;
    EXPECT_EQ(getSectionValue(L"rd20", 0, text), eOk);
    EXPECT_EQ(text, L"20");
    EXPECT_TRUE(knows(L"IPE-300")); // the library's tables stay beside it
    EXPECT_EQ(gSectionTables.findTable(L"RD")->fileName, L"RD.pr");

    ASSERT_EQ(gSectionTables.removeSectionTable(L"rd"), eOk);
    EXPECT_EQ(gSectionTables.removeSectionTable(L"RD"), eInvalidInput);
    EXPECT_FALSE(knows(L"RD-20"));
    ASSERT_EQ(gSectionTables.addSectionTable(L"RD", L"5", columns, {rowOf(L"25", L"25.5")}), eOk);
    EXPECT_FALSE(knows(L"RD-20"));
    EXPECT_EQ(getSectionValue(L"RD 25", 0, text), eOk);
    EXPECT_EQ(text, L"25.5");
    EXPECT_EQ(gSectionTables.tableNames(), (Trk_StringArray{L"HEA", L"HEB", L"IPE", L"RD"}));
}

TEST_F(SectionTablesTest, ATableAddedBeforeTheFirstLookUpIsKeptBesideTheLibrary) {
    gSettings.setLibDir(sectiontest::exampleLibrary());
    ASSERT_EQ(gSectionTables.addSectionTable(L"RD.pr", L"5", {L"SysName", L"A", L"B", L"C", L"D"},
                                             {{L"8"}}),
              eOk);
    EXPECT_TRUE(knows(L"RD-8"));
    EXPECT_TRUE(knows(L"HEB-100"));
}
