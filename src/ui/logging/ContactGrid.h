#pragma once

#include <memory>

class QWidget;

namespace qvmd {

class ContactGridModel;
class ContactLog;
class CountryTable;
class GridControl;

// The contact grid of the logging window: the log's records shown where they live, columns wide enough
// for what they can hold, and the empty last row kept in view as the current one.
class ContactGrid {
public:
    // Builds the grid on the window with its top left corner at (left, top).
    ContactGrid(QWidget* window, ContactLog& log, const CountryTable& countries, int left, int top);
    ~ContactGrid();
    ContactGrid(const ContactGrid&) = delete;
    ContactGrid& operator=(const ContactGrid&) = delete;

    GridControl* control() const { return grid_; }
    ContactGridModel& model() const { return *model_; }

    // Fewer rows where the window has less room: the grid takes the height given, whole rows only.
    void fitHeight(int height);

    // The last (empty) row becomes the current one and the last of the rows shown.
    void showLastRow();
    // Shows a record in the duplicate colour (0: none), scrolled into view when it is not.
    void highlight(int row);
    // The rows shown before a highlight scrolled, back once the entry row is empty: the grid does not
    // jump back and forth while an identifier is still being typed.
    void restoreView();

private:
    void sizeColumns(const CountryTable& countries);
    int heightFor(int rows) const;

    GridControl* grid_ = nullptr;
    const ContactLog& log_;
    std::unique_ptr<ContactGridModel> model_;
    int topBeforeHighlight_ = 0;
    int visibleRows_ = 10;
};

} // namespace qvmd
