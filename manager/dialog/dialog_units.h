#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "control_template.h"

namespace dialog {

// Pixels per 4 horizontal and per 8 vertical dialog units for a font, so windows
// keep their proportions and stay legible whatever font size the desktop uses.
struct BaseUnits {
    double x = 0;
    double y = 0;
};

BaseUnits BaseUnitsOf(const QFont& font);
QRect ToPixels(const Place& place, const BaseUnits& units);
QSize ToPixels(int width, int height, const BaseUnits& units);

}  // namespace dialog
