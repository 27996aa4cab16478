#include "core/platform/FileSystem.h"
#include "core/platform/SingleCopyLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

using namespace qvmd;
using platform::EntryKind;

namespace {

class PlatformTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString at(const QString& name) const { return dir.filePath(name); }
    void put(const QString& name, const QByteArray& bytes) const {
        QFile file(at(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile file(at(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Links need rights of their own on some systems: the rows with a link run where one can be made.
    bool link(const QString& target, const QString& name) const {
        return QFile::link(at(target), at(name)) && platform::isLink(at(name));
    }
};

} // namespace

// Each call of the platform layer on what may stand at a name: a plain file, a folder, a link (to a file
// or to nothing), or nothing at all.
TEST_F(PlatformTest, EachCallOnWhatMayStandAtAName) {
    put("file", "old text");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const bool links = link("file", "link") && link("gone", "dangling");

    struct Case {
        const char* name;
        bool needsLinks;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"kinds", false,
         [&] {
             EXPECT_EQ(platform::entryKind(at("file")), EntryKind::RegularFile);
             EXPECT_EQ(platform::entryKind(at("folder")), EntryKind::Folder);
             EXPECT_EQ(platform::entryKind(at("nothing")), EntryKind::Missing);
         }},
        {"link kinds", true,
         [&] {
             EXPECT_EQ(platform::entryKind(at("link")), EntryKind::Link);
             EXPECT_EQ(platform::entryKind(at("dangling")), EntryKind::Link);
         }},
        {"exclusive create makes a new file once", false,
         [&] {
             const int fd = platform::createExclusive(at("new"));
             ASSERT_GE(fd, 0);
             EXPECT_TRUE(platform::writeAll(fd, "abc", 3));
             EXPECT_EQ(platform::flushFile(fd), 0);
             EXPECT_EQ(platform::closeFile(fd), 0);
             EXPECT_EQ(read("new"), "abc");
             EXPECT_EQ(platform::createExclusive(at("new")), -1);
             EXPECT_EQ(errno, EEXIST);
         }},
        {"exclusive create never follows a link", true,
         [&] {
             EXPECT_EQ(platform::createExclusive(at("dangling")), -1);
             EXPECT_FALSE(QFile::exists(at("gone")));
         }},
        {"writing in place refuses what is not a plain file", true,
         [&] {
             EXPECT_EQ(platform::openExistingForWriting(at("link")), -1);
             EXPECT_EQ(platform::openExistingForWriting(at("folder")), -1);
             EXPECT_EQ(read("file"), "old text");
         }},
        {"a small file rewritten in place is cut to size", false,
         [&] {
             put("counters", "12345678\r\n");
             const int fd = platform::openExistingForWriting(at("counters"));
             ASSERT_GE(fd, 0);
             EXPECT_TRUE(platform::rewriteInPlace(fd, "1\r\n", 3));
             EXPECT_EQ(platform::closeFile(fd), 0);
             EXPECT_EQ(read("counters"), "1\r\n");
         }},
        {"append adds at the end", false,
         [&] {
             put("log", "one\r\n");
             const int fd = platform::openForAppend(at("log"), false);
             ASSERT_GE(fd, 0);
             EXPECT_TRUE(platform::writeAll(fd, "two\r\n", 5));
             EXPECT_EQ(platform::flushFile(fd), 0);
             EXPECT_EQ(platform::closeFile(fd), 0);
             EXPECT_EQ(read("log"), "one\r\ntwo\r\n");
             EXPECT_EQ(platform::openForAppend(at("no log"), false), -1);
         }},
        {"replace puts the new file over the old", false,
         [&] {
             put("staged", "new text");
             put("target", "old");
             EXPECT_EQ(platform::replaceFile(at("staged"), at("target")), 0);
             EXPECT_EQ(read("target"), "new text");
             EXPECT_FALSE(QFile::exists(at("staged")));
         }},
        {"replace takes the place of a link, never of its target", true,
         [&] {
             put("staged", "new text");
             EXPECT_EQ(platform::replaceFile(at("staged"), at("link")), 0);
             EXPECT_EQ(platform::entryKind(at("link")), EntryKind::RegularFile);
             EXPECT_EQ(read("file"), "old text");
         }},
        {"a new folder, once", false,
         [&] {
             EXPECT_EQ(platform::makeFolder(at("made")), 0);
             EXPECT_EQ(platform::entryKind(at("made")), EntryKind::Folder);
             EXPECT_EQ(platform::makeFolder(at("made")), -1);
             EXPECT_EQ(errno, EEXIST);
         }},
        {"reading tells a folder from a file", false,
         [&] {
             platform::OpenedKind kind;
             const int fd = platform::openForReading(at("file"));
             ASSERT_GE(fd, 0);
             ASSERT_TRUE(platform::kindOf(fd, kind));
             EXPECT_EQ(kind.kind, EntryKind::RegularFile);
             EXPECT_EQ(kind.size, 8);
             platform::closeFile(fd);
             EXPECT_EQ(platform::openForReading(at("nothing")), -1);
             EXPECT_EQ(errno, ENOENT);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needsLinks && !links)
            continue;
        c.check();
    }
}

// The guard belongs to the folder: a second holder is refused whatever the spelling, the folder is free
// again once the holder lets go, and a missing folder is a failure, not another copy.
TEST_F(PlatformTest, OneHolderPerFolderWhateverItsSpelling) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("Data"));
    const QString data = at("Data");
    {
        platform::SingleCopyLock first(data);
        ASSERT_EQ(first.state(), platform::SingleCopyLock::State::Held);
        for (const QString& spelling : {data, at("Data/../Data"), at("./Data/")}) {
            platform::SingleCopyLock second(spelling);
            EXPECT_EQ(second.state(), platform::SingleCopyLock::State::HeldByAnother)
                << spelling.toStdString();
        }
        if (link("Data", "Data link")) {
            platform::SingleCopyLock throughLink(at("Data link"));
            EXPECT_EQ(throughLink.state(), platform::SingleCopyLock::State::HeldByAnother);
        }
        platform::SingleCopyLock other(dir.path());
        EXPECT_EQ(other.state(), platform::SingleCopyLock::State::Held);
    }
    platform::SingleCopyLock again(data);
    EXPECT_EQ(again.state(), platform::SingleCopyLock::State::Held);
    platform::SingleCopyLock missing(at("no such folder"));
    EXPECT_EQ(missing.state(), platform::SingleCopyLock::State::Failed);
    EXPECT_EQ(missing.error(), ENOENT);
}
