#include "ecu/TForm6.h"

#include <QPlainTextEdit>

namespace dp {

TForm6::TForm6(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Form6"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(342, 325);
    // Shown where it was designed to stand, not centred over the main window.
    move(kDesignedPos);
    sMemo1 = new QPlainTextEdit(this);
    sMemo1->setObjectName(QStringLiteral("sMemo1"));
    sMemo1->setGeometry(0, 0, 341, 325);
    // Users copy codes into forum posts and workshop notes, so the report is read-only
    // but selectable with mouse and keyboard (Ctrl+A, Ctrl+C).
    sMemo1->setReadOnly(true);
    sMemo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

}  // namespace dp
