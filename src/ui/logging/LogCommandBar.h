#pragma once

class QToolButton;
class QWidget;

namespace qvmd {

class cLoadResPicture;

// The command buttons, under the logging window's names for them.
struct CommandButtons {
    QToolButton* cmd_Find = nullptr;
    QToolButton* cmd_Write = nullptr;
    QToolButton* cmd_Del = nullptr;
    QToolButton* cmd_Clear = nullptr;
    QToolButton* cmd_Empty = nullptr;
    QToolButton* cmd_Close = nullptr;
};

// The logging window's command buttons, each a picture with its caption under it.
class LogCommandBar : public CommandButtons {
public:
    // Builds the buttons in a row on the window, from (left, top).
    LogCommandBar(QWidget* window, int left, int top);

    void loadPictures(cLoadResPicture& pictures);
};

} // namespace qvmd
