#pragma once

class QWidget;

namespace qvmd {

struct CommandButtons;
struct EntryRowControls;

// The way Tab goes round the logging window: the entry row as the operator fills it, "Write", the grid,
// then the other commands and back to the row. Boxes that only a click reaches (the members' club, the
// country name) stay out of it.
void orderLogTabs(const EntryRowControls& row, const CommandButtons& commands, QWidget* grid);

} // namespace qvmd
