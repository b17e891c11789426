#include "trk/Trk_PropertiesList.h"

#include "win/winbase.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Trk_PropertiesListTest : public ::testing::Test {
protected:
    Trk_String path(const wchar_t* name) const { return m_folder.text() + name; }

    hosttest::TempFolder m_folder;
};

TEST_F(Trk_PropertiesListTest, TypedValuesRoundTripThroughTheFileInTheirOrder) {
    Trk_PropertiesList list;
    ASSERT_TRUE(list.setInt(L"nrOfControls", 2));
    ASSERT_TRUE(list.setInt(L"type0", 29));
    ASSERT_TRUE(list.setDouble(L"topLeftX0", 0.1 + 0.2));
    ASSERT_TRUE(list.setDouble(L"bottomRightY0", -1e-7));
    ASSERT_TRUE(list.setString(L"contents0", L"line 1\nc:\\a\\b = ¿ƒ•"));
    ASSERT_TRUE(list.setBool(L"flag", true));
    ASSERT_TRUE(list.setStringArray(L"items", Trk_StringArray{L"a;b", L"", L"c\\d", L"e"}));
    ASSERT_TRUE(list.setInt(L"type0", 3)); // replaced in place
    ASSERT_EQ(list.writeToFile(path(L"dlg.txt")), eOk);
    EXPECT_EQ(hosttest::readRaw(m_folder.file("dlg.txt")),
              "nrOfControls=2\ntype0=3\ntopLeftX0=0.30000000000000004\nbottomRightY0=-1e-07\n"
              "contents0=line 1\\nc:\\\\a\\\\b = \xC2\xBF\xC6\x92\xE2\x80\xA2\nflag=1\n"
              "items=a\\\\;b;;c\\\\\\\\d;e\n");

    Trk_PropertiesList back;
    ASSERT_EQ(back.readFromFile(path(L"dlg.txt")), eOk);
    EXPECT_EQ(back.names(), (Trk_StringArray{L"nrOfControls", L"type0", L"topLeftX0",
                                             L"bottomRightY0", L"contents0", L"flag", L"items"}));
    int i = 0;
    double d = 0;
    bool b = false;
    Trk_String s;
    Trk_StringArray a;
    EXPECT_TRUE(back.getInt(L"type0", i));
    EXPECT_EQ(i, 3);
    EXPECT_TRUE(back.getDouble(L"topLeftX0", d));
    EXPECT_EQ(d, 0.1 + 0.2); // exactly
    EXPECT_TRUE(back.getDouble(L"bottomRightY0", d));
    EXPECT_EQ(d, -1e-7);
    EXPECT_TRUE(back.getString(L"contents0", s));
    EXPECT_EQ(s.str(), L"line 1\nc:\\a\\b = ¿ƒ•");
    EXPECT_TRUE(back.getBool(L"flag", b));
    EXPECT_TRUE(b);
    EXPECT_TRUE(back.getStringArray(L"items", a));
    EXPECT_EQ(a, (Trk_StringArray{L"a;b", L"", L"c\\d", L"e"}));
    EXPECT_EQ(back.skippedLines(), 0);
}

TEST_F(Trk_PropertiesListTest, AMissingOrMistypedKeyLeavesTheValueUnchanged) {
    Trk_PropertiesList list;
    list.setString(L"text", L"abc");
    list.setString(L"yes", L" TRUE ");
    int i = 7;
    double d = 2.5;
    bool b = false;
    Trk_String s = L"kept";
    Trk_StringArray a{L"kept"};
    EXPECT_FALSE(list.getInt(L"missing", i));
    EXPECT_FALSE(list.getInt(L"text", i));
    EXPECT_FALSE(list.getDouble(L"text", d));
    EXPECT_FALSE(list.getDouble(L"Text", d)); // names compare exactly
    EXPECT_FALSE(list.getBool(L"text", b));
    EXPECT_FALSE(list.getString(L"missing", s));
    EXPECT_FALSE(list.getStringArray(L"missing", a));
    EXPECT_EQ(i, 7);
    EXPECT_EQ(d, 2.5);
    EXPECT_FALSE(b);
    EXPECT_EQ(s.str(), L"kept");
    EXPECT_EQ(a, (Trk_StringArray{L"kept"}));
    EXPECT_TRUE(list.getBool(L"yes", b));
    EXPECT_TRUE(b);
}

TEST_F(Trk_PropertiesListTest, ReadingSkipsMalformedLinesAndLaterValuesWin) {
    Trk_PropertiesList list;
    list.setInt(L"old", 1);
    EXPECT_EQ(list.readFromText("\xEF\xBB\xBF# designed dialog\r\nnrOfControls=1\r\nno equals\r\n"
                                "=nameless\r\n\r\ncontents0=a=b\r\nnrOfControls=4\r\n"),
              2);
    EXPECT_EQ(list.skippedLines(), 2);
    EXPECT_FALSE(list.hasProperty(L"old"));
    EXPECT_EQ(list.names(), (Trk_StringArray{L"nrOfControls", L"contents0"}));
    int n = 0;
    EXPECT_TRUE(list.getInt(L"nrOfControls", n));
    EXPECT_EQ(n, 4);
    Trk_String s;
    EXPECT_TRUE(list.getString(L"contents0", s));
    EXPECT_EQ(s.str(), L"a=b");
}

TEST_F(Trk_PropertiesListTest, NamesThatCannotBeStoredAreRefused) {
    Trk_PropertiesList list;
    EXPECT_FALSE(list.setInt(L"", 1));
    EXPECT_FALSE(list.setInt(L"a=b", 1));
    EXPECT_FALSE(list.setString(L"two\nlines", L"x"));
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(list.setInt(L"a", 1));
    EXPECT_TRUE(list.setInt(L"b", 2));
    EXPECT_TRUE(list.removeProperty(L"a"));
    EXPECT_FALSE(list.removeProperty(L"a"));
    int b = 0;
    EXPECT_TRUE(list.getInt(L"b", b));
    EXPECT_EQ(b, 2);
}

// Failure paths.

TEST_F(Trk_PropertiesListTest, AnUnreadableFileFailsAndKeepsTheContent) {
    Trk_PropertiesList list;
    list.setInt(L"kept", 1);
    EXPECT_EQ(list.readFromFile(path(L"missing.txt")), eInvalidInput);
    EXPECT_TRUE(list.hasProperty(L"kept"));
    EXPECT_EQ(list.writeToFile(path(L"no folder\\x.txt")), eInvalidInput);

    ASSERT_EQ(list.writeToFile(path(L"kept.txt")), eOk);
    list.setInt(L"kept", 2);
    winx::failNextFileWrites(1);
    EXPECT_EQ(list.writeToFile(path(L"kept.txt")), eInvalidInput);
    EXPECT_EQ(hosttest::readRaw(m_folder.file("kept.txt")), "kept=1\n");
}

} // namespace
