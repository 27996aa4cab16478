#pragma once

#include <QStringList>

class QWidget;

namespace qvmd::test {

// What a person would see cut or covered in a shown window, one line per fault, naming the control:
// a caption, button text, box content, combo text or grid cell that does not fit the room the control
// gives it (frames and margins allowed for), a control that reaches outside its parent, and two visible
// sibling controls that overlap.
QStringList layoutFaults(QWidget& window);

} // namespace qvmd::test
