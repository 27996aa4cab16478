#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>
#include <span>
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
        ReportFolderUnusable,
        MoreWriteFailures,
        ReportFolderHoldsLogs,
        DateOrderDay,
        DateOrderClock,
        DateOrderOthers,
        NotUsedLogs,
        NumberMiscopied,
        ColumnNumbers,
        LinkLoop,
        LastFinding = LinkLoop,
        // The command line's own help, from a second range of the table.
        HelpPurpose = 1300,
        HelpData,
        HelpWindow,
        HelpLang,
        HelpOut,
        HelpOptions,
        HelpExit,
        UnknownOption,
        HelpNumbers,
        LastHelp = HelpNumbers,
    };

    // Every text is looked up once here: findings are made by the thousand, from several threads.
    explicit CheckTexts(int languageOffset);
    const QString& text(Id id) const { return texts_[slot(id)]; }
    int languageOffset() const { return offset_; }
    // The text with %1, %2 … replaced by the values, in one pass over a template read once: findings
    // are made by the ten thousand. A value is never searched for markers itself.
    QString format(Id id, std::initializer_list<QStringView> values) const {
        return format(id, std::span<const QStringView>(values.begin(), values.size()));
    }
    QString format(Id id, std::span<const QStringView> values) const;
    // A finding about one line: "Line N: " and the formatted text.
    QString lineFinding(int line, Id id, std::initializer_list<QStringView> values) const {
        return lineFinding(line, id, std::span<const QStringView>(values.begin(), values.size()));
    }
    QString lineFinding(int line, Id id, std::span<const QStringView> values) const;
    // The same appended to out: a report's findings are made straight into it.
    void lineFinding(QString& out, int line, Id id, std::span<const QStringView> values) const;

private:
    // A template in pieces: literal text, or the number (0 up) of the value that goes there.
    struct Piece {
        QString literal;
        int value = -1;
    };

    qsizetype formattedSize(Id id, std::span<const QStringView> values) const;
    void formatInto(char16_t*& at, Id id, std::span<const QStringView> values) const;

    static std::size_t slot(Id id) {
        return id >= HeaderLines ? static_cast<std::size_t>(id - HeaderLines)
                                 : static_cast<std::size_t>(LastFinding - HeaderLines + 1 + id - HelpPurpose);
    }

    int offset_;
    std::vector<QString> texts_;
    std::vector<std::vector<Piece>> templates_;
};

} // namespace qvmd
