#include "support/LogWindowFixture.h"

#include "ui/logfile/frm_log_exist.h"

#include <QImage>

using namespace qvmd;
using namespace qvmd::test;

namespace {

class ItalianLogWindow : public LogWindowFixture {
protected:
    ItalianLogWindow() { state.LanguageOffset = 0; }
};

using NonQvStation = LogWindowFixture;

// The share of the check box's pixels that are plainly red.
double redShare(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    return double(red) / (image.width() * image.height());
}

} // namespace

// What an Italian operator reads where the texts once read wrongly.
TEST_F(ItalianLogWindow, TextsReadAsItalianOperatorsWriteThem) {
    frm_Log& log = open();
    QString notFound;
    seams.onWindow(QStringLiteral("frm_messag"), [&notFound](QDialog& dialog) {
        notFound = dialog.findChild<QLabel*>(QStringLiteral("Label4"))->text();
        return int(QDialog::Rejected);
    });
    find(QStringLiteral("9"), QStringLiteral("999"));
    click(log.cmd_Empty);
    frm_log_exist exists(state, seams);
    ASSERT_EQ(seams.questions.size(), 1u);
    const struct {
        const char* where;
        QString shown;
        QString expected;
    } texts[] = {
        {"above the next number sent", log.lbl_Sends->text(), QStringLiteral("N. inviato")},
        {"the question before a blank line", seams.questions[0].text,
         QStringLiteral("Stai per inserire una riga vuota, che sarà registrata come annullata.\r          "
                        "Sei sicuro?")},
        {"a station missing from the Lady roster", notFound,
         QStringLiteral("Non risulta tra le stazioni Lady")},
        {"replacing an existing log", exists.Label4->text(), QStringLiteral("Sei sicuro?")},
    };
    for (const auto& t : texts)
        EXPECT_EQ(t.shown, t.expected) << t.where;
}

TEST_F(NonQvStation, TickingTurnsTheCheckBoxRedAndClearingRestoresIt) {
    frm_Log& log = open();
    const double before = redShare(*log.Check1);
    click(log.Check1);
    ASSERT_TRUE(log.Check1->isChecked());
    EXPECT_GT(redShare(*log.Check1), 0.5) << "the box itself, not only the edge of its tick box";
    click(log.Check1);
    EXPECT_DOUBLE_EQ(redShare(*log.Check1), before);
    click(log.Check1);
    click(log.cmd_Clear);
    EXPECT_FALSE(log.Check1->isChecked());
    EXPECT_DOUBLE_EQ(redShare(*log.Check1), before);
}
