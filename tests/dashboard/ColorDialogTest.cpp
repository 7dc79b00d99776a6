// The colour settings dialog driven headless: colour boxes, the shared picker, apply
// and cancel, keyboard behaviour.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QColorDialog>
#include <functional>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "dashboard/ColorBoxWidget.h"
#include "dashboard/ColorSwatchWidget.h"
#include "dashboard/Colors.h"
#include "dashboard/TForm5.h"

namespace dp {
namespace {

struct Colours {
    uint32_t needle = 0x0000FF, title = 0xFFFFFF, digit = 0xFFFFFF, scale = 0x008000;
    bool operator==(const Colours&) const = default;
};

class ColorDialog : public ::testing::Test {
protected:
    ~ColorDialog() override { form.hide(); }

    std::array<uint32_t, 4> Swatches() const
    {
        std::array<uint32_t, 4> out{};
        for (std::size_t i = 0; i < 4; ++i) out[i] = form.Shape[i]->brushColor();
        return out;
    }
    // The user picks the entry with this value from a row's colour box.
    static void Pick(ColorBoxWidget* box, uint32_t value)
    {
        ASSERT_TRUE(box->selectColor(value));
        emit box->activated(box->currentIndex());
    }
    // Presses a "Свой" button; `user` acts in the picker while it runs. Returns the
    // colour the picker opened on.
    QColor RunPicker(QPushButton* button, const std::function<void(QColorDialog*)>& user)
    {
        QColor openedOn;
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QColorDialog* picker = form.sColorDialog1.dialog();
            ran = picker->isVisible();
            openedOn = picker->currentColor();
            user(picker);
        });
        button->click();
        EXPECT_TRUE(ran);
        return openedOn;
    }
    static void Confirm(QColorDialog* picker, QColor color)
    {
        picker->setCurrentColor(color);
        picker->accept();
    }

    Colours stored;
    TForm5 form{{stored.needle, stored.title, stored.digit, stored.scale}};
};

TEST_F(ColorDialog, RowsAndButtonsWhereTheDesignHasThem)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("  Настройки цвета"));
    EXPECT_EQ(form.size(), QSize(374, 248));
    const char* captions[] = {"Стрелки", "Названия", "Цыфры", "Шкалы"};
    QPushButton* custom[] = {form.sButton1, form.sButton4, form.sButton5, form.sButton6};
    const int tops[] = {28, 60, 92, 124};
    for (std::size_t row = 0; row < 4; ++row) {
        SCOPED_TRACE(captions[row]);
        EXPECT_EQ(form.sLabel[row]->text(), QString::fromUtf8(captions[row]));
        EXPECT_EQ(form.sLabel[row]->pos(), QPoint(16, tops[row] + 4));
        EXPECT_EQ(form.sColorBox[row]->geometry(), QRect(84, tops[row], 145, 22));
        EXPECT_EQ(form.sColorBox[row]->maxVisibleItems(), 8);
        EXPECT_EQ(custom[row]->geometry(), QRect(240, tops[row], 75, 25));
        EXPECT_EQ(custom[row]->text(), QStringLiteral("Свой"));
        EXPECT_EQ(form.Shape[row]->geometry(), QRect(332, tops[row], 29, 25));
        EXPECT_EQ(form.sColorBox[row]->count(), int(ColorBoxEntries().size()));
        EXPECT_FALSE(form.sColorBox[row]->itemIcon(0).isNull());  // every entry has its sample
    }
    EXPECT_EQ(form.sButton2->geometry(), QRect(108, 200, 75, 25));
    EXPECT_EQ(form.sButton2->text(), QStringLiteral("Применить"));
    EXPECT_EQ(form.sButton3->geometry(), QRect(204, 200, 75, 25));
    EXPECT_EQ(form.sButton3->text(), QStringLiteral("Отмена"));
}

TEST_F(ColorDialog, DroppedDownBoxShowsEightEntriesOfSixteenPixels)
{
    form.show();
    ColorBoxWidget* box = form.sColorBox[0];
    box->showPopup();
    QAbstractItemView* list = box->view();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->visualRect(box->model()->index(0, 0)).height(), 16);
    EXPECT_EQ(list->viewport()->height(), 8 * 16);
    box->hidePopup();
}

TEST_F(ColorDialog, StandsCentredOnTheScreen)
{
    form.show();
    // Placed before its frame is known: centred within the frame's width.
    const QPoint offCentre = form.frameGeometry().center() - form.screen()->availableGeometry().center();
    const QPoint frame = form.geometry().topLeft() - form.frameGeometry().topLeft();
    EXPECT_LE(std::abs(offCentre.x()), frame.x() + 1);
    EXPECT_LE(std::abs(offCentre.y()), frame.y() + 1);
}

