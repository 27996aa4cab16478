#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace qvmd {

// A sunken white field that shows a value, right-aligned.
QLabel* makeValueLabel(QWidget* parent, const char* name, const QRect& geometry);

// A bold caption; tag is the string id that localisation gives it, if any.
QLabel* makeCaptionLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                         const char* tag = nullptr);

} // namespace qvmd
