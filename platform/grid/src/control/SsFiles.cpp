// SS functions of files: load and save through the sheet file format.
#include "SsCommon.h"

#include "grid/SheetFile.h"
#include "win/winbase.h"

using gridx::control::GridRef;
using gridx::control::GridWindow;
using gridx::control::toBool;

namespace {

std::optional<std::filesystem::path> pathOf(LPCWSTR path) {
    if (!path || !*path) return std::nullopt;
    return winx::nativePath(path);
}

std::string documentText(GridWindow& grid, bool dataOnly) {
    if (!dataOnly) return gridx::sheetText(grid.doc());
    // Contents only: the document is written with a blank format model of the same size.
    gridx::SheetFormat blank;
    blank.setMaxCols(grid.format().maxCols());
    blank.setMaxRows(grid.format().maxRows());
    std::swap(grid.format(), blank);
    struct Restore {
        GridWindow& grid;
        gridx::SheetFormat& saved;
        ~Restore() { std::swap(grid.format(), saved); }
    } restore{grid, blank};
    return gridx::sheetText(grid.doc());
}

} // namespace

BOOL SSLoadFromFile(HWND hwnd, LPCWSTR path) {
    GridRef grid(hwnd);
    const auto file = pathOf(path);
    if (!grid || !file) return FALSE;
    try {
        const auto bytes = winx::readFile(*file);
        if (!bytes) return FALSE;
        std::wstring problem;
        auto doc = gridx::parseSheetText(*bytes, problem);
        if (!doc) return FALSE;
        grid->replaceDocument(std::move(doc));
        return TRUE;
    } catch (const std::exception&) {
        return FALSE;
    }
}

BOOL SSSaveToFile(HWND hwnd, LPCWSTR path, BOOL dataOnly) {
    GridRef grid(hwnd);
    const auto file = pathOf(path);
    if (!grid || !file) return FALSE;
    try {
        gridx::control::closeEditor(*grid, true);
        return toBool(winx::writeFileAtomically(*file, documentText(*grid, dataOnly != FALSE)));
    } catch (const std::exception&) {
        return FALSE;
    }
}
