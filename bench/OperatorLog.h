#pragma once

// The log in use that the window benchmarks load: station 5QV123's Hunter log of `contacts` contacts in
// the program's own form, every third a Lady and every eleventh cancelled, each dated by `stampOf(n)`
// ("dd/MM/yyyy HH:mm:ss").

#include <QByteArray>
#include <QLatin1String>
#include <QString>

template <typename StampOf> QByteArray operatorLog(int contacts, StampOf stampOf) {
    QByteArray bytes =
        "##H\r\n#5QV123\r\n#OPERATOR\r\n#N\r\n#1\r\n#01/05/2026\r\n#5\r\n#QV\r\n#123\r\n#2026\r\n#LOG\r\n";
    for (int n = 1; n <= contacts; ++n)
        bytes += QStringLiteral("%1>%2>%3QV%4>OPERATOR %5>%6>Country %3>%7>%8>\r\n")
                     .arg(n)
                     .arg(n % 500)
                     .arg(n % 300 + 1)
                     .arg(n % 3000 + 1)
                     .arg(n % 97)
                     .arg(QLatin1String(n % 3 ? "H" : "L"))
                     .arg(stampOf(n))
                     .arg(QLatin1String(n % 11 ? "N" : "S"))
                     .toLatin1();
    return bytes;
}
