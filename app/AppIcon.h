#pragma once
// The program's emblem, one SVG drawing built into the program: the window icon of
// every window, the About window's picture and the desktop entry's icon.

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace dp {

inline constexpr const char* kEmblemResource = ":/dravikprobe/dravikprobe.svg";

QIcon AppIcon();
// The emblem drawn as large as fits, centred, on a transparent picture of this size.
QPixmap EmblemPixmap(QSize size);

}  // namespace dp
