#include "core/print/ClsPagina.h"
#include "core/print/EasyPrint.h"
#include "core/print/LogReport.h"
#include "core/print/PainterSurface.h"
#include "support/RecordingSurface.h"

#include <QColor>

#include <gtest/gtest.h>

using namespace qvmd;

TEST(RecordedPage, EveryKindOfParameterComesBackAsItWasGiven) {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString text = QStringLiteral("NICOL\u00D2 \u20AC \U0001F4FB");
    const QVariant other = QVariant::fromValue(QColor(Qt::blue));
    struct Command {
        int code;
        QVariantList params;
    };
    const std::vector<Command> given = {
        {Comando::PrintLeft, {12.5, -0.001, text, 2.25, 180}},
        {Comando::PrintRight, {-0.0, 40.0, QStringLiteral("NICOL\u00D2 \u00FF"), 0.0, 0}},
        {Comando::FontBold, {true}},
        {Comando::FontItalic, {false}},
        {Comando::ForeColor, {-2147483647 - 1}},
        {Comando::PrintCentre, {1e300, 0.0, QString(), QVariant(), 7}},
        {Comando::PrintPicture, {1.0, 2.0, picture, 3.0, 4.0}},
        {Comando::NewPage, {}},
        {99, {QVariant(), QVariant(), QVariant(), QVariant(), other}},
    };
    ClsPagina page;
    for (const Command& c : given) {
        ClsComandi command;
        command.Comando = std::int16_t(c.code);
        QVariant* place[] = {&command.P1, &command.P2, &command.P3, &command.P4, &command.P5};
        for (qsizetype i = 0; i < c.params.size(); ++i)
            *place[i] = c.params[i];
        page.add(command);
    }
    page.shrink();

    const std::vector<ClsComandi> back = page.commands();
    ASSERT_EQ(page.size(), given.size());
    ASSERT_EQ(back.size(), given.size());
    for (std::size_t n = 0; n < given.size(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(back[n].Comando, given[n].code);
        const QVariant* place[] = {&back[n].P1, &back[n].P2, &back[n].P3, &back[n].P4, &back[n].P5};
        for (qsizetype i = 0; i < 5; ++i) {
            const QVariant expected = given[n].params.value(i);
            EXPECT_EQ(place[i]->typeId(), expected.typeId()) << i;
            EXPECT_EQ(*place[i], expected) << i;
        }
    }
    EXPECT_EQ(back[6].P3.value<QImage>().cacheKey(), picture.cacheKey())
        << "the picture is shared, not copied";
}

TEST(RecordedPage, AFullContactPageOfTheReportIsHeldPacked) {
    test::RecordingSurface printer;
    EasyPrint engine(printer);
    engine.setAnteprima(true);
    int next = 0;
    LogReport(engine).StampaLog(LogReportData(), LogReportTexts(), [&next](QStringList& fields) {
        if (++next > 46) // one full contact page, then the summary
            return false;
        fields = {QString::number(next),
                  QStringLiteral("7"),
                  QStringLiteral("5QV%1").arg(next),
                  QStringLiteral("MARIA ROSSI"),
                  QStringLiteral("L"),
                  QStringLiteral("Italia"),
                  QStringLiteral("06/03/2015 14:05:09"),
                  QStringLiteral("N")};
        return true;
    });
    ASSERT_EQ(engine.PagineTotAnteprima(), 2);
    const ClsPagina* page = engine.paginaAnteprima(1);
    ASSERT_GT(page->size(), 46u * 10);
    // About 30 bytes a call (five variants a call took 170 and more): the 700 pages of a 32,000-contact log
    // must not take tens of megabytes.
    EXPECT_LT(page->heldBytes(), page->size() * 40) << page->size() << " calls";
}

TEST(PainterMeasure, TheSameTextIsMeasuredAnewInAnotherFont) {
    QImage page(400, 400, QImage::Format_ARGB32_Premultiplied);
    PainterSurface surface(page);
    const QString text = QStringLiteral("Abc");
    surface.setFontSize(10);
    const double small = surface.textWidth(text);
    surface.setFontSize(20);
    const double large = surface.textWidth(text);
    surface.setFontBold(true);
    const double bold = surface.textWidth(text);
    surface.setFontSize(10);
    surface.setFontBold(false);
    EXPECT_GT(small, 0);
    EXPECT_NEAR(large, 2 * small, small * 0.2);
    EXPECT_GT(bold, large);
    EXPECT_DOUBLE_EQ(surface.textWidth(text), small);
    EXPECT_DOUBLE_EQ(surface.textWidth(text + QStringLiteral("\r")), small) << "a line end is not measured";
}
