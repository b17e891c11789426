// The format keys of "sheet", "col", "row", "format" and "cell" records: a cell type with its
// parameters, lock, colours, font and border, read into a layer patch and written from a layer.
#pragma once

#include "file/RecordView.h"
#include "grid/Format.h"

#include <string>

namespace gridx::sheetfile {

// Reads every format key of the record into `patch`; attributes without a key stay unset.
// False (with the view's problem) for a malformed value or a parameter without "type".
bool readFormatKeys(RecordView& view, FormatLayer& patch);
// True when the record names any format key.
bool hasFormatKeys(const RecordView& view);

// Appends " key=value" for every attribute the layer sets, in a fixed order; parameters equal
// to their defaults are left out.
void appendFormatKeys(std::string& out, const FormatLayer& layer);

} // namespace gridx::sheetfile
