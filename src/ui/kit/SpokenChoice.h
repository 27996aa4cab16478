#pragma once

class QAbstractItemView;
class QComboBox;

namespace qvmd {

// A closed choice box's value reaches no screen reader by itself: a box with a caption is read as the
// caption alone, and a value changed with the arrows is never said. The box speaks its value as the focus
// comes to it (unless it is editable: its text is read then) and each value the operator moves to.
void speakChoice(QComboBox& box);

// A list that takes the focus is read as the list alone ("list with 1 item"), and Space or an arrow that
// stays on the same item says nothing. The item the list stands on is told as the focus arrives, so that a
// screen reader reads it and then speaks what Space does to it.
void speakCurrentItem(QAbstractItemView& list);

} // namespace qvmd
