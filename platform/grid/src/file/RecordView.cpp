#include "file/RecordView.h"

#include "file/SheetTextValues.h"

namespace gridx::sheetfile {

std::wstring widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

RecordView::RecordView(const Record& record) : record_(record) {
    for (const Item& item : record.items) {
        if (item.key.empty()) {
            positional_.push_back(&item);
            continue;
        }
        if (has(item.key)) fail(L"'" + widen(item.key) + L"' is given twice");
        keyed_.push_back(&item);
    }
    used_.assign(keyed_.size(), false);
}

bool RecordView::has(std::string_view key) const {
    for (const Item* item : keyed_)
        if (item->key == key) return true;
    return false;
}

bool RecordView::hasUntakenKeys() const {
    for (bool used : used_)
        if (!used) return true;
    return false;
}

const Item* RecordView::take(std::string_view key) {
    for (std::size_t i = 0; i < keyed_.size(); ++i) {
        if (keyed_[i]->key != key) continue;
        used_[i] = true;
        return keyed_[i];
    }
    return nullptr;
}

bool RecordView::fail(std::wstring problem) {
    if (problem_.empty()) problem_ = std::move(problem);
    return false;
}

bool RecordView::badValue(const Item& item, std::wstring_view expected) {
    std::wstring shown = item.values.empty() ? std::wstring() : item.values.front();
    if (shown.size() > 40) shown = shown.substr(0, 40) + L"...";
    return fail(L"'" + widen(item.key) + L"' must be " + std::wstring(expected) + L", not '" +
                shown + L"'");
}

const std::wstring* RecordView::single(const Item& item) {
    if (item.values.size() == 1) return &item.values.front();
    fail(L"'" + widen(item.key) + L"' takes one value, not a list");
    return nullptr;
}

std::optional<std::int64_t> RecordView::takeInteger(std::string_view key, std::int64_t min,
                                                    std::int64_t max) {
    const Item* item = take(key);
    if (!item) return std::nullopt;
    const std::wstring* text = single(*item);
    if (!text) return std::nullopt;
    auto value = parseInteger(*text, min, max);
    if (!value)
        badValue(*item,
                 L"a whole number from " + std::to_wstring(min) + L" to " + std::to_wstring(max));
    return value;
}

std::optional<double> RecordView::takeNumber(std::string_view key) {
    const Item* item = take(key);
    if (!item) return std::nullopt;
    const std::wstring* text = single(*item);
    if (!text) return std::nullopt;
    auto value = parseDecimal(*text);
    if (!value) badValue(*item, L"a number");
    return value;
}

std::optional<bool> RecordView::takeFlag(std::string_view key) {
    const Item* item = take(key);
    if (!item) return std::nullopt;
    const std::wstring* text = single(*item);
    if (!text) return std::nullopt;
    auto value = parseFlag(*text);
    if (!value) badValue(*item, L"yes or no");
    return value;
}

std::optional<std::uint32_t> RecordView::takeColour(std::string_view key) {
    const Item* item = take(key);
    if (!item) return std::nullopt;
    const std::wstring* text = single(*item);
    if (!text) return std::nullopt;
    auto value = parseColour(*text);
    if (!value) badValue(*item, L"a colour (#RRGGBB or 0x followed by hex digits)");
    return value;
}

std::optional<std::wstring> RecordView::takeText(std::string_view key) {
    const Item* item = take(key);
    if (!item) return std::nullopt;
    const std::wstring* text = single(*item);
    if (!text) return std::nullopt;
    return *text;
}

std::optional<std::wstring> RecordView::takeTextList(std::string_view key, wchar_t separator) {
    const Item* item = take(key);
    if (!item) return std::nullopt;
    std::wstring joined;
    for (std::size_t i = 0; i < item->values.size(); ++i) {
        if (i > 0) joined.push_back(separator);
        if (joined.size() + item->values[i].size() > kMaxTextLength) {
            fail(L"'" + widen(item->key) + L"' is longer than " + std::to_wstring(kMaxTextLength) +
                 L" characters");
            return std::nullopt;
        }
        joined += item->values[i];
    }
    return joined;
}

bool RecordView::finish() {
    for (std::size_t i = 0; i < keyed_.size() && !failed(); ++i)
        if (!used_[i])
            fail(L"unknown key '" + widen(keyed_[i]->key) + L"' in '" + widen(record_.name) + L"'");
    return !failed();
}

} // namespace gridx::sheetfile
