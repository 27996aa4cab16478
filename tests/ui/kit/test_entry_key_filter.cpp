#include "support/Printers.h"
#include "ui/kit/EntryKeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

bool letters(const QLineEdit*, QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

} // namespace

TEST(EntryKeyFilter, KeysFollowTheRulesOfTheWindow) {
    using Shortcuts = EntryKeyFilter::Shortcuts;
    struct Case {
        const char* what;
        Shortcuts shortcuts;
        bool escapeReported;
        bool readOnly;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;
        const char* shown;
        int enters;
        int escapes;
    };
    const Case cases[] = {
        {"lower case becomes capital", Shortcuts::CopyOnly, true, false, Qt::Key_A, {}, "a", "A", 0, 0},
        {"a capital stays", Shortcuts::Editing, false, false, Qt::Key_B, Qt::ShiftModifier, "B", "B", 0, 0},
        {"not admitted", Shortcuts::Editing, false, false, Qt::Key_1, {}, "1", "", 0, 0},
        {"a composed pair", Shortcuts::CopyOnly, false, false, Qt::Key_unknown, {}, "ab", "AB", 0, 0},
        {"one bad of a pair", Shortcuts::CopyOnly, false, false, Qt::Key_unknown, {}, "a1", "", 0, 0},
        {"read-only", Shortcuts::Editing, false, true, Qt::Key_A, {}, "a", "", 0, 0},
        {"Enter is reported", Shortcuts::Editing, false, false, Qt::Key_Return, {}, "\r", "", 1, 0},
        {"Escape reported", Shortcuts::CopyOnly, true, false, Qt::Key_Escape, {}, "\x1b", "", 0, 1},
        {"Escape left alone", Shortcuts::Editing, false, false, Qt::Key_Escape, {}, "\x1b", "", 0, 0},
        {"Alt types nothing", Shortcuts::CopyOnly, false, false, Qt::Key_A, Qt::AltModifier, "a", "", 0, 0},
        {"Alt types in a form", Shortcuts::Editing, false, false, Qt::Key_A, Qt::AltModifier, "a", "A", 0, 0},
    };
    for (const Case& c : cases) {
        EntryKeyFilter filter({letters, c.shortcuts, EntryKeyFilter::FocusSelection::All, c.escapeReported});
        QLineEdit box;
        box.setReadOnly(c.readOnly);
        filter.watch(&box);
        int enters = 0;
        int escapes = 0;
        QObject::connect(&filter, &EntryKeyFilter::enterPressed, [&enters] { ++enters; });
        QObject::connect(&filter, &EntryKeyFilter::escapePressed, [&escapes] { ++escapes; });
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QString::fromLatin1(c.text));
        QApplication::sendEvent(&box, &press);
        EXPECT_EQ(box.text(), QString::fromLatin1(c.shown)) << c.what;
        EXPECT_EQ(enters, c.enters) << c.what;
        EXPECT_EQ(escapes, c.escapes) << c.what;
    }
}

TEST(EntryKeyFilter, FocusSelectsTheTextAndShowsItFromTheStartWhereAsked) {
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* box = new QLineEdit(&window);
    EntryKeyFilter fromStart({letters, EntryKeyFilter::Shortcuts::CopyOnly,
                              EntryKeyFilter::FocusSelection::TextFromTheStart, true});
    fromStart.watch(box);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    box->setText(QStringLiteral("ANDAMAN & NICOBAR ISLANDS "));
    other->setFocus();
    box->setFocus();
    EXPECT_EQ(box->selectedText(), "ANDAMAN & NICOBAR ISLANDS");
    EXPECT_EQ(box->cursorPosition(), 0);

    EntryKeyFilter whole({letters, EntryKeyFilter::Shortcuts::Editing, EntryKeyFilter::FocusSelection::All});
    box->removeEventFilter(&fromStart);
    whole.watch(box);
    other->setFocus();
    box->setFocus();
    EXPECT_EQ(box->selectedText(), "ANDAMAN & NICOBAR ISLANDS ");
}
