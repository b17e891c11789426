#include "trk/DialString.h"
#include "trk/StringFunctions.h"
#include "trk/Trk_Settings.h"

#include "acadx.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

namespace {

class DialStringTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = gSettings;
        gSettings.setTrkDir(m_folder.text());
        gSettings.setWorkLanguage(L"en");
        acadx::clearPrinted();
    }
    void TearDown() override {
        gSettings = m_saved;
        resetDialStrings();
    }

    void writeTable(const std::string& language, const std::string& bytes) {
        hosttest::writeRaw(m_folder.file("texts/" + language + ".txt"), bytes);
        resetDialStrings();
    }
    ErrorStatus load(const std::string& bytes, Trk_String& problems) {
        hosttest::writeRaw(m_folder.file("table.txt"), bytes);
        return loadDialStrings(m_folder.text() + L"table.txt", problems);
    }

    hosttest::TempFolder m_folder;
    Trk_Settings m_saved;
};

TEST_F(DialStringTest, TextsComeByNumberAndUnknownNumbersShowAPlaceholder) {
    writeTable("en", "# Common buttons\n1\tOK\n2 Cancel\n  285   Close\n\n1154 Copy\n");
    EXPECT_EQ(dialString(1).str(), L"OK");
    EXPECT_EQ(dialString(2).str(), L"Cancel");
    EXPECT_EQ(dialString(285).str(), L"Close");
    EXPECT_EQ(dialString(1154).str(), L"Copy");
    EXPECT_EQ(dialString(1234).str(), L"[text 1234]");
    EXPECT_EQ(dialString(-5).str(), L"[text -5]");
    EXPECT_TRUE(acadx::printed().empty());
}

TEST_F(DialStringTest, EscapesStandForLineBreaksAndBackslashes) {
    Trk_String problems;
    ASSERT_EQ(load("1 a\\nb\n2 c:\\\\a\\\\t3.sss\n3 keep \\t and \\x\n4 end\\\n5\n", problems),
              eOk);
    EXPECT_EQ(problems.str(), L"");
    EXPECT_EQ(dialString(1).str(), L"a\nb");
    EXPECT_EQ(dialString(2).str(), L"c:\\a\\t3.sss");
    EXPECT_EQ(dialString(3).str(), L"keep \\t and \\x");
    EXPECT_EQ(dialString(4).str(), L"end\\");
    EXPECT_EQ(dialString(5).str(), L""); // a number alone is an empty text
}

TEST_F(DialStringTest, MalformedLinesAreReportedWithTheirLineNumberAndSkipped) {
    Trk_String problems;
    ASSERT_EQ(
        load("1 OK\nOK 2\n12a text\n99999999999 big\n1 again\n-4 minus\n7 fine\r\n", problems),
        eOk);
    EXPECT_EQ(dialString(1).str(), L"OK");
    EXPECT_EQ(dialString(7).str(), L"fine");
    EXPECT_EQ(dialString(12).str(), L"[text 12]");
    const Trk_StringArray lines = strToArr(problems, L"\n");
    ASSERT_EQ(lines.length(), 5);
    EXPECT_TRUE(lines[0].startsWith(L"line 2:"));
    EXPECT_TRUE(lines[1].startsWith(L"line 3:"));
    EXPECT_TRUE(lines[2].startsWith(L"line 4:"));
    EXPECT_TRUE(lines[3].startsWith(L"line 5:"));
    EXPECT_TRUE(lines[3].contains(L"text number 1 "));
    EXPECT_TRUE(lines[4].startsWith(L"line 6:"));
}

TEST_F(DialStringTest, AMissingTableIsReportedOnceAndEveryTextIsAPlaceholder) {
    resetDialStrings(); // no file written
    EXPECT_EQ(dialString(1).str(), L"[text 1]");
    EXPECT_EQ(dialString(2).str(), L"[text 2]");
    ASSERT_EQ(acadx::printed().size(), 1u);
    EXPECT_NE(acadx::printed()[0].find(L"en.txt"), std::wstring::npos);
    EXPECT_NE(acadx::printed()[0].find(L"missing"), std::wstring::npos);

    Trk_String problems;
    EXPECT_EQ(loadDialStrings(m_folder.text() + L"nothing.txt", problems), eInvalidInput);
    EXPECT_FALSE(problems.isEmpty());
}

TEST_F(DialStringTest, ACorruptTableIsReportedAndTreatedAsEmpty) {
    Trk_String problems;
    ASSERT_EQ(load("1 OK\n", problems), eOk);
    EXPECT_EQ(load(std::string("1 OK\n2 Can\0cel\n", 15), problems), eInvalidInput);
    EXPECT_NE(problems.find(L"control characters"), -1);
    EXPECT_EQ(dialString(1).str(), L"[text 1]"); // the earlier table is gone too

    writeTable("en", std::string("\x7F\x45\x4C\x46\x02\x01\x01\x00", 8));
    EXPECT_EQ(dialString(1).str(), L"[text 1]");
    ASSERT_EQ(acadx::printed().size(), 1u);
    EXPECT_NE(acadx::printed()[0].find(L"control characters"), std::wstring::npos);
}

TEST_F(DialStringTest, TheWorkingLanguageChoosesTheTableOnItsNextUse) {
    writeTable("en", "1 OK\n");
    writeTable("nl", "1 Akkoord\n");
    EXPECT_EQ(dialString(1).str(), L"OK");
    gSettings.setWorkLanguage(L"nl");
    EXPECT_EQ(dialStringsFile(), m_folder.text() + L"texts\\nl.txt");
    EXPECT_EQ(dialString(1).str(), L"Akkoord");
}

TEST_F(DialStringTest, SeparatorCharactersSurviveInUtf8AndInOldCodePageFiles) {
    writeTable("en", "\xEF\xBB\xBF"
                     "1 a\xC2\xBF"
                     "b \xC6\x92 \xE2\x80\xA2\n");
    EXPECT_EQ(dialString(1).str(), L"a¿b ƒ •");
    writeTable("en", "1 a\xBF"
                     "b \x83 \x95\n"); // the same in the Western code page
    EXPECT_EQ(dialString(1).str(), L"a¿b ƒ •");
}

TEST_F(DialStringTest, TheShippedEnglishTableReadsWithoutProblems) {
    Trk_String problems;
    ASSERT_EQ(loadDialStrings(Trk_String(TRK_SOURCE_DIR L"/resources/texts/en.txt"), problems),
              eOk);
    EXPECT_EQ(problems.str(), L"");
    EXPECT_EQ(dialString(1).str(), L"OK");
    EXPECT_EQ(dialString(2).str(), L"Cancel");
    for (int number : {1136, 1142, 1143, 1144, 1145, 1146, 1147, 1148, 1149, 1150, 1151, 1152, 1153,
                       1154, 1155, 171, 285, 695})
        EXPECT_FALSE(dialString(number).startsWith(L"[text")) << number;
}

} // namespace
