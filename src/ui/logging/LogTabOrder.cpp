#include "ui/logging/LogTabOrder.h"

#include "core/logging/EntryRules.h"
#include "ui/logging/LogCommandBar.h"
#include "ui/logging/LogEntryRow.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace qvmd {

void orderLogTabs(const EntryRowControls& row, const CommandButtons& commands, QWidget* grid) {
    const QList<QLineEdit*>& box = row.Text1;
    QWidget* const order[] = {
        row.Check1,
        box[BoxCountry],
        box[BoxClub],
        box[BoxUnit],
        box[BoxReceived],
        // The name follows the received number; the button that fills it in comes after the category.
        box[BoxName],
        box[BoxCategory],
        row.cmd_H,
        row.cmd_L,
        row.cmd_NameUnknown,
        row.cmd_Country,
        commands.cmd_Write,
        grid,
        commands.cmd_Find,
        commands.cmd_Del,
        commands.cmd_Clear,
        commands.cmd_Empty,
        commands.cmd_Close,
    };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace qvmd
