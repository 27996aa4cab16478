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

} // namespace qvmd
