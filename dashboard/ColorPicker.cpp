#include "dashboard/ColorPicker.h"

#include <QColorDialog>

#include "dashboard/Colors.h"

namespace dp {

ColorPicker::ColorPicker(QWidget* parent) : dialog_(new QColorDialog(parent))
{
    dialog_->setObjectName(QStringLiteral("sColorDialog1"));
    // Qt's own picker wears the application's skin and behaves alike on every system.
    dialog_->setOption(QColorDialog::DontUseNativeDialog);
}

std::optional<uint32_t> ColorPicker::Execute()
{
    // A cancelled run may have moved the picker's colour; it reopens on the confirmed one.
    dialog_->setCurrentColor(lastConfirmed_);
    if (dialog_->exec() != QDialog::Accepted) return std::nullopt;
    lastConfirmed_ = dialog_->selectedColor();
    return ValueFromColor(lastConfirmed_);
}

}  // namespace dp
