#pragma once

#include <QColor>

class QWidget;

namespace qvmd {

// The colour of band i (0 at the top, 255 at the bottom) of a window's gradient.
using BandColour = QColor (*)(int band);

// clang-format off
namespace Backdrop {
inline QColor blueToCyan(int i) { return QColor(0, i, 255); }           // main window
inline QColor cyanToGreen(int i) { return QColor(0, 255, 255 - i); }    // splash
inline QColor greenToYellow(int i) { return QColor(i, 255, 0); }        // About, registration, edit, countries
inline QColor darkToLightGreen(int i) { return QColor(54, i, 34); }     // new log, backup
inline QColor redToYellow(int i) { return QColor(233, i, 0); }          // log exists
inline QColor greenToCyan(int i) { return QColor(0, 255, i); }          // select log
inline QColor lightBlueToGreen(int i) { return QColor(34, 178, 255 - i); } // logging
inline QColor cyanToBlue(int i) { return QColor(0, 255 - i, 255); }     // print
inline QColor sendBlueToGreen(int i) { return QColor(29, 218, 255 - i); } // send
inline QColor blackToRed(int i) { return QColor(i, 0, 0); }             // restore
inline QColor updateBlueToGreen(int i) { return QColor(64, 221, 255 - i); } // updates
inline QColor redToOrange(int i) { return QColor(196, i, 0); }          // station not found
} // namespace Backdrop
// clang-format on

// Paints the window's background as 256 horizontal bands across its client area. The bands follow the
// window's size, so a window may call this before its layout has settled.
void paintBackground(QWidget& window, BandColour colour);

} // namespace qvmd
