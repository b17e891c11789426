// Section-table files as lines of cells.
#include "SectionTestSupport.h"

using hosttest::readRaw;
using hosttest::TempFolder;
using hosttest::writeRaw;
using Lines = Trk_Array<Trk_StringArray>;

TEST(SectionTableFile, LinesWrittenAreReadBackWithTheSeriesNamedAfterTheFile) {
    TempFolder folder;
    const Lines lines{
        {L"1"}, {L"SysName", L"I/O", L"English"}, {L"300", L"1", L"Größe 300", L""}, {L""}};
    const Trk_String path = folder.text() + L"prof\\HE-Reihe.pr";
    std::filesystem::create_directories(folder.file("prof"));
    ASSERT_EQ(writeSectionTableFile(path, lines), eOk);
    EXPECT_EQ(readRaw(folder.file("prof/HE-Reihe.pr")),
              "1\nSysName\tI/O\tEnglish\n300\t1\tGr\xC3\xB6\xC3\x9F"
              "e 300\t\n\n");
    Lines read;
    Trk_String name;
    ASSERT_EQ(readSectionTableFile(path, read, name), eOk);
    EXPECT_EQ(read, lines);
    EXPECT_EQ(name, L"HE-Reihe");
}

TEST(SectionTableFile, ByteOrderMarksAndCarriageReturnsAreNotPartOfTheCells) {
    const Lines lines = trkx::sectionTableLinesOfText("\xEF\xBB\xBF"
                                                      "1\r\nA\tB\r\n\tx\ry\r\n");
    EXPECT_EQ(lines, (Lines{{L"1"}, {L"A", L"B"}, {L"", L"xy"}}));
    EXPECT_TRUE(trkx::sectionTableLinesOfText("").isEmpty());
}

TEST(SectionTableFile, CellsWithTabsOrLineBreaksAreRefusedAndTheOldFileStays) {
    TempFolder folder;
    writeRaw(folder.file("T.pr"), "old\n");
    const Trk_String path = folder.text() + L"T.pr";
    for (const wchar_t* cell : {L"a\tb", L"a\nb", L"a\r"}) {
        EXPECT_EQ(writeSectionTableFile(path, Lines{{L"1", cell}}), eInvalidInput);
        EXPECT_EQ(readRaw(folder.file("T.pr")), "old\n");
    }
    Lines lines{{L"keep"}};
    Trk_String name = L"keep";
    EXPECT_EQ(readSectionTableFile(folder.text() + L"Missing.pr", lines, name), eInvalidInput);
    EXPECT_EQ(lines, Lines{{L"keep"}});
    EXPECT_EQ(name, L"keep");
}

TEST(SectionTableFile, OnlyLinesWithTitlesAndDistinctNamedSizesMakeATable) {
    Trk_SectionTable table;
    Trk_String reason;
    const Trk_StringArray titles{L"SysName", L"I/O",   L"English", L"German",
                                 L"French",  L"Dutch", L"h"};
    EXPECT_TRUE(
        trkx::sectionTableOfLines(L"S", Lines{{L"3"}, titles, {L"1", L"1"}}, table, reason));
    EXPECT_EQ(table.name, L"S");
    EXPECT_EQ(table.firstValueColumn(), 5);
    const Lines faulty[] = {{},
                            {{L"3"}},
                            {{L"3"}, {L"Name", L"I/O"}},
                            {{L"3"}, titles, {L"1", L"1", L"", L"", L"", L"", L"", L"extra"}},
                            {{L"3"}, titles, {L"", L"1"}},
                            {{L"3"}, titles, {L"1"}, {L"1"}}};
    for (const Lines& lines : faulty) {
        Trk_SectionTable untouched;
        reason.clear();
        EXPECT_FALSE(trkx::sectionTableOfLines(L"S", lines, untouched, reason));
        EXPECT_FALSE(reason.isEmpty());
        EXPECT_TRUE(untouched.name.isEmpty());
    }
    EXPECT_FALSE(trkx::sectionTableOfLines(L"", Lines{{L"3"}, titles}, table, reason));
}
