#include "trk/EditConstrData.h"
#include "trk/MacroData.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace {

TEST(Records, MacroDataCopiesAreIndependentAndKeepTheBusyMark) {
    MacroData original;
    original.name = L"EndPlate";
    original.isBusy = true;
    MacroData copy(original);
    EXPECT_EQ(copy.name.str(), L"EndPlate");
    EXPECT_TRUE(copy.isBusy);
    copy.name = L"Changed";
    copy.isBusy = false;
    EXPECT_EQ(original.name.str(), L"EndPlate");
    EXPECT_TRUE(original.isBusy);
    original = copy;
    EXPECT_EQ(original.name.str(), L"Changed");
    EXPECT_FALSE(original.isBusy);
    EXPECT_FALSE(MacroData().isBusy);
}

TEST(Records, EditConstrDataCopiesByAssignmentAndDestroysThroughItsBase) {
    EditConstrData data;
    data.macroName = L"Base plate";
    std::unique_ptr<EditConstrData> owned = std::make_unique<EditConstrData>(data);
    EXPECT_EQ(owned->macroName.str(), L"Base plate");
    EditConstrData assigned;
    assigned = *owned;
    owned.reset();
    EXPECT_EQ(assigned.macroName.str(), L"Base plate");
    EXPECT_TRUE(std::has_virtual_destructor_v<MacroData>);
    EXPECT_TRUE(std::has_virtual_destructor_v<EditConstrData>);
}

} // namespace
