// The control's entries behind SS_CELLTYPE records: equal parameters share one entry, so a
// record stays plain data that callers may copy and keep.
#pragma once

#include "grid/Format.h"
#include "grid/ssapi.h"

#include <optional>

namespace gridx::control {

// Fills the record with the type's code and entry; returns the record (null stays null).
LPSS_CELLTYPE fillRecord(LPSS_CELLTYPE record, const CellType& type);
// The type a record stands for: its entry (or the defaults of its code when it has none) with
// the record's code. Empty for a code that is no cell type or an unknown entry.
std::optional<CellType> typeOfRecord(const SS_CELLTYPE& record);

} // namespace gridx::control
