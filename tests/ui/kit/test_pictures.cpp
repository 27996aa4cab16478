#include "core/refdata/CountryTable.h"
#include "ui/kit/cLoadResPicture.h"

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace qvmd {
namespace {

struct NamedPicture {
    const char* type;
    int id;
    QSize size; // the size the picture is shown at
};

class PictureLoader : public ::testing::Test {
protected:
    cLoadResPicture loader;
};

TEST_F(PictureLoader, EveryPictureTheProgramNamesLoadsAtItsOwnSize) {
    const NamedPicture named[] = {
        {"CUSTOM", 100, {220, 220}}, {"CUSTOM", 101, {260, 200}}, {"CUSTOM", 116, {96, 96}},
        {"CUSTOM", 118, {96, 48}},   {"BUTTON", 1, {200, 64}},    {"BUTTON", 2, {200, 64}},
        {"BUTTON", 3, {200, 64}},    {"BUTTON", 4, {200, 64}},    {"BUTTON", 1001, {200, 64}},
        {"BUTTON", 1002, {200, 64}}, {"BUTTON", 1003, {200, 64}}, {"BUTTON", 1004, {200, 64}},
        {"FLAG", 351, {60, 40}},
    };
    for (const NamedPicture& picture : named) {
        SCOPED_TRACE(testing::Message() << picture.type << " " << picture.id);
        const QPixmap pixmap = loader.LoadResPicture(picture.id, QString::fromLatin1(picture.type));
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), picture.size);
        // Really drawn: the middle of every picture is covered by opaque artwork.
        const QImage image = pixmap.toImage();
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2).alpha(), 255);
    }
}

TEST_F(PictureLoader, EveryCountryInTheShippedTableHasAFlag) {
    const Result<CountryTable> table = CountryTable::load(QStringLiteral(QVMD_SOURCE_DIR "/data/Prefix.dat"));
    ASSERT_TRUE(table.ok());
    ASSERT_GT(table.value().count(), 0);
    for (int country = 1; country <= table.value().count(); ++country) {
        const QPixmap flag = loader.LoadResPicture(country, QStringLiteral("FLAG"));
        EXPECT_FALSE(flag.isNull()) << "country " << country;
        EXPECT_LE(flag.deviceIndependentSize().width(), 60) << "country " << country;
    }
}

TEST_F(PictureLoader, RoundArtworkKeepsATransparentSurround) {
    // The About emblem sits on the window's gradient; its corners must let the gradient through.
    const QImage image = loader.LoadResPicture(116, QStringLiteral("CUSTOM")).toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1).alpha(), 0);
}

TEST_F(PictureLoader, ButtonPicturesFollowTheLanguage) {
    for (int button = 1; button <= 4; ++button) {
        SCOPED_TRACE(button);
        const QImage italian = loader.LoadResPicture(button, QStringLiteral("BUTTON")).toImage();
        const QImage english = loader.LoadResPicture(1000 + button, QStringLiteral("BUTTON")).toImage();
        EXPECT_NE(italian, english);
    }
}

TEST_F(PictureLoader, TypeNamesAreCaseInsensitive) {
    EXPECT_FALSE(loader.LoadResPicture(118, QStringLiteral("Custom")).isNull());
}

TEST_F(PictureLoader, MissingPictureGivesANullPicture) {
    // Just past the CUSTOM range: 117 is the logging window's "Empty" button and will exist.
    EXPECT_TRUE(loader.LoadResPicture(119, QStringLiteral("CUSTOM")).isNull());
    EXPECT_TRUE(loader.LoadResPicture(100, QStringLiteral("PICTURE")).isNull());
    EXPECT_TRUE(loader.LoadResPicture(0, QStringLiteral("FLAG")).isNull());
    EXPECT_FALSE(loader.LoadResPicture(351, QStringLiteral("FLAG")).isNull());
}

TEST_F(PictureLoader, RepeatedLoadsGiveTheSamePictureAndLeaveNoTemporaryFiles) {
    const QStringList pattern{QStringLiteral("LRP*")};
    const QStringList before = QDir::temp().entryList(pattern, QDir::Files);

    const QImage first = loader.LoadResPicture(101, QStringLiteral("CUSTOM")).toImage();
    const QImage second = loader.LoadResPicture(101, QStringLiteral("CUSTOM")).toImage();
    loader.LoadResPicture(9999, QStringLiteral("CUSTOM"));

    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first, second);
    EXPECT_EQ(QDir::temp().entryList(pattern, QDir::Files), before);
}

TEST_F(PictureLoader, EachPictureIsDrawnOncePerDensity) {
    // A drawn picture is shared, not drawn anew: the same pixmap data comes back for every window.
    for (const NamedPicture& picture : {NamedPicture{"CUSTOM", 110, {}}, NamedPicture{"BUTTON", 1001, {}}}) {
        SCOPED_TRACE(picture.id);
        const QPixmap first = loader.LoadResPicture(picture.id, QString::fromLatin1(picture.type));
        const QPixmap again = cLoadResPicture().LoadResPicture(picture.id, QString::fromLatin1(picture.type));
        ASSERT_FALSE(first.isNull());
        EXPECT_EQ(first.cacheKey(), again.cacheKey());
    }
}

} // namespace
} // namespace qvmd
