#include "ui/kit/FormDialog.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

// A form with one entry box and one button, as the program's forms are built.
class SampleForm : public FormDialog {
public:
    explicit SampleForm(bool enterPressesDefault) {
        box = new QLineEdit(this);
        button = new QPushButton(QStringLiteral("Find"), this);
        button->setDefault(true);
        connect(button, &QPushButton::clicked, this, [this] { ++clicks; });
        if (enterPressesDefault)
            enterPressesDefaultButton();
    }
    void finish() { closeWith(QDialog::Accepted); }
    void allowBox() { allowCloseBox(); }
    void noEscape() { refuseEscape(); }

    QLineEdit* box = nullptr;
    QPushButton* button = nullptr;
    int clicks = 0;
};

bool closeBoxAccepted(QDialog& form) {
    QCloseEvent event;
    QApplication::sendEvent(&form, &event);
    return event.isAccepted();
}

} // namespace

TEST(FormDialog, EnterOffTheButtonsPressesNothingUnlessTheFormAsks) {
    SampleForm form(false);
    form.show();
    form.box->setFocus();
    QTest::keyClick(form.box, Qt::Key_Return);
    EXPECT_EQ(form.clicks, 0);
    QTest::keyClick(form.button, Qt::Key_Return);
    EXPECT_EQ(form.clicks, 1);

    SampleForm asking(true);
    asking.show();
    asking.box->setFocus();
    QTest::keyClick(asking.box, Qt::Key_Enter);
    EXPECT_EQ(asking.clicks, 1);
}

TEST(FormDialog, CloseBoxAndEscapeAreRefusedUntilAllowedAndButtonsClose) {
    SampleForm form(false);
    form.show();
    EXPECT_FALSE(closeBoxAccepted(form));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.isVisible());
    form.finish();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);

    SampleForm allowed(false);
    allowed.allowBox();
    allowed.noEscape();
    allowed.show();
    QTest::keyClick(&allowed, Qt::Key_Escape);
    EXPECT_TRUE(allowed.isVisible());
    EXPECT_TRUE(closeBoxAccepted(allowed));
}
