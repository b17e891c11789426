// Format records: cell-type codes, size units, layers and the pool that shares them.
#include "FormatStore.h"

#include <cmath>
#include <functional>

namespace gridx {

bool isCellKind(int code) {
    switch (code) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 10:
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
        return true;
    default:
        return false;
    }
}

bool isNumericKind(CellKind kind) {
    return kind == CellKind::Integer || kind == CellKind::Number || kind == CellKind::Currency ||
           kind == CellKind::Percent;
}

namespace {

constexpr double kPixelsPerWidthUnit = 6.0;
constexpr int kColumnPadding = 4;
constexpr double kPixelsPerHeightUnit = 4.0 / 3.0;
constexpr double kMaxSizeUnits = 100000.0;

int roundToInt(double v) {
    return static_cast<int>(std::lround(v));
}

} // namespace

int colWidthToPixels(double units) {
    if (!(units > 0.0)) return 0;
    return roundToInt(std::min(units, kMaxSizeUnits) * kPixelsPerWidthUnit) + kColumnPadding;
}

double pixelsToColWidth(int pixels) {
    if (pixels <= kColumnPadding) return pixels <= 0 ? 0.0 : 0.01;
    return (pixels - kColumnPadding) / kPixelsPerWidthUnit;
}

int rowHeightToPixels(double units) {
    if (!(units > 0.0)) return 0;
    return roundToInt(std::min(units, kMaxSizeUnits) * kPixelsPerHeightUnit);
}

double pixelsToRowHeight(int pixels) {
    return pixels <= 0 ? 0.0 : pixels / kPixelsPerHeightUnit;
}

bool FormatLayer::empty() const {
    return !type && !locked && !backColor && !foreColor && !font && !border;
}

void FormatLayer::merge(const FormatLayer& patch) {
    if (patch.type) type = patch.type;
    if (patch.locked) locked = patch.locked;
    if (patch.backColor) backColor = patch.backColor;
    if (patch.foreColor) foreColor = patch.foreColor;
    if (patch.font) font = patch.font;
    if (patch.border) border = patch.border;
}

void FormatLayer::unset(const FormatLayer& mask) {
    if (mask.type) type.reset();
    if (mask.locked) locked.reset();
    if (mask.backColor) backColor.reset();
    if (mask.foreColor) foreColor.reset();
    if (mask.font) font.reset();
    if (mask.border) border.reset();
}

namespace {

void mix(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

template <typename T>
void mixValue(std::size_t& seed, const T& value) {
    mix(seed, std::hash<T>{}(value));
}

} // namespace

std::size_t hashCellType(const CellType& t) {
    std::size_t h = static_cast<std::size_t>(t.kind);
    mixValue(h, t.style);
    mixValue(h, t.maxLength);
    mixValue(h, t.decimals);
    mixValue(h, t.minimum);
    mixValue(h, t.maximum);
    mixValue(h, t.text);
    mixValue(h, t.items);
    for (const PictureRef& p : t.pictures) {
        mixValue(h, p.name);
        mixValue(h, p.handle);
    }
    return h;
}

namespace {

std::size_t hashLayer(const FormatLayer& layer) {
    std::size_t h = 0;
    if (layer.type) mix(h, hashCellType(*layer.type));
    if (layer.locked) mix(h, *layer.locked ? 3 : 5);
    if (layer.backColor) mix(h, *layer.backColor + 7u);
    if (layer.foreColor) mix(h, *layer.foreColor + 11u);
    if (layer.font) {
        mixValue(h, layer.font->face);
        mixValue(h, layer.font->height);
        mixValue(h, layer.font->weight);
    }
    if (layer.border) mix(h, static_cast<std::size_t>(layer.border->type) * 31u + 13u);
    return h;
}

} // namespace

LayerPool::LayerPool() {
    layers_.emplace_back();
    index_.emplace(hashLayer(layers_.front()), 0);
}

std::uint32_t LayerPool::intern(const FormatLayer& layer) {
    if (layer.empty()) return 0;
    const std::size_t h = hashLayer(layer);
    auto [first, last] = index_.equal_range(h);
    for (auto it = first; it != last; ++it) {
        if (layers_[it->second] == layer) return it->second;
    }
    const auto id = static_cast<std::uint32_t>(layers_.size());
    layers_.push_back(layer);
    index_.emplace(h, id);
    return id;
}

} // namespace gridx
