// Cell-type records and the SSSetType... calls that fill them.
#include "CellTypeRecords.h"

#include "FormatStore.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace gridx::control {

namespace {

struct EntryTable {
    std::vector<CellType> entries; // entry n is entries[n - 1]
    std::unordered_multimap<std::size_t, DWORD> index;
};

EntryTable& table() {
    static EntryTable* t = new EntryTable; // outlives every grid, also during exit
    return *t;
}

DWORD entryOf(const CellType& type) {
    EntryTable& t = table();
    const std::size_t h = hashCellType(type);
    auto [first, last] = t.index.equal_range(h);
    for (auto it = first; it != last; ++it) {
        if (t.entries[it->second - 1] == type) return it->second;
    }
    t.entries.push_back(type);
    const auto entry = static_cast<DWORD>(t.entries.size());
    t.index.emplace(h, entry);
    return entry;
}

std::wstring textOf(LPCWSTR text) {
    return text ? std::wstring(text) : std::wstring();
}

// A picture argument: a handle cast to text when the type says so, else a file name.
PictureRef pictureOf(LPCWSTR picture, int pictureType) {
    PictureRef ref;
    ref.type = pictureType;
    if (pictureType & SS_PICTURE_HANDLE) {
        ref.handle = reinterpret_cast<std::uintptr_t>(picture);
    } else {
        ref.name = textOf(picture);
    }
    return ref;
}

CellType numeric(CellKind kind, long style, short decimals, double minimum, double maximum,
                 BOOL separator) {
    CellType type;
    type.kind = kind;
    type.style = static_cast<std::int32_t>(style);
    type.decimals = std::max<short>(0, std::min<short>(decimals, 15));
    type.minimum = std::min(minimum, maximum);
    type.maximum = std::max(minimum, maximum);
    type.separator = separator != FALSE;
    return type;
}

CellType styled(CellKind kind, long style) {
    CellType type;
    type.kind = kind;
    type.style = static_cast<std::int32_t>(style);
    return type;
}

} // namespace

LPSS_CELLTYPE fillRecord(LPSS_CELLTYPE record, const CellType& type) {
    if (!record) return nullptr;
    *record = SS_CELLTYPE{};
    record->Type = static_cast<BYTE>(type.kind);
    record->Detail = entryOf(type);
    return record;
}

std::optional<CellType> typeOfRecord(const SS_CELLTYPE& record) {
    if (!isCellKind(record.Type)) return std::nullopt;
    CellType type;
    if (record.Detail != 0) {
        const EntryTable& t = table();
        if (record.Detail > t.entries.size()) return std::nullopt;
        type = t.entries[record.Detail - 1];
    }
    type.kind = static_cast<CellKind>(record.Type);
    return type;
}

} // namespace gridx::control

using gridx::CellKind;
using gridx::CellType;
using gridx::control::fillRecord;

LPSS_CELLTYPE SSSetTypeEdit(HWND, LPSS_CELLTYPE cellType, long style, int maxLength, short charSet,
                            short charCase) {
    CellType type = gridx::control::styled(CellKind::Edit, style);
    type.maxLength = std::max(0, maxLength);
    type.charSet = charSet;
    type.charCase = charCase;
    return fillRecord(cellType, type);
}

LPSS_CELLTYPE SSSetTypeNumber(HWND, LPSS_CELLTYPE cellType, long style, short decimals,
                              double minimum, double maximum, BOOL separator) {
    return fillRecord(cellType, gridx::control::numeric(CellKind::Number, style, decimals, minimum,
                                                        maximum, separator));
}

LPSS_CELLTYPE SSSetTypeInteger(HWND, LPSS_CELLTYPE cellType, long minimum, long maximum) {
    return fillRecord(cellType,
                      gridx::control::numeric(CellKind::Integer, 0, 0, static_cast<double>(minimum),
                                              static_cast<double>(maximum), FALSE));
}

LPSS_CELLTYPE SSSetTypeCurrency(HWND, LPSS_CELLTYPE cellType, long style, short decimals,
                                double minimum, double maximum, BOOL separator) {
    return fillRecord(cellType, gridx::control::numeric(CellKind::Currency, style, decimals,
                                                        minimum, maximum, separator));
}

LPSS_CELLTYPE SSSetTypePercent(HWND, LPSS_CELLTYPE cellType, long style, short decimals,
                               double minimum, double maximum) {
    return fillRecord(cellType, gridx::control::numeric(CellKind::Percent, style, decimals, minimum,
                                                        maximum, FALSE));
}

