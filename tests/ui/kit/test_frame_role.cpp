#include "ui/kit/FrameRole.h"

#include <QAccessible>
#include <QDialog>

#include <gtest/gtest.h>

using namespace qvmd;

// A form to work in reads as a frame, so a screen reader speaks a notification in it by itself rather
// than after the window's title and every label; other forms stay dialogs.
TEST(FrameRole, OnlyTheFormsAskedForReadAsFrames) {
    const struct {
        const char* name;
        bool frame;
        QAccessible::Role role;
    } cases[] = {
        {"a form to work in", true, QAccessible::Window},
        {"a question", false, QAccessible::Dialog},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDialog form;
        if (c.frame)
            readAsFrame(&form);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&form);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), c.role);
    }
}
