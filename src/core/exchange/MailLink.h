#pragma once

#include <QString>
#include <QUrl>

namespace qvmd {

// The mail to the award manager that goes with the log. The text is plain concatenation, nothing escaped,
// because that is what the mail program is meant to show: "Log By  ", callsign, two blanks, name, three
// blanks and the UTC time the logging window last showed (empty when it was not opened).
QString logMailLink(const QString& managerAddress, const QString& stationCallsign,
                    const QString& operatorName, const QString& utcNowText);

// The subject and body of that mail, as the link carries them.
QString logMailSubject();
QString logMailBody(const QString& stationCallsign, const QString& operatorName, const QString& utcNowText);

// The mail the About window offers to the award manager.
QString infoMailLink(const QString& managerAddress);

// The link as a URL the desktop accepts. Characters that a URL cannot carry are percent-encoded and the
// link's own separators are kept, so the mail program decodes exactly the text of the link.
QUrl mailUrl(const QString& link);

} // namespace qvmd
