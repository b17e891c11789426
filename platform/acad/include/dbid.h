// Identity of a database object of the drawing.
#pragma once

#include "adesk.h"

#include <functional>

class AcDbObjectId {
public:
    AcDbObjectId() = default;
    // Ids are numbers the drawing hands out; 0 is the null id.
    explicit AcDbObjectId(Adesk::Int64 value) : value_(value) {}

    static const AcDbObjectId kNull;
    bool isNull() const { return value_ == 0; }
    bool isValid() const { return value_ != 0; }
    void setNull() { value_ = 0; }
    Adesk::Int64 asOldId() const { return value_; }
    auto operator<=>(const AcDbObjectId&) const = default;

private:
    Adesk::Int64 value_ = 0;
};

inline const AcDbObjectId AcDbObjectId::kNull;

template <>
struct std::hash<AcDbObjectId> {
    size_t operator()(const AcDbObjectId& id) const noexcept {
        return std::hash<Adesk::Int64>()(id.asOldId());
    }
};
