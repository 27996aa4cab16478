#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace qvmd {

// Aggior_MD.dat: item i names file i on the server, and its first two characters are that file's version.
class UpdateManifest {
public:
    // Only the start of the manifest is read.
    static constexpr qsizetype ReadLimit = 1000;

    // Cuts the bytes at ReadLimit, trims the text and splits it at every ">". Each item is trimmed too, so
    // line breaks or blanks around a separator never become part of a version code or a file name.
    static UpdateManifest parse(QByteArrayView bytes);

    // Nothing to compare with: no text at all, or a web page in place of the manifest.
    bool isUnusable() const { return unusable_; }
    qsizetype itemCount() const { return items_.size(); }
    // Item i, empty when the manifest has none.
    QString item(int i) const { return i >= 0 && i < items_.size() ? items_[i] : QString(); }
    QString versionCode(int i) const { return item(i).left(2); }

private:
    QStringList items_;
    bool unusable_ = true;
};

// File i is current when the first two characters of its item equal its Agg.dat line without blanks.
bool isCurrentVersion(const QString& item, const QString& installedLine);

} // namespace qvmd
