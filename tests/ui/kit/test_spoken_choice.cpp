#include "ui/kit/LiveStatusLabel.h"
#include "ui/kit/SpokenChoice.h"

#include "support/AccessibilityEvents.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::AccessibilityEvents;

namespace {

// What the box's own voice said.
QStringList said(const AccessibilityEvents& events, const QComboBox& box) {
    const auto* voice = box.findChild<LiveStatusLabel*>();
    return voice ? events.spoken(voice) : QStringList{QStringLiteral("(no voice)")};
}

void focusOn(QWidget& window, QWidget& control) {
    window.show();
    QApplication::setActiveWindow(&window);
    control.setFocus(Qt::TabFocusReason);
    QApplication::processEvents(); // what follows the focus is told once the focus has been
}

} // namespace

// A closed box says its value as the focus comes (an editable one's text is read then anyway) and each
// value the arrows move to; a value set while the focus is elsewhere is not said.
TEST(SpokenChoice, TheValueIsSaidAtTheFocusAndAtEachArrow) {
    if (!AccessibilityEvents::available())
        GTEST_SKIP() << "this platform has no accessibility";
    struct Case {
        bool editable;
        QStringList atFocus;
        QStringList afterDown;
    };
    for (const Case& c : {Case{false, {"Italiano"}, {"Italiano", "English"}}, Case{true, {}, {"English"}}}) {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* other = new QComboBox(&window);
        auto* box = new QComboBox(&window);
        layout->addWidget(other);
        layout->addWidget(box);
        box->setEditable(c.editable);
        box->addItems({QStringLiteral("Italiano"), QStringLiteral("English")});
        speakChoice(*box);
        AccessibilityEvents events;
        focusOn(window, *other);
        box->setCurrentIndex(1);
        box->setCurrentIndex(0);
        EXPECT_EQ(said(events, *box), QStringList{}) << c.editable;
        focusOn(window, *box);
        EXPECT_EQ(said(events, *box), c.atFocus) << c.editable;
        QTest::keyClick(box, Qt::Key_Down);
        EXPECT_EQ(said(events, *box), c.afterDown) << c.editable;
    }
}

// A list that takes the focus tells of the item it stands on, the first when none was current, without
// choosing it; an empty list tells of none.
TEST(SpokenChoice, AListTellsItsCurrentItemAsTheFocusArrives) {
    if (!AccessibilityEvents::available())
        GTEST_SKIP() << "this platform has no accessibility";
    struct Case {
        QStringList items;
        int current;
        int told; // -1: no item told
    };
    for (const Case& c :
         {Case{{"a.Bak"}, -1, 0}, Case{{"a.Bak", "b.Bak", "c.Bak"}, 2, 2}, Case{{}, -1, -1}}) {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* list = new QListWidget(&window);
        layout->addWidget(list);
        list->addItems(c.items);
        if (c.current >= 0)
            list->setCurrentRow(c.current, QItemSelectionModel::NoUpdate);
        speakCurrentItem(*list);
        AccessibilityEvents events;
        focusOn(window, *list);
        std::vector<int> told;
        for (const AccessibilityEvents::Event& event : events.of(list, QAccessible::Focus))
            if (event.child >= 0)
                told.push_back(event.child);
        ASSERT_FALSE(c.told >= 0 && told.empty()) << c.items.size();
        if (c.told >= 0)
            EXPECT_EQ(told.back(), c.told);
        else
            EXPECT_TRUE(told.empty());
        EXPECT_TRUE(list->selectedItems().isEmpty());
    }
}
