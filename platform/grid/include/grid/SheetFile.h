// The grid control's own file format: a versioned, line-oriented UTF-8 text of records, one
// per line, described in platform/grid/FILEFORMAT.md. Reading and writing work on text in
// memory; the window layer does the file I/O.
#pragma once

#include "grid/Document.h"

#include <memory>
#include <string>
#include <string_view>

namespace gridx {

// The version of the format that sheetText writes and parseSheetText reads.
constexpr int kSheetFileVersion = 1;

// Builds a document from the text of a sheet file, recalculated once (formulas that call
// functions registered later show #NAME? until the next recalculation). Null on any malformed
// input, with `problem` naming the line and the fault ("line 12: unknown record 'cel'");
// never throws on bad input and refuses sizes beyond the engine's limits.
std::unique_ptr<Document> parseSheetText(std::string_view utf8, std::wstring& problem);

// The canonical text of a document: the same document always gives the same bytes, and
// parseSheetText of it gives a document with the same text.
std::string sheetText(const Document& doc);

} // namespace gridx
