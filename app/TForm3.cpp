#include "app/TForm3.h"

#include "app/Settings.h"

namespace dp {

TForm3::TForm3(TAppSettings& settings, QWidget* parent) : QDialog(parent), settings_(settings)
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("   Настройки"));
    setFixedSize(259, 172);
}

}  // namespace dp
