#include "core/common/ProgramFolderRule.h"
#include "support/Printers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace qvmd;

namespace {

// A machine in a temporary folder: an executable's folder, the user's data folder (not made yet) and
// folders of default data.
class FolderRuleTest : public ::testing::Test {
public:
    QTemporaryDir root;
    QString exe = root.filePath("prefix/bin");
    QString user = root.filePath("home/.local/share/QV_md");
    QString defaults = root.filePath("defaults/qv-md/Data");
    QString other = root.filePath("other/qv-md/Data");

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(exe)); }

    static void write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    FolderPlaces places() const { return {exe, user, {defaults, other}}; }

    // The executable's folder refuses writes, as a system folder does for an ordinary user.
    FolderChoiceResult startReadOnly() const {
        return chooseProgramFolder(
            places(), [this](const QString& folder) { return folder != exe && folderCanBeWritten(folder); });
    }
};

} // namespace

TEST_F(FolderRuleTest, WritableExecutableFolderIsUsedAsItStands) {
    for (bool withData : {false, true}) {
        if (withData) {
            ASSERT_TRUE(QDir().mkpath(exe + "/Data"));
        }
        write(defaults + "/Prime.dat", "0\r\n");
        const FolderChoiceResult result = chooseProgramFolder(places());
        ASSERT_TRUE(result) << withData;
        EXPECT_EQ(result.choice->folder, exe);
        EXPECT_TRUE(result.choice->portable);
        EXPECT_FALSE(QFileInfo::exists(user)) << "a portable start leaves the user's folder alone";
        EXPECT_FALSE(QFileInfo::exists(exe + "/Logs")) << "nor does it add to the portable layout";
    }
}

TEST_F(FolderRuleTest, ReadOnlyExecutableFolderSeedsTheUsersFolderOnce) {
    write(defaults + "/Prime.dat", "0\r\n0\r\n");
    write(defaults + "/Lang.dat", "0\r\n");
    write(other + "/Lang.dat", "1000\r\n");
    write(other + "/Lady.dat", "5QV001\r\n");

    const FolderChoiceResult first = startReadOnly();
    ASSERT_TRUE(first);
    EXPECT_EQ(first.choice->folder, user);
    EXPECT_FALSE(first.choice->portable);
    for (const char* sub : {"Data", "Logs", "Backup"})
        EXPECT_TRUE(QFileInfo(user + "/" + sub).isDir()) << sub;
    EXPECT_EQ(first.choice->seeded, QStringList({"Lang.dat", "Prime.dat", "Lady.dat"}));
    EXPECT_EQ(read(user + "/Data/Lang.dat"), "0\r\n") << "the first folder of defaults wins";
    EXPECT_EQ(read(user + "/Data/Lady.dat"), "5QV001\r\n");

    // The operator registers, and deletes a file to have its default back.
    write(user + "/Data/Prime.dat", "1\r\n1\r\n5QV123\r\n");
    QFile::remove(user + "/Data/Lady.dat");
    write(user + "/Logs/5QV123_MD_H_2026.Log", "log");

    const FolderChoiceResult second = startReadOnly();
    ASSERT_TRUE(second);
    EXPECT_EQ(second.choice->folder, user);
    EXPECT_EQ(second.choice->seeded, QStringList({"Lady.dat"}));
    EXPECT_EQ(read(user + "/Data/Prime.dat"), "1\r\n1\r\n5QV123\r\n");
    EXPECT_EQ(read(user + "/Logs/5QV123_MD_H_2026.Log"), "log");
}

