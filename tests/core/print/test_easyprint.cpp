#include "core/print/EasyPrint.h"
#include "core/print/PrintErrorReporter.h"
#include "support/RecordingSurface.h"

#include <gtest/gtest.h>

#include <deque>
#include <tuple>

using namespace qvmd;
using test::RecordingSurface;
using Kind = RecordingSurface::Kind;

namespace {

// Records the engine's messages and answers its question from a script (No when empty).
struct ScriptedReporter : PrintErrorReporter {
    QStringList critical_;
    QStringList questions;
    std::deque<bool> answers;
    void critical(const QString& title, const QString& text) override { critical_ << title + "|" + text; }
    bool ask(const QString&, const QString& question) override {
        questions << question;
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A recording printer without margins, so that device millimetres are the caller's.
struct Engine : ::testing::Test {
    RecordingSurface printer;
    EasyPrint engine{printer};

    Engine() { engine.setFontSize(10); } // characters 2 mm wide, lines 4 mm high
};

} // namespace

TEST(EasyPrintSetup, ZeroLineSpacingStoresOneAndTheSecondLineSitsThatMuchLower) {
    // Writing 0 stores 1; writing 0.5 stores 0.5. At size 10 a line is 4 mm high.
    for (const auto& [written, stored, secondLineY] : {std::tuple{0.0, 1.0, 25.0}, {0.5, 0.5, 24.5}}) {
        RecordingSurface printer;
        EasyPrint engine(printer);
        engine.setFontSize(10);
        engine.setSpaziaturaLinea(written);
        EXPECT_EQ(engine.SpaziaturaLinea(), stored) << written;
        engine.PrintLeft(10, 20, QStringLiteral("AB\r\nCD"));
        ASSERT_EQ(printer.texts().size(), 2u);
        EXPECT_DOUBLE_EQ(printer.texts()[1].y, secondLineY) << written;
    }
}

TEST(EasyPrintSetup, OffsetsComeNegativeFromThePrintersMarginAndPositionsCountFromThePaper) {
    RecordingSurface printer(600, QPointF(100, 100));
    EasyPrint engine(printer);
    EXPECT_NEAR(engine.AreaNonStampabileX(), -4.233, 0.001);
    EXPECT_NEAR(engine.AreaNonStampabileY(), -4.233, 0.001);
    engine.setCurrentX(10);
    EXPECT_NEAR(printer.currentX(), 5.767, 0.001);
    EXPECT_DOUBLE_EQ(engine.CurrentX(), 10);
    // Drawn text lands on the device shifted by the margin; the page is the paper again.
    engine.PrintLeft(20, 30, QStringLiteral("A"));
    ASSERT_EQ(printer.texts().size(), 1u);
    EXPECT_NEAR(printer.texts()[0].x, 20 - 4.233, 0.001);
    EXPECT_NEAR(printer.texts()[0].y, 30 - 4.233, 0.001);
    EXPECT_NEAR(engine.PageWidth(), 210, 0.05);
    EXPECT_NEAR(engine.PageHeight(), 297, 0.05);
}

TEST_F(Engine, PageCountsFinishedPreviewPagesAndNothingBeforePreview) {
    EXPECT_EQ(engine.PagineTotAnteprima(), 0);
    EXPECT_EQ(engine.Page(), 1);
    engine.setAnteprima(true);
    engine.PrintLeft(10, 10, QStringLiteral("one"));
    engine.NewPage();
    engine.PrintLeft(10, 10, QStringLiteral("two"));
    engine.NewPage();
    EXPECT_EQ(engine.Page(), 3);
    EXPECT_EQ(engine.PagineTotAnteprima(), 2);
    EXPECT_TRUE(printer.ops.empty()) << "recording draws nothing";
    engine.EndDoc();
    engine.EndDoc();
    EXPECT_EQ(engine.PagineTotAnteprima(), 3) << "a second end does not list the last page again";

    EXPECT_FALSE(engine.RimuoviPaginaAnteprima(0));
    EXPECT_FALSE(engine.RimuoviPaginaAnteprima(4));
    EXPECT_TRUE(engine.RimuoviPaginaAnteprima(1));
    ASSERT_EQ(engine.PagineTotAnteprima(), 2);
    EXPECT_EQ(engine.paginaAnteprima(1)->commands().front().P3.toString(), QStringLiteral("two"));

    engine.setAnteprima(false);
    EXPECT_EQ(engine.PagineTotAnteprima(), 0);
    EXPECT_EQ(engine.Page(), 1);
}

TEST_F(Engine, ZoomedReplayScalesFontsAndKeepsLinesAtLeastOnePixel) {
    EXPECT_EQ(EasyPrint::ScalaZoom(10, 50), 5);
    EXPECT_EQ(EasyPrint::ScalaZoom(1, 50), 1);
    EXPECT_EQ(EasyPrint::ScalaZoom(10, 200), 20);

    engine.setAnteprima(true);
    engine.setFontSize(10);
    engine.setDrawWidth(1);
    engine.PrintLeft(10, 20, QStringLiteral("Zoom"));
    engine.PrintShape(10, 30, 50, 0);
    engine.EndDoc();

    RecordingSurface screen(96, {}, {105, 148.5});
    engine.VisualizzaPaginaAnteprima(screen, 1, 50, 0, 0);
    const auto texts = screen.texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font.size, 5);
    const auto lines = screen.only(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].width, 1);
    // The preview shows the printer's area whatever its size: positions keep their proportion.
    EXPECT_NEAR(texts[0].px.x() / screen.pixelWidth(), 10.0 / 210, 1e-9);
    EXPECT_FALSE(screen.hasUserScale()) << "the scale goes back to millimetres";
    EXPECT_TRUE(engine.Anteprima());
}

