#pragma once

#include <QColor>
#include <QList>
#include <QString>

#include <functional>

class QRadioButton;
class QWidget;

namespace qvmd {

class LiveStatusLabel;

// The category controls of the station form, under the form's names.
struct CategoryControls {
    QList<QRadioButton*> opt_Scelta;    // 0 Lady, 1 Hunter
    LiveStatusLabel* Label19 = nullptr; // "I'm a hunter"
    LiveStatusLabel* Label20 = nullptr; // "I'm a Lady"
};

// The Lady and Hunter options and the "I'm a" labels the roster search shows. The options' captions
// come from their tags, so each change of tag is followed by the form's localisation.
class CategoryOptions : public CategoryControls {
public:
    CategoryOptions(QWidget* form, std::function<void()> localise);

    // The background colour of a chosen option.
    static QColor chosenColour();

    // Choose one (checked, green, "I'm a" caption) or clear both (plain captions).
    void choose(const QString& category);
    void clear();
    void setVisible(bool visible);
    // The label that says what the roster found, or none; the name found is spoken with it.
    void showFound(const QString& category, const QString& name);
    void hideFound();

private:
    static void setChosenLook(QRadioButton* option, bool chosen);

    std::function<void()> localise_;
};

} // namespace qvmd