TEST_F(FolderRuleTest, InstalledCopyUsesTheUsersFolderEvenWhenItsFolderCanBeWritten) {
    // The administrator can write /usr/bin: the defaults installed beside it still mark it as installed.
    const QString installed = installedDataFolder(exe);
    EXPECT_EQ(installed, root.filePath("prefix/share/qv-md/Data"));
    write(installed + "/Prime.dat", "0\r\n");
    const FolderChoiceResult result = chooseProgramFolder({exe, user, {installed}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result.choice->folder, user);
    EXPECT_EQ(read(user + "/Data/Prime.dat"), "0\r\n");

    // A portable copy's own Data folder beside it keeps it portable.
    ASSERT_TRUE(QDir().mkpath(exe + "/Data"));
    EXPECT_EQ(chooseProgramFolder({exe, user, {installed}}).choice->folder, exe);
}

TEST_F(FolderRuleTest, SeedsOnlyRegularFilesAndLeavesThemWritable) {
    write(defaults + "/Md.ini", "[settings]\r\n");
    QFile::setPermissions(defaults + "/Md.ini", QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ASSERT_EQ(::mkfifo(QFile::encodeName(defaults + "/Pipe.dat").constData(), 0644), 0);
    ASSERT_TRUE(QDir().mkpath(defaults + "/Folder.dat"));
    // The user's file may be a folder, or a link to nowhere: neither is replaced.
    ASSERT_TRUE(QDir().mkpath(user + "/Data/Lang.dat"));
    write(defaults + "/Lang.dat", "0\r\n");
    ASSERT_TRUE(QFile::link(root.filePath("nowhere"), user + "/Data/Use.dat"));
    write(defaults + "/Use.dat", "0\r\n");

    const FolderChoiceResult result = startReadOnly();
    ASSERT_TRUE(result);
    EXPECT_EQ(result.choice->seeded, QStringList({"Md.ini"}));
    EXPECT_TRUE(QFileInfo(user + "/Data/Md.ini").permissions().testFlag(QFile::WriteOwner));
    EXPECT_FALSE(QFileInfo::exists(user + "/Data/Pipe.dat"));
    EXPECT_FALSE(QFileInfo::exists(user + "/Data/Folder.dat"));
    EXPECT_TRUE(QFileInfo(user + "/Data/Lang.dat").isDir());
}

TEST_F(FolderRuleTest, NoFolderSaysWhichFoldersItTried) {
    struct Case {
        const char* name;
        std::function<void(FolderRuleTest&)> arrange;
        bool expectUnusable;
    };
    const std::vector<Case> cases = {
        {"no defaults anywhere", [](FolderRuleTest&) {}, false},
        // The user's own Data among the system's data folders is no source of defaults.
        {"only the user's own Data",
         [](FolderRuleTest& t) {
             QDir().mkpath(t.user + "/Data");
             t.other = t.user + "/Data";
         },
         false},
        {"a file in place of the user's folder",
         [](FolderRuleTest& t) {
             write(t.user, "not a folder");
             write(t.defaults + "/Prime.dat", "0\r\n");
         },
         true},
    };
    for (const Case& c : cases) {
        QDir(root.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(exe));
        c.arrange(*this);
        const FolderChoiceResult result = startReadOnly();
        ASSERT_FALSE(result) << c.name;
        EXPECT_FALSE(result.problem.cause.has_value()) << c.name;
        if (c.expectUnusable) {
            EXPECT_TRUE(result.problem.unusableFolder.startsWith(user)) << c.name;
            EXPECT_EQ(result.problem.tried, QStringList({exe, user})) << c.name;
        } else {
            EXPECT_TRUE(result.problem.unusableFolder.isEmpty()) << c.name;
            EXPECT_EQ(result.problem.tried, QStringList({exe, user, defaults, other})) << c.name;
        }
        other = root.filePath("other/qv-md/Data");
    }
}

TEST(FolderWritable, ProbesWithARealFile) {
    QTemporaryDir dir;
    EXPECT_TRUE(folderCanBeWritten(dir.path()));
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "the probe leaves nothing behind";
    EXPECT_FALSE(folderCanBeWritten(dir.filePath("missing")));
    QFile file(dir.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(folderCanBeWritten(file.fileName()));
}

TEST(FolderPlaces, DefaultsBesideTheProgramThenTheSystemsDataFolders) {
    const QByteArray home = qgetenv("XDG_DATA_HOME"), dirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_HOME", "/home/op/.local/share");
    qputenv("XDG_DATA_DIRS", "/usr/local/share:/usr/share/:/usr/share");
    const FolderPlaces places = installedPlaces("/opt/qv/bin");
    qputenv("XDG_DATA_HOME", home);
    qputenv("XDG_DATA_DIRS", dirs);
    if (home.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    if (dirs.isEmpty())
        qunsetenv("XDG_DATA_DIRS");

    EXPECT_EQ(places.executableFolder, "/opt/qv/bin");
    EXPECT_TRUE(places.userFolder.startsWith("/home/op/.local/share/")) << places.userFolder.toStdString();
    EXPECT_EQ(places.defaultDataFolders,
              QStringList({"/opt/qv/share/qv-md/Data", "/home/op/.local/share/qv-md/Data",
                           "/usr/local/share/qv-md/Data", "/usr/share/qv-md/Data", "/opt/qv/bin/Data"}));
}
