#include "dialog_units.h"

#include <QFontMetricsF>
#include <cmath>

namespace dialog {
namespace {

int Scale(int value, double unit, int per) {
    return static_cast<int>(std::lround(value * unit / per));
}

}  // namespace

BaseUnits BaseUnitsOf(const QFont& font) {
    // The average width of the 52 letters is the usual measure of a dialog font's width.
    const QFontMetricsF metrics(font);
    const auto letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(letters) / letters.size(), metrics.height()};
}

QRect ToPixels(const Place& place, const BaseUnits& units) {
    return {Scale(place.x, units.x, 4), Scale(place.y, units.y, 8), Scale(place.width, units.x, 4),
            Scale(place.height, units.y, 8)};
}

QSize ToPixels(int width, int height, const BaseUnits& units) {
    return {Scale(width, units.x, 4), Scale(height, units.y, 8)};
}

}  // namespace dialog
