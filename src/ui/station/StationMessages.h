#pragma once

#include <QList>
#include <QString>

class QLabel;
class QWidget;

namespace qvmd {

// The station form's messages, each held by a hidden label whose tag is its id, so that the form's
// localisation gives them the active language.
class StationMessages {
public:
    explicit StationMessages(QWidget* form);

    QString text(int id) const;

private:
    QList<QLabel*> labels_;
};

} // namespace qvmd
