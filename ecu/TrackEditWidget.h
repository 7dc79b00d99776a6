#pragma once
// A number within a range: an edit box with a drop-down track bar beside it. The track
// moves in whole steps; the box also takes typed fractions, which the tests round.

#include <QWidget>

class QDoubleSpinBox;
class QFrame;
class QSlider;
class QToolButton;

namespace dp {

class TrackEditWidget : public QWidget {
    Q_OBJECT
public:
    TrackEditWidget(int minimum, int maximum, QWidget* parent = nullptr);

    double value() const;
    void setValue(double v);  // kept within the range
    int minimum() const { return min_; }
    int maximum() const { return max_; }

    // Opens the track bar under the edit box, set to the value.
    void showTrack();
    QDoubleSpinBox* editBox() const { return edit_; }
    QToolButton* dropButton() const { return drop_; }
    QSlider* track() const { return track_; }
    QFrame* trackPopup() const { return popup_; }

    static constexpr int kMinTrackWidth = 50;

signals:
    void valueChanged(double value);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int min_;
    int max_;
    QDoubleSpinBox* edit_;
    QToolButton* drop_;
    QFrame* popup_;
    QSlider* track_;
};

}  // namespace dp
