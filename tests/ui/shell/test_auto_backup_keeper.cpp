#include "core/app/AppState.h"
#include "core/exchange/AutoBackupSettings.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "ui/shell/AutoBackupKeeper.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSettings>

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <thread>

using namespace qvmd;
using namespace qvmd::test;

namespace {

const QString logName = QStringLiteral("5QV123_MD_L_2015.Log");

// Notes the threads the disk is synced from and, while the first copy is synced, writes a contact into
// the log as the logging window would.
class WatchingSync : public DiskSync {
public:
    std::shared_ptr<WriteSequence> writes = std::make_shared<WriteSequence>();
    QString log;
    mutable int writesDuringCopy = 0;

    int sync(int, Target target, const QString& path) const override {
        {
            const std::lock_guard lock(mutex_);
            threads_.insert(std::this_thread::get_id());
        }
        if (target == Target::File && path.endsWith(QLatin1String(".Bak")) && writesDuringCopy > 0) {
            --writesDuringCopy;
            const WriteSequence::Writing writing(*writes);
            QFile file(log);
            if (file.open(QIODevice::Append))
                file.write("2>1>8QV9>BEA>H>Francia>06/03/2015 14:05:09>N>\r\n");
        }
        return 0;
    }
    std::set<std::thread::id> threads() const {
        const std::lock_guard lock(mutex_);
        return threads_;
    }

private:
    mutable std::mutex mutex_;
    mutable std::set<std::thread::id> threads_;
};

class AutoBackupKeeperTest : public ::testing::Test {
protected:
    TempProgramFolder folder;
    AppState state{folder.path()};
    QLabel panel{QStringLiteral("Stato")};
    WatchingSync sync;

    void SetUp() override {
        state.log.LogInUse = 1;
        state.log.LogInUseName = logName;
        folder.writeRaw("Logs/" + logName,
                        "##L\r\n#5QV123\r\n1>1>7QV45>ANNA>L>Italia>06/03/2015 14:05:09>N>\r\n");
        sync.log = folder.logs(logName);
        AutoBackupSettings::openUserSettings()->clear();
    }
    void TearDown() override { AutoBackupSettings::openUserSettings()->clear(); }

    QStringList backups() const {
        return QDir(folder.path() + "/Backup").entryList({"*.Bak"}, QDir::Files, QDir::Name);
    }
};

} // namespace

TEST_F(AutoBackupKeeperTest, CopiesOnAThreadOfItsOwnAndRetakesACopyAContactCutThrough) {
    struct Case {
        const char* what;
        int writesDuringCopy;
    };
    for (const Case c : {Case{"a quiet log", 0}, Case{"a contact written during the copy", 1}}) {
        SCOPED_TRACE(c.what);
        QDir(folder.path() + "/Backup").removeRecursively();
        sync.writesDuringCopy = c.writesDuringCopy;
        AutoBackupKeeper keeper(state, panel, sync);
        keeper.logWindowOpening(sync.writes);
        keeper.settle();

        const std::set<std::thread::id> threads = sync.threads();
        EXPECT_FALSE(threads.empty());
        EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
        ASSERT_TRUE(keeper.lastOutcome());
        EXPECT_EQ(keeper.lastOutcome()->status, AutoBackupOutcome::Status::Made);
        const QStringList made = backups();
        ASSERT_EQ(made.size(), 1);
        EXPECT_EQ(folder.readRaw("Backup/" + made.first()), folder.readRaw("Logs/" + logName));
        EXPECT_EQ(panel.text(), "Stato");
    }
}

TEST_F(AutoBackupKeeperTest, RequestsWhileACopyIsUnderWayEndInOneCopyOfTheNewestLog) {
    AutoBackupKeeper keeper(state, panel, sync);
    keeper.logWindowOpening();
    // Two more requests while the first may still be copying: only the newest waits.
    folder.writeRaw("Logs/" + logName, folder.readRaw("Logs/" + logName) + "2>1>8QV9>BEA>H>Francia>x>N>\r\n");
    keeper.logWindowOpening();
    keeper.logWindowOpening();
    keeper.settle();
    const QStringList made = backups();
    ASSERT_FALSE(made.isEmpty());
    EXPECT_EQ(folder.readRaw("Backup/" + made.last()), folder.readRaw("Logs/" + logName));
    // Nothing is left under way to be collected later.
    keeper.settle();
    EXPECT_EQ(backups(), made);
}

TEST_F(AutoBackupKeeperTest, TheCopyStartsAMomentAfterItIsAskedFor) {
    AutoBackupKeeper keeper(state, panel, sync);
    keeper.logWindowOpening();
    // Nothing touches the disk while the window shows what was asked.
    EXPECT_TRUE(keeper.startDelay.isActive());
    EXPECT_TRUE(sync.threads().empty());
    EXPECT_TRUE(backups().isEmpty());
    keeper.startWaiting(); // the delay is over
    EXPECT_FALSE(keeper.startDelay.isActive());
    keeper.settle();
    EXPECT_EQ(backups().size(), 1);
}
