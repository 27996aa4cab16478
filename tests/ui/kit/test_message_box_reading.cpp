// A question box is read whole by a screen reader: its title, its text and each of its buttons.
#include "ui/kit/Seams.h"

#include <QAccessible>
#include <QMessageBox>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

// Every name below the box, depth first, as a screen reader meets them.
void collectNames(QAccessibleInterface* node, QStringList& names) {
    for (int i = 0; node && i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (!child)
            continue;
        if (!child->text(QAccessible::Name).isEmpty())
            names.append(child->text(QAccessible::Name));
        collectNames(child, names);
    }
}

} // namespace

TEST(MessageBoxReading, TitleTextAndButtonsAreSpoken) {
    const struct {
        const char* title;
        const char* spokenTitle;
    } cases[] = {{"Cancella Log", "Cancella Log"}, {"", "QV_md"}, {"   ", "QV_md"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        const auto box =
            makeQuestionBox(nullptr, QStringLiteral("Eliminare il log?"), QString::fromUtf8(c.title),
                            Seams::Icon::Question, Seams::Default::No);
        QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(box.get());
        ASSERT_NE(reading, nullptr);
        EXPECT_EQ(reading->text(QAccessible::Name), QString::fromUtf8(c.spokenTitle));
        QStringList names;
        collectNames(reading, names);
        EXPECT_TRUE(names.contains(QStringLiteral("Eliminare il log?")))
            << names.join(QLatin1Char('|')).toStdString();
        for (QAbstractButton* button : box->buttons()) {
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(button);
            ASSERT_NE(spoken, nullptr);
            EXPECT_FALSE(spoken->text(QAccessible::Name).isEmpty());
            EXPECT_TRUE(names.contains(spoken->text(QAccessible::Name)));
        }
    }
}
