// Helpers of the variable-cell tests: a grid in a dialog-like window, filled cell by cell.
#pragma once

#include "spread/SpreadTestSupport.h"
#include "standards/KvVarCells.h"
#include "standards/StandardsSheet.h"

#include "trk/Trk_Settings.h"

namespace varstest {

class VarsTest : public spreadtest::SpreadTest {
protected:
    void SetUp() override {
        spreadtest::SpreadTest::SetUp();
        messagesBefore_ = gSettings.current.showStandardsMessages;
    }
    void TearDown() override {
        gSettings.current.showStandardsMessages = messagesBefore_;
        spreadtest::SpreadTest::TearDown();
    }

    // Reads the declarations and expects success.
    void read() { ASSERT_EQ(readDeclarations(spread, cells), eOk); }

    // "name:kind:type@column,row" per variable, in list order, for compact comparisons.
    std::vector<std::wstring> described() const {
        std::vector<std::wstring> out;
        for (int i = 0; i < cells.length(); ++i) {
            const KvVarCell& cell = cells[i];
            out.push_back(cell.name.str() + L":" + std::to_wstring(static_cast<int>(cell.kind)) +
                          L":" + std::to_wstring(static_cast<int>(cell.valueType)) + L"@" +
                          std::to_wstring(cell.column) + L"," + std::to_wstring(cell.row));
        }
        return out;
    }

    KvVarCells cells;

private:
    bool messagesBefore_ = true;
};

} // namespace varstest
