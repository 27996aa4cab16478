#include "ui/logging/LogCommandBar.h"

#include "ui/kit/FormControls.h"
#include "ui/kit/cLoadResPicture.h"

#include <QToolButton>

namespace qvmd {

LogCommandBar::LogCommandBar(QWidget* window, int left, int top) {
    struct Command {
        QToolButton** button;
        const char* name;
        const char* caption;
        const char* nameTag; // the captions stay in English; the spoken names follow the language
    };
    const Command commands[] = {
        {&cmd_Find, "cmd_Find", "Find", "1045"},    {&cmd_Write, "cmd_Write", "Write", "1407"},
        {&cmd_Del, "cmd_Del", "Del.", "1408"},      {&cmd_Clear, "cmd_Clear", "Clear", "1409"},
        {&cmd_Empty, "cmd_Empty", "Empty", "1410"}, {&cmd_Close, "cmd_Close", "Exit", "1001"},
    };
    int x = left;
    for (const Command& command : commands) {
        auto* button = new QToolButton(window);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setText(QString::fromLatin1(command.caption));
        setNameTag(button, command.nameTag);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(40, 40));
        button->setGeometry(x, top, 92, 66);
        button->setAutoRaise(false);
        *command.button = button;
        x += 100;
    }
}

void LogCommandBar::loadPictures(cLoadResPicture& pictures) {
    const struct {
        QToolButton* button;
        int id;
    } buttons[] = {{cmd_Close, 107}, {cmd_Del, 108},  {cmd_Clear, 109},
                   {cmd_Write, 110}, {cmd_Find, 111}, {cmd_Empty, 117}};
    for (const auto& button : buttons)
        button.button->setIcon(QIcon(pictures.LoadResPicture(button.id, QStringLiteral("CUSTOM"))));
}

} // namespace qvmd
