#include "file/SheetFormatKeys.h"

#include "file/SheetTextValues.h"

#include <array>
#include <climits>
#include <cmath>
#include <cstring>

namespace gridx::sheetfile {

namespace {

struct KindName {
    CellKind kind;
    const char* name;
};

constexpr std::array<KindName, 14> kKindNames = {{
    {CellKind::Edit, "edit"},
    {CellKind::StaticText, "static"},
    {CellKind::Date, "date"},
    {CellKind::Time, "time"},
    {CellKind::ComboBox, "combo"},
    {CellKind::ComboBoxEx, "combo-ex"},
    {CellKind::Button, "button"},
    {CellKind::Picture, "picture"},
    {CellKind::Integer, "integer"},
    {CellKind::CheckBox, "checkbox"},
    {CellKind::General, "general"},
    {CellKind::Number, "number"},
    {CellKind::Currency, "currency"},
    {CellKind::Percent, "percent"},
}};

struct IntParam {
    const char* key;
    int CellType::*field;
};

constexpr std::array<IntParam, 7> kIntParams = {{
    {"max-length", &CellType::maxLength},
    {"char-set", &CellType::charSet},
    {"char-case", &CellType::charCase},
    {"decimals", &CellType::decimals},
    {"list-rows", &CellType::listRows},
    {"max-edit", &CellType::maxEditLength},
    {"list-width", &CellType::listWidth},
}};

// Picture slots in CheckPicture order; each has "<slot>" (name) and "<slot>-type" keys.
constexpr std::array<const char*, kCheckPictureCount> kPictureSlots = {"picture",
                                                                       "picture-down",
                                                                       "picture-focus-up",
                                                                       "picture-focus-down",
                                                                       "picture-disabled-up",
                                                                       "picture-disabled-down"};

constexpr std::array<const char*, 7> kOtherTypeKeys = {"style", "label",     "items",      "min",
                                                       "max",   "separator", "auto-search"};

constexpr std::array<const char*, 7> kFontKeys = {"font",        "font-height",    "font-weight",
                                                  "font-italic", "font-underline", "font-strike",
                                                  "font-charset"};
constexpr std::array<const char*, 3> kBorderKeys = {"border", "border-style", "border-color"};

constexpr std::array<const char*, kCheckPictureCount> kPictureTypeKeys = {
    "picture-type",
    "picture-down-type",
    "picture-focus-up-type",
    "picture-focus-down-type",
    "picture-disabled-up-type",
    "picture-disabled-down-type"};

const char* pictureTypeKey(std::size_t slot) {
    return kPictureTypeKeys[slot];
}

// The key of a type parameter present in the record, or null.
const char* presentTypeParameter(const RecordView& view) {
    for (const IntParam& param : kIntParams)
        if (view.has(param.key)) return param.key;
    for (const char* key : kOtherTypeKeys)
        if (view.has(key)) return key;
    for (std::size_t slot = 0; slot < kPictureSlots.size(); ++slot)
        if (view.has(kPictureSlots[slot]) || view.has(pictureTypeKey(slot)))
            return kPictureSlots[slot];
    return nullptr;
}

template <std::size_t N>
bool anyPresent(const RecordView& view, const std::array<const char*, N>& keys) {
    for (const char* key : keys)
        if (view.has(key)) return true;
    return false;
}

template <typename T>
void assignIf(T& field, const std::optional<T>& value) {
    if (value) field = *value;
}

template <typename T>
void assignIf(std::optional<T>& field, const std::optional<T>& value) {
    if (value) field = value;
}

void assignInt(int& field, const std::optional<std::int64_t>& value) {
    if (value) field = static_cast<int>(*value);
}

std::optional<CellKind> kindFromName(std::wstring_view name) {
    for (const KindName& entry : kKindNames)
        if (name == widen(entry.name)) return entry.kind;
    return std::nullopt;
}

const char* kindName(CellKind kind) {
    for (const KindName& entry : kKindNames)
        if (entry.kind == kind) return entry.name;
    return "general";
}

bool readPictures(RecordView& view, CellType& type) {
    for (std::size_t slot = 0; slot < kPictureSlots.size(); ++slot) {
        assignIf(type.pictures[slot].name, view.takeText(kPictureSlots[slot]));
        assignInt(type.pictures[slot].type,
                  view.takeInteger(pictureTypeKey(slot), INT_MIN, INT_MAX));
    }
    return !view.failed();
}

bool readTypeParameters(RecordView& view, CellType& type) {
    if (auto style = view.takeInteger("style", INT_MIN, UINT32_MAX))
        type.style = static_cast<std::int32_t>(static_cast<std::uint32_t>(*style));
    for (const IntParam& param : kIntParams)
        assignInt(type.*param.field, view.takeInteger(param.key, INT_MIN, INT_MAX));
    assignIf(type.minimum, view.takeNumber("min"));
    assignIf(type.maximum, view.takeNumber("max"));
    assignIf(type.separator, view.takeFlag("separator"));
    assignIf(type.text, view.takeText("label"));
    assignIf(type.items, view.takeTextList("items", L'\t'));
    assignIf(type.autoSearch, view.takeFlag("auto-search"));
    return readPictures(view, type);
}

bool readType(RecordView& view, FormatLayer& patch) {
    auto name = view.takeText("type");
    if (!name) {
        if (view.failed()) return false;
        const char* orphan = presentTypeParameter(view);
        if (orphan) return view.fail(L"'" + widen(orphan) + L"' needs a 'type'");
        return true;
    }
    auto kind = kindFromName(*name);
    if (!kind) return view.fail(L"unknown cell type '" + *name + L"'");
    CellType type;
    type.kind = *kind;
    if (!readTypeParameters(view, type)) return false;
    patch.type = std::move(type);
    return true;
}

bool readFont(RecordView& view, FormatLayer& patch) {
    if (!anyPresent(view, kFontKeys)) return true;
    CellFont font;
    assignIf(font.face, view.takeText("font"));
    assignInt(font.height, view.takeInteger("font-height", INT_MIN, INT_MAX));
    assignInt(font.weight, view.takeInteger("font-weight", INT_MIN, INT_MAX));
    assignIf(font.italic, view.takeFlag("font-italic"));
    assignIf(font.underline, view.takeFlag("font-underline"));
    assignIf(font.strikeOut, view.takeFlag("font-strike"));
    if (auto charSet = view.takeInteger("font-charset", 0, 255))
        font.charSet = static_cast<std::uint8_t>(*charSet);
    patch.font = std::move(font);
    return !view.failed();
}

bool readBorder(RecordView& view, FormatLayer& patch) {
    if (!anyPresent(view, kBorderKeys)) return true;
    Border border;
    assignInt(border.type, view.takeInteger("border", INT_MIN, INT_MAX));
    assignInt(border.style, view.takeInteger("border-style", INT_MIN, INT_MAX));
    assignIf(border.color, view.takeColour("border-color"));
    patch.border = border;
    return !view.failed();
}

// ---- Writing

// Numbers of a file are finite: infinities become the largest finite value, NaN becomes 0.
// Zero (of either sign) is the default and is left out.
void appendBound(std::string& out, std::string_view key, double v) {
    if (std::isnan(v) || v == 0.0) return;
    if (std::isinf(v)) v = std::copysign(1.7976931348623157e308, v);
    appendNumberKey(out, key, v);
}

// Items split at every TAB, so that reading them back joins exactly the same text.
void appendItems(std::string& out, std::wstring_view items) {
    appendKey(out, "items");
    for (std::size_t start = 0;;) {
        std::size_t tab = items.find(L'\t', start);
        appendQuoted(out, items.substr(start, tab == std::wstring_view::npos ? tab : tab - start));
        if (tab == std::wstring_view::npos) break;
        out.push_back(',');
        start = tab + 1;
    }
}

void appendPictures(std::string& out, const CellType& type) {
    for (std::size_t slot = 0; slot < kPictureSlots.size(); ++slot) {
        const PictureRef& picture = type.pictures[slot];
        if (!picture.name.empty()) appendTextKey(out, kPictureSlots[slot], picture.name);
        if (picture.type != 0) appendIntegerKey(out, pictureTypeKey(slot), picture.type);
    }
}

void appendType(std::string& out, const CellType& type) {
    const CellType defaults;
    appendWordKey(out, "type", widen(kindName(type.kind)));
    if (type.style != 0) {
        appendKey(out, "style");
        appendHex(out, static_cast<std::uint32_t>(type.style));
    }
    if (!type.text.empty()) appendTextKey(out, "label", type.text);
    if (!type.items.empty()) appendItems(out, type.items);
    for (const IntParam& param : kIntParams)
        if (type.*param.field != defaults.*param.field)
            appendIntegerKey(out, param.key, type.*param.field);
    appendBound(out, "min", type.minimum);
    appendBound(out, "max", type.maximum);
    if (type.separator) appendFlagKey(out, "separator", true);
    if (type.autoSearch) appendFlagKey(out, "auto-search", true);
    appendPictures(out, type);
}

void appendFont(std::string& out, const CellFont& font) {
    const CellFont defaults;
    appendTextKey(out, "font", font.face);
    if (font.height != defaults.height) appendIntegerKey(out, "font-height", font.height);
    if (font.weight != defaults.weight) appendIntegerKey(out, "font-weight", font.weight);
    if (font.italic) appendFlagKey(out, "font-italic", true);
    if (font.underline) appendFlagKey(out, "font-underline", true);
    if (font.strikeOut) appendFlagKey(out, "font-strike", true);
    if (font.charSet != defaults.charSet) appendIntegerKey(out, "font-charset", font.charSet);
}

void appendBorder(std::string& out, const Border& border) {
    appendIntegerKey(out, "border", border.type);
    if (border.style != 0) appendIntegerKey(out, "border-style", border.style);
    if (border.color != 0) appendColourKey(out, "border-color", border.color);
}

} // namespace

bool hasFormatKeys(const RecordView& view) {
    return view.has("type") || presentTypeParameter(view) || view.has("locked") ||
           view.has("back") || view.has("fore") || anyPresent(view, kFontKeys) ||
           anyPresent(view, kBorderKeys);
}

bool readFormatKeys(RecordView& view, FormatLayer& patch) {
    if (!view.hasUntakenKeys()) return !view.failed(); // most cell records: a value only
    if (!readType(view, patch)) return false;
    assignIf(patch.locked, view.takeFlag("locked"));
    assignIf(patch.backColor, view.takeColour("back"));
    assignIf(patch.foreColor, view.takeColour("fore"));
    if (!readFont(view, patch) || !readBorder(view, patch)) return false;
    return !view.failed();
}

void appendFormatKeys(std::string& out, const FormatLayer& layer) {
    if (layer.type) appendType(out, *layer.type);
    if (layer.locked) appendFlagKey(out, "locked", *layer.locked);
    if (layer.backColor) appendColourKey(out, "back", *layer.backColor);
    if (layer.foreColor) appendColourKey(out, "fore", *layer.foreColor);
    if (layer.font) appendFont(out, *layer.font);
    if (layer.border) appendBorder(out, *layer.border);
}

} // namespace gridx::sheetfile
