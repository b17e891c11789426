#include "ServicesTestSupport.h"

#include "win/utf8.h"
#include "win/winreg.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using services_test::TempFolder;

struct StoredValue {
    DWORD type = 0;
    std::vector<BYTE> data;
};

std::vector<BYTE> textBytes(std::wstring_view text) {
    std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t), 0);
    for (std::size_t i = 0; i < text.size(); ++i)
        std::memcpy(bytes.data() + i * sizeof(wchar_t), &text[i], sizeof(wchar_t));
    return bytes;
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { winx::resetRegistry(); }
    void TearDown() override { winx::resetRegistry(); }

    HKEY create(HKEY root, const wchar_t* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &key, disposition),
                  ERROR_SUCCESS);
        return key;
    }

    HKEY open(HKEY root, const wchar_t* path, REGSAM access = KEY_ALL_ACCESS) {
        HKEY key = nullptr;
        return RegOpenKeyEx(root, path, 0, access, &key) == ERROR_SUCCESS ? key : nullptr;
    }

    LONG set(HKEY key, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
        return RegSetValueEx(key, name, 0, type, data.empty() ? nullptr : data.data(),
                             static_cast<DWORD>(data.size()));
    }

    LONG setText(HKEY key, const wchar_t* name, std::wstring_view text) {
        return set(key, name, REG_SZ, textBytes(text));
    }

    std::optional<StoredValue> query(HKEY key, const wchar_t* name) {
        DWORD size = 0;
        StoredValue value;
        if (RegQueryValueEx(key, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        value.data.resize(size);
        EXPECT_EQ(RegQueryValueEx(key, name, nullptr, nullptr, value.data.data(), &size),
                  ERROR_SUCCESS);
        return value;
    }

    std::wstring queryText(HKEY key, const wchar_t* name) {
        const auto value = query(key, name);
        if (!value || value->data.size() < sizeof(wchar_t)) return L"<missing>";
        return std::wstring(reinterpret_cast<const wchar_t*>(value->data.data()));
    }

    std::vector<std::wstring> subkeyNames(HKEY key) {
        std::vector<std::wstring> names;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyEx(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        return names;
    }

    std::vector<std::wstring> valueNames(HKEY key) {
        std::vector<std::wstring> names;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumValue(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        return names;
    }

    std::filesystem::path registryPath() const { return temp.path() / "registry.txt"; }

    TempFolder temp;
};

TEST_F(RegistryTest, CreatingAKeyMakesEveryMissingKeyOnTheWayAndTellsWhetherItWasNew) {
    DWORD disposition = 0;
    HKEY key = create(HKEY_CURRENT_USER, L"Software\\Korvasten\\Dialog Sizes", &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    HKEY again = create(HKEY_CURRENT_USER, L"Software\\Korvasten\\Dialog Sizes", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_NE(key, again);

    HKEY middle = open(HKEY_CURRENT_USER, L"Software\\Korvasten");
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(subkeyNames(middle), std::vector<std::wstring>{L"Dialog Sizes"});
    EXPECT_EQ(open(HKEY_LOCAL_MACHINE, L"Software\\Korvasten"), nullptr);

    HKEY ignored = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, L"Software\\Missing", 0, KEY_READ, &ignored),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, L"a\\\\b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                             &ignored, nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, L"bad\nname", 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &ignored, nullptr),
              ERROR_INVALID_PARAMETER);
    for (HKEY opened : {key, again, middle})
        EXPECT_EQ(RegCloseKey(opened), ERROR_SUCCESS);
    EXPECT_EQ(winx::openRegistryKeys(), 0u);
}

TEST_F(RegistryTest, NamesCompareWithoutRegardToCaseAndKeepTheirSpelling) {
    HKEY key = create(HKEY_LOCAL_MACHINE, L"Software\\Korvasten\\Spreadsheet Editor v1.0");
    ASSERT_EQ(setText(key, L"Language", L"EN"), ERROR_SUCCESS);
    ASSERT_EQ(setText(key, L"LANGUAGE", L"NL"), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(key), std::vector<std::wstring>{L"LANGUAGE"});
    EXPECT_EQ(queryText(key, L"language"), L"NL");

    HKEY sameKey = open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\korvasten\\SPREADSHEET EDITOR V1.0");
    ASSERT_NE(sameKey, nullptr);
    EXPECT_EQ(queryText(sameKey, L"Language"), L"NL");
    HKEY software = open(HKEY_LOCAL_MACHINE, L"software");
    EXPECT_EQ(subkeyNames(software), std::vector<std::wstring>{L"Korvasten"});

    // Non-ASCII letters fold too, and UTF-8 names keep every character.
    HKEY special = create(HKEY_CURRENT_USER, L"Ærø ¿ƒ•");
    ASSERT_EQ(setText(special, L"Über", L"ƒ • ¿"), ERROR_SUCCESS);
    EXPECT_EQ(queryText(special, L"über"), L"ƒ • ¿");
    EXPECT_NE(open(HKEY_CURRENT_USER, L"æRØ ¿ƒ•"), nullptr);
}

TEST_F(RegistryTest, QueriesFollowTheSizeProtocol) {
    HKEY key = create(HKEY_CURRENT_USER, L"Software\\Test");
    const std::wstring text = L"Default Settings.kvd";
    ASSERT_EQ(setText(key, L"Default Settings", text), ERROR_SUCCESS);
    const DWORD needed = static_cast<DWORD>(sizeof(wchar_t) * (text.size() + 1));

    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(key, L"Default Settings", nullptr, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, needed);

    std::vector<BYTE> small(needed - 1, 0xAB);
    size = static_cast<DWORD>(small.size());
    EXPECT_EQ(RegQueryValueEx(key, L"Default Settings", nullptr, &type, small.data(), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, needed);

    std::vector<BYTE> exact(needed);
    size = needed;
    EXPECT_EQ(RegQueryValueEx(key, L"Default Settings", nullptr, nullptr, exact.data(), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(exact, textBytes(text));

    EXPECT_EQ(RegQueryValueEx(key, L"Default Settings", nullptr, nullptr, exact.data(), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(key, L"Missing", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);

    // The default value has the empty name; null and "" both reach it.
    ASSERT_EQ(setText(key, nullptr, L"Korvasten 1.0 Type Library"), ERROR_SUCCESS);
    EXPECT_EQ(queryText(key, L""), L"Korvasten 1.0 Type Library");
    EXPECT_EQ(valueNames(key), (std::vector<std::wstring>{L"", L"Default Settings"}));

    const DWORD number = 0xDEADBEEF;
    ASSERT_EQ(RegSetValueEx(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                            sizeof number),
              ERROR_SUCCESS);
    DWORD read = 0;
    size = sizeof read;
    EXPECT_EQ(
        RegQueryValueEx(key, L"Number", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(read, number);
    EXPECT_EQ(type, REG_DWORD);
}

TEST_F(RegistryTest, EnumerationListsKeysAndValuesInNameOrder) {
    HKEY key = create(HKEY_CLASSES_ROOT, L"CLSID");
    for (const wchar_t* name : {L"zeta", L"Alpha", L"mid", L"BETA"})
        RegCloseKey(create(key, name));
    for (const wchar_t* name : {L"y", L"X", L"a"})
        ASSERT_EQ(setText(key, name, name), ERROR_SUCCESS);
    EXPECT_EQ(subkeyNames(key), (std::vector<std::wstring>{L"Alpha", L"BETA", L"mid", L"zeta"}));
    EXPECT_EQ(valueNames(key), (std::vector<std::wstring>{L"a", L"X", L"y"}));

    wchar_t name[4];
    DWORD length = 4;
    EXPECT_EQ(RegEnumKeyEx(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    length = 4;
    EXPECT_EQ(RegEnumKeyEx(key, 4, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);

    DWORD subkeys = 0, longestKey = 0, values = 0, longestName = 0, largestData = 0;
    ASSERT_EQ(RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subkeys, &longestKey, nullptr,
                              &values, &longestName, &largestData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 4u);
    EXPECT_EQ(longestKey, 5u);
    EXPECT_EQ(values, 3u);
    EXPECT_EQ(longestName, 1u);
    EXPECT_EQ(largestData, 2 * sizeof(wchar_t));

    // Enumerating values hands back type and data with the same size protocol.
    DWORD type = 0;
    DWORD size = 0;
    length = 4;
    EXPECT_EQ(RegEnumValue(key, 1, name, &length, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(name), L"X");
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 2 * sizeof(wchar_t));
}

TEST_F(RegistryTest, KeysWithSubkeysAreDeletedOnlyRecursively) {
    HKEY clsid = create(HKEY_CLASSES_ROOT, L"CLSID");
    HKEY server = create(clsid, L"{C}\\InProcServer32");
    ASSERT_EQ(setText(server, nullptr, L"trkcom.arx"), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteKey(clsid, L"{C}"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKey(HKEY_CLASSES_ROOT, L""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(server, L"missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(SHDeleteKey(clsid, L"{c}"), ERROR_SUCCESS);
    EXPECT_TRUE(subkeyNames(clsid).empty());
    EXPECT_EQ(SHDeleteKey(clsid, L"{C}"), ERROR_FILE_NOT_FOUND);

    // A handle to a deleted key fails cleanly until it is closed.
    EXPECT_EQ(setText(server, L"x", L"y"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(server), ERROR_SUCCESS);

    HKEY leaf = create(clsid, L"leaf");
    ASSERT_EQ(setText(leaf, L"v", L"1"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(leaf, L"V"), ERROR_SUCCESS);
    EXPECT_EQ(query(leaf, L"v"), std::nullopt);
    EXPECT_EQ(RegDeleteKey(clsid, L"leaf"), ERROR_SUCCESS);
    EXPECT_EQ(open(clsid, L"leaf"), nullptr);
}

TEST_F(RegistryTest, ClosedInventedAndUnderprivilegedHandlesAreRefused) {
    HKEY key = create(HKEY_CURRENT_USER, L"Software");
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    HKEY invented = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x12345));
    for (HKEY bad : {key, invented, static_cast<HKEY>(nullptr)}) {
        HKEY result = nullptr;
        DWORD size = 0;
        EXPECT_EQ(setText(bad, L"v", L"x"), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegQueryValueEx(bad, L"v", nullptr, nullptr, nullptr, &size),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegOpenKeyEx(bad, L"x", 0, KEY_READ, &result), ERROR_INVALID_HANDLE);
        EXPECT_EQ(
            RegCreateKeyEx(bad, L"x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &result, nullptr),
            ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegDeleteKey(bad, L"x"), ERROR_INVALID_HANDLE);
        EXPECT_EQ(SHDeleteKey(bad, L"x"), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegDeleteValue(bad, L"x"), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegQueryInfoKey(bad, nullptr, nullptr, nullptr, &size, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(result, nullptr);
    }

    HKEY readOnly = open(HKEY_CURRENT_USER, L"Software", KEY_READ);
    ASSERT_NE(readOnly, nullptr);
    EXPECT_EQ(setText(readOnly, L"v", L"x"), ERROR_ACCESS_DENIED);
    HKEY child = nullptr;
    EXPECT_EQ(
        RegCreateKeyEx(readOnly, L"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
        ERROR_ACCESS_DENIED);
    HKEY writeOnly = open(HKEY_CURRENT_USER, L"Software", KEY_SET_VALUE);
    ASSERT_EQ(setText(writeOnly, L"v", L"x"), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueEx(writeOnly, L"v", nullptr, nullptr, nullptr, &size),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(queryText(readOnly, L"v"), L"x");
}

TEST_F(RegistryTest, EveryValueTypeSurvivesTheFileExactly) {
    ASSERT_TRUE(winx::setRegistryFile(registryPath()).ok);
    HKEY key = create(HKEY_CURRENT_USER, L"Software\\Korvasten\\¿ƒ•");
    std::vector<BYTE> multi = textBytes(L"first");
    for (const auto& part :
         {textBytes(L""), textBytes(L"third ƒ"), std::vector<BYTE>(sizeof(wchar_t), 0)})
        multi.insert(multi.end(), part.begin(), part.end());
    const std::uint64_t big = 0x0123456789ABCDEFull;
    std::vector<BYTE> bigBytes(8);
    std::memcpy(bigBytes.data(), &big, 8);
    std::vector<BYTE> unterminated = textBytes(L"no end");
    unterminated.resize(unterminated.size() - sizeof(wchar_t));
    const std::vector<std::pair<std::wstring, StoredValue>> values = {
        {L"", {REG_SZ, textBytes(L"default")}},
        {L"text", {REG_SZ, textBytes(L"quote \" backslash \\ tab \t newline \n ¿ƒ•")}},
        {L"embedded nul", {REG_SZ, textBytes(std::wstring(L"a\0b", 3))}},
        {L"unterminated", {REG_SZ, unterminated}},
        {L"odd size", {REG_SZ, {0x41, 0x00, 0x42}}},
        {L"path", {REG_EXPAND_SZ, textBytes(L"%TEMP%\\x")}},
        {L"list", {REG_MULTI_SZ, multi}},
        {L"empty list", {REG_MULTI_SZ, std::vector<BYTE>(sizeof(wchar_t), 0)}},
        {L"dword", {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}}},
        {L"short dword", {REG_DWORD, {0x01, 0x02}}},
        {L"qword", {REG_QWORD, bigBytes}},
        {L"binary", {REG_BINARY, {0x00, 0x7F, 0x80, 0xFF}}},
        {L"empty binary", {REG_BINARY, {}}},
        {L"none", {REG_NONE, {0x01}}},
        {L"odd type", {42, {0xCA, 0xFE}}},
        {L"name with \"quotes\", \\ and \x01", {REG_SZ, textBytes(L"x")}},
        {L"\xD800 lone surrogate", {REG_SZ, textBytes(L"\xDFFF")}},
    };
    for (const auto& [name, value] : values)
        ASSERT_EQ(set(key, name.c_str(), value.type, value.data), ERROR_SUCCESS)
            << winx::toUtf8(name);
    HKEY emptyKey = create(HKEY_USERS, L"Empty");
    RegCloseKey(emptyKey);
    const std::string written = winx::registryText();
    EXPECT_EQ(winx::readFile(registryPath()), written);

    winx::resetRegistry();
    ASSERT_TRUE(winx::setRegistryFile(registryPath()).ok);
    HKEY reread = open(HKEY_CURRENT_USER, L"Software\\Korvasten\\¿ƒ•");
    ASSERT_NE(reread, nullptr);
    for (const auto& [name, value] : values) {
        const auto stored = query(reread, name.c_str());
        ASSERT_TRUE(stored.has_value()) << winx::toUtf8(name);
        EXPECT_EQ(stored->type, value.type) << winx::toUtf8(name);
        EXPECT_EQ(stored->data, value.data) << winx::toUtf8(name);
    }
    EXPECT_NE(open(HKEY_USERS, L"Empty"), nullptr);
    EXPECT_EQ(winx::registryText(), written);
}

TEST_F(RegistryTest, TheFileIsReadableAndSortedSoEqualRegistriesGiveEqualFiles) {
    HKEY b = create(HKEY_LOCAL_MACHINE, L"Software\\b");
    HKEY a = create(HKEY_LOCAL_MACHINE, L"Software\\A");
    ASSERT_EQ(setText(b, L"Language", L"EN"), ERROR_SUCCESS);
    const DWORD number = 42;
    ASSERT_EQ(RegSetValueEx(a, L"n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
              ERROR_SUCCESS);
    const std::string first = winx::registryText();
    EXPECT_NE(first.find("\"Language\"=sz:\"EN\""), std::string::npos);
    EXPECT_NE(first.find("\"n\"=dword:42"), std::string::npos);
    EXPECT_LT(first.find("[HKEY_LOCAL_MACHINE\\Software\\A]"),
              first.find("[HKEY_LOCAL_MACHINE\\Software\\b]"));

    // The same content built in another order gives the same text.
    winx::resetRegistry();
    HKEY a2 = create(HKEY_LOCAL_MACHINE, L"Software\\A");
    ASSERT_EQ(RegSetValueEx(a2, L"n", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
              ERROR_SUCCESS);
    HKEY b2 = create(HKEY_LOCAL_MACHINE, L"Software\\b");
    ASSERT_EQ(setText(b2, L"Language", L"EN"), ERROR_SUCCESS);
    EXPECT_EQ(winx::registryText(), first);
}

TEST_F(RegistryTest, EveryChangeIsWrittenAtOnceThroughATemporaryFile) {
    ASSERT_TRUE(winx::setRegistryFile(registryPath()).ok);
    HKEY key = create(HKEY_CURRENT_USER, L"Software\\Korvasten");
    ASSERT_EQ(setText(key, L"one", L"1"), ERROR_SUCCESS);
    const auto afterOne = winx::readFile(registryPath());
    ASSERT_TRUE(afterOne.has_value());
    EXPECT_NE(afterOne->find("\"one\"=sz:\"1\""), std::string::npos);
    EXPECT_FALSE(services_test::folderHasEntryContaining(temp.path(), ".tmp"));

    // A failed write reports a write fault, keeps the old file and catches up later.
    winx::failNextFileWrites(1);
    EXPECT_EQ(setText(key, L"two", L"2"), ERROR_WRITE_FAULT);
    EXPECT_EQ(winx::readFile(registryPath()), afterOne);
    EXPECT_FALSE(services_test::folderHasEntryContaining(temp.path(), ".tmp"));
    ASSERT_EQ(setText(key, L"three", L"3"), ERROR_SUCCESS);
    EXPECT_NE(winx::readFile(registryPath())->find("\"two\"=sz:\"2\""), std::string::npos);

    EXPECT_EQ(SHDeleteKey(HKEY_CURRENT_USER, L"Software"), ERROR_SUCCESS);
    EXPECT_EQ(winx::readFile(registryPath())->find("Korvasten"), std::string::npos);
}

TEST_F(RegistryTest, VolatileKeysLiveInMemoryOnly) {
    ASSERT_TRUE(winx::setRegistryFile(registryPath()).ok);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, L"Session", 0, nullptr, REG_OPTION_VOLATILE,
                             KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(setText(key, L"v", L"x"), ERROR_SUCCESS);
    HKEY child = nullptr;
    EXPECT_EQ(RegCreateKeyEx(key, L"Lasting", 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             nullptr, &child, nullptr),
              ERROR_CHILD_MUST_BE_VOLATILE);
    EXPECT_EQ(winx::registryText().find("Session"), std::string::npos);
    EXPECT_EQ(queryText(key, L"v"), L"x");
}

// ---- Damaged files ----------------------------------------------------------------------------

TEST_F(RegistryTest, ACorruptFileIsReportedSetAsideAndTheRegistryStartsEmpty) {
    const std::string damaged = "trk-registry 1\n[HKEY_CURRENT_USER\\Software]\n\"x\"=dword:12ab\n";
    ASSERT_TRUE(winx::writeFileAtomically(registryPath(), damaged));
    HKEY before = create(HKEY_CURRENT_USER, L"Before");

    const winx::RegistryLoad load = winx::setRegistryFile(registryPath());
    EXPECT_FALSE(load.ok);
    EXPECT_NE(load.problem.find(L"line 3"), std::wstring::npos) << winx::toUtf8(load.problem);
    EXPECT_NE(load.problem.find(L"registry.txt.corrupt"), std::wstring::npos);
    EXPECT_EQ(winx::readFile(temp.path() / "registry.txt.corrupt"), damaged);
    EXPECT_EQ(open(HKEY_CURRENT_USER, L"Software"), nullptr);
    EXPECT_EQ(open(HKEY_CURRENT_USER, L"Before"), nullptr);
    EXPECT_EQ(setText(before, L"v", L"x"), ERROR_KEY_DELETED);

    // The registry works on and writes a fresh file; the set-aside copy is never touched.
    HKEY key = create(HKEY_CURRENT_USER, L"After");
    ASSERT_EQ(setText(key, L"v", L"x"), ERROR_SUCCESS);
    EXPECT_NE(winx::readFile(registryPath())->find("After"), std::string::npos);
    EXPECT_EQ(winx::readFile(temp.path() / "registry.txt.corrupt"), damaged);

    // A second damaged file does not replace the first one set aside.
    ASSERT_TRUE(winx::writeFileAtomically(registryPath(), "garbage"));
    EXPECT_FALSE(winx::setRegistryFile(registryPath()).ok);
    EXPECT_EQ(winx::readFile(temp.path() / "registry.txt.corrupt"), damaged);
    EXPECT_EQ(winx::readFile(temp.path() / "registry.txt.corrupt2"), std::string("garbage"));
}

TEST_F(RegistryTest, MalformedTextsAreRejectedWithTheirLineAndChangeNothing) {
    HKEY key = create(HKEY_CURRENT_USER, L"Kept");
    ASSERT_EQ(setText(key, L"v", L"x"), ERROR_SUCCESS);
    const std::string kept = winx::registryText();
    const std::pair<std::string, int> cases[] = {
        {"not a registry", 1},
        {"trk-registry 2\n", 1},
        {"trk-registry 1\n\"v\"=sz:\"x\"\n", 2},
        {"trk-registry 1\n[HKEY_NOWHERE\\a]\n", 2},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a\n", 2},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a\\\\b]\n", 2},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n[HKEY_CURRENT_USER\\A]\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=sz:\"x\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=sz:\"\\q\"\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=sz:\"\\u{}\"\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=dword:4294967296\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=dword:007\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=qword:-1\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=hex:abc\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=hex(x):00\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=text:\"x\"\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=sz:\"x\" trailing\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n@=sz:\"x\"\n\"\"=sz:\"y\"\n", 4},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"v\"=multi_sz:\"a\"\"b\"\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\nstray\n", 3},
        {"trk-registry 1\n[HKEY_CURRENT_USER\\a]\n\"\xC3\x28\"=sz:\"bad utf-8\"\n", 0},
    };
    for (const auto& [text, line] : cases) {
        const winx::RegistryLoad load = winx::loadRegistryText(text);
        EXPECT_FALSE(load.ok) << text;
        if (line > 0) {
            EXPECT_NE(load.problem.find(L"line " + std::to_wstring(line) + L":"),
                      std::wstring::npos)
                << text << " -> " << winx::toUtf8(load.problem);
        }
        EXPECT_EQ(winx::registryText(), kept) << text;
    }
    EXPECT_EQ(queryText(key, L"v"), L"x");
}

TEST_F(RegistryTest, AMissingOrEmptyFileGivesAnEmptyRegistryWithoutProblem) {
    HKEY key = create(HKEY_CURRENT_USER, L"Old");
    const winx::RegistryLoad missing = winx::setRegistryFile(registryPath());
    EXPECT_TRUE(missing.ok);
    EXPECT_TRUE(missing.problem.empty());
    EXPECT_EQ(open(HKEY_CURRENT_USER, L"Old"), nullptr);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(winx::registryFile(), registryPath());

    ASSERT_TRUE(winx::writeFileAtomically(registryPath(), ""));
    EXPECT_TRUE(winx::setRegistryFile(registryPath()).ok);
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "registry.txt.corrupt"));
}

} // namespace
