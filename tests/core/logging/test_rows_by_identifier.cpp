#include "core/logging/RowsByIdentifier.h"

#include <QByteArray>

#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

std::vector<int> rowsOf(const RowsByIdentifier& index, const char* identifier) {
    std::vector<int> rows;
    for (int row = index.first(identifier); row != 0; row = index.next(row))
        rows.push_back(row);
    return rows;
}

} // namespace

// Each identifier keeps its rows in ascending order whatever order they come and go in, and identifiers
// compare exactly: a prefix, a blank or a case is another station.
TEST(RowsByIdentifier, KeepsEachStationsRowsInOrder) {
    RowsByIdentifier index;
    index.clear(4);
    index.insert("5QV12", 1);
    index.insert("5QV120", 2);
    index.insert("5QV12", 3);
    index.insert("5QV12", 7);
    index.insert("5qv12", 4);
    EXPECT_EQ(rowsOf(index, "5QV12"), (std::vector<int>{1, 3, 7}));
    EXPECT_EQ(rowsOf(index, "5QV120"), (std::vector<int>{2}));
    EXPECT_EQ(rowsOf(index, "5QV1"), (std::vector<int>{}));
    EXPECT_EQ(rowsOf(index, " 5QV12"), (std::vector<int>{}));

    // A modified contact moves between stations: out of one list, into the middle or the front of another
    // (a row is in one list at a time).
    index.erase("5QV12", 3);
    index.insert("5QV120", 3);
    index.erase("5QV12", 1);
    index.insert("5QV120", 1);
    EXPECT_EQ(rowsOf(index, "5QV12"), (std::vector<int>{7}));
    EXPECT_EQ(rowsOf(index, "5QV120"), (std::vector<int>{1, 2, 3}));
    index.erase("5QV12", 7);
    EXPECT_EQ(index.first("5QV12"), 0);
    index.insert("5QV12", 9);
    EXPECT_EQ(rowsOf(index, "5QV12"), (std::vector<int>{9}));
    // Erasing what is not there changes nothing.
    index.erase("5QV120", 8);
    index.erase("9ZZ9", 1);
    EXPECT_EQ(rowsOf(index, "5QV120"), (std::vector<int>{1, 2, 3}));
    index.insert("", 10);
    EXPECT_EQ(rowsOf(index, ""), (std::vector<int>{10}));
}

// Far more identifiers than the table was sized for, of every length the hash reads differently, agree
// with a plain map after the table has grown several times.
TEST(RowsByIdentifier, GrowsAndAgreesWithAPlainMap) {
    RowsByIdentifier index;
    index.clear(2);
    std::map<std::string, std::set<int>> expected;
    for (int row = 1; row <= 5000; ++row) {
        const std::string identifier =
            std::to_string(row % 341) +
            std::string(row % 2 ? "QV" : "ABCDEFGHIJK").substr(0, static_cast<std::size_t>(row % 11)) +
            std::to_string(row % 1700);
        index.insert(QByteArrayView(identifier.data(), static_cast<qsizetype>(identifier.size())), row);
        expected[identifier].insert(row);
    }
    for (const auto& [identifier, rows] : expected) {
        const std::vector<int> found = rowsOf(index, identifier.c_str());
        EXPECT_EQ(found, std::vector<int>(rows.begin(), rows.end())) << identifier;
    }
}
