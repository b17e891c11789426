#include "ServicesTestSupport.h"

#include "win/shlwapi.h"
#include "win/utf8.h"
#include "win/winbase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cwchar>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using services_test::DriveRootScope;
using services_test::TempFolder;

bool lastErrorIs(LONG code) {
    return GetLastError() == static_cast<DWORD>(code);
}

class PathsTest : public ::testing::Test {
protected:
    PathsTest() : drives(temp.path() / "drives") { fs::create_directories(temp.path() / "drives"); }

    // A file under the drive root, written natively.
    void writeNative(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    fs::path driveFolder(char letter) const {
        return temp.path() / "drives" / std::string(1, letter);
    }

    // The names FindFirstFile/FindNextFile report for a pattern, in their order.
    std::vector<std::wstring> find(const std::wstring& pattern) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATA data;
        HANDLE search = FindFirstFile(pattern.c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) return names;
        do
            names.emplace_back(data.cFileName);
        while (FindNextFile(search, &data));
        EXPECT_TRUE(lastErrorIs(ERROR_NO_MORE_FILES));
        EXPECT_TRUE(FindClose(search));
        return names;
    }

    TempFolder temp;
    DriveRootScope drives;
};

TEST_F(PathsTest, BothSeparatorsMapToTheNativeOne) {
    EXPECT_EQ(winx::nativePath(L"Connection Standards\\Data/x.kvs"),
              fs::path("Connection Standards/Data/x.kvs"));
    EXPECT_EQ(winx::nativePath(L"/tmp\\a"), fs::path("/tmp/a"));
    EXPECT_EQ(winx::nativePath(L"\\\\server\\share\\t.sss"), fs::path("//server/share/t.sss"));
    EXPECT_EQ(winx::nativePath(L"relative\\..\\x"), fs::path("relative/../x"));
    EXPECT_EQ(winx::nativePath(L""), fs::path());
}

TEST_F(PathsTest, DriveLetterPathsLiveInAFolderPerDrive) {
    EXPECT_EQ(winx::nativePath(L"c:\\a\\t3.sss"), driveFolder('c') / "a" / "t3.sss");
    EXPECT_EQ(winx::nativePath(L"C:/a/t3.sss"), driveFolder('c') / "a" / "t3.sss");
    EXPECT_EQ(winx::nativePath(L"d:"), driveFolder('d'));
    EXPECT_EQ(winx::nativePath(L"c:\\a\\..\\..\\..\\b"), driveFolder('c') / "b")
        << "'..' never leaves the drive";
    EXPECT_EQ(winx::nativePath(L"c:\\ƒ\\¿•.txt"),
              driveFolder('c') / winx::toUtf8(L"ƒ") / winx::toUtf8(L"¿•.txt"));

    EXPECT_EQ(winx::platformPath(driveFolder('c') / "a" / "t3.sss"), L"c:\\a\\t3.sss");
    EXPECT_EQ(winx::platformPath(driveFolder('e')), L"e:\\");
    EXPECT_EQ(winx::platformPath(fs::path("/opt/lib/x")), L"\\opt\\lib\\x");
    EXPECT_EQ(winx::nativePath(winx::platformPath(fs::path("/opt/lib/x"))), fs::path("/opt/lib/x"));
}

TEST_F(PathsTest, ExistingEntriesAreFoundWithoutRegardToCase) {
    writeNative(driveFolder('c') / "Lib" / "prof" / "HEA.pr", "x");
    EXPECT_EQ(winx::nativePath(L"C:\\LIB\\Prof\\hea.PR"),
              driveFolder('c') / "Lib" / "prof" / "HEA.pr");
    // A missing last part keeps its spelling under the resolved folder.
    EXPECT_EQ(winx::nativePath(L"c:\\lib\\PROF\\New.pr"),
              driveFolder('c') / "Lib" / "prof" / "New.pr");
    EXPECT_EQ(winx::nativePath(L"c:\\none\\Lib"), driveFolder('c') / "none" / "Lib");
    EXPECT_TRUE(PathFileExists(L"c:\\lib\\prof\\hea.pr"));
}

