#include "log/TForm2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "log/ChartPoints.h"
#include "log/CursorSteps.h"
#include "log/Readout.h"
#include "log/SampleLog.h"
#include "log/ViewerChart.h"
#include "log/ViewerLayout.h"

namespace dp {

namespace {

QChar DecimalPoint() { return QLocale().decimalPoint().at(0); }

}  // namespace

// No parent and the window flag: the viewer is a top-level window of its own, with
// its own taskbar entry, and does not follow the main window when that is minimised.
TForm2::TForm2(SampleLog& log) : QWidget(nullptr, Qt::Window), log_(log)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Просмотр лога"));
    setMinimumSize(kViewerMinClientWidth, kViewerMinClientHeight);
    BuildControls();
    resize(kViewerClientWidth, kViewerClientHeight);
    LayoutCharts();
}

bool TForm2::Graf1(int channel) const { return sCheckBox[std::size_t(2 * channel)]->isChecked(); }
bool TForm2::Graf2(int channel) const { return sCheckBox[std::size_t(2 * channel + 1)]->isChecked(); }

int TForm2::SelectedChannel(const QComboBox* box)
{
    const int index = box->currentIndex();
    // Text typed into the edit field that is not the selected item selects nothing.
    if (index < 0 || box->itemText(index) != box->currentText()) return -1;
    return index;
}

void TForm2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) return;  // restored from the taskbar: not a new showing
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    FormShow();
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TForm2::FormShow()
{
    LayoutCharts();
    RebuildCharts();
}

void TForm2::FormResize()
{
    sPanel1->setGeometry(0, kNavPanelTop, width(), kNavPanelHeight);
    AnchorPanelButtons();
    LayoutCharts();
}

void TForm2::AnchorPanelButtons()
{
    const std::pair<QPushButton*, int> rightAnchored[] = {{sButton6, 664}, {sButton5, 700}, {sButton4, 736}};
    for (auto [button, designX] : rightAnchored) button->move(AnchoredRightX(designX, sPanel1->width()), 12);
}

void TForm2::LayoutCharts()
{
    const ChartsPlacement p = LayoutChartsFor(sPanel1->y(), sPanel1->height(), height());
    Chart1->setGeometry(0, p.Chart1Top, width(), p.Height);
    Chart2->setGeometry(0, p.Chart2Top, width(), p.Height);
}

void TForm2::ShowCursorSample()
{
    const SampleNode* cursor = log_.Cursor();
    if (cursor == nullptr) return;
    const TEngineSample& sample = cursor->Sample;
    sLabel1->setText(ReadoutNumber(double(sample.Time), DecimalPoint()));
    QLabel* const panels[4] = {sPanel2, sPanel3, sPanel4, sPanel5};
    for (std::size_t k = 0; k < 4; ++k) {
        const int channel = SelectedChannel(sComboBox[k]);
        if (channel < 0) continue;
        panels[k]->setText(ChannelReadout(kChannels[std::size_t(channel)], sample, DecimalPoint()));
    }
    MoveCursorBar(double(sample.Time));
}

void TForm2::sCheckBoxClick() { RebuildCharts(); }
void TForm2::sComboBoxChange() { ShowCursorSample(); }

void TForm2::sButton1Click()
{
    CursorToHead(log_);
    ShowCursorSample();
}

void TForm2::sButton4Click()
{
    CursorToTail(log_);
    ShowCursorSample();
}

void TForm2::sButton3Click()
{
    CursorBack(log_);
    ShowCursorSample();
}

void TForm2::sButton6Click()
{
    CursorForward(log_);
    ShowCursorSample();
}

void TForm2::sButton5Click()
{
    CursorStepForward(log_);
    ShowCursorSample();
}

void TForm2::sButton2Click()
{
    CursorStepBack(log_);
    ShowCursorSample();
}

}  // namespace dp
