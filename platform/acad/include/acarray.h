// The CAD program's growable array of values, copied by value.
#pragma once

#include <algorithm>
#include <vector>

template <class T>
class AcArray {
public:
    AcArray() = default;
    explicit AcArray(int reserve) {
        items_.reserve(reserve > 0 ? static_cast<size_t>(reserve) : 0);
    }
    AcArray(std::initializer_list<T> init) : items_(init) {}

    int length() const { return static_cast<int>(items_.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return items_.empty(); }
    bool isValid(int i) const { return i >= 0 && i < length(); }

    T& operator[](int i) { return items_[static_cast<size_t>(i)]; }
    const T& operator[](int i) const { return items_[static_cast<size_t>(i)]; }
    T& at(int i) { return items_.at(static_cast<size_t>(i)); }
    const T& at(int i) const { return items_.at(static_cast<size_t>(i)); }
    T& first() { return items_.front(); }
    T& last() { return items_.back(); }

    // Returns the index of the new element.
    int append(const T& value) {
        items_.push_back(value);
        return length() - 1;
    }
    // Inserting at length() appends; other indexes outside the array are refused.
    bool insertAt(int i, const T& value) {
        if (i < 0 || i > length()) return false;
        items_.insert(items_.begin() + i, value);
        return true;
    }
    bool removeAt(int i) {
        if (!isValid(i)) return false;
        items_.erase(items_.begin() + i);
        return true;
    }
    void removeAll() { items_.clear(); }
    void setLogicalLength(int n) { items_.resize(n > 0 ? static_cast<size_t>(n) : 0); }
    // Index of the first element equal to value at or after start, or -1.
    int find(const T& value, int start = 0) const {
        for (int i = std::max(start, 0); i < length(); ++i)
            if (items_[static_cast<size_t>(i)] == value) return i;
        return -1;
    }
    bool contains(const T& value) const { return find(value) >= 0; }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    bool operator==(const AcArray&) const = default;

private:
    std::vector<T> items_;
};