TEST_F(Engine, ReplayOntoThePrinterDrawsWhatDirectDrawingDraws) {
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.setDotsPerMeterX(1000); // 1 pixel per millimetre
    picture.setDotsPerMeterY(1000);
    double radius = 3;
    double cell = 0;
    double top = 50;
    const auto draw = [&] {
        engine.setSpaziaturaLinea(2);
        engine.setFontName(QStringLiteral("Arial"));
        engine.setFontBold(true);
        engine.setForeColor(0x0000FF);
        engine.PrintLeft(10, 10, QStringLiteral("left\r\nsecond"), 5, 0);
        engine.PrintRight(100, 10, QStringLiteral("right"));
        engine.PrintCentre(50, 20, QStringLiteral("centre"));
        engine.PrintShape(10, 30, 40, 20, radius);
        engine.PrintPicture(60, 30, picture);
        engine.PrintIncasellato(10, 60, QStringLiteral("ABC"), cell);
        engine.PrintRuotato(10, 80, 45, QStringLiteral("tilt"));
        engine.PrintIncolonnato(10, 90, QStringLiteral("one two three four five"), top, 20, 0, 5, 10, 10);
        engine.setCurrentX(7);
        engine.setCurrentY(8);
    };
    draw();
    const std::vector<RecordingSurface::Op> direct = printer.ops;
    printer.ops.clear();

    engine.setAnteprima(true);
    radius = 3;
    cell = 0;
    draw();
    engine.EndDoc();
    EXPECT_TRUE(printer.ops.empty());
    engine.StampaPaginaAnteprima(1, 0, 0);

    ASSERT_EQ(printer.ops.size(), direct.size());
    for (std::size_t i = 0; i < direct.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(printer.ops[i].kind, direct[i].kind);
        EXPECT_EQ(printer.ops[i].text, direct[i].text);
        EXPECT_NEAR(printer.ops[i].x, direct[i].x, 1e-9);
        EXPECT_NEAR(printer.ops[i].y, direct[i].y, 1e-9);
        EXPECT_EQ(printer.ops[i].font, direct[i].font);
        EXPECT_EQ(printer.ops[i].colour, direct[i].colour);
    }
    EXPECT_DOUBLE_EQ(engine.CurrentX(), 7);
}

TEST_F(Engine, MultiLineTextGoesDownOneLinePlusSpacingWithTheIndentOnTheFirstLineOnly) {
    engine.setSpaziaturaLinea(1.5);
    engine.PrintLeft(10, 20, QStringLiteral("AB\r\n  CD"), 3, 0);
    const auto texts = printer.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("AB"));
    EXPECT_DOUBLE_EQ(texts[0].x, 13);
    EXPECT_DOUBLE_EQ(texts[0].y, 20);
    EXPECT_EQ(texts[1].text, QStringLiteral("CD"));
    EXPECT_DOUBLE_EQ(texts[1].x, 10);
    EXPECT_DOUBLE_EQ(texts[1].y, 20 + 4 + 1.5);
}

