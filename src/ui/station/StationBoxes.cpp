#include "ui/station/StationBoxes.h"

#include "ui/kit/EntryKeyFilter.h"

#include <QLineEdit>
#include <QWidget>

#include <algorithm>

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
    for (QLineEdit* box : boxes) {
        keys->watch(box);
        connect(box, &QLineEdit::textEdited, this, [this, box] { sanitiseEdited(box); });
        // textEdited comes before textChanged, so this still holds the text before the edit when cleaning.
        connect(box, &QLineEdit::textChanged, this, [this, box] { lastText_[box] = box->text(); });
    }
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

void StationBoxes::sanitiseEdited(QLineEdit* box) {
    // Only what this edit brought in (typed, pasted, dropped) is cleaned: a roster name may hold
    // characters no key could type, and editing it must not strip them.
    const QString before = lastText_.value(box);
    const QString text = box->text();
    const qsizetype shortest = std::min(before.size(), text.size());
    qsizetype kept = 0;
    while (kept < shortest && before.at(kept) == text.at(kept))
        ++kept;
    qsizetype tail = 0;
    while (tail < shortest - kept && before.at(before.size() - 1 - tail) == text.at(text.size() - 1 - tail))
        ++tail;
    const qsizetype insertedEnd = text.size() - tail;

    const int cursor = box->cursorPosition();
    const EntryKind kind = kindOf(box);
    QString clean = text.left(kept);
    qsizetype cleanCursor = std::min<qsizetype>(cursor, kept);
    for (qsizetype i = kept; i < insertedEnd; ++i) {
        const QChar c = text.at(i).toUpper();
        if (!entryAdmits(kind, c))
            continue;
        clean.append(c);
        if (i < cursor)
            ++cleanCursor;
    }
    if (cursor > insertedEnd)
        cleanCursor += cursor - insertedEnd;
    clean.append(text.right(tail));
    if (clean == text)
        return;
    box->setText(clean);
    box->setCursorPosition(static_cast<int>(cleanCursor));
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
