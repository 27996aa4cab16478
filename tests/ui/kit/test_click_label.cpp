#include "ui/kit/ClickLabel.h"

#include "support/Printers.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;

// A link is reached and followed without the mouse: Space and Enter click it, other keys do not.
TEST(ClickLabel, SpaceAndEnterClickItOtherKeysDoNot) {
    const struct {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int clicks;
    } cases[] = {
        {"space", Qt::Key_Space, Qt::NoModifier, 1},
        {"return", Qt::Key_Return, Qt::NoModifier, 1},
        {"keypad enter", Qt::Key_Enter, Qt::KeypadModifier, 1},
        {"a letter", Qt::Key_A, Qt::NoModifier, 0},
        {"tab", Qt::Key_Tab, Qt::NoModifier, 0},
        {"alt+return", Qt::Key_Return, Qt::AltModifier, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClickLabel label;
        int clicks = 0;
        QObject::connect(&label, &ClickLabel::clicked, [&clicks] { ++clicks; });
        QTest::keyClick(&label, c.key, c.modifiers);
        EXPECT_EQ(clicks, c.clicks);
    }
    ClickLabel label;
    EXPECT_TRUE(label.focusPolicy() & Qt::TabFocus);
}

// A screen reader sees a link (or a button) named by its text, and its press action clicks it.
TEST(ClickLabel, ReadsAsALinkThatAScreenReaderCanPress) {
    ClickLabel link;
    link.setText(QStringLiteral("<b>www.example.org</b>"));
    link.showAsLink();
    ClickLabel plain;
    plain.setText(QStringLiteral("Award Manager"));
    int clicks = 0;
    QObject::connect(&link, &ClickLabel::clicked, [&clicks] { ++clicks; });

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&link);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Link);
    EXPECT_EQ(iface->text(QAccessible::Name), "www.example.org");
    ASSERT_NE(iface->actionInterface(), nullptr);
    ASSERT_TRUE(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);

    EXPECT_EQ(QAccessible::queryAccessibleInterface(&plain)->role(), QAccessible::Button);
    plain.setAccessibleName(QStringLiteral("Close"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&plain)->text(QAccessible::Name), "Close");
}
