#include "app/TForm3.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

namespace dp {
namespace {

const QString kChoosePort = QStringLiteral("Выберите порт");

// A serial connector, drawn rather than shipped as a file.
QIcon PortIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(170, 180, 190));
    const QPointF shell[] = {{2, 9}, {30, 9}, {26, 23}, {6, 23}};
    p.drawPolygon(shell, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    for (int k = 0; k < 5; ++k) p.drawEllipse(QPointF(7.5 + 4.25 * k, 13.5), 1.5, 1.5);
    for (int k = 0; k < 4; ++k) p.drawEllipse(QPointF(9.6 + 4.25 * k, 18.5), 1.5, 1.5);
    return QIcon(pixmap);
}

QComboBox* MakeBox(QWidget* parent, const char* name, int top)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);  // typing never adds entries
    box->setGeometry(108, top, 145, 21);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int top)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(8, top);
    // The boxes start at x = 108; a face wider than the designed one is narrowed to
    // fit rather than have its caption cut under the box.
    const int room = 108 - 8 - 4;
    if (const int width = label->fontMetrics().horizontalAdvance(label->text()); width > room) {
        QFont narrow = label->font();
        narrow.setStretch(std::max(int(QFont::Condensed), 100 * room / width));
        label->setFont(narrow);
    }
    label->adjustSize();
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, int left)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 140, 75, 25);
    button->setAutoDefault(false);  // Enter in a box must not apply half-typed text
    return button;
}

// Selects the entry and shows its text, also over text typed since; -1 leaves the box.
void SelectEntry(QComboBox* box, int entry)
{
    if (entry < 0) return;
    box->setCurrentIndex(entry);
    box->setEditText(box->itemText(entry));
}

}  // namespace

TForm3::TForm3(TAppSettings& settings, QWidget* parent, PortLister listPorts)
    : QDialog(parent), settings_(settings), listPorts_(std::move(listPorts))
{
    setObjectName(QStringLiteral("TForm3"));
    setWindowTitle(QStringLiteral("   Настройки"));
    setWindowIcon(PortIcon());
    setFixedSize(259, 172);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    sLabel1 = MakeLabel(this, "sLabel1", "COM-порт", 20);
    sLabel2 = MakeLabel(this, "sLabel2", "Скорость", 44);
    sLabel3 = MakeLabel(this, "sLabel3", "Обновлений в сек", 68);
    sComboBox1 = MakeBox(this, "sComboBox1", 16);
    sComboBox2 = MakeBox(this, "sComboBox2", 40);
    sComboBox3 = MakeBox(this, "sComboBox3", 64);
    sCheckBox1 = new QCheckBox(QStringLiteral("Непрерывный поток"), this);
    sCheckBox1->setObjectName(QStringLiteral("sCheckBox1"));
    sCheckBox1->setGeometry(8, 96, 245, 21);
    sCheckBox1->setToolTip(QStringLiteral(
        "Блок шлёт все значения непрерывно, без запроса на каждый отсчёт: до 20 отсчётов в секунду "
        "на 9600 бит/с. Блок, который поток не принимает, читается обычными запросами"));
    sButton1 = MakeButton(this, "sButton1", "Применить", 56);
    sButton2 = MakeButton(this, "sButton2", "Отмена", 136);

    sComboBox1->setEditText(kChoosePort);
    for (const SpeedEntry& e : kSpeedEntries) sComboBox2->addItem(QString::fromLatin1(e.text));
    sComboBox2->setCurrentIndex(-1);
    sComboBox2->setEditText(QStringLiteral("9600"));
    for (int32_t rate : kRateEntries) sComboBox3->addItem(QString::number(rate));
    sComboBox3->setCurrentIndex(sComboBox3->findText(QStringLiteral("10")));

    // The box itself tells which adapter its entry is, as the list entries do.
    connect(sComboBox1, &QComboBox::currentIndexChanged, this, [this](int index) {
        sComboBox1->setToolTip(index >= 0 ? sComboBox1->itemData(index, Qt::ToolTipRole).toString() : QString());
    });
    connect(sButton1, &QPushButton::clicked, this, &TForm3::sButton1Click);
    connect(sButton2, &QPushButton::clicked, this, &TForm3::sButton2Click);
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();  // not when the system merely restores the window
}

void TForm3::FormShow()
{
    FillPortList();
    SelectEntry(sComboBox2, SpeedEntryForCode(settings_.BaudIndex));
    SelectEntry(sComboBox3, RateEntryForRate(settings_.UpdatesPerSecond));
    sCheckBox1->setChecked(settings_.ContinuousStream);
}

// Emptied before it is filled, so a name is listed once however often the dialog shows.
// The entry picked in an earlier showing stays picked while its port is still there.
void TForm3::FillPortList()
{
    const int index = sComboBox1->currentIndex();
    const QString picked = index >= 0 ? sComboBox1->itemText(index) : QString();
    const QString shown = sComboBox1->currentText();
    sComboBox1->clear();
    for (const PortListEntry& port : listPorts_()) {
        sComboBox1->addItem(port.name);
        sComboBox1->setItemData(sComboBox1->count() - 1, port.toolTip, Qt::ToolTipRole);
    }
    const int again = picked.isEmpty() ? -1 : sComboBox1->findText(picked);
    sComboBox1->setCurrentIndex(again);
    // A vanished port must not look chosen: with no entry picked, "Применить" ignores the text.
    sComboBox1->setEditText(!picked.isEmpty() && again < 0 ? kChoosePort : shown);
}

PortBoxes TForm3::Boxes() const
{
    return {sComboBox1->currentIndex(), sComboBox1->currentText(), sComboBox2->currentIndex(),
            sComboBox3->currentIndex(), sCheckBox1->isChecked()};
}

void TForm3::sButton1Click()
{
    ApplyBoxes(Boxes(), settings_);
    hide();
}

void TForm3::sButton2Click() { hide(); }

}  // namespace dp
