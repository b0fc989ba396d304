// The program's own artwork, drawn at run time so it is sharp at every size.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

QIcon VireoIcon();
QPixmap VireoBanner(const QSize& size);
