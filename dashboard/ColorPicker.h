#pragma once
// The colour picker shared by every row of the colour dialog. It is not preset by its
// caller: it opens on the colour last confirmed in it, black the first time.

#include <QColor>
#include <cstdint>
#include <optional>

class QColorDialog;
class QWidget;

namespace dp {

class ColorPicker {
public:
    explicit ColorPicker(QWidget* parent);

    // Runs the picker; the confirmed colour as 0x00BBGGRR, or nothing when cancelled.
    std::optional<uint32_t> Execute();
    QColorDialog* dialog() const { return dialog_; }

private:
    QColorDialog* dialog_;  // owned by the parent
    QColor lastConfirmed_ = Qt::black;
};

}  // namespace dp