TEST_F(PathsTest, CaseInsensitiveLookUpsFollowChangesOfAFolderListedBefore) {
    const fs::path folder = driveFolder('c') / "Tables";
    writeNative(folder / "HEA.pr", "x");
    const auto past = fs::file_time_type::clock::now() - std::chrono::seconds(10);
    fs::last_write_time(folder, past);
    EXPECT_EQ(winx::nativePath(L"c:\\tables\\hea.PR"), folder / "HEA.pr");
    EXPECT_EQ(winx::nativePath(L"c:\\tables\\heb.pr"), folder / "heb.pr");

    fs::rename(folder / "HEA.pr", folder / "HEB.pr");
    EXPECT_EQ(winx::nativePath(L"c:\\tables\\heb.PR"), folder / "HEB.pr");
    EXPECT_EQ(winx::nativePath(L"c:\\tables\\hea.pr"), folder / "hea.pr") << "gone";

    fs::last_write_time(folder, past + std::chrono::seconds(1));
    EXPECT_EQ(winx::nativePath(L"c:\\tables\\HEB.pr"), folder / "HEB.pr");
    writeNative(folder / "IPE.pr", "x");
    fs::last_write_time(folder, past + std::chrono::seconds(2));
    EXPECT_EQ(winx::nativePath(L"c:\\tables\\ipe.pr"), folder / "IPE.pr");
}

