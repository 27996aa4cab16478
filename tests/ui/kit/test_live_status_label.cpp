#include "ui/kit/LiveStatusLabel.h"
#include "ui/kit/Mnemonics.h"

#include "support/AccessibilityEvents.h"
#include "support/Printers.h"

#include <QAccessible>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::AccessibilityEvents;

namespace {

using Repeat = LiveStatusLabel::Repeat;

// An event as a screen reader's bridge turns it into speech: its kind and the text it brings or takes.
struct Heard {
    QAccessible::Event type;
    QString inserted;
    QString removed;
    bool operator==(const Heard&) const = default;
};

void PrintTo(const Heard& heard, std::ostream* os) {
    *os << "{0x" << std::hex << heard.type << std::dec << " +\"" << heard.inserted.toStdString() << "\" -\""
        << heard.removed.toStdString() << "\"}";
}

// What the label and its notification sent.
std::vector<Heard> heard(const AccessibilityEvents& events, const LiveStatusLabel* label) {
    std::vector<Heard> out;
    for (const AccessibilityEvents::Event& event : events.all())
        if (event.object == label || event.object == label->notice())
            out.push_back({event.type, event.inserted, event.removed});
    return out;
}

struct AnnounceCase {
    const char* name;
    std::vector<std::pair<QString, Repeat>> before; // announced before listening
    QString text;
    Repeat repeat;
    std::vector<Heard> expected;
};

} // namespace

// Each announcement reaches a screen reader as a new name, as the text that came (and went), and as its
// notification shown anew, which is what a screen reader speaks wherever the focus is; a text said already
// is said again only when asked, and silence hides the notification.
TEST(LiveStatusLabel, AnnouncementsShowTheNotificationAndChangeNameAndText) {
    if (!AccessibilityEvents::available())
        GTEST_SKIP() << "this platform has no accessibility";
    const QString a = QStringLiteral("1QV2  \u00b7  Italia");
    const QString b = QStringLiteral("written as n. 13");
    const auto name = QAccessible::NameChanged;
    const Heard shown{QAccessible::ObjectShow, {}, {}};
    const AnnounceCase cases[] = {
        {"first", {}, a, Repeat::IfChanged, {{name, {}, {}}, {QAccessible::TextInserted, a, {}}, shown}},
        {"changed",
         {{a, Repeat::IfChanged}},
         b,
         Repeat::IfChanged,
         {{name, {}, {}}, {QAccessible::TextUpdated, b, a}, shown}},
        {"same text, not asked", {{a, Repeat::IfChanged}}, a, Repeat::IfChanged, {}},
        {"same text, asked again",
         {{a, Repeat::IfChanged}},
         a,
         Repeat::Always,
         {{QAccessible::TextUpdated, a, a}, shown}},
        {"silenced",
         {{a, Repeat::IfChanged}},
         {},
         Repeat::Always,
         {{name, {}, {}}, {QAccessible::TextRemoved, {}, a}, {QAccessible::ObjectHide, {}, {}}}},
        {"silence again", {}, {}, Repeat::Always, {}},
    };
    for (const AnnounceCase& c : cases) {
        SCOPED_TRACE(c.name);
        LiveStatusLabel label;
        label.show();
        AccessibilityEvents events;
        for (const auto& [text, repeat] : c.before)
            label.announce(text, repeat);
        events.clear();
        label.announce(c.text, c.repeat);
        EXPECT_EQ(heard(events, &label), c.expected);
        EXPECT_EQ(label.spokenText(), c.text);
        EXPECT_EQ(label.notice()->isHidden(), c.text.isEmpty());
    }
}

// Said while the label is hidden, the notification is spoken once, when the label appears (a window's
// outcome shown a moment later), not twice.
TEST(LiveStatusLabel, SaidWhileHiddenIsShownOnceWithTheLabel) {
    if (!AccessibilityEvents::available())
        GTEST_SKIP() << "this platform has no accessibility";
    QWidget window;
    auto* label = new LiveStatusLabel(&window);
    label->hide();
    window.show();
    AccessibilityEvents events;
    label->announce(QStringLiteral("Backup OK"));
    EXPECT_TRUE(events.of(label->notice(), QAccessible::ObjectShow).empty());
    label->show();
    EXPECT_EQ(events.of(label->notice(), QAccessible::ObjectShow).size(), 1u);
}

