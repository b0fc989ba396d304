// The program's own artwork, drawn at run time so it is sharp at every size.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "text_lookup.h"

class QLabel;

QIcon VireoIcon();
// `banner` shows the banner at `size` in the language of `texts`, and names it for
// screen readers.
void ShowBanner(QLabel* banner, const QSize& size, const dialog::TextLookup& texts);
