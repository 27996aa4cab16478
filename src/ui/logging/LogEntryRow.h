#pragma once

#include "core/logging/EditSession.h"

#include <QList>
#include <QObject>
#include <QString>

#include <initializer_list>

class QCheckBox;
class QFont;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace qvmd {

class EntryKeyFilter;

// The controls of the entry row, under the logging window's names for them.
struct EntryRowControls {
    QList<QLineEdit*> Text1;     // 0 country, 1 club, 2 unit, 3 received, 4 name, 5 category, 6 country name
    QCheckBox* Check1 = nullptr; // "Non QV Station"
    QLabel* lbl_Ric = nullptr;
    QLabel* lbl_Name = nullptr;
    QPushButton* cmd_NameUnknown = nullptr;
    QPushButton* cmd_H = nullptr;
    QPushButton* cmd_L = nullptr;
    QPushButton* cmd_Country = nullptr;
};

// The logging window's entry row: the seven boxes with their typing and change rules, the member/generic
// switch, the category buttons and the captions above the boxes. Enter moving along the row, the category
// and the switch are its own; what the operator asks of the window (look up, write, clear, the country
// list) it signals.
class LogEntryRow : public QObject, public EntryRowControls {
    Q_OBJECT
public:
    // Builds the row on the window: captions at captionTop, boxes at boxTop. The window connects the
    // buttons and the switch.
    LogEntryRow(QWidget* window, int captionTop, int boxTop, int boxHeight, const QFont& font);

    QString trimmed(int index) const;
    EntryTexts texts() const;

    // The program's own text in a box, shown from its start.
    void show(int index, const QString& text);
    void empty();
    // Moves the focus to the first of these boxes left empty; true when there was one.
    bool focusFirstEmpty(std::initializer_list<int> indexes);
    void focus(int index);

    // The largest country number and, for members, unit number the boxes take.
    void setLimits(int countries, int maxUnit);

    bool generic() const { return generic_; }
    // The category chosen for the contact being entered: "H", "L" or empty.
    const QString& category() const { return category_; }
    // Box 5 and the buttons show the category; the focus moves on to the received number.
    void chooseCategory(const QString& category);
    void forgetCategory() { category_.clear(); }

    // The idle row: a member entry, boxes empty but the club, club and name locked.
    void reset();
    // The switch was clicked: the boxes empty for an entry of the other kind.
    void switchTo(bool generic);
    // A roster entry found by the lookup; the name may be corrected.
    void showFound(const QString& name, const QString& category);
    // Not found: the operator types the name and chooses the category.
    void askNameAndCategory();
    // A pick in the grid empties the row and opens club and name, whatever the row holds.
    void emptyForPick();
    // The contact picked, with the change rules suspended.
    void load(const EntryTexts& entry);
    void showNameUnknown(bool shown);

signals:
    void findRequested();
    void writeRequested();
    void clearRequested();
    // A country number within the table was typed (0 when box 0 is empty again).
    void countryTyped(int country);
    // The number typed in box 0 or 2 is out of range; the box is already empty, and is focused right after.
    void outOfRange(int index);
    // The identifier boxes or the chosen category changed, typed or filled by the program.
    void entryChanged();
    // The lookup is over: a roster entry was shown, or the operator is asked for name and category.
    void lookedUp();

private:
    void buildControls(QWidget* window, int captionTop);
    void setGeneric(bool generic);
    void setCheckLook(bool generic);
    void lockClubAndName(bool locked);
    // Box 5: "H" in blue, anything else in red.
    void showCategory(const QString& category);
    void enter(QLineEdit* box);
    void textChanged(int index);
    void applyRules(int index);

    QWidget* window_;
    EntryKeyFilter* keys_ = nullptr;
    QString category_;
    int countries_ = 0;
    int maxUnit_ = 0;
    bool generic_ = false;
    bool filling_ = false;
    bool changing_ = false;
    bool emptying_ = false;
};

} // namespace qvmd
