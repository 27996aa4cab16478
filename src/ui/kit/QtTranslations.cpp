#include "ui/kit/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qvmd {

namespace {

const char* const translatorName = "qvmdQtTranslations";

} // namespace

void useQtTranslations(int languageOffset) {
    auto* app = QCoreApplication::instance();
    if (!app)
        return;
    // The application owns the translator, so it lives exactly as long as the texts it translates.
    auto* translator =
        app->findChild<QTranslator*>(QLatin1String(translatorName), Qt::FindDirectChildrenOnly);
    // Only Italian has a translator: English is Qt's own language.
    const bool italian = languageOffset == 0;
    if (translator && italian)
        return;
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        return;
    }
    if (!italian)
        return;
    translator = new QTranslator(app);
    translator->setObjectName(QLatin1String(translatorName));
    if (translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace qvmd
