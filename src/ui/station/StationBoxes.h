#pragma once

#include "core/common/EntryCharacters.h"

#include <QList>
#include <QObject>
#include <QString>

class QLineEdit;
class QWidget;

namespace qvmd {

// The station form's entry boxes, under the form's names.
struct StationEntryControls {
    QList<QLineEdit*> Text1; // 0 country number, 1 unit number
    QList<QLineEdit*> Text2; // 0 club, 1 name
    QLineEdit* Text5 = nullptr;
};

// The identifier and name boxes with their keyboard rules, and the read-only country box.
class StationBoxes : public QObject, public StationEntryControls {
    Q_OBJECT
public:
    explicit StationBoxes(QWidget* form);

    // The boxes in the row's order: country, club, unit, name.
    QList<QLineEdit*> entries() const;

signals:
    // Enter in a box that holds text.
    void enterPressed(QLineEdit* box);
    // A number box changed after its leading zeros went.
    void numberChanged();

private:
    EntryKind kindOf(const QLineEdit* box) const;
    void dropLeadingZero(QLineEdit* box);
};

} // namespace qvmd
