#include "dashboard/ColorBoxWidget.h"

#include <QEvent>
#include <QPainter>
#include <QAbstractItemView>
#include <QPixmap>
#include <QStyle>
#include <QStyledItemDelegate>

#include "dashboard/Colors.h"

namespace dp {
namespace {

constexpr int kEntryHeight = 16;
constexpr int kVisibleEntries = 8;

// Entries of a fixed height, so eight of them make the dropped-down list.
class EntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kEntryHeight};
    }
};

QIcon Sample(const QColor& color)
{
    QPixmap pixmap(20, 12);
    pixmap.fill(color);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

}  // namespace

ColorBoxWidget::ColorBoxWidget(QWidget* parent) : QComboBox(parent)
{
    // A list-style popup: the styles that open the whole list over the box ignore the
    // number of visible entries.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMaxVisibleItems(kVisibleEntries);
    setItemDelegate(new EntryDelegate(this));
    setIconSize(QSize(20, 12));
    for (const NamedColor& c : ColorBoxEntries()) addItem(QString::fromUtf8(c.name), QVariant::fromValue(c.value));
    paintSamples();
    // The list may be wider than the box, so long system colour names show whole.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 8);
}

uint32_t ColorBoxWidget::selectedColor() const
{
    return currentIndex() >= 0 ? currentData().value<uint32_t>() : 0;
}

bool ColorBoxWidget::selectColor(uint32_t value)
{
    const int index = findData(QVariant::fromValue(value));
    if (index >= 0) setCurrentIndex(index);
    return index >= 0;
}

void ColorBoxWidget::showPopup()
{
    paintSamples();  // the system colours may have changed since
    QComboBox::showPopup();
}

void ColorBoxWidget::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) paintSamples();
}

// The samples take system colours from the window's palette, as the swatches and the
// gauges do; the box's own skin gives it other field colours.
void ColorBoxWidget::paintSamples()
{
    const QPalette& colors = parentWidget() ? parentWidget()->palette() : palette();
    for (int i = 0; i < count(); ++i) setItemIcon(i, Sample(ColorFromValue(itemData(i).value<uint32_t>(), colors)));
}

}  // namespace dp
