#include "dashboard/TForm5.h"

namespace dp {

TForm5::TForm5(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("  Настройки цвета"));
    setFixedSize(374, 248);
}

}  // namespace dp
