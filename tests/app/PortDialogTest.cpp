// The port settings dialog driven as a user would, with a port list the test controls.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/TForm3.h"

namespace dp {
namespace {

class PortDialog : public ::testing::Test {
protected:
    PortDialog()
    {
        ports = {{"COM1", "Устройство: COM1"},
                 {"COM3", "Устройство: COM3\nОписание: USB-SERIAL CH340\nПроизводитель: wch.cn"},
                 {"ttyUSB0", "Устройство: /dev/ttyUSB0\nСерийный номер: A50285BI"},
                 {"VIRTUAL-ECU", "Встроенный имитатор ЭБУ"}};
    }
    QStringList Entries(const QComboBox* box) const
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
        return texts;
    }
    // Picks an entry, as choosing it from the drop-down list does.
    static void Pick(QComboBox* box, const QString& text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setFocus();
        box->setCurrentIndex(index);
    }

    TAppSettings settings;
    std::vector<PortListEntry> ports;
    TForm3 form{settings, nullptr, [this] { return ports; }};
};

TEST_F(PortDialog, FirstShowingWithTheDefaults)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("   Настройки"));
    EXPECT_EQ(form.size(), QSize(259, 172));
    struct Label {
        QLabel* label;
        const char* text;
        QPoint pos;
    };
    const Label labels[] = {{form.sLabel1, "COM-порт", {8, 20}},
                            {form.sLabel2, "Скорость", {8, 44}},
                            {form.sLabel3, "Обновлений в сек", {8, 68}}};
    for (const Label& l : labels) {
        SCOPED_TRACE(l.text);
        EXPECT_EQ(l.label->text(), QString::fromUtf8(l.text));
        EXPECT_EQ(l.label->pos(), l.pos);
    }
    EXPECT_EQ(form.sComboBox1->geometry(), QRect(108, 16, 145, 21));
    EXPECT_EQ(form.sComboBox2->geometry(), QRect(108, 40, 145, 21));
    EXPECT_EQ(form.sComboBox3->geometry(), QRect(108, 64, 145, 21));
    EXPECT_EQ(form.sButton1->geometry(), QRect(56, 140, 75, 25));
    EXPECT_EQ(form.sButton2->geometry(), QRect(136, 140, 75, 25));
    EXPECT_EQ(form.sButton1->text(), QStringLiteral("Применить"));
    EXPECT_EQ(form.sButton2->text(), QStringLiteral("Отмена"));
    // Before the first showing: the boxes as created.
    EXPECT_EQ(form.sComboBox1->count(), 0);
    EXPECT_EQ(form.sComboBox1->currentText(), QStringLiteral("Выберите порт"));
    EXPECT_EQ(form.sComboBox2->currentIndex(), -1);
    EXPECT_EQ(form.sComboBox2->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(form.sComboBox3->currentText(), QStringLiteral("10"));

    form.show();
    EXPECT_EQ(Entries(form.sComboBox1), QStringList({"COM1", "COM3", "ttyUSB0", "VIRTUAL-ECU"}));
    EXPECT_EQ(form.sComboBox1->currentIndex(), -1);
    EXPECT_EQ(form.sComboBox1->currentText(), QStringLiteral("Выберите порт"));
    EXPECT_EQ(form.sComboBox1->itemData(1, Qt::ToolTipRole).toString(), ports[1].toolTip);
    EXPECT_EQ(Entries(form.sComboBox2), QStringList({"9600", "19200", "38400", "56000", "128000", "256000"}));
    EXPECT_EQ(form.sComboBox2->currentIndex(), 0);
    EXPECT_EQ(Entries(form.sComboBox3), QStringList({"1", "2", "4", "5", "8", "10", "15", "20"}));
    EXPECT_EQ(form.sComboBox3->currentIndex(), 5);

    // Applying at once changes nothing: no port was picked.
    form.sButton1->click();
    EXPECT_EQ(settings, TAppSettings{});
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PortDialog, StandsCentredOnTheScreen)
{
    form.show();
    // Placed before its frame is known: centred within the frame's width.
    const QPoint offCentre = form.frameGeometry().center() - form.screen()->availableGeometry().center();
    const QPoint frame = form.geometry().topLeft() - form.frameGeometry().topLeft();
    EXPECT_LE(std::abs(offCentre.x()), frame.x() + 1);
    EXPECT_LE(std::abs(offCentre.y()), frame.y() + 1);
}

