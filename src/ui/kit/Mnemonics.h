#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace qvmd {

// The text without its mnemonic marks: "&&" is a plain "&", a lone "&" goes.
QString withoutMnemonic(const QString& text);

// The texts of one menu (or one menu bar) with a mnemonic each, so that Alt and a letter reach every one:
// the first free initial of a word, else the first free letter or digit, else (for a text of signs alone)
// its first sign; none when every one is taken.
// Marks already in the texts are dropped first, so giving them again changes nothing.
QStringList withMnemonics(const QStringList& texts);

// Gives the menus of a menu bar, and the items of each menu and submenu, their mnemonics; done where
// their texts are set, since the same words elsewhere (a message, a name) must not carry the mark.
void giveMnemonics(QWidget* menuBarOrMenu);

} // namespace qvmd
