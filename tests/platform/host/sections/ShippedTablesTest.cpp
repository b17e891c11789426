// The example library's section tables and the look-ups on them.
#include "SectionTestSupport.h"

#include <cmath>
#include <limits>
#include <numbers>

using sectiontest::SectionTablesTest;

namespace {

Trk_String value(const wchar_t* section, int column) {
    Trk_String text = L"unset";
    EXPECT_EQ(getSectionValue(section, column, text), eOk) << winx::toUtf8(section);
    return text;
}

// The area of a rolled I-section from its dimensions, in cm2.
double iSectionArea(double h, double b, double tw, double tf, double r) {
    return (2 * b * tf + (h - 2 * tf) * tw + (4 - std::numbers::pi) * r * r) / 100;
}

} // namespace

TEST_F(SectionTablesTest, TheShippedTablesGiveTheCatalogueDimensions) {
    gSettings.setLibDir(sectiontest::exampleLibrary());
    EXPECT_EQ(gSectionTables.tableNames(), (Trk_StringArray{L"HEA", L"HEB", L"IPE"}));
    EXPECT_EQ(value(L"IPE-300", 0), L"300");
    EXPECT_EQ(value(L"IPE-300", 1), L"150");
    EXPECT_EQ(value(L"IPE-300", 2), L"7.1");
    EXPECT_EQ(value(L"IPE-300", 3), L"10.7");
    EXPECT_EQ(value(L"HEA-300", 0), L"290");
    EXPECT_EQ(value(L"HEB-200", 3), L"15");
    EXPECT_EQ(value(L"IPE-80", 1), L"46");
    Trk_StringArray columns;
    ASSERT_EQ(gSectionTables.getColumnNames(L"HEB 500", columns), eOk);
    EXPECT_EQ(columns, (Trk_StringArray{L"h", L"b", L"tw", L"tf", L"r", L"A", L"G"}));
    const Trk_SectionTable* ipe = gSectionTables.findTable(L"ipe");
    ASSERT_NE(ipe, nullptr);
    EXPECT_EQ(ipe->shape, L"1");
    EXPECT_EQ(ipe->fileName, L"IPE.pr");
    EXPECT_EQ(ipe->rows.length(), 18);
    EXPECT_EQ(ipe->firstValueColumn(), 5);
}

TEST_F(SectionTablesTest, EveryShippedSizeHasTheAreaAndWeightItsDimensionsGive) {
    gSettings.setLibDir(sectiontest::exampleLibrary());
    int sizes = 0;
    for (const auto& name : gSectionTables.tableNames()) {
        const Trk_SectionTable* table = gSectionTables.findTable(name);
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->columns.length(), table->firstValueColumn() + 7);
        for (const auto& row : table->rows) {
            double v[7] = {};
            for (int i = 0; i < 7; ++i)
                ASSERT_TRUE(row.valueAt(table->firstValueColumn() + i).toDouble(v[i]))
                    << winx::toUtf8(row[0].view());
            const double area = iSectionArea(v[0], v[1], v[2], v[3], v[4]);
            EXPECT_NEAR(v[5], area, area * 0.012)
                << winx::toUtf8(name) << " " << winx::toUtf8(row[0].view());
            EXPECT_NEAR(v[6], v[5] * 0.785, v[6] * 0.012)
                << winx::toUtf8(name) << " " << winx::toUtf8(row[0].view());
            ++sizes;
        }
    }
    EXPECT_EQ(sizes, 18 + 17 + 17);
}

TEST_F(SectionTablesTest, SectionsAreFoundByFullOrUserNameIgnoringCaseAndBlanks) {
    gSettings.setLibDir(sectiontest::exampleLibrary());
    const auto systemName = [](const wchar_t* name) {
        Trk_String found = L"unset";
        return getSystemName(name, found) == eOk ? found : Trk_String(L"failed");
    };
    EXPECT_EQ(systemName(L"IPE-300"), L"IPE-300");
    EXPECT_EQ(systemName(L"ipe-300"), L"IPE-300");
    EXPECT_EQ(systemName(L"IPE 300"), L"IPE-300");
    EXPECT_EQ(systemName(L"  ipe300 "), L"IPE-300");
    EXPECT_EQ(systemName(L"HE 300 A"), L"HEA-300");
    EXPECT_EQ(systemName(L"he300a"), L"HEA-300");
    EXPECT_EQ(systemName(L"HEA 300"), L"HEA-300");
    EXPECT_EQ(systemName(L"HE 300 B"), L"HEB-300");
    EXPECT_EQ(systemName(L"IPE-301"), L"failed");
    EXPECT_EQ(systemName(L"UPN-300"), L"failed");
    EXPECT_EQ(systemName(L""), L"failed");
    Trk_String untouched = L"keep";
    EXPECT_EQ(getSystemName(L"HEM-300", untouched), eInvalidInput);
    EXPECT_EQ(untouched, L"keep");
}

TEST_F(SectionTablesTest, ValueLookUpsRejectUnknownSectionsAndColumnsOutsideTheValues) {
    gSettings.setLibDir(sectiontest::exampleLibrary());
    EXPECT_EQ(value(L"hea 300", 6), L"88.3");
    Trk_String text = L"keep";
    EXPECT_EQ(getSectionValue(L"HEA-300", 7, text), eInvalidInput);
    EXPECT_EQ(getSectionValue(L"HEA-300", -1, text), eInvalidInput);
    EXPECT_EQ(getSectionValue(L"HEA-300", std::numeric_limits<int>::max(), text), eInvalidInput);
    EXPECT_EQ(getSectionValue(L"HEA-300", std::numeric_limits<int>::min(), text), eInvalidInput);
    EXPECT_EQ(getSectionValue(L"HEA-301", 0, text), eInvalidInput);
    EXPECT_EQ(getSectionValue(L"XYZ-300", 0, text), eInvalidInput);
    EXPECT_EQ(text, L"keep");
    Trk_StringArray columns{L"keep"};
    EXPECT_EQ(gSectionTables.getColumnNames(L"XYZ-300", columns), eInvalidInput);
    EXPECT_EQ(columns, Trk_StringArray{L"keep"});
}

TEST_F(SectionTablesTest, UserNamesFollowTheWorkingLanguage) {
    gSettings.setLibDir(sectiontest::exampleLibrary());
    const auto userName = [](const wchar_t* language) {
        gSettings.workLanguage = language;
        Trk_String name;
        EXPECT_EQ(gSectionTables.getUserName(L"HEA-300", name), eOk);
        return name;
    };
    EXPECT_EQ(userName(L"en"), L"HEA 300");
    EXPECT_EQ(userName(L"de"), L"HE 300 A");
    EXPECT_EQ(userName(L"FR"), L"HE 300 A");
    EXPECT_EQ(userName(L"nl"), L"HEA 300");
    EXPECT_EQ(userName(L"xx"), L"HEA 300");
    Trk_String name = L"keep";
    EXPECT_EQ(gSectionTables.getUserName(L"HEA-301", name), eInvalidInput);
    EXPECT_EQ(name, L"keep");
}
