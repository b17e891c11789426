// Trk_Array<T>: ordered values of one type, copied by value (a thin layer over std::vector).
// Indices are 0-based. An insert or remove at an invalid index prints an error on the command
// line and leaves the array unchanged; element access requires a valid index.
#pragma once

#include <algorithm>
#include <cassert>
#include <vector>

namespace trkx {
// Prints "*Error* Invalid index passed to insert.\n" (or "remove") on the command line.
void reportInvalidIndex(bool forInsert);
} // namespace trkx

template <class T>
class Trk_Array {
public:
    Trk_Array() = default;
    Trk_Array(std::initializer_list<T> values) : m_items(values) {}
    explicit Trk_Array(std::vector<T> values) : m_items(std::move(values)) {}

    int length() const { return static_cast<int>(m_items.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return m_items.empty(); }
    bool isValid(int index) const { return index >= 0 && index < length(); }

    // Appends and returns the new element's index.
    int append(const T& value) {
        m_items.push_back(value);
        return length() - 1;
    }
    void appendAll(const Trk_Array& other) {
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    }
    // Inserts before `index` (0..length); false and a command-line error otherwise.
    bool insertAt(int index, const T& value) {
        if (index < 0 || index > length()) {
            trkx::reportInvalidIndex(true);
            return false;
        }
        m_items.push_back(value); // then rotated into place (vector::insert trips a
        std::rotate(m_items.begin() + index, m_items.end() - 1, m_items.end()); // g++ 12 warning)
        return true;
    }
    // Removes the element at `index`; false and a command-line error for an invalid index.
    bool removeAt(int index) {
        if (!isValid(index)) {
            trkx::reportInvalidIndex(false);
            return false;
        }
        m_items.erase(m_items.begin() + index);
        return true;
    }
    bool removeFirst() { return removeAt(0); }
    bool removeLast() { return removeAt(length() - 1); }
    void removeAll() { m_items.clear(); }
    // Grows with default values or shrinks to `count` elements (negative counts as 0).
    void setLogicalLength(int count) {
        m_items.resize(static_cast<std::size_t>(std::max(count, 0)));
    }

    // Index of the first element equal to `value` at or after `start`, or -1.
    int find(const T& value, int start = 0) const {
        for (int i = std::max(start, 0); i < length(); ++i)
            if (m_items[static_cast<std::size_t>(i)] == value) return i;
        return -1;
    }
    bool contains(const T& value) const { return find(value) >= 0; }

    T& at(int index) {
        assert(isValid(index) && "index inside the array");
        return m_items[static_cast<std::size_t>(index)];
    }
    const T& at(int index) const {
        assert(isValid(index) && "index inside the array");
        return m_items[static_cast<std::size_t>(index)];
    }
    T& operator[](int index) { return at(index); }
    const T& operator[](int index) const { return at(index); }
    // A copy of the element, or `fallback` for an invalid index.
    T valueAt(int index, const T& fallback = T()) const {
        return isValid(index) ? m_items[static_cast<std::size_t>(index)] : fallback;
    }
    T& first() { return at(0); }
    const T& first() const { return at(0); }
    T& last() { return at(length() - 1); }
    const T& last() const { return at(length() - 1); }

    Trk_Array& reverse() {
        std::reverse(m_items.begin(), m_items.end());
        return *this;
    }

    std::vector<T>& items() { return m_items; }
    const std::vector<T>& items() const { return m_items; }
    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    friend bool operator==(const Trk_Array& a, const Trk_Array& b) {
        return a.m_items == b.m_items;
    }

private:
    std::vector<T> m_items;
};
