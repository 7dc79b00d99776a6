#include "app/MainWindowPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include "app/WindowPlacement.h"

namespace dp {

MainWindowPlacement::MainWindowPlacement(QWidget* window) : QObject(window), window_(window)
{
    window_->setMinimumSize(kMainOuterMinimum);
    window_->resize(kMainOuterRestored);
    window_->installEventFilter(this);
}

QMargins MainWindowPlacement::Frame() const
{
    const QRect outer = window_->frameGeometry();
    const QRect inner = window_->geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

void MainWindowPlacement::ApplyMinimum()
{
    const QMargins frame = Frame();
    if (frame == appliedFrame_) return;
    appliedFrame_ = frame;
    window_->setMinimumSize(ClientMinimumFor(kMainOuterMinimum, frame));
}

void MainWindowPlacement::CentreRestored()
{
    if (window_->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) return;
    QScreen* screen = window_->screen();
    if (!screen) return;
    window_->setGeometry(CentredClientRect(screen->availableGeometry(), kMainOuterRestored, Frame()));
}

bool MainWindowPlacement::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            ApplyMinimum();
            break;
        case QEvent::WindowStateChange: {
            const auto old = static_cast<QWindowStateChangeEvent*>(event)->oldState();
            // The window system restores its own remembered geometry after this event;
            // centring afterwards puts the window where it is designed to stand.
            if (old & Qt::WindowMaximized) QTimer::singleShot(0, this, &MainWindowPlacement::CentreRestored);
            break;
        }
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace dp
