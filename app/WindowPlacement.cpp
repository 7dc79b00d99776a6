#include "app/WindowPlacement.h"

#include <algorithm>

namespace dp {

QSize ClientMinimumFor(QSize outerMinimum, QMargins frame)
{
    return QSize(std::max(0, outerMinimum.width() - frame.left() - frame.right()),
                 std::max(0, outerMinimum.height() - frame.top() - frame.bottom()));
}

QRect CentredClientRect(QRect available, QSize outer, QMargins frame)
{
    const QSize size = outer.boundedTo(available.size());
    QRect outerRect(QPoint(0, 0), size);
    outerRect.moveCenter(available.center());
    // QRect::center rounds down for even sizes; keep the window inside the area.
    outerRect.moveLeft(std::max(available.left(), outerRect.left()));
    outerRect.moveTop(std::max(available.top(), outerRect.top()));
    return outerRect.marginsRemoved(frame);
}

}  // namespace dp
