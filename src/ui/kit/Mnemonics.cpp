#include "ui/kit/Mnemonics.h"

#include <QAction>
#include <QMenu>
#include <QSet>
#include <QWidget>

namespace qvmd {

namespace {

QString escaped(const QString& text) {
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// Where the mark goes in the plain text, or -1.
qsizetype markPlace(const QString& plain, const QSet<QChar>& taken) {
    const auto freeAt = [&](qsizetype i) {
        const QChar c = plain[i];
        return c.isLetterOrNumber() && !taken.contains(c.toCaseFolded());
    };
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const bool initial = i == 0 || !plain[i - 1].isLetterOrNumber();
        if (initial && freeAt(i))
            return i;
    }
    for (qsizetype i = 0; i < plain.size(); ++i) {
        if (freeAt(i))
            return i;
    }
    // A text of signs alone ("?") still gets one: Alt and the sign reach it.
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const QChar c = plain[i];
        if (!c.isLetterOrNumber() && c.isPrint() && !c.isSpace() && c != QLatin1Char('&') &&
            !taken.contains(c))
            return i;
    }
    return -1;
}

} // namespace

QString withoutMnemonic(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain.append(text[i]);
    }
    return plain;
}

QStringList withMnemonics(const QStringList& texts) {
    QSet<QChar> taken;
    QStringList marked;
    for (const QString& text : texts) {
        const QString plain = withoutMnemonic(text);
        const qsizetype at = markPlace(plain, taken);
        if (at < 0) {
            marked.append(escaped(plain));
            continue;
        }
        taken.insert(plain[at].toCaseFolded());
        marked.append(escaped(plain.left(at)) + QLatin1Char('&') + escaped(plain.mid(at)));
    }
    return marked;
}

void giveMnemonics(QWidget* menuBarOrMenu) {
    QList<QAction*> items;
    QStringList texts;
    for (QAction* action : menuBarOrMenu->actions()) {
        if (action->isSeparator())
            continue;
        items.append(action);
        texts.append(action->text());
    }
    const QStringList marked = withMnemonics(texts);
    for (qsizetype i = 0; i < items.size(); ++i) {
        items[i]->setText(marked[i]);
        if (QMenu* submenu = items[i]->menu())
            giveMnemonics(submenu);
    }
}

} // namespace qvmd
