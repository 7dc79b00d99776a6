#pragma once
// Keeps the main window's designed outer sizes: the minimum counts the frame, and a
// window restored from maximised stands centred on its screen at the restored size.
// The frame is known only once the window system has decorated the window, so both
// are applied again whenever it may have changed.

#include <QMargins>
#include <QObject>

class QWidget;

namespace dp {

class MainWindowPlacement : public QObject {
    Q_OBJECT
public:
    explicit MainWindowPlacement(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMargins Frame() const;
    void ApplyMinimum();
    void CentreRestored();

    QWidget* window_;
    QMargins appliedFrame_{-1, -1, -1, -1};
};

}  // namespace dp
