#include "ui/kit/Background.h"

#include <QImage>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace qvmd {
namespace {

QImage painted(QWidget& widget) {
    return widget.grab().toImage();
}

QImage texture(const QWidget& widget) {
    return widget.palette().brush(QPalette::Window).textureImage();
}

// Row y of the picture, sampled on the left edge, in the middle and on the right edge.
void expectRow(const QImage& image, int y, const QColor& colour) {
    for (int x : {0, image.width() / 2, image.width() - 1})
        ASSERT_EQ(image.pixelColor(x, y), colour) << "row " << y << " column " << x;
}

TEST(BackgroundPainter, EachRowOfA256HighWindowIsOneBand) {
    // Band i of the main window is red 0, green i, blue 255; of the station-not-found window red 196,
    // green i, blue 0; of the restore window red i, green 0, blue 0.
    struct Case {
        BandColour rule;
        int red, green, blue; // -1: the band number
    };
    const Case cases[] = {{Backdrop::blueToCyan, 0, -1, 255},
                          {Backdrop::redToOrange, 196, -1, 0},
                          {Backdrop::blackToRed, -1, 0, 0}};
    for (const Case& c : cases) {
        QWidget window;
        window.resize(300, 256);
        paintBackground(window, c.rule);
        ASSERT_TRUE(window.autoFillBackground());
        const QImage image = painted(window);
        ASSERT_EQ(image.size(), QSize(300, 256));
        const auto part = [](int value, int band) { return value < 0 ? band : value; };
        for (int band = 0; band < 256; ++band)
            expectRow(image, band, QColor(part(c.red, band), part(c.green, band), part(c.blue, band)));
        EXPECT_EQ(texture(window).size(), QSize(300, 256));
    }
}

TEST(BackgroundPainter, SplashRunsFromCyanAtTheTopToGreenAtTheBottom) {
    QWidget window;
    window.resize(300, 256);
    paintBackground(window, Backdrop::cyanToGreen);
    const QImage image = painted(window);
    expectRow(image, 0, QColor(0, 255, 255));
    expectRow(image, 255, QColor(0, 255, 0));
}

TEST(BackgroundPainter, TheGradientSpansTheWholeClientHeightWhateverItIs) {
    QWidget tall;
    tall.resize(300, 512);
    paintBackground(tall, Backdrop::greenToYellow);
    const QImage image = painted(tall);
    for (int band : {0, 1, 100, 255}) {
        expectRow(image, 2 * band, QColor(band, 255, 0));
        expectRow(image, 2 * band + 1, QColor(band, 255, 0));
    }

    // A window lower than 256 pixels still shows the full gradient, squeezed.
    QWidget low;
    low.resize(300, 100);
    paintBackground(low, Backdrop::blueToCyan);
    const QImage squeezed = painted(low);
    EXPECT_LE(squeezed.pixelColor(0, 0).green(), 3);
    expectRow(squeezed, 99, QColor(0, 255, 255));
}

TEST(BackgroundPainter, FollowsTheSizeTheWindowTakesAfterPainting) {
    // Painted while still at its default size, then given its fixed size.
    QWidget window;
    paintBackground(window, Backdrop::blueToCyan);
    window.setFixedSize(300, 256);
    const QImage image = painted(window);
    for (int band : {0, 128, 255})
        expectRow(image, band, QColor(0, band, 255));
    EXPECT_EQ(texture(window).size(), QSize(300, 256));
}

TEST(BackgroundPainter, AFixedSizeLayoutIsSettledBeforePainting) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* content = new QLabel(&window);
    content->setFixedSize(200, 128);
    layout->addWidget(content);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    paintBackground(window, Backdrop::cyanToGreen);
    EXPECT_EQ(texture(window).size(), QSize(200, 128));
    const QImage image = texture(window);
    EXPECT_EQ(image.pixelColor(0, 127), QColor(0, 255, 0));
}

TEST(BackgroundPainter, PaintingAgainChangesTheRule) {
    QWidget window;
    window.resize(300, 256);
    paintBackground(window, Backdrop::blueToCyan);
    paintBackground(window, Backdrop::blackToRed);
    expectRow(painted(window), 200, QColor(200, 0, 0));

    // The later rule is also the one kept when the window is resized.
    window.resize(300, 512);
    expectRow(painted(window), 400, QColor(200, 0, 0));
}

} // namespace
} // namespace qvmd
