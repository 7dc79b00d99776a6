#include "ecu/TForm4.h"

namespace dp {

TForm4::TForm4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Активные тесты"));
    setFixedSize(706, 430);
}

}  // namespace dp
