#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace qvmd {

class LiveStatusLabel;

// Controls as the forms declare them: named as the control, with the resource id Localise reads.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const char* tag = nullptr);
// A label whose news a screen reader speaks (see LiveStatusLabel).
LiveStatusLabel* makeLiveLabel(QWidget* parent, const char* name, const QString& text,
                               const char* tag = nullptr);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const char* tag = nullptr);
// The resource id of what a screen reader calls the control, where its caption cannot tell it (a picture,
// an abbreviation, a caption kept in one language); Localise gives it in the active language.
void setNameTag(QWidget* control, const char* id);
// A control that comes and goes keeps its place, so a fixed form does not shift when it shows.
void keepPlaceWhenHidden(QWidget* control);

} // namespace qvmd
