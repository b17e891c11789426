// Typed access to the items of one record. The first malformed value, repeated key or unused
// key becomes the record's problem; later calls keep it.
#pragma once

#include "file/SheetTextLexer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gridx::sheetfile {

class RecordView {
public:
    explicit RecordView(const Record& record);

    const std::string& name() const { return record_.name; }
    // Words without a key, in order.
    const std::vector<const Item*>& positional() const { return positional_; }
    bool has(std::string_view key) const;
    // True while some key has not been taken.
    bool hasUntakenKeys() const;

    // Each reads the key when present and marks it used; nullopt when the key is absent or its
    // value is malformed (then problem() says why).
    std::optional<std::int64_t> takeInteger(std::string_view key, std::int64_t min,
                                            std::int64_t max);
    std::optional<double> takeNumber(std::string_view key);
    std::optional<bool> takeFlag(std::string_view key);
    std::optional<std::uint32_t> takeColour(std::string_view key);
    // One text, quoted or a plain word.
    std::optional<std::wstring> takeText(std::string_view key);
    // One or more quoted texts, joined with `separator`.
    std::optional<std::wstring> takeTextList(std::string_view key, wchar_t separator);

    // Records a problem unless one is already recorded. Always false.
    bool fail(std::wstring problem);
    bool failed() const { return !problem_.empty(); }
    const std::wstring& problem() const { return problem_; }
    // False when a problem was recorded or some key was never taken.
    bool finish();

private:
    const Item* take(std::string_view key);
    // The single value of an item, or a problem for a list.
    const std::wstring* single(const Item& item);
    bool badValue(const Item& item, std::wstring_view expected);

    const Record& record_;
    std::vector<const Item*> positional_;
    std::vector<const Item*> keyed_;
    std::vector<bool> used_;
    std::wstring problem_;
};

// ASCII text as wide text, for messages.
std::wstring widen(std::string_view ascii);

} // namespace gridx::sheetfile
