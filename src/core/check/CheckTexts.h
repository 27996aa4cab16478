#pragma once

#include <QString>

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

    explicit CheckTexts(int languageOffset) : offset_(languageOffset) {}
    QString text(Id id) const;
    int languageOffset() const { return offset_; }

private:
    int offset_;
};

} // namespace qvmd
