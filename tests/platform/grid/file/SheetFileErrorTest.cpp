// Malformed files are refused as a whole, with a problem that names the line and the fault.
#include "SheetFileTestSupport.h"

#include <string>

namespace gridx {
namespace {

using testing::narrowForMessage;
using testing::refusal;
using testing::sheetHeader;

// The problem of a file made of a valid header (8 columns, 10 rows) and the given lines.
std::string problemAfterHeader(const std::string& lines) {
    return narrowForMessage(refusal(sheetHeader(8, 10) + lines));
}

#define EXPECT_CONTAINS(text, part) EXPECT_NE((text).find(part), std::string::npos) << (text)

TEST(SheetFileErrorTest, AFileMustBeginWithAKnownVersionAndGiveItsSize) {
    EXPECT_CONTAINS(narrowForMessage(refusal("")), "line 1: not a grid sheet file");
    EXPECT_CONTAINS(narrowForMessage(refusal("# only a comment\n")),
                    "line 1: not a grid sheet file");
    EXPECT_CONTAINS(narrowForMessage(refusal("size cols=1 rows=1\n")),
                    "line 1: not a grid sheet file");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=2\nsize cols=1 rows=1\n")),
                    "line 1: version 2 is not supported");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet\n")),
                    "line 1: 'gridsheet' needs a version");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=1\n\n")),
                    "line 2: the 'size' record is missing");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=1\ncell A1 number=1\n")),
                    "line 2: 'size' must come before 'cell'");
    EXPECT_CONTAINS(problemAfterHeader("size cols=1 rows=1\n"), "line 3: 'size' is given twice");
    EXPECT_CONTAINS(problemAfterHeader("gridsheet version=1\n"),
                    "line 3: 'gridsheet' is given twice");
}

TEST(SheetFileErrorTest, SizesBeyondTheEngineLimitsAreRefused) {
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=1\nsize cols=8 rows=2000001\n")),
                    "line 2: 'rows' must be a whole number from 0 to 2000000");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=1\nsize cols=18279 rows=1\n")),
                    "line 2: 'cols' must be a whole number from 0 to 18278");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=1\nsize cols=-1 rows=1\n")),
                    "line 2: 'cols' must be");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=1\nsize cols=99999999999999999999 "
                                             "rows=1\n")),
                    "line 2: 'cols' must be");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=1\nsize cols=8\n")),
                    "line 2: 'size' needs cols and rows");
}

TEST(SheetFileErrorTest, MalformedLinesNameTheirFault) {
    EXPECT_CONTAINS(problemAfterHeader("cel B3 number=1\n"), "line 3: unknown record 'cel'");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"abc\n"), "line 3: unterminated text");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\n"), "line 3: 'text' has no value");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"a\"b\n"), "line 3: unexpected");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=a\"b\n"), "line 3: a quote inside");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 \"abc\"\n"), "line 3: a quoted text needs a key");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"a`qb\"\n"), "line 3: unknown escape '`q'");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"`u{110000}\"\n"),
                    "line 3: bad character code");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"`u{}\"\n"), "line 3: bad character code");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"`u263A\"\n"), "line 3: '`u' must be");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"a\",\n"), "needs a text after ','");
    EXPECT_CONTAINS(problemAfterHeader("3cell B3\n"), "line 3: a record must begin with its name");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 9key=1\n"), "line 3: bad key '9key'");
    EXPECT_CONTAINS(problemAfterHeader("\ncell B3 text=\"\xC3\x28\"\n"),
                    "line 4: the line is not valid UTF-8");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"\xED\xA0\x80\"\n"), "not valid UTF-8");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"\xC0\xAF\"\n"), "not valid UTF-8");
}

TEST(SheetFileErrorTest, BadAddressesAndAddressesOutsideTheSheetAreRefused) {
    EXPECT_CONTAINS(problemAfterHeader("cell 3B number=1\n"), "line 3: bad cell '3B'");
    EXPECT_CONTAINS(problemAfterHeader("cell B number=1\n"), "line 3: bad cell 'B'");
    EXPECT_CONTAINS(problemAfterHeader("cell AAAA1 number=1\n"), "line 3: bad cell 'AAAA1'");
    EXPECT_CONTAINS(problemAfterHeader("cell K3 number=1\n"),
                    "line 3: K3 lies outside the sheet (8 columns, 10 rows)");
    EXPECT_CONTAINS(problemAfterHeader("cell B11 number=1\n"), "line 3: B11 lies outside");
    EXPECT_CONTAINS(problemAfterHeader("cell B2:C3 number=1\n"), "'cell' takes one cell");
    EXPECT_CONTAINS(problemAfterHeader("cell number=1\n"), "line 3: 'cell' needs an address");
    EXPECT_CONTAINS(problemAfterHeader("cell B2 B3 number=1\n"), "line 3: unexpected 'B3'");
    EXPECT_CONTAINS(problemAfterHeader("format B2:Z3 locked=yes\n"), "B2:Z3 lies outside");
    EXPECT_CONTAINS(problemAfterHeader("format B2: locked=yes\n"), "bad range 'B2:'");
    EXPECT_CONTAINS(problemAfterHeader("col I width=3\n"), "line 3: I lies outside");
    EXPECT_CONTAINS(problemAfterHeader("col 3 width=3\n"), "line 3: bad column '3'");
    EXPECT_CONTAINS(problemAfterHeader("row 11 hidden=yes\n"), "line 3: 11 lies outside");
    EXPECT_CONTAINS(problemAfterHeader("row B hidden=yes\n"), "line 3: bad row 'B'");
    EXPECT_CONTAINS(problemAfterHeader("size2 cols=1\n"), "unknown record 'size2'");
}

