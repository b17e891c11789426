#include "trk/Trk_Array.h"
#include "trk/Trk_StringArray.h"

#include "acadx.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

namespace {

class Trk_ArrayTest : public ::testing::Test {
protected:
    void SetUp() override { acadx::clearPrinted(); }
    static std::vector<int> items(const Trk_Array<int>& array) { return array.items(); }
};

TEST_F(Trk_ArrayTest, AppendInsertAndRemoveKeepTheOrder) {
    Trk_Array<int> a;
    EXPECT_EQ(a.append(1), 0);
    EXPECT_EQ(a.append(3), 1);
    EXPECT_TRUE(a.insertAt(1, 2));
    EXPECT_TRUE(a.insertAt(3, 4)); // at the end
    EXPECT_TRUE(a.insertAt(0, 0));
    EXPECT_EQ(items(a), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(a.removeAt(2));
    EXPECT_TRUE(a.removeFirst());
    EXPECT_TRUE(a.removeLast());
    EXPECT_EQ(items(a), (std::vector<int>{1, 3}));
    EXPECT_EQ(a.first(), 1);
    EXPECT_EQ(a.last(), 3);
    EXPECT_TRUE(acadx::printed().empty());
}

TEST_F(Trk_ArrayTest, AnInvalidIndexIsReportedAndChangesNothing) {
    Trk_Array<int> a{5, 6};
    EXPECT_FALSE(a.insertAt(3, 9));
    EXPECT_FALSE(a.insertAt(-1, 9));
    EXPECT_FALSE(a.removeAt(2));
    EXPECT_FALSE(a.removeAt(-1));
    EXPECT_EQ(items(a), (std::vector<int>{5, 6}));
    ASSERT_EQ(acadx::printed().size(), 4u);
    EXPECT_EQ(acadx::printed()[0], L"*Error* Invalid index passed to insert.\n");
    EXPECT_EQ(acadx::printed()[1], L"*Error* Invalid index passed to insert.\n");
    EXPECT_EQ(acadx::printed()[2], L"*Error* Invalid index passed to remove.\n");
    EXPECT_EQ(acadx::printed()[3], L"*Error* Invalid index passed to remove.\n");

    Trk_Array<int> empty;
    EXPECT_FALSE(empty.removeLast());
    EXPECT_EQ(acadx::printed().size(), 5u);
}

TEST_F(Trk_ArrayTest, ValuesAreCopiedNotShared) {
    Trk_Array<Trk_StringArray> rows;
    Trk_StringArray row{L"a", L"b"};
    rows.append(row);
    row[0] = L"changed";
    EXPECT_EQ(rows[0][0], L"a");
    Trk_Array<Trk_StringArray> copy = rows;
    copy[0].append(L"c");
    EXPECT_EQ(rows[0].length(), 2);
    EXPECT_EQ(copy[0].length(), 3);
    EXPECT_FALSE(copy == rows);
}

TEST_F(Trk_ArrayTest, LengthFindReverseAndSafeAccess) {
    Trk_Array<int> a{4, 7, 4};
    EXPECT_EQ(a.find(4), 0);
    EXPECT_EQ(a.find(4, 1), 2);
    EXPECT_EQ(a.find(9), -1);
    EXPECT_TRUE(a.contains(7));
    a.setLogicalLength(5);
    EXPECT_EQ(items(a), (std::vector<int>{4, 7, 4, 0, 0}));
    a.setLogicalLength(2);
    a.reverse();
    EXPECT_EQ(items(a), (std::vector<int>{7, 4}));
    EXPECT_EQ(a.valueAt(5, -1), -1);
    EXPECT_EQ(a.valueAt(1, -1), 4);
    a.setLogicalLength(-3);
    EXPECT_TRUE(a.isEmpty());
    EXPECT_EQ(a.logicalLength(), 0);
}

TEST_F(Trk_ArrayTest, StringArraysFindWithTheCaseFlag) {
    Trk_StringArray names{L"IPE-200;10", L"Width", L"width"};
    EXPECT_EQ(names.find(L"WIDTH", false), 1);
    EXPECT_EQ(names.find(L"WIDTH", true), -1);
    EXPECT_EQ(names.find(L"width"), 2);
    EXPECT_EQ(names.find(L"width", false, 2), 2);
    EXPECT_EQ(names.find(L"ipe-200;10", false), 0);
    EXPECT_TRUE(names.contains(L"wIdTh", false));
    EXPECT_FALSE(names.contains(L"wIdTh"));
}

TEST_F(Trk_ArrayTest, StringArraysSortIgnoringCaseWithNaturalNumbers) {
    Trk_StringArray names{L"Stock10", L"stock2", L"Beam", L"Stock1", L"beam"};
    names.sort();
    EXPECT_EQ(names, (Trk_StringArray{L"Beam", L"beam", L"Stock1", L"stock2", L"Stock10"}));
}

} // namespace
