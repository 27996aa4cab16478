#include "ui/station/StationBoxes.h"

#include "ui/kit/EntryKeyFilter.h"

#include <QLineEdit>
#include <QWidget>

namespace qvmd {

namespace {

QLineEdit* makeBox(QWidget* parent, const QString& name, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(width);
    return box;
}

} // namespace

StationBoxes::StationBoxes(QWidget* form) : QObject(form) {
    Text1 = {makeBox(form, QStringLiteral("Text1_0"), 60), makeBox(form, QStringLiteral("Text1_1"), 70)};
    Text2 = {makeBox(form, QStringLiteral("Text2_0"), 80), makeBox(form, QStringLiteral("Text2_1"), 220)};
    // Tab order follows the row: country, club, unit, name.
    const QList<QLineEdit*> boxes = entries();
    for (qsizetype i = 1; i < boxes.size(); ++i)
        QWidget::setTabOrder(boxes[i - 1], boxes[i]);
    auto* keys = new EntryKeyFilter(
        {[this](const QLineEdit* box, QChar c) { return entryAdmits(kindOf(box), c); }}, form);
    connect(keys, &EntryKeyFilter::enterPressed, this, [this](QLineEdit* box) {
        if (!box->text().trimmed().isEmpty())
            emit enterPressed(box);
    });
    for (QLineEdit* box : boxes)
        keys->watch(box);
    for (QLineEdit* box : Text1)
        connect(box, &QLineEdit::textChanged, this, [this, box] { dropLeadingZero(box); });

    Text5 = new QLineEdit(form);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setReadOnly(true);
    Text5->setFocusPolicy(Qt::NoFocus);
}

QList<QLineEdit*> StationBoxes::entries() const {
    return {Text1[0], Text2[0], Text1[1], Text2[1]};
}

EntryKind StationBoxes::kindOf(const QLineEdit* box) const {
    if (box == Text2[0])
        return EntryKind::Club;
    if (box == Text2[1])
        return EntryKind::Name;
    return EntryKind::Number;
}

void StationBoxes::dropLeadingZero(QLineEdit* box) {
    const QString text = box->text();
    // Each setText comes back here, so "007" loses one zero per round.
    if (text == QLatin1String("0")) {
        box->setText(QString());
        return;
    }
    if (text.startsWith(QLatin1Char('0'))) {
        box->setText(text.mid(1));
        return;
    }
    emit numberChanged();
}

} // namespace qvmd