TEST_F(PortDialog, ApplyStoresPortSpeedAndRate)
{
    form.show();
    Pick(form.sComboBox1, "COM3");
    EXPECT_EQ(form.sComboBox1->toolTip(), ports[1].toolTip);  // tells the adapters apart
    Pick(form.sComboBox2, "38400");
    Pick(form.sComboBox3, "4");
    form.sButton1->click();
    EXPECT_EQ(settings.PortName, "COM3");
    EXPECT_EQ(settings.BaudIndex, 10);
    EXPECT_EQ(settings.UpdatesPerSecond, 4);
    EXPECT_EQ(RefreshIntervalMs(settings.UpdatesPerSecond), 250);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(PortDialog, CancelKeepsSettingsAndTheNextShowingReselectsThem)
{
    form.show();
    Pick(form.sComboBox2, "256000");
    form.sComboBox3->setEditText("7");  // typed, not picked
    form.sButton2->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(settings, TAppSettings{});
    // The boxes keep the user's state while hidden; showing selects from the settings.
    EXPECT_EQ(form.sComboBox2->currentText(), QStringLiteral("256000"));
    form.show();
    EXPECT_EQ(form.sComboBox2->currentIndex(), 0);
    EXPECT_EQ(form.sComboBox2->currentText(), QStringLiteral("9600"));
    EXPECT_EQ(form.sComboBox3->currentText(), QStringLiteral("10"));
}

TEST_F(PortDialog, StreamCheckBoxShowsTheSettingAndOnlyApplyStoresIt)
{
    EXPECT_EQ(form.sCheckBox1->text(), QStringLiteral("Непрерывный поток"));
    EXPECT_EQ(form.sCheckBox1->geometry().topLeft(), QPoint(8, 96));  // below the rate
    EXPECT_LT(form.sCheckBox1->geometry().bottom(), form.sButton1->geometry().top());
    EXPECT_FALSE(form.sCheckBox1->isChecked());

    settings.ContinuousStream = true;
    form.show();
    EXPECT_TRUE(form.sCheckBox1->isChecked());
    form.sCheckBox1->click();
    form.sButton2->click();  // "Отмена"
    EXPECT_TRUE(settings.ContinuousStream);
    form.show();
    EXPECT_TRUE(form.sCheckBox1->isChecked());  // from the settings again

    form.sCheckBox1->click();
    form.sButton1->click();  // "Применить"
    EXPECT_FALSE(settings.ContinuousStream);
    form.show();
    form.sCheckBox1->click();
    form.sButton1->click();
    EXPECT_TRUE(settings.ContinuousStream);
    EXPECT_EQ(settings.PortName, TAppSettings{}.PortName);  // nothing else was picked
}

TEST_F(PortDialog, TypedPortNameCountsOnlyOverAPickedEntry)
{
    form.show();
    form.sComboBox1->setFocus();
    form.sComboBox1->lineEdit()->clear();
    QTest::keyClicks(form.sComboBox1->lineEdit(), "COM9");
    form.sButton1->click();
    EXPECT_EQ(settings.PortName, "COM1");  // nothing picked: the name stays

    form.show();
    Pick(form.sComboBox1, "ttyUSB0");
    form.sComboBox1->lineEdit()->selectAll();
    const QString longName = QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART-if00");
    QTest::keyClicks(form.sComboBox1->lineEdit(), longName);
    QTest::keyClick(form.sComboBox1->lineEdit(), Qt::Key_Return);  // neither adds an entry nor applies
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.sComboBox1->count(), 4);
    form.sButton1->click();
    EXPECT_EQ(settings.PortName, longName.left(30).toStdString());
}

TEST_F(PortDialog, EachShowingListsThePortsOnceAndKeepsThePick)
{
    form.show();
    Pick(form.sComboBox1, "ttyUSB0");
    form.sButton2->click();
    ports.insert(ports.begin(), PortListEntry{"ttyACM0", "Устройство: /dev/ttyACM0"});  // plugged in meanwhile
    form.show();
    form.hide();
    form.show();
    EXPECT_EQ(Entries(form.sComboBox1), QStringList({"ttyACM0", "COM1", "COM3", "ttyUSB0", "VIRTUAL-ECU"}));
    EXPECT_EQ(form.sComboBox1->currentText(), QStringLiteral("ttyUSB0"));
    form.sButton1->click();
    EXPECT_EQ(settings.PortName, "ttyUSB0");
}

TEST_F(PortDialog, APickedPortThatVanishedIsNoLongerChosen)
{
    form.show();
    Pick(form.sComboBox1, "ttyUSB0");
    form.sButton2->click();
    ports.erase(ports.begin() + 2);  // the adapter was pulled
    form.show();
    EXPECT_EQ(form.sComboBox1->currentIndex(), -1);
    EXPECT_EQ(form.sComboBox1->currentText(), QStringLiteral("Выберите порт"));
    form.sButton1->click();
    EXPECT_EQ(settings.PortName, "COM1");
}

TEST_F(PortDialog, NoPortsLeavesTheBoxEmptyAndTheNameAlone)
{
    ports.clear();
    form.show();
    EXPECT_EQ(form.sComboBox1->count(), 0);
    EXPECT_EQ(form.sComboBox1->currentText(), QStringLiteral("Выберите порт"));
    form.sButton1->click();
    EXPECT_EQ(settings.PortName, "COM1");
}

TEST_F(PortDialog, ValuesTheListsDoNotOfferSelectNothingAndSurviveApply)
{
    settings.BaudIndex = 3;
    settings.UpdatesPerSecond = 3;
    form.show();
    EXPECT_EQ(form.sComboBox2->currentIndex(), -1);
    EXPECT_EQ(form.sComboBox3->currentIndex(), 5);  // as created
    Pick(form.sComboBox3, "2");
    form.sButton2->click();
    form.show();
    EXPECT_EQ(form.sComboBox3->currentText(), QStringLiteral("2"));  // not reselected
    form.sButton1->click();
    EXPECT_EQ(settings.BaudIndex, 3);
    EXPECT_EQ(settings.UpdatesPerSecond, 2);
}

}  // namespace
}  // namespace dp