TEST(SheetFileErrorTest, BadValuesNameTheKeyAndWhatItNeeds) {
    EXPECT_CONTAINS(problemAfterHeader("cell B3 number=1.2.3\n"),
                    "line 3: 'number' must be a number, not '1.2.3'");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 number=1e999\n"), "'number' must be a number");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 number=inf\n"), "'number' must be a number");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 number=0x10\n"), "'number' must be a number");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 bool=maybe\n"), "'bool' must be yes or no");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 error=#OOPS\n"), "unknown error value '#OOPS'");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 back=#12345\n"), "'back' must be a colour");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 back=red\n"), "'back' must be a colour");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 type=spinner\n"), "unknown cell type 'spinner'");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 decimals=2\n"), "'decimals' needs a 'type'");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 type=number decimals=two\n"),
                    "'decimals' must be a whole number");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 font-charset=256\n"),
                    "'font-charset' must be a whole number from 0 to 255");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"a\",\"b\"\n"),
                    "'text' takes one value, not a list");
    EXPECT_CONTAINS(problemAfterHeader("row 3 height=tall\n"), "'height' must be a number");
}

TEST(SheetFileErrorTest, RecordsRefuseUnknownRepeatedAndConflictingKeys) {
    EXPECT_CONTAINS(problemAfterHeader("cell B3 colour=#FF0000\n"),
                    "line 3: unknown key 'colour' in 'cell'");
    EXPECT_CONTAINS(problemAfterHeader("span B3:C3 locked=yes\n"),
                    "unknown key 'locked' in 'span'");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 number=1 number=2\n"), "'number' is given twice");
    EXPECT_CONTAINS(problemAfterHeader("cell B3 number=1 text=\"x\"\n"),
                    "a cell holds one of text, number, bool, error or formula");
    EXPECT_CONTAINS(problemAfterHeader("format B3 tag=\"x\"\n"), "unknown key 'tag' in 'format'");
    EXPECT_CONTAINS(narrowForMessage(refusal("gridsheet version=1\nsize cols=1 rows=1 extra\n")),
                    "line 2: unexpected 'extra' in 'size'");
}

TEST(SheetFileErrorTest, FormulasThatCannotBeSetAreRefused) {
    EXPECT_CONTAINS(problemAfterHeader("cell B3 formula=\"1+*\"\n"),
                    "line 3: the formula '1+*' does not parse");
    EXPECT_CONTAINS(problemAfterHeader("cell B0 formula=\"1+1\"\n"),
                    "line 3: a header cell holds no formula");
    std::string deep(100000, '(');
    deep += "1" + std::string(100000, ')');
    EXPECT_CONTAINS(problemAfterHeader("cell B3 formula=\"" + deep + "\"\n"), "line 3: ");
}

TEST(SheetFileErrorTest, SpansMustCoverTwoCellsAndMustNotOverlap) {
    EXPECT_CONTAINS(problemAfterHeader("span B3\n"), "line 3: span B3 is a single cell");
    EXPECT_CONTAINS(problemAfterHeader("span B3:C4\nspan C4:D5\n"),
                    "line 4: span C4:D5 is a single cell or overlaps another span");
}

TEST(SheetFileErrorTest, RangesThatWouldCostTooMuchWorkAreRefusedBeforeTheWorkIsDone) {
    const std::string huge = "gridsheet version=1\nsize cols=18278 rows=2000000\n";
    EXPECT_CONTAINS(narrowForMessage(refusal(huge + "format A1:ZZZ2000000 locked=yes\n")),
                    "line 3: more than 4000000 cells");
    EXPECT_CONTAINS(narrowForMessage(refusal(huge + "span A1:ZZZ2000000\n")),
                    "line 3: more than 4000000 cells");
    // A whole column visits every row that has its own formats: 18278 columns x 301.
    EXPECT_CONTAINS(narrowForMessage(refusal(huge + "row 1:300 locked=yes\n"
                                                    "col A:ZZZ type=edit\n")),
                    "line 4: more than 4000000");
    // Whole rows visit every column that holds cell formats: 1,000,000 rows x 19.
    EXPECT_CONTAINS(narrowForMessage(refusal(huge + "format R1:R2 locked=yes\n"
                                                    "row 1:1000000 back=#FF0000\n")),
                    "line 4: more than 4000000");
}

TEST(SheetFileErrorTest, TextsBeyondTheLengthLimitAreRefused) {
    std::string text(1u << 20, 'x');
    EXPECT_CONTAINS(problemAfterHeader("cell B3 text=\"" + text + "y\"\n"),
                    "line 3: text longer than 1048576 characters");
}

} // namespace
} // namespace gridx
