#include "ui/station/CategoryOptions.h"

#include "ui/kit/FormControls.h"
#include "ui/kit/LiveStatusLabel.h"

#include <QLabel>
#include <QRadioButton>

namespace qvmd {

CategoryOptions::CategoryOptions(QWidget* form, std::function<void()> localise)
    : localise_(std::move(localise)) {
    opt_Scelta = {new QRadioButton(QStringLiteral("Lady"), form),
                  new QRadioButton(QStringLiteral("Hunter"), form)};
    opt_Scelta[0]->setObjectName(QStringLiteral("opt_Scelta_0"));
    opt_Scelta[1]->setObjectName(QStringLiteral("opt_Scelta_1"));
    opt_Scelta[0]->setProperty("tag", QStringLiteral("1121"));
    opt_Scelta[1]->setProperty("tag", QStringLiteral("1116"));
    for (QRadioButton* option : opt_Scelta) {
        // Both may be unchosen, so exclusivity is kept by hand.
        option->setAutoExclusive(false);
        keepPlaceWhenHidden(option);
    }

    // What the roster found is spoken as it shows: the focus stays where it was.
    Label19 = makeLiveLabel(form, "Label19", QStringLiteral("I'm a hunter"), "1120");
    Label20 = makeLiveLabel(form, "Label20", QStringLiteral("I'm a Lady"), "1119");
    for (QLabel* result : {Label19, Label20}) {
        QFont font = result->font();
        font.setBold(true);
        result->setFont(font);
        keepPlaceWhenHidden(result);
        result->hide();
    }
}

QColor CategoryOptions::chosenColour() {
    return QColor(0, 160, 0);
}

void CategoryOptions::setChosenLook(QRadioButton* option, bool chosen) {
    if (chosen) {
        QPalette palette = option->palette();
        palette.setColor(option->backgroundRole(), chosenColour());
        option->setPalette(palette);
    } else {
        // An empty palette inherits everything again from the form.
        option->setPalette(QPalette());
    }
    option->setAutoFillBackground(chosen);
}

void CategoryOptions::choose(const QString& category) {
    const bool hunter = category == QLatin1String("H");
    opt_Scelta[0]->setChecked(!hunter);
    opt_Scelta[1]->setChecked(hunter);
    setChosenLook(opt_Scelta[0], !hunter);
    setChosenLook(opt_Scelta[1], hunter);
    opt_Scelta[0]->setProperty("tag", hunter ? QStringLiteral("1121") : QStringLiteral("1119"));
    opt_Scelta[1]->setProperty("tag", hunter ? QStringLiteral("1120") : QStringLiteral("1116"));
    localise_();
}

void CategoryOptions::clear() {
    for (QRadioButton* option : opt_Scelta) {
        option->setChecked(false);
        setChosenLook(option, false);
    }
    opt_Scelta[0]->setProperty("tag", QStringLiteral("1121"));
    opt_Scelta[1]->setProperty("tag", QStringLiteral("1116"));
    localise_();
}

void CategoryOptions::setVisible(bool visible) {
    for (QRadioButton* option : opt_Scelta)
        option->setVisible(visible);
}

void CategoryOptions::showFound(const QString& category, const QString& name) {
    LiveStatusLabel* found = category == QLatin1String("H") ? Label19 : Label20;
    found->show();
    found->announce(name + QStringLiteral(", ") + found->text(), LiveStatusLabel::Repeat::Always);
}

void CategoryOptions::hideFound() {
    for (LiveStatusLabel* found : {Label19, Label20}) {
        found->announce(QString());
        found->hide();
    }
}

} // namespace qvmd
