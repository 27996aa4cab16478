#include "support/Printers.h"
#include "ui/kit/EntryKeyFilter.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

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

namespace {

// A drop arrives through the drag that carries it; without one the test hands it to the filter as the
// application would.
class OpenFilter : public EntryKeyFilter {
public:
    using EntryKeyFilter::EntryKeyFilter;
    using EntryKeyFilter::eventFilter;
};

enum class Path { CtrlV, ShiftInsert, ContextMenu, Drop, InputMethod, MiddleButton };

// Brings the text into the box the way a person would on that path.
void bringIn(OpenFilter& filter, QLineEdit& box, Path path, const QString& text) {
    switch (path) {
    case Path::CtrlV:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        break;
    case Path::ShiftInsert:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Path::ContextMenu: {
        QApplication::clipboard()->setText(text);
        // The menu runs its own loop: choose Paste in it, and close it whatever it holds.
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(QLineEdit::tr("&Paste")) && action->isVisible())
                    action->trigger();
            }
            menu->close();
        });
        const QPoint at = box.rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, box.mapToGlobal(at));
        QApplication::sendEvent(&box, &event);
        break;
    }
    case Path::Drop: {
        QMimeData data;
        data.setText(text);
        QDropEvent event(QPointF(box.width() - 2, box.height() / 2.0), Qt::CopyAction, &data, Qt::LeftButton,
                         Qt::NoModifier);
        filter.eventFilter(&box, &event);
        break;
    }
    case Path::InputMethod: {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(&box, &event);
        break;
    }
    case Path::MiddleButton:
        QApplication::clipboard()->setText(text, QClipboard::Selection);
        QTest::mouseClick(&box, Qt::MiddleButton, {}, QPoint(box.width() - 2, box.height() / 2));
        break;
    }
}

} // namespace

// Text that does not come from typed keys meets the same character rules, or none gets in where the
// window takes keys only; an input method's text is typing and always meets the rules.
TEST(EntryKeyFilter, EveryWayInMeetsTheRulesOfTypedKeys) {
    using Shortcuts = EntryKeyFilter::Shortcuts;
    const QString pasted = QStringLiteral("3x>\tb") + QChar(0) + QStringLiteral("\u0436c d");
    const struct {
        const char* name;
        Path path;
        const char* editing;  // what a form's box shows after it
        const char* copyOnly; // what the logging row's box shows
    } cases[] = {
        {"Ctrl+V", Path::CtrlV, "ABXBC", "AB"},
        {"Shift+Insert", Path::ShiftInsert, "ABXBC", "AB"},
        {"context menu", Path::ContextMenu, "ABXBC", "AB"},
        {"drop", Path::Drop, "ABXBC", "AB"},
        {"input method", Path::InputMethod, "ABXBC", "ABXBC"},
        {"middle button", Path::MiddleButton, "ABXBC", "AB"},
    };
    const bool selection = QApplication::clipboard()->supportsSelection();
    for (const auto& c : cases) {
        for (const Shortcuts shortcuts : {Shortcuts::Editing, Shortcuts::CopyOnly}) {
            SCOPED_TRACE(std::string(c.name) +
                         (shortcuts == Shortcuts::Editing ? " in a form" : " in a row"));
            OpenFilter filter({letters, shortcuts, EntryKeyFilter::FocusSelection::All, false,
                               [](const QLineEdit*) { return 5; }});
            QLineEdit box;
            box.resize(200, 30);
            box.setText(QStringLiteral("AB"));
            filter.watch(&box);
            box.show();
            bringIn(filter, box, c.path, pasted);
            // Without an X selection (the offscreen platform) the middle button brings nothing in.
            const char* expected = shortcuts == Shortcuts::Editing ? c.editing : c.copyOnly;
            if (c.path == Path::MiddleButton && !selection)
                expected = "AB";
            EXPECT_EQ(box.text(), QString::fromLatin1(expected));
            // The limit holds for what arrives at once as for what is typed.
            if (shortcuts == Shortcuts::Editing || c.path == Path::InputMethod) {
                bringIn(filter, box, c.path, QStringLiteral("zz"));
                EXPECT_EQ(box.text(), QString::fromLatin1(expected));
            }
        }
    }
}