// What the label shows changes without a word, plain or rich, said before or not; what a screen reader
// reads of it is what it said last, as a status bar with that text and a notification of that name.
TEST(LiveStatusLabel, ShowsWithoutSpeakingAndReadsAsAStatusBar) {
    if (!AccessibilityEvents::available())
        GTEST_SKIP() << "this platform has no accessibility";
    LiveStatusLabel silent;
    silent.show();
    AccessibilityEvents quiet;
    silent.setText(QStringLiteral("12:00:01"));
    silent.showRichText(QStringLiteral("<b>3QV</b>  \u00b7  <span style=\"color:#ff0000\">Italia</span>"));
    silent.showRichText(QStringLiteral("<b>3QV1</b>"));
    EXPECT_TRUE(heard(quiet, &silent).empty());
    EXPECT_EQ(silent.shownText(), "3QV1");

    LiveStatusLabel label;
    label.announce(QStringLiteral("score 19"));
    AccessibilityEvents events;
    label.setText(QStringLiteral("<b>12:00:01</b>"));
    label.setText(QStringLiteral("<b>12:00:02</b>"));
    label.showRichText(QStringLiteral("<b>12:00:03</b>"));
    EXPECT_TRUE(heard(events, &label).empty());
    QAccessibleInterface* notice = QAccessible::queryAccessibleInterface(label.notice());
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->role(), QAccessible::Notification);
    EXPECT_EQ(notice->text(QAccessible::Name), "score 19");

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&label);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StatusBar);
    EXPECT_EQ(iface->text(QAccessible::Name), "score 19");
    QAccessibleTextInterface* text = iface->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->characterCount(), 8);
    EXPECT_EQ(text->text(0, -1), "score 19");
    EXPECT_EQ(text->text(6, 99), "19");
    EXPECT_EQ(label.focusPolicy(), Qt::NoFocus);
}

TEST(Mnemonics, EveryTextGetsAFreeLetterWordInitialsFirst) {
    const struct {
        const char* name;
        QStringList texts;
        QStringList expected;
    } cases[] = {
        {"menu bar",
         {"File", "Log", "Print", "Option", "Utility", "?"},
         {"&File", "&Log", "&Print", "&Option", "&Utility", "&?"}},
        {"taken initials", {"Log", "Lingua", "Send log"}, {"&Log", "L&ingua", "&Send log"}},
        {"word initials first", {"Save", "Select log"}, {"&Save", "Select &log"}},
        {"case folded", {"open", "Open again"}, {"&open", "Open &again"}},
        {"ampersand kept", {"Tom && Jerry", "Taste"}, {"&Tom && Jerry", "T&aste"}},
        {"marks dropped first", {"&Exit", "E&xport"}, {"&Exit", "E&xport"}},
        {"none left", {"A", "a", "?", "?!"}, {"&A", "a", "&?", "?&!"}},
        {"accented", {"Èlite", "Esci"}, {"&Èlite", "&Esci"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(withMnemonics(c.texts), c.expected);
        EXPECT_EQ(withMnemonics(withMnemonics(c.texts)), c.expected);
    }
    EXPECT_EQ(withoutMnemonic(QStringLiteral("&Tom && Jerry")), "Tom & Jerry");
}

// Menus and the items of each menu and submenu are marked each among their own; separators are no items.
TEST(Mnemonics, MenuBarMenusAndSubmenusEachGetTheirOwn) {
    QMenuBar bar;
    QMenu* file = bar.addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Exit"));
    file->addSeparator();
    file->addAction(QStringLiteral("Export"));
    QMenu* options = bar.addMenu(QStringLiteral("Option"));
    QMenu* language = options->addMenu(QStringLiteral("Lingua"));
    language->addAction(QStringLiteral("Italiano"));
    language->addAction(QStringLiteral("Inglese"));
    giveMnemonics(&bar);
    giveMnemonics(&bar);
    EXPECT_EQ(file->title(), "&File");
    EXPECT_EQ(options->title(), "&Option");
    EXPECT_EQ(file->actions()[0]->text(), "&Exit");
    EXPECT_EQ(file->actions()[2]->text(), "E&xport");
    EXPECT_EQ(language->title(), "&Lingua");
    EXPECT_EQ(language->actions()[0]->text(), "&Italiano");
    EXPECT_EQ(language->actions()[1]->text(), "I&nglese");
}
