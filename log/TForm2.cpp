#include "log/TForm2.h"

#include "log/SampleLog.h"

namespace dp {

TForm2::TForm2(SampleLog& log, QWidget* parent) : QWidget(parent, Qt::Window), log_(log)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Просмотр лога"));
    resize(777, 539);
}

// The charts come with the viewer's chart work; until then there is nothing to refill.
void TForm2::RebuildCharts() {}

}  // namespace dp
