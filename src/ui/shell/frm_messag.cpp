#include "ui/shell/frm_messag.h"
#include "ui/kit/FormControls.h"

#include "core/app/AppState.h"
#include "ui/kit/Background.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvmd {

frm_messag::frm_messag(AppState& state, Seams& seams, const QString& workedIdentifier,
                       std::int16_t& rosterResult, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    setObjectName(QStringLiteral("frm_messag"));
    setWindowTitle(QStringLiteral("Messaggio"));
    setProperty("tag", QStringLiteral("1133"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Label2 = makeLabel(this, "Label2", QStringLiteral("Stazione non trovata"), "1131");
    QFont bold = Label2->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    Label2->setFont(bold);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    QFont large = Label1->font();
    large.setPointSize(large.pointSize() + 14);
    large.setBold(true);
    Label1->setFont(large);

    Label4 = makeLabel(this, "Label4", QStringLiteral("Non risulta tra le stazioni"), "1135");
    Label3 = makeLabel(this, "Label3", QString(), "1132");
    Label3->setWordWrap(true);
    Label3->setFixedWidth(360);
    Label5 = makeLabel(this, "Label5", QStringLiteral("Continua"), "1134");

    Command1 = new QPushButton(QStringLiteral("Yes"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    setNameTag(Command1, "1419");
    Command1->setMinimumWidth(90);
    connect(Command1, &QPushButton::clicked, this, &frm_messag::Command1_Click);
    Command2 = new QPushButton(QStringLiteral("NO"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setMinimumWidth(90);
    connect(Command2, &QPushButton::clicked, this, &frm_messag::Command2_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addSpacing(24);
    buttons->addWidget(Command2);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(Label2);
    layout->addWidget(Label1);
    layout->addWidget(Label4);
    layout->addWidget(Label3);
    layout->addWidget(Label5);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Load.
    Localise(*this, *state_.strings, state_.LanguageOffset);
    // The station is missing from the roster of the other category, the one it should be in.
    Label4->setText(Label4->text() + (state_.profile.category == QStringLiteral("H")
                                          ? QStringLiteral(" Lady")
                                          : QStringLiteral(" Hunter")));
    Label1->setText(workedIdentifier);
    // A screen reader reads a dialog's labels of three words or more only: the identifier and the question
    // are said within the longer texts.
    Label2->setAccessibleName(Label2->text() + QStringLiteral(": ") + workedIdentifier);
    Label3->setAccessibleName(Label3->text() + QLatin1Char(' ') + Label5->text() + QLatin1Char('?'));
    rosterResult = 0;
    layout->activate();
    paintBackground(*this, Backdrop::redToOrange);
}

void frm_messag::Command1_Click() {
    closeWith(QDialog::Accepted);
}

void frm_messag::Command2_Click() {
    closeWith(QDialog::Rejected);
}

} // namespace qvmd
