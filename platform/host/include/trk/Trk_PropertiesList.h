// Trk_PropertiesList: named properties kept in a text file, in the order they were first set.
//
// File: UTF-8, one property a line.
//   line  => blank | "#" comment | name "=" value
//   name  => the text before the first "=" (not empty; no line breaks)
//   value => the rest of the line; "\n", "\r" and "\\" stand for a line break, a carriage
//            return and a backslash
// Integers are written in decimal, numbers in the shortest text that reads back exactly, bools
// as 1 / 0 (reading also accepts true / false), text arrays as their items joined by ";" with
// "\;" for a ";" and "\\" for a backslash inside an item (so an array of one empty text reads
// back as an empty array). A line without "=" is skipped and
// counted; a name seen again replaces the earlier value.
#pragma once

#include "trk/ErrorStatus.h"
#include "trk/Trk_StringArray.h"

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class Trk_PropertiesList {
public:
    Trk_PropertiesList() = default;
    virtual ~Trk_PropertiesList() = default;
    Trk_PropertiesList(const Trk_PropertiesList&) = default;
    Trk_PropertiesList& operator=(const Trk_PropertiesList&) = default;

    // Replaces the content by the file's. eInvalidInput, content unchanged, when the file cannot
    // be read.
    ErrorStatus readFromFile(const Trk_String& path);
    // Writes atomically; eInvalidInput, old file untouched, on failure.
    ErrorStatus writeToFile(const Trk_String& path) const;
    // Replaces the content by the properties in a file text; returns the number of skipped lines.
    int readFromText(std::string_view bytes);
    std::string toText() const;

    // Getters: false, with `value` unchanged, when the name is missing or its value does not
    // read as the type. Names compare exactly.
    bool getInt(const Trk_String& name, int& value) const;
    bool getDouble(const Trk_String& name, double& value) const;
    bool getBool(const Trk_String& name, bool& value) const;
    bool getString(const Trk_String& name, Trk_String& value) const;
    bool getStringArray(const Trk_String& name, Trk_StringArray& value) const;

    // Setters add the name at the end or replace its value in place. False for a name that is
    // empty or holds "=" or a line break.
    bool setInt(const Trk_String& name, int value);
    bool setDouble(const Trk_String& name, double value);
    bool setBool(const Trk_String& name, bool value);
    bool setString(const Trk_String& name, const Trk_String& value);
    bool setStringArray(const Trk_String& name, const Trk_StringArray& value);

    bool hasProperty(const Trk_String& name) const { return m_index.contains(name); }
    bool removeProperty(const Trk_String& name);
    int count() const { return static_cast<int>(m_properties.size()); }
    Trk_StringArray names() const;
    void clear();
    // Lines skipped by the last read.
    int skippedLines() const { return m_skippedLines; }

private:
    const Trk_String* find(const Trk_String& name) const;

    std::vector<std::pair<Trk_String, Trk_String>> m_properties; // in file order
    std::unordered_map<Trk_String, std::size_t> m_index;         // name -> position
    int m_skippedLines = 0;
};
