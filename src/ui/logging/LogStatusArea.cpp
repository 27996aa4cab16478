#include "ui/logging/LogStatusArea.h"

#include "core/station/StationProfile.h"
#include "ui/kit/FormControls.h"
#include "ui/logging/LogLabels.h"

#include <QLabel>

namespace qvmd {

LogStatusArea::LogStatusArea(QWidget* window, const QFont& valueFont) {
    lbl_Title = new QLabel(window);
    lbl_Title->setObjectName(QStringLiteral("lbl_Title"));
    lbl_Title->setGeometry(14, 8, 760, 28);
    QFont titleFont = lbl_Title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    lbl_Title->setFont(titleFont);
    lbl_Title->setStyleSheet(QStringLiteral("color: white;"));

    lbl_Sends =
        makeCaptionLabel(window, "lbl_Sends", QStringLiteral("Sends"), QRect(768, 48, 70, 22), "1062");
    lbl_Sends->setAlignment(Qt::AlignCenter);
    lbl_Next = makeValueLabel(window, "lbl_Next", QRect(768, 74, 70, 30));
    lbl_Next->setAlignment(Qt::AlignCenter);
    lbl_Next->setFont(valueFont);

    Image_Flag = new QLabel(window);
    Image_Flag->setObjectName(QStringLiteral("Image_Flag"));
    Image_Flag->setGeometry(852, 44, 60, 60);
    Image_Flag->setAlignment(Qt::AlignCenter);

    lbl_UtcCaption =
        makeCaptionLabel(window, "lbl_UtcCaption", QStringLiteral("U.T.C."), QRect(768, 112, 218, 20));
    lbl_UtcCaption->setAlignment(Qt::AlignCenter);
    lbl_Utc = makeValueLabel(window, "lbl_Utc", QRect(768, 134, 218, 28));
    lbl_Utc->setAlignment(Qt::AlignCenter);
    lbl_Utc->setFont(valueFont);

    for (int i = 0; i < 2; ++i) {
        auto* logo = new QLabel(window);
        logo->setObjectName(QStringLiteral("Image_Logo_%1").arg(i));
        logo->setScaledContents(true);
        setNameTag(logo, "1428");
        Image_Logo.append(logo);
    }
    Image_Logo[0]->setGeometry(622, 112, 130, 100);
    Image_Logo[1]->setGeometry(930, 40, 78, 60);
}

void LogStatusArea::showLogo(const QPixmap& logo) {
    for (QLabel* image : Image_Logo)
        image->setPixmap(logo);
}

void LogStatusArea::showTitle(const QString& caption, const StationProfile& own) {
    const QString category =
        own.category == QLatin1String("L") ? QStringLiteral("  Cat: LADY") : QStringLiteral("  Cat: Hunter");
    lbl_Title->setText(caption + QStringLiteral("  ") + own.StationCallsign + QStringLiteral("  ") +
                       own.OperatorName + category);
}

void LogStatusArea::showClock(const QString& stamp) {
    // A label with no name of its own tells of every new text; with one, only of a new name.
    const qsizetype seconds = stamp.lastIndexOf(QLatin1Char(':'));
    const QString spoken =
        lbl_UtcCaption->text() + QLatin1Char(' ') + (seconds > 0 ? stamp.left(seconds) : stamp);
    if (lbl_Utc->accessibleName() != spoken)
        lbl_Utc->setAccessibleName(spoken);
    lbl_Utc->setText(stamp);
}

} // namespace qvmd
