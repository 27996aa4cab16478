#pragma once

class QWidget;

namespace qvmd {

struct AppState;
class Seams;

// The "Delete Log" entry for the log in use: asked twice, No unless the operator says Yes both times.
// The log then moves into the Backup folder under a backup's name, so Restore lists it, and the log
// choice is cleared. Returns true when the log was moved; a failure is told and leaves the log in place.
bool deleteLogInUse(AppState& state, Seams& seams, QWidget* parent);

} // namespace qvmd
