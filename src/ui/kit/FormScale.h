#pragma once

#include <QFont>
#include <QSize>

class QWidget;

namespace qvmd {

// The forms are laid out in pixels for the desktop's usual 9 pt sans serif. When the desktop asks for a
// larger font, a form is built on that font shrunk back to the design size, so that every font it derives
// keeps its designed proportion, and just before it first shows, the whole form grows by the same factor:
// positions, sizes, spacings, icons, grid columns and fonts. The text then comes out at the desktop's size
// in a layout that grew with it, never cut. A high-density screen needs none of this: Qt scales pixels and
// fonts together there.

// The font the pixel layouts were drawn for.
QFont designFont();

// How many times larger than the design font the font measures, by line height or by the width of a
// sample text, whichever grew more; never below 1, so a small desktop font leaves the layouts as drawn.
qreal fontScale(const QFont& font);

// At the start of a form's constructor: notes the factor for the application's font and gives the form
// the shrunk font.
void prepareFormScale(QWidget& form);

// Before the form first shows: grows it by the factor noted, or as far as its screen holds it, whichever
// is less (the text then grows less than asked, but in proportion and whole). Later calls do nothing.
void applyFormScale(QWidget& form);

// The room the form has on its screen, in the pixels it is built in, at the factor the desktop font asks
// for; empty without a screen. A form that lays itself out for it keeps its text at the asked size.
QSize formRoom(const QWidget& form);
// The factor the desktop font asks the form to grow by (1 for the usual font), before the screen caps it.
qreal askedFormScale(const QWidget& form);

// The factor the widget's form has grown by (1 until it has); for sizes a form sets once it shows.
qreal formScale(const QWidget& widget);
QSize scaledSize(const QSize& size, qreal factor);

} // namespace qvmd
