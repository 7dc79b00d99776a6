// The track edit and the on/off switch of the active tests window.

#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QFrame>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include "ecu/OnOffSwitch.h"
#include "ecu/TrackEditWidget.h"

namespace dp {
namespace {

// Types text into the edit box and leaves it, as a user tabbing on would.
void Type(TrackEditWidget& edit, const QString& text)
{
    QDoubleSpinBox* box = edit.editBox();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

class TrackEdit : public ::testing::Test {
protected:
    TrackEdit() { edit.editBox()->setLocale(QLocale(QLocale::Russian)); }
    TrackEditWidget edit{-50, 150};
};

TEST_F(TrackEdit, TypedFractionIsKeptForTheTestToRound)
{
    Type(edit, QStringLiteral("2,5"));
    EXPECT_DOUBLE_EQ(edit.value(), 2.5);
    EXPECT_EQ(edit.editBox()->text(), QStringLiteral("2,5"));
}

TEST_F(TrackEdit, KeepsItsValueWithinTheRange)
{
    Type(edit, QStringLiteral("20"));
    Type(edit, QStringLiteral("999"));
    EXPECT_LE(edit.value(), 150);
    edit.setValue(-80);
    EXPECT_EQ(edit.value(), -50);
    edit.setValue(1e9);
    EXPECT_EQ(edit.value(), 150);
}

TEST_F(TrackEdit, DropDownTrackMovesInWholeSteps)
{
    edit.resize(177, 21);
    edit.setValue(2.5);
    edit.dropButton()->click();
    ASSERT_TRUE(edit.trackPopup()->isVisible());
    EXPECT_EQ(edit.track()->value(), 2);
    EXPECT_DOUBLE_EQ(edit.value(), 2.5) << "opening the track changes nothing";
    EXPECT_GE(edit.track()->width(), TrackEditWidget::kMinTrackWidth);

    QTest::keyClick(edit.track(), Qt::Key_Right);
    EXPECT_EQ(edit.value(), 3);
    edit.track()->setValue(edit.track()->maximum());
    EXPECT_EQ(edit.value(), 150);
    edit.trackPopup()->hide();
}

TEST(OnOffSwitchTest, StartsOnAndToggles)
{
    OnOffSwitch s;
    EXPECT_TRUE(s.isOn());
    s.click();
    EXPECT_FALSE(s.isOn());
    s.setFocus();
    QTest::keyClick(&s, Qt::Key_Space);
    EXPECT_TRUE(s.isOn());
}

}  // namespace
}  // namespace dp
