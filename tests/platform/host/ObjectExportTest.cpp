#include "trk/ObjectExport.h"

#include "win/winbase.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <iterator>

namespace {

class ObjectExportFiles : public ::testing::Test {
protected:
    Trk_String path(const char* relative) const {
        return m_folder.text() +
               Trk_String(std::wstring(relative, relative + std::strlen(relative)));
    }
    Trk_StringArray read(const std::string& bytes) {
        hosttest::writeRaw(m_folder.file("in.txt"), bytes);
        Trk_StringArray lines{L"stale"};
        EXPECT_EQ(ObjectExportReadFile(path("in.txt"), lines), eOk);
        return lines;
    }

    hosttest::TempFolder m_folder;
};

TEST_F(ObjectExportFiles, LinesEndInCrLfOrLfAndAByteOrderMarkIsSkipped) {
    EXPECT_EQ(read("a\r\nb\nc"), (Trk_StringArray{L"a", L"b", L"c"}));
    EXPECT_EQ(read("a\n\nb\n"), (Trk_StringArray{L"a", L"", L"b"}));
    EXPECT_EQ(read("\xEF\xBB\xBF"
                   "first\r\n"),
              (Trk_StringArray{L"first"}));
    EXPECT_EQ(read(""), Trk_StringArray());
    EXPECT_EQ(read("\n"), (Trk_StringArray{L""}));
    EXPECT_EQ(read("tab\there \r\n"), (Trk_StringArray{L"tab\there "}));
    EXPECT_EQ(read("x\r\r\ny\rz"), (Trk_StringArray{L"x", L"y\rz"}));
}

TEST_F(ObjectExportFiles, RepeatedReadsOfAnOldFileFollowEveryChangeOfIt) {
    namespace fs = std::filesystem;
    const fs::path file = m_folder.file("table.txt");
    const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
    const auto readLines = [&] {
        Trk_StringArray lines;
        EXPECT_EQ(ObjectExportReadFile(path("table.txt"), lines), eOk);
        return lines;
    };
    hosttest::writeRaw(file, "a\t1\n");
    fs::last_write_time(file, past);
    EXPECT_EQ(readLines(), (Trk_StringArray{L"a\t1"}));
    EXPECT_EQ(readLines(), (Trk_StringArray{L"a\t1"})) << "read twice while unchanged";

    hosttest::writeRaw(file, "a\t2\n"); // same size, new time
    EXPECT_EQ(readLines(), (Trk_StringArray{L"a\t2"}));
    fs::last_write_time(file, past + std::chrono::seconds(1));
    EXPECT_EQ(readLines(), (Trk_StringArray{L"a\t2"}));

    hosttest::writeRaw(m_folder.file("other.txt"), "a\t3\n"); // another file put in its place
    fs::last_write_time(m_folder.file("other.txt"), past + std::chrono::seconds(1));
    fs::rename(m_folder.file("other.txt"), file);
    EXPECT_EQ(readLines(), (Trk_StringArray{L"a\t3"}));
    fs::remove(file);
    Trk_StringArray kept{L"kept"};
    EXPECT_EQ(ObjectExportReadFile(path("table.txt"), kept), eInvalidInput);
    EXPECT_EQ(kept, (Trk_StringArray{L"kept"}));
}

TEST_F(ObjectExportFiles, SeparatorCharactersRoundTripInUtf8) {
    const Trk_StringArray lines{L"Mapping version 1.0", L"key=Plate•Var Width¿ƒWidth", L"",
                                L"Профиль ✓"};
    ASSERT_EQ(ObjectExportWriteFile(path("map.map"), lines), eOk);
    EXPECT_EQ(hosttest::readRaw(m_folder.file("map.map")),
              "Mapping version 1.0\nkey=Plate\xE2\x80\xA2Var Width\xC2\xBF\xC6\x92Width\n\n"
              "\xD0\x9F\xD1\x80\xD0\xBE\xD1\x84\xD0\xB8\xD0\xBB\xD1\x8C \xE2\x9C\x93\n");
    Trk_StringArray back;
    ASSERT_EQ(ObjectExportReadFile(path("map.map"), back), eOk);
    EXPECT_EQ(back, lines);
}

TEST_F(ObjectExportFiles, OldCodePageFilesAreReadWithTheirSeparators) {
    EXPECT_EQ(read("key=Plate\x95Var W\xBF\x83W\r\n"), (Trk_StringArray{L"key=Plate•Var W¿ƒW"}));
}

TEST_F(ObjectExportFiles, PathsMayUseBackslashesBelowANativeFolder) {
    hosttest::writeRaw(m_folder.file("Connection Standards/Data/t.txt"), "x\n");
    Trk_StringArray lines;
    ASSERT_EQ(ObjectExportReadFile(path("Connection Standards\\Data\\t.txt"), lines), eOk);
    EXPECT_EQ(lines, (Trk_StringArray{L"x"}));
}

// Failure paths.

TEST_F(ObjectExportFiles, AMissingFileFailsAndLeavesTheLines) {
    Trk_StringArray lines{L"kept"};
    EXPECT_EQ(ObjectExportReadFile(path("none.txt"), lines), eInvalidInput);
    EXPECT_EQ(ObjectExportReadFile(m_folder.text(), lines), eInvalidInput); // a folder
    EXPECT_EQ(lines, (Trk_StringArray{L"kept"}));
}

TEST_F(ObjectExportFiles, AFailedWriteKeepsTheOldFile) {
    hosttest::writeRaw(m_folder.file("keep.txt"), "old\n");
    winx::failNextFileWrites(1);
    EXPECT_EQ(ObjectExportWriteFile(path("keep.txt"), Trk_StringArray{L"new"}), eInvalidInput);
    EXPECT_EQ(hosttest::readRaw(m_folder.file("keep.txt")), "old\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder.path()), {}), 1);
    EXPECT_EQ(ObjectExportWriteFile(path("keep.txt"), Trk_StringArray{L"new"}), eOk);
    EXPECT_EQ(hosttest::readRaw(m_folder.file("keep.txt")), "new\n");
    EXPECT_EQ(ObjectExportWriteFile(path("no folder\\x.txt"), Trk_StringArray{L"new"}),
              eInvalidInput);
    EXPECT_FALSE(std::filesystem::exists(m_folder.file("no folder")));
}

TEST_F(ObjectExportFiles, RecursiveSearchFindsMatchingFilesInSortedOrder) {
    for (const char* file :
         {"Dialog Design/b.txt", "Dialog Design/Sub/a.TXT", "Dialog Design/Sub/deeper/c.txt",
          "Dialog Design/b.bmp", "Dialog Design/Stock10.txt", "Dialog Design/Stock2.txt"})
        hosttest::writeRaw(m_folder.file(file), "");
    const Trk_String root = path("Dialog Design\\");
    Trk_StringArray files{L"earlier"};
    ASSERT_EQ(ObjectExportFindFilesRecursive(root, L"*.txt", files), eOk);
    EXPECT_EQ(files, (Trk_StringArray{L"earlier", root + L"b.txt", root + L"Stock2.txt",
                                      root + L"Stock10.txt", root + L"Sub\\a.TXT",
                                      root + L"Sub\\deeper\\c.txt"}));

    Trk_StringArray byExtension;
    ASSERT_EQ(ObjectExportFindFilesRecursive(path("Dialog Design"), L"bmp", byExtension), eOk);
    EXPECT_EQ(byExtension, (Trk_StringArray{path("Dialog Design\\b.bmp")}));
    Trk_StringArray wildcard;
    ASSERT_EQ(ObjectExportFindFilesRecursive(root, L"Stock?.txt", wildcard), eOk);
    EXPECT_EQ(wildcard, (Trk_StringArray{root + L"Stock2.txt"}));
    Trk_StringArray none;
    EXPECT_EQ(ObjectExportFindFilesRecursive(path("missing"), L"*.txt", none), eInvalidInput);
    EXPECT_TRUE(none.isEmpty());
}

TEST_F(ObjectExportFiles, RecursiveSearchListsFileNamesThatAreNoUtf8) {
    hosttest::writeRaw(m_folder.path() / "Bills" / "ok.txt", "");
    hosttest::writeRaw(m_folder.path() / "Bills" / "\xFF\xFE.txt", "");
    Trk_StringArray files;
    ASSERT_EQ(ObjectExportFindFilesRecursive(path("Bills"), L"*.txt", files), eOk);
    ASSERT_EQ(files.length(), 2);
    EXPECT_EQ(files[0].right(6), Trk_String(L"ok.txt"));
    EXPECT_EQ(files[1].right(6), Trk_String(L"\uFFFD\uFFFD.txt")) << "bad bytes decode as U+FFFD";
}

TEST(ObjectExportSort, TextsSortIgnoringCaseWithNumbersByValue) {
    Trk_StringArray names{L"b", L"A10", L"a9", L"a010", L"B", L"a", L"10", L"9"};
    ObjectExportSort(names);
    EXPECT_EQ(names, (Trk_StringArray{L"9", L"10", L"a", L"a9", L"A10", L"a010", L"b", L"B"}));

    Trk_StringArray sorted{L"10x10", L"20x20", L"40x40"};
    EXPECT_EQ(ObjectExportAddToSorted(sorted, L"30x30"), 2);
    EXPECT_EQ(ObjectExportAddToSorted(sorted, L"5x5"), 0);
    EXPECT_EQ(ObjectExportAddToSorted(sorted, L"50X50"), 5);
    EXPECT_EQ(sorted, (Trk_StringArray{L"5x5", L"10x10", L"20x20", L"30x30", L"40x40", L"50X50"}));
}

TEST(ObjectExportSort, NumbersSortAscendingAndCarryTheirPayload) {
    Trk_Array<double> values{30.5, -2, 10, 10, 0};
    Trk_Array<int> payload{0, 1, 2, 3, 4};
    ObjectExportSort(values, payload);
    EXPECT_EQ(values, (Trk_Array<double>{-2, 0, 10, 10, 30.5}));
    EXPECT_EQ(payload, (Trk_Array<int>{1, 4, 2, 3, 0}));

    Trk_Array<int> shortPayload{7};
    ObjectExportSort(values, shortPayload);
    EXPECT_EQ(shortPayload, (Trk_Array<int>{7}));

    Trk_Array<double> plain{3, 1, 2};
    ObjectExportSort(plain);
    EXPECT_EQ(plain, (Trk_Array<double>{1, 2, 3}));
}

TEST(ObjectExportRounding, RoundToGoesToTheNearestMultipleWithHalvesAwayFromZero) {
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(12.4, 5), 10);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(12.5, 5), 15);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(2.5, 1), 3);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(-2.5, 1), -3);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(-2.4, 1), -2);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(0.15, 0.1), 0.2); // decimal steps round as written
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(0.3, 0.1), 0.3);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(7.3, 0), 7.3);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(7.3, -1), 7.3);
    EXPECT_DOUBLE_EQ(ObjectExportRoundTo(7.3, NAN), 7.3);
    EXPECT_FALSE(std::signbit(ObjectExportRoundTo(-0.2, 1)));
}

TEST(ObjectExportRounding, RoundUpGivesTheSmallestMultipleNotBelowValueMinusTolerance) {
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10.1, 5, 0), 15);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10.0, 5, 0), 10);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10.1, 5, 0.5), 10); // within tolerance above 10
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10.6, 5, 0.5), 15);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(10.1, 5, -3), 15); // negative tolerance counts as 0
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(-7.5, 5, 0), -5);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(-10.2, 5, 0.5), -10);
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(0.3, 0.1, 0), 0.3); // no step up from float noise
    EXPECT_DOUBLE_EQ(ObjectExportRoundUp(4.2, 0, 1), 4.2);
    EXPECT_FALSE(std::signbit(ObjectExportRoundUp(-0.5, 1, 0)));
}

} // namespace
