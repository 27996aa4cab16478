#pragma once

#include "core/app/FolderProblemText.h"
#include "core/common/FileErrorText.h"

#include <QStringList>

namespace qvmd::test {

// Every sentence the file error and folder texts can make, one kind and reason at a time, in both
// languages: recorded once, so a change of any word shows.
inline QStringList fileAndFolderTexts() {
    using Kind = FileError::Kind;
    using Reason = FileError::Reason;
    const Kind kinds[] = {Kind::Missing,   Kind::Unreadable, Kind::Unwritable,
                          Kind::Malformed, Kind::Unlockable, Kind::Unconfirmed};
    const Reason reasons[] = {Reason::None,           Reason::FolderMissing, Reason::IsFolder,
                              Reason::NotRegularFile, Reason::TooLarge,      Reason::AccessDenied,
                              Reason::ReadOnly,       Reason::NoSpace,       Reason::DiskError,
                              Reason::SyncFailed,     Reason::InUse,         Reason::NotWholeNumber,
                              Reason::OutOfRange,     Reason::TooManyLines};
    QStringList texts;
    for (const int language : {0, 1000}) {
        for (const Kind kind : kinds) {
            for (const Reason reason : reasons) {
                for (const int line : {0, 7}) {
                    FileError error = fileError(kind, QStringLiteral("/p/Data/Use.dat"), reason);
                    error.line = line;
                    error.value =
                        reason == Reason::FolderMissing ? QStringLiteral("/p/Data") : QStringLiteral("x\ty");
                    error.low = 1;
                    error.high = reason == Reason::TooLarge ? 2 * 1024 * 1024 : 3000;
                    texts << fileErrorText(error, language);
                }
            }
        }
        FolderProblem problem;
        problem.tried = {QStringLiteral("/a"), QStringLiteral("/b")};
        texts << folderProblemText(problem, language);
        problem.unusableFolder = QStringLiteral("/b");
        problem.cause = fileError(Kind::Unwritable, QStringLiteral("/b/Data/Md.ini"), Reason::NoSpace);
        texts << folderProblemText(problem, language);
    }
    return texts;
}

} // namespace qvmd::test
