#include "spread/SheetBeingEvaluated.h"

namespace {

Trk_Spread* gSheetBeingEvaluated = nullptr;

} // namespace

Trk_Spread* sheetBeingEvaluated() {
    return gSheetBeingEvaluated;
}

void setSheetBeingEvaluated(Trk_Spread* sheet) {
    gSheetBeingEvaluated = sheet;
}

SheetBeingEvaluatedScope::SheetBeingEvaluatedScope(Trk_Spread* sheet)
    : SheetBeingEvaluatedScope(sheet, gSheetBeingEvaluated) {}

SheetBeingEvaluatedScope::SheetBeingEvaluatedScope(Trk_Spread* sheet, Trk_Spread* restoreTo)
    : restoreTo_(restoreTo) {
    gSheetBeingEvaluated = sheet;
}

SheetBeingEvaluatedScope::~SheetBeingEvaluatedScope() {
    gSheetBeingEvaluated = restoreTo_;
}