TEST_F(PathsTest, FindFileMatchesWildcardsWithoutRegardToCaseInNameOrder) {
    const fs::path folder = driveFolder('c') / "Standards";
    for (const char* name : {"b.kvs", "A.KVS", "c.kvs.bak", "notes.txt", "a1.map", "ab.map"})
        writeNative(folder / name, "12345");
    fs::create_directories(folder / "Data");

    EXPECT_EQ(find(L"c:\\standards\\*.kvs"), (std::vector<std::wstring>{L"A.KVS", L"b.kvs"}));
    EXPECT_EQ(find(L"c:/Standards/a?.map"), (std::vector<std::wstring>{L"a1.map", L"ab.map"}));
    EXPECT_EQ(find(L"c:\\Standards\\*.*"),
              (std::vector<std::wstring>{L".", L"..", L"A.KVS", L"a1.map", L"ab.map", L"b.kvs",
                                         L"c.kvs.bak", L"Data", L"notes.txt"}));
    EXPECT_EQ(find(L"c:\\Standards\\NOTES.TXT"), std::vector<std::wstring>{L"notes.txt"});

    WIN32_FIND_DATA data;
    HANDLE search = FindFirstFile(L"c:\\Standards\\data", &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, FILE_ATTRIBUTE_DIRECTORY);
    FindClose(search);
    search = FindFirstFile(L"c:\\Standards\\b.kvs", &data);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.dwFileAttributes, FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
    FindClose(search);

    EXPECT_EQ(FindFirstFile(L"c:\\Standards\\*.xyz", &data), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(lastErrorIs(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFile(L"c:\\Missing\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_TRUE(lastErrorIs(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(find(L"c:\\*"), std::vector<std::wstring>{L"Standards"})
        << "a drive root has no dots";

    // Closed and invented search handles are refused.
    search = FindFirstFile(L"c:\\Standards\\*", &data);
    EXPECT_TRUE(FindClose(search));
    EXPECT_FALSE(FindClose(search));
    EXPECT_FALSE(FindNextFile(search, &data));
    EXPECT_TRUE(lastErrorIs(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

TEST_F(PathsTest, AtomicWritesLeaveNoTemporaryFileAndKeepTheOldFileOnFailure) {
    const fs::path file = temp.path() / "stock.shp";
    ASSERT_TRUE(winx::writeFileAtomically(file, "old"));
    ASSERT_TRUE(winx::writeFileAtomically(file, "new ¿ƒ•"));
    EXPECT_EQ(winx::readFile(file), std::string("new ¿ƒ•"));
    EXPECT_FALSE(services_test::folderHasEntryContaining(temp.path(), ".tmp"));

    winx::failNextFileWrites(1);
    EXPECT_FALSE(winx::writeFileAtomically(file, "lost"));
    EXPECT_EQ(winx::readFile(file), std::string("new ¿ƒ•"));
    EXPECT_FALSE(services_test::folderHasEntryContaining(temp.path(), ".tmp"));

    // A folder in the way or a missing folder fail the same clean way.
    fs::create_directories(temp.path() / "folder");
    fs::create_directories(temp.path() / "folder" / "inside");
    EXPECT_FALSE(winx::writeFileAtomically(temp.path() / "folder", "x"));
    EXPECT_TRUE(fs::is_directory(temp.path() / "folder" / "inside"));
    EXPECT_FALSE(winx::writeFileAtomically(temp.path() / "missing" / "x.txt", "x"));
    EXPECT_FALSE(services_test::folderHasEntryContaining(temp.path(), ".tmp"));
    EXPECT_EQ(winx::readFile(temp.path() / "missing.txt"), std::nullopt);
    EXPECT_EQ(winx::readFile(temp.path() / "folder"), std::nullopt);
}

TEST_F(PathsTest, FileFunctionsWorkThroughDrivePathsAndReportThePlatformErrors) {
    EXPECT_TRUE(CreateDirectory(L"c:\\Lib", nullptr));
    EXPECT_FALSE(CreateDirectory(L"c:\\Lib", nullptr));
    EXPECT_TRUE(lastErrorIs(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectory(L"c:\\No\\Lib", nullptr));
    EXPECT_TRUE(lastErrorIs(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(GetFileAttributes(L"c:\\lib"), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(L"c:\\Lib\\none.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(lastErrorIs(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributes(L"c:\\No\\none.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(lastErrorIs(ERROR_PATH_NOT_FOUND));

    writeNative(driveFolder('c') / "Lib" / "a.txt", "alpha");
    EXPECT_EQ(GetFileAttributes(L"c:\\Lib\\a.txt"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(CopyFile(L"c:\\Lib\\a.txt", L"c:\\Lib\\b.txt", TRUE));
    EXPECT_FALSE(CopyFile(L"c:\\Lib\\a.txt", L"c:\\Lib\\b.txt", TRUE));
    EXPECT_TRUE(lastErrorIs(ERROR_FILE_EXISTS));
    EXPECT_FALSE(CopyFile(L"c:\\Lib\\zzz.txt", L"c:\\Lib\\c.txt", FALSE));
    EXPECT_TRUE(lastErrorIs(ERROR_FILE_NOT_FOUND));

    EXPECT_FALSE(MoveFile(L"c:\\Lib\\a.txt", L"c:\\Lib\\b.txt"));
    EXPECT_TRUE(lastErrorIs(ERROR_ALREADY_EXISTS));
    EXPECT_TRUE(MoveFileEx(L"c:\\Lib\\a.txt", L"c:\\Lib\\b.txt", MOVEFILE_REPLACE_EXISTING));
    EXPECT_FALSE(PathFileExists(L"c:\\Lib\\a.txt"));
    EXPECT_EQ(winx::readFile(winx::nativePath(L"c:\\Lib\\b.txt")), std::string("alpha"));
    EXPECT_TRUE(MoveFile(L"c:\\Lib\\b.txt", L"c:\\Lib\\¿ƒ•.txt"));
    EXPECT_EQ(find(L"c:\\Lib\\*.txt"), std::vector<std::wstring>{L"¿ƒ•.txt"});

    // Read-only files refuse deletion and replacement, as on the platform.
    ASSERT_TRUE(SetFileAttributes(L"c:\\Lib\\¿ƒ•.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributes(L"c:\\Lib\\¿ƒ•.txt"), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(DeleteFile(L"c:\\Lib\\¿ƒ•.txt"));
    EXPECT_TRUE(lastErrorIs(ERROR_ACCESS_DENIED));
    ASSERT_TRUE(SetFileAttributes(L"c:\\Lib\\¿ƒ•.txt", FILE_ATTRIBUTE_NORMAL));

    EXPECT_FALSE(RemoveDirectory(L"c:\\Lib"));
    EXPECT_TRUE(lastErrorIs(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(DeleteFile(L"c:\\Lib"));
    EXPECT_TRUE(lastErrorIs(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(DeleteFile(L"c:\\Lib\\¿ƒ•.txt"));
    EXPECT_FALSE(DeleteFile(L"c:\\Lib\\¿ƒ•.txt"));
    EXPECT_TRUE(lastErrorIs(ERROR_FILE_NOT_FOUND));
    EXPECT_TRUE(RemoveDirectory(L"c:\\Lib\\"));
    EXPECT_FALSE(PathIsDirectory(L"c:\\Lib"));
}

TEST_F(PathsTest, FolderTextsFollowTheBufferProtocol) {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetTempPath(MAX_PATH, buffer);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::wcslen(buffer), length);
    EXPECT_EQ(buffer[length - 1], L'\\');
    EXPECT_TRUE(PathIsDirectory(buffer));
    EXPECT_EQ(GetTempPath(1, buffer), length + 1) << "too small: the size needed";

    const fs::path before = fs::current_path();
    ASSERT_TRUE(SetCurrentDirectory(L"c:\\"));
    const DWORD needed = GetCurrentDirectory(0, nullptr);
    std::vector<wchar_t> current(needed);
    EXPECT_EQ(GetCurrentDirectory(needed, current.data()), needed - 1);
    EXPECT_STREQ(current.data(), L"c:\\");
    EXPECT_FALSE(SetCurrentDirectory(L"c:\\missing"));
    fs::current_path(before);
}

TEST(ShellPathTest, PathTextsAreTakenApartAsOnThePlatform) {
    auto removeSpec = [](std::wstring text) {
        wchar_t buffer[MAX_PATH];
        std::wcscpy(buffer, text.c_str());
        PathRemoveFileSpec(buffer);
        return std::wstring(buffer);
    };
    EXPECT_EQ(removeSpec(L"c:\\a\\t3.sss"), L"c:\\a");
    EXPECT_EQ(removeSpec(L"c:\\a"), L"c:\\");
    EXPECT_EQ(removeSpec(L"c:\\"), L"c:\\");
    EXPECT_EQ(removeSpec(L"\\a"), L"\\");
    EXPECT_EQ(removeSpec(L"a/b/c.txt"), L"a/b");
    EXPECT_EQ(removeSpec(L"name"), L"");

    auto append = [](std::wstring text, const wchar_t* more) {
        wchar_t buffer[MAX_PATH];
        std::wcscpy(buffer, text.c_str());
        EXPECT_TRUE(PathAppend(buffer, more));
        return std::wstring(buffer);
    };
    EXPECT_EQ(append(L"c:\\lib", L"prof\\x.pr"), L"c:\\lib\\prof\\x.pr");
    EXPECT_EQ(append(L"c:\\lib\\", L"\\prof"), L"c:\\lib\\prof");
    EXPECT_EQ(append(L"c:\\lib\\sub", L"..\\.\\prof"), L"c:\\lib\\prof");
    EXPECT_EQ(append(L"c:\\lib/sub", L"x"), L"c:\\lib\\sub\\x");
    EXPECT_EQ(append(L"", L"x"), L"x");
    wchar_t full[MAX_PATH];
    std::wcscpy(full, std::wstring(MAX_PATH - 3, L'a').c_str());
    EXPECT_FALSE(PathAppend(full, L"bcd"));
    EXPECT_EQ(std::wcslen(full), MAX_PATH - 3u);

    EXPECT_STREQ(PathFindExtension(L"c:\\dir.v2\\file.kvs"), L".kvs");
    EXPECT_STREQ(PathFindExtension(L"c:\\dir.v2\\file"), L"");
    EXPECT_STREQ(PathFindFileName(L"c:\\dir\\file.kvs"), L"file.kvs");
    EXPECT_STREQ(PathFindFileName(L"c:\\dir\\sub\\"), L"sub\\");
    EXPECT_STREQ(PathFindFileName(L"c:file"), L"file");
    EXPECT_STREQ(PathFindFileName(L"plain"), L"plain");

    wchar_t buffer[MAX_PATH] = L"c:\\Dialog Design\\frame.txt";
    EXPECT_TRUE(PathRenameExtension(buffer, L".bmp"));
    EXPECT_STREQ(buffer, L"c:\\Dialog Design\\frame.bmp");
    PathRemoveExtension(buffer);
    EXPECT_STREQ(buffer, L"c:\\Dialog Design\\frame");
    const wchar_t* end = PathAddBackslash(buffer);
    EXPECT_EQ(end, buffer + std::wcslen(buffer));
    EXPECT_STREQ(buffer, L"c:\\Dialog Design\\frame\\");
    PathRemoveBackslash(buffer);
    EXPECT_STREQ(buffer, L"c:\\Dialog Design\\frame");
    wchar_t root[MAX_PATH] = L"c:\\";
    PathRemoveBackslash(root);
    EXPECT_STREQ(root, L"c:\\");
    PathStripPath(buffer);
    EXPECT_STREQ(buffer, L"frame");

    EXPECT_TRUE(PathIsRelative(L"a\\b"));
    EXPECT_FALSE(PathIsRelative(L"c:\\a"));
    EXPECT_FALSE(PathIsRelative(L"\\\\server\\share"));
    EXPECT_FALSE(PathIsRelative(L"/tmp"));
}

} // namespace
