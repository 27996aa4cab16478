#pragma once

class QWidget;

namespace qvmd {

class ContactGrid;
class LogStatusArea;
class ScorePanel;

// The logging window's size. The score stands beside the grid where the screen holds the window at the
// desktop's text size; else it becomes a band below the grid, the grid keeps its width (whole names) and
// takes the height left, in whole rows, so that the text keeps its size rather than the window shrinking.
// Narrower still, the two pictures give way and the clock column takes the first one's place.
void fitLogWindow(QWidget& window, ContactGrid& grid, ScorePanel& score, LogStatusArea& status);

} // namespace qvmd