LPSS_CELLTYPE SSSetTypeGeneral(HWND, LPSS_CELLTYPE cellType) {
    return fillRecord(cellType, CellType{});
}

LPSS_CELLTYPE SSSetTypeDate(HWND, LPSS_CELLTYPE cellType, long style) {
    return fillRecord(cellType, gridx::control::styled(CellKind::Date, style));
}

LPSS_CELLTYPE SSSetTypeTime(HWND, LPSS_CELLTYPE cellType, long style) {
    return fillRecord(cellType, gridx::control::styled(CellKind::Time, style));
}

LPSS_CELLTYPE SSSetTypeStaticText(HWND, LPSS_CELLTYPE cellType, long style) {
    return fillRecord(cellType, gridx::control::styled(CellKind::StaticText, style));
}

LPSS_CELLTYPE SSSetTypeComboBox(HWND, LPSS_CELLTYPE cellType, long style, LPCWSTR items) {
    CellType type = gridx::control::styled(CellKind::ComboBox, style);
    type.items = gridx::control::textOf(items);
    return fillRecord(cellType, type);
}

LPSS_CELLTYPE SSSetTypeComboBoxEx(HWND, LPSS_CELLTYPE cellType, long style, LPCWSTR items,
                                  short listRows, short maxEditLength, short listWidth,
                                  HWND dropWindow, BYTE autoSearch) {
    CellType type = gridx::control::styled(CellKind::ComboBoxEx, style);
    type.items = gridx::control::textOf(items);
    type.listRows = listRows;
    type.maxEditLength = maxEditLength;
    type.listWidth = listWidth;
    type.dropWindow = reinterpret_cast<std::uintptr_t>(dropWindow);
    type.autoSearch = autoSearch != 0;
    return fillRecord(cellType, type);
}

LPSS_CELLTYPE SSSetTypeButton(HWND, LPSS_CELLTYPE cellType, long style, LPCWSTR text,
                              LPCWSTR picture, short pictureType, LPCWSTR pictureDown,
                              short pictureDownType, short buttonType, short shadowSize, LPVOID) {
    CellType type = gridx::control::styled(CellKind::Button, style);
    type.text = gridx::control::textOf(text);
    if (picture) type.pictures[0] = gridx::control::pictureOf(picture, pictureType);
    if (pictureDown) type.pictures[1] = gridx::control::pictureOf(pictureDown, pictureDownType);
    return fillRecord(cellType, type);
}

LPSS_CELLTYPE SSSetTypeCheckBox(HWND, LPSS_CELLTYPE cellType, long style, LPCWSTR text,
                                LPCWSTR pictureUp, WORD pictureUpType, LPCWSTR pictureDown,
                                WORD pictureDownType, LPCWSTR pictureFocusUp,
                                WORD pictureFocusUpType, LPCWSTR pictureFocusDown,
                                WORD pictureFocusDownType, LPCWSTR pictureDisabledUp,
                                WORD pictureDisabledUpType, LPCWSTR pictureDisabledDown,
                                WORD pictureDisabledDownType) {
    CellType type = gridx::control::styled(CellKind::CheckBox, style);
    type.text = gridx::control::textOf(text);
    const std::pair<LPCWSTR, WORD> pictures[] = {{pictureUp, pictureUpType},
                                                 {pictureDown, pictureDownType},
                                                 {pictureFocusUp, pictureFocusUpType},
                                                 {pictureFocusDown, pictureFocusDownType},
                                                 {pictureDisabledUp, pictureDisabledUpType},
                                                 {pictureDisabledDown, pictureDisabledDownType}};
    for (std::size_t i = 0; i < std::size(pictures); ++i) {
        if (pictures[i].first)
            type.pictures[i] = gridx::control::pictureOf(pictures[i].first, pictures[i].second);
    }
    return fillRecord(cellType, type);
}

LPSS_CELLTYPE SSSetTypePicture(HWND, LPSS_CELLTYPE cellType, long style, LPCWSTR picture) {
    CellType type = gridx::control::styled(CellKind::Picture, style);
    type.pictures[0].name = gridx::control::textOf(picture);
    return fillRecord(cellType, type);
}

LPSS_CELLTYPE SSSetTypePictureHandle(HWND, LPSS_CELLTYPE cellType, long style, HANDLE picture,
                                     HANDLE, BOOL) {
    CellType type = gridx::control::styled(CellKind::Picture, style);
    type.pictures[0].handle = reinterpret_cast<std::uintptr_t>(picture);
    type.pictures[0].type = SS_PICTURE_HANDLE;
    return fillRecord(cellType, type);
}
