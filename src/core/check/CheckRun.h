#pragma once

#include "core/check/CheckArguments.h"
#include "core/check/ReceivedMail.h"

#include <QString>

#include <functional>

namespace qvmd {

struct CheckOutcome {
    int exitCode = 0; // 0 every log read, 1 some could not be read, 2 the run could not start
    QString summary;  // for standard output; control characters in the logs' values are shown escaped
    QString error;    // for standard error when the run could not start or write
};

// The whole run: reads the reference data and every log (each folder's entries in name order), checks,
// cross-checks, scores and writes results.csv, results.html and one report per log into the report
// folder. progress receives a line now and then. The mailboxes of --mail are read through mail, after
// the log files; their notes go to mail.csv.
CheckOutcome runCheck(const CheckOptions& options, const std::function<void(const QString&)>& progress = {},
                      MailSource* mail = nullptr);

// A value as the summary shows it: control characters escaped (\r, \n, \t, \xNN), so that no byte of a
// log can cut or shift the lines around it.
QString visibleText(QStringView text);
// The same, appended to out.
void appendVisible(QString& out, QStringView text);
// Whether a text is shown as it is: plain printable ASCII, nothing to escape.
bool isVisibleAsItIs(QStringView text);

} // namespace qvmd
