// The one picture widget every page shows its pictures in: its size for a
// picture, the scaling of a sheet rectangle every blinking outline goes
// through, and the presses the crew preview reads.
#include <QSignalSpy>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "pages/PictureView.h"

using namespace tavolex::editor;

namespace {

TEST(PictureView, IsSizedForItsPictureAndScalesSheetRectanglesWithoutOverlap) {
    EXPECT_EQ(PictureView::sizeForPicture(QSize(256, 384)), QSize(262, 390)) << "the frame's line and the inset";

    // One screen pixel per sheet pixel: a rectangle lies where it is in the sheet.
    PictureView view;
    view.setSheetSize(QSize(256, 330));
    view.setFixedSize(PictureView::sizeForPicture(QSize(256, 330)));
    const QPoint origin = view.area().topLeft();
    EXPECT_EQ(origin, QPoint(3, 3));
    EXPECT_EQ(view.areaRectOf(QRect(1, 3, 253, 176)), QRect(origin + QPoint(1, 3), QSize(253, 176)));

    // Stretched, both edges scale alike: twice the size at twice the place.
    view.setFixedSize(PictureView::sizeForPicture(QSize(512, 660)));
    EXPECT_EQ(view.areaRectOf(QRect(1, 3, 253, 176)), QRect(origin + QPoint(2, 6), QSize(506, 352)));

    // At a scale that is no whole number, neighbours meet without sharing a pixel or leaving one out.
    view.setSheetSize(QSize(3, 3));
    view.setFixedSize(PictureView::sizeForPicture(QSize(100, 100)));
    const QRect top = view.areaRectOf(QRect(0, 0, 3, 1));
    const QRect middle = view.areaRectOf(QRect(0, 1, 3, 1));
    const QRect bottom = view.areaRectOf(QRect(0, 2, 3, 1));
    EXPECT_EQ(top.bottom() + 1, middle.top());
    EXPECT_EQ(middle.bottom() + 1, bottom.top());
    EXPECT_EQ(top.top(), view.area().top());
    EXPECT_EQ(bottom.bottom(), view.area().bottom());
    EXPECT_EQ(top.left(), view.area().left());
    EXPECT_EQ(top.right(), view.area().right());
}

TEST(PictureView, WithoutInsetTellsPressesInTheAreaAndADoubleClickOnce) {
    PictureView view;
    view.setAreaInset(0);
    view.setFixedSize(QSize(202, 191));
    EXPECT_EQ(view.area(), view.contentsRect()) << "the area fills the frame";
    QSignalSpy pressed(&view, &PictureView::pressed);
    QSignalSpy rightClicked(&view, &PictureView::rightClicked);
    const QPoint at = view.area().topLeft() + QPoint(50, 40);

    QTest::mousePress(&view, Qt::LeftButton, {}, at);
    ASSERT_EQ(pressed.size(), 1);
    EXPECT_EQ(pressed[0][0].toPoint(), QPoint(50, 40)) << "in the area's pixels";
    EXPECT_EQ(pressed[0][1].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_FALSE(pressed[0][2].toBool());

    // The second press of a right double click comes once, as the second.
    QTest::mouseDClick(&view, Qt::RightButton, {}, at);
    const int presses = static_cast<int>(pressed.size());
    ASSERT_GE(presses, 2);
    EXPECT_EQ(pressed[presses - 1][1].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_TRUE(pressed[presses - 1][2].toBool()) << "told as the second press";
    EXPECT_EQ(rightClicked.size(), presses - 1) << "each press is a right click to the pages that zoom, once";
}

} // namespace
