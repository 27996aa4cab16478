#include "core/app/AppState.h"
#include "core/exchange/AttachedMail.h"
#include "support/FixedClock.h"
#include "support/PathOverride.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/exchange/frm_Send_Log.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {

class MailLinks : public QObject {
    Q_OBJECT
public:
    MailLinks() { QDesktopServices::setUrlHandler(QStringLiteral("mailto"), this, "open"); }
    ~MailLinks() override { QDesktopServices::unsetUrlHandler(QStringLiteral("mailto")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class SendAttach : public ::testing::Test {
protected:
    TempProgramFolder program{false};
    FixedClock clock;
    AppState state{program.path(), &clock};
    TestSeams seams;
    QTemporaryDir bin;
    MailLinks links;

    void SetUp() override {
        state.SettingsEntries[1] = "award@qv.example";
        state.profile.StationCallsign = "5QV123";
        state.profile.OperatorName = "Anna";
        state.log.LogInUse = FlagTrue;
        state.log.LogInUseName = "5QV123_MD_L_2015.Log";
        state.LanguageOffset = 1000;
    }

    // A stand-in for xdg-email that records its arguments, one a line, and ends with the given status.
    void installStandIn(int exitStatus) {
        const QString script = bin.filePath("xdg-email");
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                   QFile::encodeName(bin.filePath("args.txt")) + "\"\nexit " +
                   QByteArray::number(exitStatus) + "\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QStringList recordedArguments() const {
        QFile file(bin.filePath("args.txt"));
        if (!file.open(QIODevice::ReadOnly))
            return {"<not run>"};
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        lines.removeLast();
        return lines;
    }
    // Sends and waits for the helper's verdict.
    void sendAndWait(frm_Send_Log& window) {
        QTest::mouseClick(window.cmd_Send, Qt::LeftButton);
        auto* mail = window.findChild<AttachedMail*>();
        ASSERT_NE(mail, nullptr);
        EXPECT_FALSE(window.cmd_Send->isEnabled());
        QSignalSpy done(mail, &AttachedMail::done);
        ASSERT_TRUE(done.wait(10000));
    }
};

} // namespace

TEST_F(SendAttach, TheLogGoesAsAnAttachmentWhenTheHelperIsThere) {
    installStandIn(0);
    PathOverride path(bin.path());
    frm_Send_Log window(state, seams);
    window.show();
    EXPECT_TRUE(window.attaches());
    EXPECT_EQ(window.Label2->text(), state.text(1337));
    sendAndWait(window);
    const QString logPath = QDir::toNativeSeparators(program.logs("5QV123_MD_L_2015.Log"));
    EXPECT_EQ(recordedArguments(),
              QStringList({"--subject", "Marigold Day Log", "--body", "Log By  5QV123  Anna   ", "--attach",
                           logPath, "award@qv.example"}));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(links.opened.isEmpty());
    EXPECT_TRUE(seams.messages.empty());
}

TEST_F(SendAttach, AFailingHelperFallsBackToTheLinkAndTheHandAttachment) {
    installStandIn(3);
    PathOverride path(bin.path());
    frm_Send_Log window(state, seams);
    window.show();
    sendAndWait(window);
    EXPECT_EQ(recordedArguments().value(0), "--subject");
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(seams.messages[0].text.startsWith(state.text(1338)));
    EXPECT_TRUE(seams.messages[0].text.endsWith(state.text(1104)));
    EXPECT_EQ(window.Label2->text(), state.text(1104));
    ASSERT_EQ(links.opened.size(), 1);
    EXPECT_TRUE(links.opened[0].toString().startsWith("mailto:award@qv.example?"));
    EXPECT_FALSE(window.isVisible());
}

// Where the helper cannot attach the log (none installed, or a recipient it would read as an option), the
// window says from the start that the log goes by hand, and Send opens the prepared mail alone.
TEST_F(SendAttach, WithoutAUsableHelperTheWindowSaysTheLogGoesByHand) {
    const struct {
        const char* name;
        bool helper;
        const char* recipient;
    } cases[] = {
        {"no helper", false, "award@qv.example"},
        {"recipient like an option", true, "-award@qv.example"},
        {"recipient like an option after blanks", true, "  --attach=/etc/passwd"},
    };
    installStandIn(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        links.opened.clear();
        state.SettingsEntries[1] = QString::fromLatin1(c.recipient);
        QTemporaryDir empty;
        PathOverride path(c.helper ? bin.path() : empty.path());
        frm_Send_Log window(state, seams);
        window.show();
        EXPECT_FALSE(window.attaches());
        EXPECT_EQ(window.Label2->text(), state.text(1104));
        QTest::mouseClick(window.cmd_Send, Qt::LeftButton);
        EXPECT_EQ(window.findChild<AttachedMail*>(), nullptr);
        EXPECT_EQ(recordedArguments(), QStringList({"<not run>"}));
        EXPECT_EQ(links.opened.size(), 1);
        EXPECT_FALSE(window.isVisible());
    }
}

TEST(AttachedMailArguments, AnAddressThatLooksLikeAnOptionIsRefused) {
    EXPECT_TRUE(AttachedMail::arguments("--attach=/etc/passwd", "s", "b", "/x.Log").isEmpty());
    EXPECT_EQ(AttachedMail::arguments("  ", "s", "b", "/x.Log"),
              QStringList({"--subject", "s", "--body", "b", "--attach", "/x.Log"}));
}

#include "test_send_attach.moc"
