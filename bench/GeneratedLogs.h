#pragma once

// The logs and reference data the checker's benchmarks generate: station s works its 150 neighbours on
// each side at the minute the partner's log has it, apart from a sprinkling of errors of each kind.

#include "FixtureFile.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <random>

constexpr int ContactsPerLog = 300;

inline QByteArray identifierOf(int station) {
    return QByteArray::number(station % 90 + 1) + "QV" + QByteArray::number(station + 1);
}

inline QByteArray stampOf(int minute) {
    return "06/03/2026 " + QByteArray::number(10 + minute / 60).rightJustified(2, '0') + ':' +
           QByteArray::number(minute % 60).rightJustified(2, '0') + ":00";
}

inline QByteArray logNameOf(int s) {
    return identifierOf(s) + "_MD_" + (s % 2 ? "L" : "H") + "_2026.Log";
}

// The log of station s among `logs` stations; `random` decides where the errors fall, on about
// `errorsPerMille` of the contacts (a sprinkling, or most of them).
inline QByteArray logOf(int s, int logs, std::mt19937& random, unsigned errorsPerMille = 13) {
    const QByteArray own = identifierOf(s);
    QByteArray bytes = QByteArray("##") + (s % 2 ? "L" : "H") + "\r\n#" + own +
                       "\r\n#NAME\r\n#N\r\n#1\r\n#07/12/2026\r\n#" + QByteArray::number(s % 90 + 1) +
                       "\r\n#QV\r\n#" + QByteArray::number(s + 1) + "\r\n#2026\r\n#LOG\r\n";
    for (int c = 1; c <= ContactsPerLog; ++c) {
        const int partner = c % 2 ? (s + (c + 1) / 2) % logs : (s - c / 2 + logs) % logs;
        QByteArray worked = identifierOf(partner);
        QByteArray stamp = stampOf((c + 1) / 2 * 2);
        // The partner logged this contact next to its own: one after an odd number, one before an even.
        int received = c % 2 ? c + 1 : c - 1;
        const unsigned roll = random() % 1000 * 13 / std::max(errorsPerMille, 13u);
        const unsigned kind = random() % 5;
        if (roll < 13 && errorsPerMille > 13 && kind == 4)
            received += 9; // number miscopied
        else if (roll < 5 || (roll < 13 && errorsPerMille > 13 && kind == 3))
            worked.append('7'); // miscopied
        else if (roll < 10 || (roll < 13 && errorsPerMille > 13 && kind >= 1))
            stamp = stampOf((c + 1) / 2 * 2 + 30); // time outside the window
        else if (roll < 13)
            worked = identifierOf((s + 1) % logs); // duplicate
        bytes += QByteArray::number(c) + '>' + QByteArray::number(received) + '>' + worked + ">NAME>" +
                 (partner % 2 ? "L" : "H") + ">Country>" + stamp + (roll >= 995 ? ">S>\r\n" : ">N>\r\n");
    }
    return bytes;
}

// The country table, the scores and the rosters of `logs` stations, half Lady and half Hunter.
inline void writeReferenceData(const QString& data, int logs) {
    QByteArray prefixes;
    for (int i = 1; i <= 341; ++i)
        prefixes += "P" + QByteArray::number(i) + ">Country " + QByteArray::number(i) + "\r\n";
    writeFixtureFile(data + QStringLiteral("/Prefix.dat"), prefixes);
    writeFixtureFile(data + QStringLiteral("/Data.dat"), "1\r\n3\r\n3\r\n1\r\n2\r\n");
    QByteArray lady = "# generated\r\n";
    QByteArray hunter = "# generated\r\n";
    for (int s = 0; s < logs; ++s)
        (s % 2 ? lady : hunter) += identifierOf(s) + ">NAME " + QByteArray::number(s) + "\r\n";
    writeFixtureFile(data + QStringLiteral("/Lady.dat"), lady);
    writeFixtureFile(data + QStringLiteral("/Hunter.dat"), hunter);
}
