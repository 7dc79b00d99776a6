#pragma once
// An image control holding a 500 x 500 picture, shown scaled to the control with its
// aspect kept and anchored at the top-left corner. Resizing only rescales. The scaled
// picture is kept until the picture or the control's size changes, so a repaint
// without a change only copies it.

#include <QImage>
#include <QWidget>

namespace dp {

class GaugeImageWidget : public QWidget {
    Q_OBJECT
public:
    explicit GaugeImageWidget(QWidget* parent = nullptr);

    // Draw on it, then call update() to show the change.
    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }
    // Where the picture appears inside the control.
    QRect pictureRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage picture_;
    QImage scaled_;
    qint64 scaledFrom_ = 0;  // the picture's cache key when scaled_ was made
};

}  // namespace dp
