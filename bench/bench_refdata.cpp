// Reference data: roster search against the plain cost of reading the roster, and the country table load.

#include "FixtureFile.h"
#include "RatioReporter.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/Roster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

using namespace qvmd;

namespace {

constexpr int RosterLines = 100000;

struct Fixture {
    QTemporaryDir dir;
    QString lady;

    Fixture() {
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        lady = dir.filePath(QStringLiteral("Data/Lady.dat"));
        QByteArray bytes = "# generated roster\r\n";
        const char* names[] = {"MARIA ROSSI", "NICOL\xD2 D'AMBROSIO",
                               "G.B. \xC7"
                               "ELIK",
                               "ANNA DE' MEDICI"};
        for (int i = 1; i < RosterLines; ++i) {
            bytes += QByteArray::number(i % 341 + 1) + (i % 3 ? "QV" : "ABC") +
                     QByteArray::number(i % 3000 + 1) + '>' + names[i % 4] + "\r\n";
        }
        writeFixtureFile(lady, bytes);
        writeFixtureFile(dir.filePath(QStringLiteral("Data/Hunter.dat")), "# empty\r\n");
        QByteArray prefixes;
        for (int i = 1; i <= 341; ++i)
            prefixes +=
                "P" + QByteArray::number(i) + ">Country number " + QByteArray::number(i) + " Islands\r\n";
        writeFixtureFile(dir.filePath(QStringLiteral("Data/Prefix.dat")), prefixes);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

// The baseline: the roster's bytes read, nothing else. Counting their line ends, even in one pass, cost
// more than the search itself, so it said nothing about the search.
void BM_ReadOnly(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(readFileBytes(fixture().lady, RosterFileLimit).value().size());
}
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMicrosecond);

void BM_RosterSearchMissing(benchmark::State& state) {
    const ProgramFolder folder(fixture().dir.path());
    for (auto _ : state) {
        const RosterSearch search = searchRosters(folder, QStringLiteral("5QV9999"), RosterOrder::Logging);
        if (search.found || search.error)
            state.SkipWithError("the identifier must be missing and both rosters readable");
        benchmark::DoNotOptimize(search);
    }
}
BENCHMARK(BM_RosterSearchMissing)->Unit(benchmark::kMicrosecond);

void BM_LoadCountryTable(benchmark::State& state) {
    const QString path = fixture().dir.filePath(QStringLiteral("Data/Prefix.dat"));
    for (auto _ : state) {
        const Result<CountryTable> table = CountryTable::load(path);
        if (!table.ok() || table.value().count() != 341)
            state.SkipWithError("Prefix.dat did not load 341 countries");
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_LoadCountryTable)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(
        {{"roster search / read the roster", "BM_RosterSearchMissing", "BM_ReadOnly", 5.0}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