TEST_F(Engine, AlignmentAndShorteningToAWidth) {
    struct Case {
        const char* name;
        int code;
        double x;
        int maxWidth;
        const char* text;
        const char* printed;
        double left;
    };
    // Characters are 2 mm wide.
    const Case cases[] = {
        {"left, no limit", Comando::PrintLeft, 10, 0, "ABCDEFGH", "ABCDEFGH", 10},
        {"left keeps the start", Comando::PrintLeft, 10, 9, "ABCDEFGH", "ABCD", 10},
        {"right keeps the end", Comando::PrintRight, 50, 9, "ABCDEFGH", "EFGH", 42},
        {"centre keeps the start", Comando::PrintCentre, 50, 6, "ABCDEFGH", "ABC", 47},
        {"narrower than a character", Comando::PrintLeft, 10, 1, "ABC", "", 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        printer.ops.clear();
        QString text = QString::fromLatin1(c.text);
        if (c.code == Comando::PrintLeft)
            engine.PrintLeft(c.x, 5, text, 0, c.maxWidth);
        else if (c.code == Comando::PrintRight)
            engine.PrintRight(c.x, 5, text, 0, c.maxWidth);
        else
            engine.PrintCentre(c.x, 5, text, c.maxWidth);
        ASSERT_EQ(printer.texts().size(), 1u);
        EXPECT_EQ(printer.texts()[0].text, QString::fromLatin1(c.printed));
        EXPECT_EQ(text, QString::fromLatin1(c.printed)) << "the caller's text is shortened too";
        EXPECT_DOUBLE_EQ(printer.texts()[0].x, c.left);
    }
}

TEST_F(Engine, NegativePositionKeepsWhereThePreviousOutputLeftOff) {
    engine.PrintLeft(10, 20, QStringLiteral("A"));
    engine.PrintLeft(30, -1, QStringLiteral("B")); // one line below, at X 30
    engine.PrintLeft(-1, 50, QStringLiteral("C")); // at X 0 where printing left it
    const auto texts = printer.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_DOUBLE_EQ(texts[1].x, 30);
    EXPECT_DOUBLE_EQ(texts[1].y, 24);
    EXPECT_DOUBLE_EQ(texts[2].x, 0);
    EXPECT_DOUBLE_EQ(texts[2].y, 50);
}

TEST_F(Engine, BoxedCharactersTakeTheWidthOfXWhenNoCellIsGivenAndStopAtThePageEdge) {
    double cell = 0;
    engine.PrintIncasellato(10, 20, QStringLiteral("ABC"), cell);
    EXPECT_DOUBLE_EQ(cell, 2);
    auto texts = printer.texts();
    ASSERT_EQ(texts.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(texts[std::size_t(i)].x, 10 + 2 * i);

    printer.ops.clear();
    cell = 50;
    engine.PrintIncasellato(10, 20, QStringLiteral("ABCDEFG"), cell);
    EXPECT_EQ(printer.textsOn(1), QStringList({"A", "B", "C", "D"})); // a fifth cell would pass 210 mm
}

TEST_F(Engine, RoundedBoxIsDrawnRoundFromTheTopLeftAndClampsItsRadius) {
    double radius = 5;
    engine.PrintShape(10, 20, 10, 4, radius);
    EXPECT_DOUBLE_EQ(radius, 2);
    const auto& ops = printer.ops;
    ASSERT_EQ(ops.size(), 8u);
    const Kind order[] = {Kind::Line, Kind::Arc, Kind::Line, Kind::Arc,
                          Kind::Line, Kind::Arc, Kind::Line, Kind::Arc};
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(ops[i].kind, order[i]) << i;
    // Top edge, then the top-right corner from 0 to 90 degrees, the bottom-right from 270 round to 360.
    EXPECT_DOUBLE_EQ(ops[0].x, 12);
    EXPECT_DOUBLE_EQ(ops[0].x2, 18);
    EXPECT_NEAR(ops[1].start, 0, 1e-6);
    EXPECT_NEAR(ops[1].span, 90, 1e-4);
    EXPECT_NEAR(ops[3].start, 270, 1e-4);
    EXPECT_NEAR(ops[3].span, 90, 1e-4);
    EXPECT_NEAR(ops[5].start, 180, 1e-4);
    EXPECT_NEAR(ops[7].start, 90, 1e-4);
    EXPECT_DOUBLE_EQ(ops[6].x, 10);
    EXPECT_DOUBLE_EQ(ops[6].y, 22);
    EXPECT_DOUBLE_EQ(engine.CurrentX(), 20);
    EXPECT_DOUBLE_EQ(engine.CurrentY(), 24);

    printer.ops.clear();
    engine.PrintShape(30, 40, 10, 5);
    ASSERT_EQ(printer.ops.size(), 1u);
    EXPECT_EQ(printer.ops[0].kind, Kind::Rect);
    EXPECT_DOUBLE_EQ(engine.CurrentX(), 40);
    EXPECT_DOUBLE_EQ(engine.CurrentY(), 45);
}

TEST_F(Engine, PictureSizeFromTheArgumentsOrItsOwn) {
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.setDotsPerMeterX(1000);
    picture.setDotsPerMeterY(1000);
    struct Case {
        double height, width, drawnWidth, drawnHeight;
    };
    for (const Case& c : {Case{0, 0, 30, 20}, Case{10, 15, 15, 10}, Case{0, 15, 15, 20}, Case{10, 0, 30, 10},
                          Case{-1, 15, 30, 20}}) {
        printer.ops.clear();
        engine.PrintPicture(5, 5, picture, c.height, c.width);
        ASSERT_EQ(printer.ops.size(), 1u);
        EXPECT_DOUBLE_EQ(printer.ops[0].x2 - printer.ops[0].x, c.drawnWidth) << c.height << " " << c.width;
        EXPECT_DOUBLE_EQ(printer.ops[0].y2 - printer.ops[0].y, c.drawnHeight) << c.height << " " << c.width;
    }
    engine.setAnteprima(true);
    engine.PrintPicture(5, 5, picture, 0, 0);
    engine.EndDoc();
    const ClsComandi recorded = engine.paginaAnteprima(1)->commands().at(0);
    EXPECT_DOUBLE_EQ(recorded.P4.toDouble(), 20);
    EXPECT_DOUBLE_EQ(recorded.P5.toDouble(), 30);

    printer.ops.clear();
    engine.setAnteprima(false);
    engine.PrintPicture(5, 5, QImage());
    EXPECT_TRUE(printer.ops.empty());
    EXPECT_EQ(engine.lastError(), PrintError::InvalidPicture);
}

TEST_F(Engine, ColumnTextCarriesWholeWordsJustifiesFullLinesAndCutsLongWords) {
    double top = 20;
    // 20 mm columns hold ten characters.
    engine.PrintIncolonnato(10, 20, QStringLiteral("AAA BBB CCC DDD\r\nABCDEFGHIJKLMN"), top, 20, 0, 5, 10,
                            10);
    const auto texts = printer.texts();
    QStringList printed;
    for (const auto& t : texts)
        printed << QStringLiteral("%1@%2,%3").arg(t.text).arg(t.x).arg(t.y);
    EXPECT_EQ(printed, QStringList({
                           "AAA@10,20",
                           "BBB@24,20",        // full line stretched to 20 mm
                           "CCC DDD@10,24",    // last line of the source line, as it is
                           "ABCDEFGHIJ@10,28", // a word longer than the column is cut
                           "KLMN@10,32",
                       }));
}

TEST_F(Engine, ColumnTextFlowsIntoTheNextColumnAndPage) {
    double top = 100;
    QStringList source;
    for (int i = 0; i < 80; ++i)
        source << QStringLiteral("line%1").arg(i);
    // Bottom at 297 - 4 = 293 mm: from Y 250 eleven lines fit, then the next column starts at the top.
    engine.setAnteprima(true);
    engine.PrintIncolonnato(10, 250, source.join(QStringLiteral("\r\n")), top, 90, 0, 10, 15, 30);
    engine.EndDoc();
    ASSERT_NE(engine.paginaAnteprima(1), nullptr);
    const std::vector<ClsComandi> first = engine.paginaAnteprima(1)->commands();
    ASSERT_GE(first.size(), 12u);
    EXPECT_EQ(first[0].Comando, Comando::StampaA);
    EXPECT_DOUBLE_EQ(first[10].P2.toDouble(), 290);
    EXPECT_DOUBLE_EQ(first[11].P1.toDouble(), 110) << "second column";
    EXPECT_DOUBLE_EQ(first[11].P2.toDouble(), 100) << "at the column top";
    EXPECT_EQ(first.back().Comando, Comando::NewPage);
    EXPECT_EQ(engine.PagineTotAnteprima(), 2);
    EXPECT_DOUBLE_EQ(top, 30) << "the new page's top goes back to the caller";
    EXPECT_DOUBLE_EQ(engine.paginaAnteprima(2)->commands()[0].P1.toDouble(), 15);
}

TEST_F(Engine, JustifiedLineWithOneWordIsNotStretched) {
    engine.setAnteprima(true);
    double top = 0;
    engine.PrintIncolonnato(10, 20, QStringLiteral("ABCDEFGHIJKL"), top, 20, 0, 5, 10, 10);
    engine.EndDoc();
    const std::vector<ClsComandi> page = engine.paginaAnteprima(1)->commands();
    ASSERT_EQ(page.size(), 2u);
    EXPECT_EQ(page[0].Comando, Comando::StampaRigaGiustificata);
    engine.setAnteprima(false);
    engine.StampaPaginaAnteprima(1, 0, 0); // no pages any more: reported, nothing drawn
    EXPECT_TRUE(printer.ops.empty());

    engine.setAnteprima(true);
    engine.PrintIncolonnato(10, 20, QStringLiteral("ABCDEFGHIJKL"), top, 20, 0, 5, 10, 10);
    engine.EndDoc();
    engine.StampaPaginaAnteprima(1, 0, 0);
    const auto texts = printer.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("ABCDEFGHIJ"));
    EXPECT_DOUBLE_EQ(texts[0].x, 10);
}

TEST_F(Engine, RotatedTextUsesALogicalFontTurnedByTheAngle) {
    engine.PrintRuotato(20, 30, 90, QStringLiteral("up"));
    const auto rotated = printer.only(Kind::Rotated);
    ASSERT_EQ(rotated.size(), 1u);
    EXPECT_EQ(rotated[0].rotated.escapement, 900);
    EXPECT_EQ(rotated[0].rotated.height, 2540 / 72);
    EXPECT_EQ(rotated[0].rotated.weight, 400);
    EXPECT_NEAR(rotated[0].x, 20, 0.05);
    EXPECT_NEAR(rotated[0].y, 30, 0.05);

    ClsRotator rotator;
    rotator.Device(&printer);
    engine.setFontName(QString(40, QLatin1Char('F')));
    EXPECT_EQ(rotator.logicalFont().face.size(), 31) << "the face name is cut to the record's size";
}

TEST_F(Engine, ErrorsShowUntilTheUserDeclinesAndAgainAfterTheDocumentEnds) {
    ScriptedReporter reporter;
    engine.setErrorReporter(&reporter);
    reporter.answers = {true, false};
    printer.failNext = PrintError::PrinterError;

    engine.PrintLeft(10, 10, QStringLiteral("a"));
    ASSERT_EQ(reporter.critical_.size(), 1);
    EXPECT_EQ(reporter.critical_[0],
              QStringLiteral("EasyPrint|Errore nella routine di stampa\nErrore numero: "
                             "482\nErrore della stampante"));
    EXPECT_EQ(reporter.questions, QStringList{QStringLiteral("Visualizzare ulteriori errori ?")});
    engine.PrintLeft(10, 10, QStringLiteral("b")); // answered No this time
    engine.PrintLeft(10, 10, QStringLiteral("c"));
    engine.PrintShape(10, 10, 5, 5);
    EXPECT_EQ(reporter.critical_.size(), 2);
    EXPECT_TRUE(engine.errorsSilenced());
    EXPECT_EQ(engine.lastError(), 482);

    engine.EndDoc();
    EXPECT_FALSE(engine.errorsSilenced());
    EXPECT_EQ(engine.lastError(), 0);
    engine.PrintLeft(10, 10, QStringLiteral("d"));
    EXPECT_EQ(reporter.critical_.size(), 3);

    printer.failNext = 0;
    engine.setAnteprima(true);
    RecordingSurface screen;
    engine.VisualizzaPaginaAnteprima(screen, 5, 100, 0, 0);
    EXPECT_EQ(reporter.critical_.last(), QStringLiteral("EasyPrint.VisualizzaPaginaAnteprima|9- Indice non "
                                                        "incluso nell'intervallo"));
}
