#pragma once

class QWidget;

namespace qvmd {

// A form that is a window to work in rather than a question: assistive technology reads it as a frame.
// A screen reader then speaks a notification shown in it by itself, without first repeating the window's
// title and every label in it. Called in the form's constructor, before its first show.
void readAsFrame(QWidget* window);

} // namespace qvmd
