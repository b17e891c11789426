#include "ReadSheetJob.h"

#include "frame/TrkSS.h"

#include "win/utf8.h"

#include <cstdio>

namespace trkjobs {
namespace {

constexpr int kReadFailed = 1;
constexpr int kUsage = 2;

std::string joined(const Trk_StringArray& texts) {
    std::string line;
    for (int i = 0; i < texts.length(); ++i) {
        if (i > 0) line += '\t';
        line += winx::toUtf8(texts[i].view());
    }
    return line;
}

} // namespace

int readSheet(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        std::fprintf(stderr, "read-sheet: give the sheet file to read (read-sheet PATH)\n");
        return kUsage;
    }
    const std::string& path = arguments.front();
    Trk_String firstCell;
    Trk_StringArray headers;
    Trk_Array<Trk_StringArray> rows;
    if (!ReadSSFile(Trk_String(winx::fromUtf8(path)), firstCell, headers, rows)) {
        std::fprintf(stderr, "read-sheet: cannot read the sheet file %s\n", path.c_str());
        return kReadFailed;
    }
    std::printf("First cell: %s\n", winx::toUtf8(firstCell.view()).c_str());
    std::printf("Headers: %s\n", joined(headers).c_str());
    std::printf("Rows: %d\n", rows.length());
    for (int i = 0; i < rows.length(); ++i)
        std::printf("%d: %s\n", i + 1, joined(rows[i]).c_str());
    return 0;
}

} // namespace trkjobs
