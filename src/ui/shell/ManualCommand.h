#pragma once

#include <QUrl>

#include <functional>

class QWidget;

namespace qvmd {

struct AppState;
class Seams;

// The "Manual" entry: the manual's first page in the active language, opened in the user's browser. A
// manual that is not found, or a browser that cannot be started, is told, naming the file or the places.
using UrlOpener = std::function<bool(const QUrl&)>;
void openManual(const AppState& state, Seams& seams, QWidget* parent, const QString& executableFolder,
                const UrlOpener& open);

} // namespace qvmd
