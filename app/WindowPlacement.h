#pragma once
// Window sizes are designed as outer sizes, frame included, while Qt sets a window's
// client geometry; these turn one into the other once the frame is known.

#include <QMargins>
#include <QRect>
#include <QSize>

namespace dp {

// The main window's designed outer sizes.
inline constexpr QSize kMainOuterMinimum{720, 500};
inline constexpr QSize kMainOuterRestored{983, 512};

// The client minimum that gives the outer minimum with this frame.
QSize ClientMinimumFor(QSize outerMinimum, QMargins frame);

// The client rectangle of a window whose outer rectangle of the given size stands
// centred in the available area; an area smaller than the window shrinks it to fit.
QRect CentredClientRect(QRect available, QSize outer, QMargins frame);

}  // namespace dp
