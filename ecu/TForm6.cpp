#include "ecu/TForm6.h"

#include <QPlainTextEdit>

namespace dp {

TForm6::TForm6(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm6"));
    setWindowTitle(QStringLiteral("Form6"));
    setFixedSize(342, 325);
    sMemo1 = new QPlainTextEdit(this);
    sMemo1->setObjectName(QStringLiteral("sMemo1"));
    sMemo1->setGeometry(0, 0, 341, 325);
}

}  // namespace dp
