#include "support/DesktopFont.h"
#include "ui/kit/FormDialog.h"
#include "ui/kit/FormScale.h"
#include "ui/kit/GridControl.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

// A form drawn in pixels, as the program's fixed forms are: two captions side by side that touch, a
// larger heading derived from the form's font, a button with a picture, a grid.
class PixelForm : public FormDialog {
public:
    explicit PixelForm(QSize size = QSize(300, 200)) {
        setFixedSize(size);
        left = new QLabel(QStringLiteral("Station"), this);
        left->setGeometry(10, 10, 61, 23);
        right = new QLabel(QStringLiteral("Name"), this);
        right->setGeometry(71, 10, 90, 23);
        heading = new QLabel(QStringLiteral("Log"), this);
        QFont larger = heading->font();
        larger.setPointSizeF(larger.pointSizeF() * 1.5);
        heading->setFont(larger);
        heading->setGeometry(10, 40, 200, 30);
        button = new QPushButton(QStringLiteral("Exit"), this);
        QPixmap picture(24, 24);
        picture.fill(Qt::red);
        button->setIcon(QIcon(picture));
        button->setIconSize(QSize(24, 24));
        button->setGeometry(200, 150, 90, 40);
        grid = new GridControl(this);
        grid->setFormatString(QStringLiteral("^Prefix|^Country"));
        grid->setColWidth(1, 1440);
        grid->setGeometry(10, 80, 180, 60);
    }

    QLabel* left = nullptr;
    QLabel* right = nullptr;
    QLabel* heading = nullptr;
    QPushButton* button = nullptr;
    GridControl* grid = nullptr;
};

} // namespace

TEST(FormScale, MeasuresHowMuchLargerTheFontIsNeverLessThanTheDesign) {
    const struct {
        qreal points;
        qreal low;
        qreal high;
    } cases[] = {{6, 1, 1}, {9, 1, 1}, {12, 1.25, 1.45}, {16, 1.65, 1.9}, {18, 1.9, 2.15}};
    for (const auto& c : cases) {
        QFont font = designFont();
        font.setPointSizeF(c.points);
        const qreal scale = fontScale(font);
        EXPECT_GE(scale, c.low) << c.points;
        EXPECT_LE(scale, c.high) << c.points;
    }
}

TEST(FormScale, AtTheDesignSizeAFormIsLeftAsDrawn) {
    DesktopFont font(9);
    PixelForm form;
    form.show();
    EXPECT_EQ(form.size(), QSize(300, 200));
    EXPECT_EQ(form.right->geometry(), QRect(71, 10, 90, 23));
    EXPECT_FALSE(form.testAttribute(Qt::WA_SetFont));
    EXPECT_EQ(form.grid->columnWidth(1), 96);
    EXPECT_EQ(formScale(*form.right), 1.0);
}

// Positions, sizes, pictures, grid columns and fonts all grow by one factor: the layout keeps its
// proportions, neighbours still touch, and the text is the desktop's size.
TEST(FormScale, ALargeDesktopFontGrowsTheWholeFormAlike) {
    DesktopFont font(16);
    PixelForm form;
    const qreal headingPoints = form.heading->font().pointSizeF();
    const int rowHeight = form.grid->rowHeight(0);
    form.show();
    const qreal f = formScale(form);
    EXPECT_NEAR(f, fontScale(QApplication::font()), 1e-9);
    EXPECT_NEAR(form.font().pointSizeF(), 16, 0.01);
    EXPECT_NEAR(form.heading->font().pointSizeF(), 1.5 * 16, 0.01);
    EXPECT_NEAR(form.heading->font().pointSizeF() / headingPoints, f, 1e-6);
    EXPECT_EQ(form.size(), QSize(qRound(300 * f), qRound(200 * f)));
    EXPECT_EQ(form.left->geometry().right() + 1, form.right->geometry().left());
    EXPECT_EQ(form.right->geometry(), QRect(qRound(71 * f), qRound(10 * f), qRound(161 * f) - qRound(71 * f),
                                            qRound(33 * f) - qRound(10 * f)));
    EXPECT_EQ(form.button->iconSize(), QSize(qRound(24 * f), qRound(24 * f)));
    // The picture itself is enlarged, not drawn at its old size in the larger box.
    EXPECT_GE(form.button->icon().pixmap(form.button->iconSize(), 1.0).width(), qRound(24 * f));
    EXPECT_EQ(form.grid->columnWidth(1), qRound(96 * f));
    EXPECT_GT(form.grid->rowHeight(0), rowHeight);
    EXPECT_GE(form.grid->rowHeight(0), form.grid->fontMetrics().height());
    // The heading row follows the grid's font.
    EXPECT_EQ(form.grid->horizontalHeader()->font(), form.grid->font());
    // Growing happens once: showing again changes nothing.
    form.hide();
    const QSize grown = form.size();
    form.show();
    EXPECT_EQ(form.size(), grown);
}

// A form that would outgrow its screen grows only as far as the screen holds it, text in proportion.
TEST(FormScale, AFormNeverGrowsPastItsScreen) {
    DesktopFont font(16);
    const QSize room = QApplication::primaryScreen()->availableGeometry().size();
    const QSize design(room.width() * 3 / 4, room.height() / 2);
    PixelForm form(design);
    form.show();
    const qreal f = formScale(form);
    EXPECT_GT(f, 1.0);
    EXPECT_LT(f, fontScale(QApplication::font()));
    EXPECT_LE(form.width(), room.width());
    EXPECT_LE(form.height(), room.height());
    EXPECT_NEAR(qreal(form.width()) / design.width(), f, 0.01);
    EXPECT_NEAR(form.font().pointSizeF(), 16 * f / fontScale(QApplication::font()), 0.01);
}

// Sizes a form sets once it shows (a picture swapped for another language) go through its factor.
TEST(FormScale, SizesSetLaterFollowTheFactor) {
    DesktopFont font(16);
    PixelForm form;
    EXPECT_EQ(formScale(*form.button), 1.0);
    form.show();
    const qreal f = formScale(*form.button);
    EXPECT_GT(f, 1.5);
    EXPECT_EQ(scaledSize(QSize(200, 64), f), QSize(qRound(200 * f), qRound(64 * f)));
}
