#pragma once

#include <QString>

#include <vector>

namespace qvmd {

// The checker's texts from the string table, in one language (offset 0 Italian, 1000 English).
class CheckTexts {
public:
    enum Id : int {
        HeaderLines = 1900,
        HeaderCategory,
        HeaderIdentifier,
        HeaderYear,
        HeaderPaperFlag,
        FileNameMismatch,
        LinePrefix,
        FieldCount,
        ProgressiveOrder,
        StampUnreadable,
        StampAmbiguous,
        IdentifierMalformed,
        OwnStation,
        Duplicate,
        NotInLog,
        TimeOutside,
        Miscopied,
        CategoryDiffers,
        UnknownStation,
        LogUnreadable,
        SecondLog,
        ReportLog,
        ReportStation,
        ReportContacts,
        ReportScore,
        ReportFindings,
        ReportNoFindings,
        ColumnCategory,
        ColumnStation,
        ColumnName,
        ColumnClaimed,
        ColumnConfirmed,
        ColumnNotInLog,
        ColumnMiscopied,
        ColumnDuplicates,
        ColumnClaimedScore,
        ColumnCheckedScore,
        ColumnRank,
        ResultsTitle,
        Summary,
        ProgressRead,
        ProgressCrossChecked,
        Usage,
        BadArgument,
        ReferenceData,
        ReportsWritten,
        OtherDateForm,
        WriteFailed,
    };

    // Every text is looked up once here: findings are made by the thousand, from several threads.
    explicit CheckTexts(int languageOffset);
    const QString& text(Id id) const { return texts_[static_cast<std::size_t>(id - HeaderLines)]; }
    int languageOffset() const { return offset_; }

private:
    int offset_;
    std::vector<QString> texts_;
};

} // namespace qvmd
