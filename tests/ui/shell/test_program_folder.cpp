#include "support/Printers.h"
#include "support/TestSeams.h"
#include "ui/shell/StartRoutine.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

TEST(ProgramFolderAtStart, NoFolderIsReportedInBothLanguagesWithEveryFolderTried) {
    QTemporaryDir root;
    const QString exe = root.filePath("bin"), user = root.filePath("user"), defaults = root.filePath("none");
    QDir().mkpath(exe);
    TestSeams seams;
    const auto readOnly = [&](const QString& folder) { return folder != exe; };

    EXPECT_FALSE(openProgramFolder(seams, {exe, user, {defaults}}, readOnly));
    ASSERT_EQ(seams.messages.size(), 1u);
    const QString text = seams.messages.front().text;
    EXPECT_EQ(seams.messages.front().icon, Seams::Icon::Error);
    EXPECT_TRUE(text.contains("Cartelle provate:")) << text.toStdString();
    EXPECT_TRUE(text.contains("Folders tried:")) << text.toStdString();
    for (const QString& folder : {exe, user, defaults})
        EXPECT_EQ(text.count(folder), 2) << text.toStdString();

    // With defaults to seed from, the start goes on in the user's folder and says nothing.
    QDir().mkpath(defaults);
    QFile(defaults + "/Prime.dat").open(QIODevice::WriteOnly);
    EXPECT_EQ(openProgramFolder(seams, {exe, user, {defaults}}, readOnly), user);
    EXPECT_EQ(seams.messages.size(), 1u);
}
