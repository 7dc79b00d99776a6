#pragma once
// A two-position on/off switch: a click or the space bar moves it to the other position.
// On is the checked state; the knob then stands to the right on a lit track.

#include <QAbstractButton>

namespace dp {

class OnOffSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit OnOffSwitch(QWidget* parent = nullptr);
    bool isOn() const { return isChecked(); }
    void setOn(bool on) { setChecked(on); }
    QSize sizeHint() const override { return {57, 21}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace dp
