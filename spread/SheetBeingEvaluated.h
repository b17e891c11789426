// The sheet whose formulas are being computed: cell-reference arguments of FROMTABLE point into
// it. One module-wide value; null when no sheet is being evaluated.
#pragma once

class Trk_Spread;

Trk_Spread* sheetBeingEvaluated();
void setSheetBeingEvaluated(Trk_Spread* sheet);

// Makes a sheet the one being evaluated for a scope; when the scope ends the sheet given as
// `restoreTo` becomes current (by default the one that was current before).
class SheetBeingEvaluatedScope {
public:
    explicit SheetBeingEvaluatedScope(Trk_Spread* sheet);
    SheetBeingEvaluatedScope(Trk_Spread* sheet, Trk_Spread* restoreTo);
    ~SheetBeingEvaluatedScope();
    SheetBeingEvaluatedScope(const SheetBeingEvaluatedScope&) = delete;
    SheetBeingEvaluatedScope& operator=(const SheetBeingEvaluatedScope&) = delete;

private:
    Trk_Spread* restoreTo_;
};
