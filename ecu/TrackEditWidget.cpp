#include "ecu/TrackEditWidget.h"

#include "ecu/ActiveTests.h"

#include <QDoubleSpinBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QSlider>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace dp {
namespace {

// Shows "0", "37" or "2,5" rather than a fixed count of decimals.
class TrackEditBox : public QDoubleSpinBox {
public:
    using QDoubleSpinBox::QDoubleSpinBox;
    QString textFromValue(double value) const override
    {
        return locale().toString(value, 'f', QLocale::FloatingPointShortest);
    }
};

constexpr int kDropButtonWidth = 17;

}  // namespace

TrackEditWidget::TrackEditWidget(int minimum, int maximum, QWidget* parent)
    : QWidget(parent), min_(minimum), max_(maximum)
{
    edit_ = new TrackEditBox(this);
    edit_->setObjectName(QStringLiteral("edit"));
    edit_->setButtonSymbols(QAbstractSpinBox::NoButtons);
    edit_->setDecimals(2);
    edit_->setRange(minimum, maximum);
    edit_->setSingleStep(1);
    edit_->setValue(0);
    edit_->setKeyboardTracking(false);

    drop_ = new QToolButton(this);
    drop_->setObjectName(QStringLiteral("drop"));
    drop_->setArrowType(Qt::DownArrow);
    drop_->setFocusPolicy(Qt::NoFocus);

    popup_ = new QFrame(this, Qt::Popup);
    popup_->setObjectName(QStringLiteral("trackPopup"));
    popup_->setFrameShape(QFrame::Box);
    track_ = new QSlider(Qt::Horizontal, popup_);
    track_->setObjectName(QStringLiteral("track"));
    track_->setRange(minimum, maximum);
    track_->setSingleStep(1);
    track_->setPageStep(std::max(1, (maximum - minimum) / 10));
    track_->setMinimumWidth(kMinTrackWidth);
    auto* popupLayout = new QHBoxLayout(popup_);
    popupLayout->setContentsMargins(4, 4, 4, 4);
    popupLayout->addWidget(track_);

    connect(drop_, &QToolButton::clicked, this, &TrackEditWidget::showTrack);
    connect(track_, &QSlider::valueChanged, this, [this](int v) { setValue(v); });
    connect(edit_, &QDoubleSpinBox::valueChanged, this, &TrackEditWidget::valueChanged);
}

double TrackEditWidget::value() const { return edit_->value(); }

void TrackEditWidget::setValue(double v) { edit_->setValue(std::clamp<double>(v, min_, max_)); }

void TrackEditWidget::showTrack()
{
    {
        // Opening must not change a typed fraction; the track shows what would be sent.
        const QSignalBlocker quiet(track_);
        track_->setValue(int(RoundHalfToEven(value())));
    }
    popup_->resize(std::max(width(), kMinTrackWidth + 8), popup_->sizeHint().height());
    popup_->move(mapToGlobal(QPoint(0, height())));
    popup_->show();
    track_->setFocus();
}

void TrackEditWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int buttonWidth = std::min(kDropButtonWidth, width() / 3);
    edit_->setGeometry(0, 0, width() - buttonWidth, height());
    drop_->setGeometry(width() - buttonWidth, 0, buttonWidth, height());
}

}  // namespace dp
