// Helpers of the standards-function tests: a temporary library folder that the settings point
// at, and value records built and freed the way the grid control hands them to a function.
#pragma once

#include "spread/GlobalStr.h"

#include "trk/Trk_Settings.h"

#include "grid/ssapi.h"
#include "win/winbase.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace stdfunctest {

// A temporary folder with "Connection Standards/Data" and "prof" below it; gSettings.libDir and
// the standards-message switch are restored when it goes.
class TempLibrary {
public:
    TempLibrary() : previousLib_(gSettings.libDir) {
        std::random_device seed;
        root_ = std::filesystem::temp_directory_path() /
                ("trk-stdfunc-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(root_ / "Connection Standards" / "Data");
        std::filesystem::create_directories(root_ / "prof");
        gSettings.setLibDir(root_.wstring());
    }
    ~TempLibrary() {
        gSettings.libDir = previousLib_;
        gSettings.current.showStandardsMessages = previousMessages_;
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    TempLibrary(const TempLibrary&) = delete;
    TempLibrary& operator=(const TempLibrary&) = delete;

    // The native path of a file below the library ("/" separates).
    std::filesystem::path path(const std::string& relative) const { return root_ / relative; }
    void write(const std::string& relative, const std::string& utf8) const {
        std::ofstream(path(relative), std::ios::binary) << utf8;
    }
    void remove(const std::string& relative) const { std::filesystem::remove(path(relative)); }

private:
    std::filesystem::path root_;
    Trk_String previousLib_;
    bool previousMessages_ = gSettings.current.showStandardsMessages;
};

// Argument records of one direct call; text blocks are freed with the list.
class ValueList {
public:
    ValueList() = default;
    ValueList(const ValueList&) = delete;
    ValueList& operator=(const ValueList&) = delete;
    ~ValueList() {
        for (SSVALUE& value : values_)
            if (value.Type == SS_VALUE_TYPE_STR && value.hValStr) GlobalFree(value.hValStr);
    }

    ValueList& number(double value) {
        SSVALUE record{};
        record.Type = SS_VALUE_TYPE_DOUBLE;
        record.ValDouble = value;
        values_.push_back(record);
        return *this;
    }
    ValueList& whole(long value) {
        SSVALUE record{};
        record.Type = SS_VALUE_TYPE_LONG;
        record.ValLong = value;
        values_.push_back(record);
        return *this;
    }
    ValueList& text(const std::wstring& value) {
        SSVALUE record{};
        record.Type = SS_VALUE_TYPE_STR;
        record.hValStr = setGlobalStr(value);
        values_.push_back(record);
        return *this;
    }
    ValueList& cell(long col, long row) {
        SSVALUE record{};
        record.Type = SS_VALUE_TYPE_CELL;
        record.ValCell = {col, row};
        values_.push_back(record);
        return *this;
    }
    ValueList& empty() {
        SSVALUE record{};
        record.Status = SS_VALUE_STATUS_EMPTY;
        values_.push_back(record);
        return *this;
    }
    ValueList& error() {
        SSVALUE record{};
        record.Status = SS_VALUE_STATUS_ERROR;
        values_.push_back(record);
        return *this;
    }

    LPSSVALUE data() { return values_.data(); }
    short count() const { return static_cast<short>(values_.size()); }

private:
    std::vector<SSVALUE> values_;
};

// What one direct call produced; a text result's block is read and freed.
struct CallResult {
    bool produced = false;
    BYTE status = 0;
    BYTE type = 0;
    double number = 0;
    std::wstring text;
};

inline CallResult call(CALCFUNCPROC function, ValueList& args) {
    SSVALUE result{};
    result.Status = SS_VALUE_STATUS_OK; // a stale record: the function must empty it
    result.Type = SS_VALUE_TYPE_DOUBLE;
    result.ValDouble = 42;
    CallResult out;
    out.produced = function(&result, args.data(), args.count()) != FALSE;
    out.status = result.Status;
    out.type = result.Type;
    if (result.Type == SS_VALUE_TYPE_DOUBLE) out.number = result.ValDouble;
    if (result.Type == SS_VALUE_TYPE_STR && result.hValStr) {
        out.text = getGlobalStr(result.hValStr).value_or(L"");
        GlobalFree(result.hValStr);
    }
    return out;
}

} // namespace stdfunctest
