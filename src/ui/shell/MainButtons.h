#pragma once

class QPushButton;
class QWidget;

namespace qvmd {

// The main window's picture buttons, under the window's names.
struct MainLogButtons {
    QPushButton* cmd_Open_Log = nullptr;
    QPushButton* cmd_Sel_Log = nullptr;
    QPushButton* cmd_Send_Log = nullptr;
    QPushButton* cmd_New_Log = nullptr;
    QPushButton* cmd_Close = nullptr;
};

// The four log buttons and the close button: each a picture whose words are in the active language.
class MainButtons : public MainLogButtons {
public:
    explicit MainButtons(QWidget* form);

    void loadClosePicture();
    // The log buttons' pictures for the language (offset 0 or 1000).
    void loadLogPictures(int languageOffset);
};

} // namespace qvmd