TEST_F(ColorDialog, TabMovesFocusInTheDesignedOrder)
{
    form.show();
    const std::vector<QWidget*> order = {form.sColorBox[0], form.sButton1,     form.sButton2, form.sButton3,
                                         form.sColorBox[1], form.sColorBox[2], form.sColorBox[3],
                                         form.sButton4,     form.sButton5,     form.sButton6, form.sColorBox[0]};
    order.front()->setFocus();
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        SCOPED_TRACE(order[i]->objectName().toStdString());
        ASSERT_EQ(form.focusWidget(), order[i]);
        QTest::keyClick(order[i], Qt::Key_Tab);
        EXPECT_EQ(form.focusWidget(), order[i + 1]);
    }
}

TEST_F(ColorDialog, ShowingLoadsTheSwatchesFromTheSettings)
{
    stored = {0x112233, 0x445566, 0xFF00000F, 0x778899};
    form.show();
    EXPECT_EQ(Swatches(), (std::array<uint32_t, 4>{0x112233, 0x445566, 0xFF00000F, 0x778899}));
}

TEST_F(ColorDialog, ApplyStoresEverySwatchAndAsksForARedraw)
{
    form.show();
    Pick(form.sColorBox[0], 0xFF0000);                          // needles blue
    Pick(form.sColorBox[1], SystemColorValue(kColorBtnFace));  // titles in the button face colour
    Pick(form.sColorBox[3], 0x00FFFF);                          // scales yellow
    EXPECT_EQ(stored, Colours{});  // only the swatches change until "Применить"
    EXPECT_FALSE(form.RedrawRequested);
    form.sButton2->click();
    EXPECT_EQ(stored, (Colours{0xFF0000, 0xFF00000F, 0xFFFFFF, 0x00FFFF}));
    EXPECT_TRUE(form.RedrawRequested);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ColorDialog, ApplyWithoutChangesStillAsksForARedraw)
{
    form.show();
    form.sButton2->click();
    EXPECT_EQ(stored, Colours{});
    EXPECT_TRUE(form.RedrawRequested);
}

TEST_F(ColorDialog, CancelDiscardsAndTheNextShowingReloads)
{
    form.show();
    Pick(form.sColorBox[2], 0x000080);
    form.sButton3->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(stored, Colours{});
    EXPECT_FALSE(form.RedrawRequested);
    form.show();
    EXPECT_EQ(form.Shape[2]->brushColor(), 0xFFFFFFu);
    // The colour box keeps its last pick; it does not follow the settings.
    EXPECT_EQ(form.sColorBox[2]->selectedColor(), 0x000080u);
}

TEST_F(ColorDialog, MenuWhileOpenKeepsThePendingChoices)
{
    form.show();
    Pick(form.sColorBox[0], 0x00FF00);
    form.show();  // what the menu entry does when the dialog is already open
    form.raise();
    EXPECT_EQ(form.Shape[0]->brushColor(), 0x00FF00u);
}

TEST_F(ColorDialog, PickerRemembersTheLastConfirmedColourAcrossRows)
{
    form.show();
    EXPECT_EQ(RunPicker(form.sButton1, [](QColorDialog* p) { Confirm(p, QColor(10, 20, 30)); }), QColor(Qt::black));
    EXPECT_EQ(form.Shape[0]->brushColor(), 0x1E140Au);

    // Another row opens on the same colour; a cancelled run leaves the swatch and the memory.
    EXPECT_EQ(RunPicker(form.sButton5,
                        [](QColorDialog* p) {
                            p->setCurrentColor(QColor(200, 0, 0));
                            p->reject();
                        }),
              QColor(10, 20, 30));
    EXPECT_EQ(form.Shape[2]->brushColor(), 0xFFFFFFu);
    EXPECT_EQ(RunPicker(form.sButton6, [](QColorDialog* p) { Confirm(p, QColor(1, 2, 3)); }), QColor(10, 20, 30));
    EXPECT_EQ(form.Shape[3]->brushColor(), 0x030201u);
    EXPECT_EQ(RunPicker(form.sButton4, [](QColorDialog* p) { p->reject(); }), QColor(1, 2, 3));
    EXPECT_EQ(form.Shape[1]->brushColor(), 0xFFFFFFu);

    form.sButton2->click();
    EXPECT_EQ(stored, (Colours{0x1E140A, 0xFFFFFF, 0xFFFFFF, 0x030201}));
}

TEST_F(ColorDialog, EnterAndEscapePressNoButton)
{
    form.show();
    Pick(form.sColorBox[0], 0xFF0000);
    // Should a key start the picker, close it again rather than wait for a user.
    QTimer guard;
    guard.setInterval(20);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (!form.sColorDialog1.dialog()->isVisible()) return;
        ADD_FAILURE() << "a key opened the colour picker";
        form.sColorDialog1.dialog()->reject();
    });
    guard.start();
    for (QWidget* focus : std::initializer_list<QWidget*>{form.sColorBox[1], form.sButton1, form.sButton2}) {
        SCOPED_TRACE(focus->objectName().toStdString());
        focus->setFocus();
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(focus, Qt::Key(key));
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(stored, Colours{});
        EXPECT_EQ(form.Shape[0]->brushColor(), 0xFF0000u);
    }
}

}  // namespace
}  // namespace dp
