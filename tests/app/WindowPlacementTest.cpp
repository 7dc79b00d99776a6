// The main window's outer sizes, the About window's place and the program's icon.

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include "app/AppIcon.h"
#include "app/MainWindowPlacement.h"
#include "app/TForm7.h"
#include "app/WindowPlacement.h"

namespace dp::test {
namespace {

TEST(WindowPlacement, ClientMinimumLeavesRoomForTheFrame)
{
    const struct {
        const char* name;
        QMargins frame;
        QSize client;
    } cases[] = {
        {"no frame", {0, 0, 0, 0}, {720, 500}},
        {"title bar and borders", {4, 30, 4, 4}, {712, 466}},
        {"frame larger than the window", {400, 300, 400, 300}, {0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ClientMinimumFor(kMainOuterMinimum, c.frame), c.client);
    }
}

TEST(WindowPlacement, RestoredWindowStandsCentred)
{
    const struct {
        const char* name;
        QRect available;
        QMargins frame;
        QRect client;
    } cases[] = {
        {"full HD, no frame", {0, 0, 1920, 1040}, {}, {468, 264, 983, 512}},
        {"full HD with frame", {0, 0, 1920, 1040}, {4, 30, 4, 4}, {472, 294, 975, 478}},
        {"second screen", {1920, 0, 1280, 1024}, {}, {2068, 256, 983, 512}},
        {"screen smaller than the window", {0, 0, 800, 600}, {}, {0, 44, 800, 512}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CentredClientRect(c.available, kMainOuterRestored, c.frame), c.client);
    }
}

TEST(WindowPlacement, MainWindowRestoredFromMaximisedIsCentred)
{
    QWidget window;
    new MainWindowPlacement(&window);
    EXPECT_EQ(window.minimumSize(), kMainOuterMinimum);  // no frame offscreen
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showNormal();
    const QRect outer = window.frameGeometry(), inner = window.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    EXPECT_EQ(window.minimumSize(), ClientMinimumFor(kMainOuterMinimum, frame));
    const QRect want = CentredClientRect(window.screen()->availableGeometry(), kMainOuterRestored, frame);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.geometry() == want; }, 2000))
        << window.geometry().x() << "," << window.geometry().y() << " " << window.width() << "x"
        << window.height();
}

TEST(WindowPlacement, AboutWindowStandsAtItsDesignedPlace)
{
    QWidget parent;
    parent.setGeometry(300, 300, 400, 300);
    parent.show();
    TForm7 about(&parent);
    about.show();
    EXPECT_EQ(about.pos(), TForm7::kDesignedPos);
    EXPECT_EQ(about.size(), QSize(309, 317));
}

TEST(AppIcon, EmblemIsDrawnFromTheBuiltInPicture)
{
    const QImage emblem = EmblemPixmap(QSize(129, 125)).toImage();
    ASSERT_EQ(emblem.size(), QSize(129, 125));
    // Transparent in the corner, the dial's grey face in the middle.
    EXPECT_EQ(qAlpha(emblem.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(emblem.pixel(64, 100)), 255);
    EXPECT_FALSE(AppIcon().isNull());
    EXPECT_FALSE(AppIcon().availableSizes().isEmpty());
}

}  // namespace
}  // namespace dp::test
