#include "ui/logging/frm_Log.h"

#include "core/app/AppState.h"
#include "core/app/FileErrorText.h"
#include "core/common/Numbers.h"
#include "core/logging/EntryRules.h"
#include "core/logging/Score.h"
#include "core/logging/UtcStamp.h"
#include "core/refdata/Roster.h"
#include "core/station/StationProfile.h"
#include "ui/kit/Background.h"
#include "ui/kit/GridControl.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/cLoadResPicture.h"
#include "ui/logging/ContactGridModel.h"
#include "ui/refdata/frm_country.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace qvmd {

namespace {

const QString clubOfMembers = QStringLiteral("QV");
const QColor hunterColour(0, 0, 255);
const QColor ladyColour(255, 0, 0);
const QColor genericColour(255, 0, 0);
constexpr int visibleRows = 10;
constexpr int clockMilliseconds = 500;

// Grid column widths in twips; headers and alignments come with the model.
constexpr int columnTwips[] = {300, 400, 400, 1200, 1200, 350, 1400, 1450, 350};

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLabel* makeValue(QWidget* parent, const char* name, const QRect& geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setContentsMargins(0, 0, 4, 0);
    return label;
}

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
                    const char* tag = nullptr) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    if (tag)
        label->setProperty("tag", QString::fromLatin1(tag));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

} // namespace

frm_Log::frm_Log(AppState& state, Seams& seams, NotFoundWindow notFound, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams), notFound_(std::move(notFound)), log_(state) {
    // The clock first, so the window opens with the time showing.
    buildControls();
    Timer1_Timer();

    entryKind_ = 1;
    loadPictures();
    Localise(*this, *state_.strings, state_.LanguageOffset);
    paintBackground(*this, Backdrop::lightBlueToGreen);
    cmd_Find->setText(text(1045, "Find"));

    // Point values of the log's category, and the category the warning asks for.
    const PointValues points = pointValues(state_.weights, state_.profile.category);
    lbl_HunterPoints->setText(QString::number(points.hunter));
    lbl_LadyPoints->setText(QString::number(points.lady));
    lbl_CountryPoints->setText(QString::number(points.country));
    lbl_Warning->setText(lbl_Warning->text() + missingCategorySuffix(state_.profile.category));

    // Worked marks come from this log alone; the grid shows the log as read.
    state_.worked = WorkedCountries(state_.countries.count());
    const LogInUse::Opened opened = log_.open();
    if (opened.logError) {
        error(fileErrorText(*opened.logError, state_.LanguageOffset));
        return;
    }
    // The log itself is sound; a stale Log.dat is only reported.
    if (opened.counterError)
        error(fileErrorText(*opened.counterError, state_.LanguageOffset));
    model_->setFixedBackground(palette().color(QPalette::Button));
    cmd_Empty->setVisible(log_.paperLog());

    showTitle();
    refreshDisplay();
    colourAndScroll();
    cmd_Clear_Click();
    ready_ = true;

    Timer1.setInterval(clockMilliseconds);
    connect(&Timer1, &QTimer::timeout, this, &frm_Log::Timer1_Timer);
    Timer1.start();
}

frm_Log::~frm_Log() {
    // The view lets go of the model before the model goes.
    MSHFlexGrid1->setModel(nullptr);
}

QString frm_Log::text(int id, const char* fallback) const {
    return state_.text(id, QString::fromUtf8(fallback));
}

void frm_Log::error(const QString& message) {
    seams_.message(this, message, text(1053, "Error check"), Seams::Icon::Error);
}

void frm_Log::buildControls() {
    setObjectName(QStringLiteral("frm_Log"));
    setProperty("tag", QStringLiteral("1077"));
    setWindowTitle(QStringLiteral("Log  Station"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(1020, 500);

    lbl_Title = new QLabel(this);
    lbl_Title->setObjectName(QStringLiteral("lbl_Title"));
    lbl_Title->setGeometry(14, 8, 760, 28);
    QFont titleFont = lbl_Title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    lbl_Title->setFont(titleFont);
    lbl_Title->setStyleSheet(QStringLiteral("color: white;"));

    // Entry row: captions above, boxes below.
    constexpr int captionY = 48;
    constexpr int boxY = 74;
    constexpr int boxH = 30;
    struct BoxPlace {
        int x;
        int width;
    };
    constexpr BoxPlace places[7] = {{14, 48},   {66, 56},  {126, 64}, {200, 56},
                                    {266, 220}, {496, 50}, {556, 200}};
    QFont boxFont = font();
    boxFont.setBold(true);
    boxFont.setPointSizeF(boxFont.pointSizeF() * 1.25);
    for (int i = 0; i < 7; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setGeometry(places[i].x, boxY, places[i].width, boxH);
        box->setFont(boxFont);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
        Text1.append(box);
    }
    for (int i : {0, 2, 3, 5})
        Text1[i]->setAlignment(Qt::AlignCenter);
    Text1[BoxCategory]->setReadOnly(true);
    Text1[BoxCountryName]->setReadOnly(true);
    Text1[BoxCountryName]->setFocusPolicy(Qt::ClickFocus);

    Check1 = new QCheckBox(QStringLiteral("Non QV Station"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(14, captionY - 2, 176, 26);
    connect(Check1, &QCheckBox::clicked, this, &frm_Log::Check1_Click);

    lbl_Ric = makeCaption(this, "lbl_Ric", QStringLiteral("Ric."), QRect(200, captionY, 56, 22));
    lbl_Ric->setAlignment(Qt::AlignCenter);
    lbl_Name = makeCaption(this, "lbl_Name", QStringLiteral("Name"), QRect(266, captionY, 220, 22), "1041");
    cmd_NameUnknown = new QPushButton(QStringLiteral("Name Unknown"), this);
    cmd_NameUnknown->setObjectName(QStringLiteral("cmd_NameUnknown"));
    cmd_NameUnknown->setProperty("tag", QStringLiteral("1129"));
    cmd_NameUnknown->setGeometry(266, captionY - 2, 150, 26);
    connect(cmd_NameUnknown, &QPushButton::clicked, this, &frm_Log::cmd_NameUnknown_Click);

    cmd_H = new QPushButton(QStringLiteral("H"), this);
    cmd_H->setObjectName(QStringLiteral("cmd_H"));
    cmd_H->setGeometry(496, captionY - 2, 25, 26);
    connect(cmd_H, &QPushButton::clicked, this, &frm_Log::cmd_H_Click);
    cmd_L = new QPushButton(QStringLiteral("L"), this);
    cmd_L->setObjectName(QStringLiteral("cmd_L"));
    cmd_L->setGeometry(521, captionY - 2, 25, 26);
    connect(cmd_L, &QPushButton::clicked, this, &frm_Log::cmd_L_Click);
    cmd_Country = new QPushButton(QStringLiteral("Country"), this);
    cmd_Country->setObjectName(QStringLiteral("cmd_Country"));
    cmd_Country->setGeometry(556, captionY - 2, 100, 26);
    connect(cmd_Country, &QPushButton::clicked, this, &frm_Log::cmd_Country_Click);

    lbl_Sends = makeCaption(this, "lbl_Sends", QStringLiteral("Sends"), QRect(768, captionY, 70, 22), "1062");
    lbl_Sends->setAlignment(Qt::AlignCenter);
    lbl_Next = makeValue(this, "lbl_Next", QRect(768, boxY, 70, boxH));
    lbl_Next->setAlignment(Qt::AlignCenter);
    lbl_Next->setFont(boxFont);

    Image_Flag = new QLabel(this);
    Image_Flag->setObjectName(QStringLiteral("Image_Flag"));
    Image_Flag->setGeometry(852, 44, 60, 60);
    Image_Flag->setAlignment(Qt::AlignCenter);

    lbl_UtcCaption = makeCaption(this, "lbl_UtcCaption", QStringLiteral("U.T.C."), QRect(768, 112, 218, 20));
    lbl_UtcCaption->setAlignment(Qt::AlignCenter);
    lbl_Utc = makeValue(this, "lbl_Utc", QRect(768, 134, 218, 28));
    lbl_Utc->setAlignment(Qt::AlignCenter);
    lbl_Utc->setFont(boxFont);

    // Command buttons with their pictures, caption under the picture.
    struct Command {
        QToolButton** button;
        const char* name;
        const char* caption;
        const char* tag;
    };
    const Command commands[] = {
        {&cmd_Find, "cmd_Find", "Find", nullptr},    {&cmd_Write, "cmd_Write", "Write", nullptr},
        {&cmd_Del, "cmd_Del", "Del.", nullptr},      {&cmd_Clear, "cmd_Clear", "Clear", nullptr},
        {&cmd_Empty, "cmd_Empty", "Empty", nullptr}, {&cmd_Close, "cmd_Close", "Exit", nullptr},
    };
    int x = 14;
    for (const Command& command : commands) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setText(QString::fromLatin1(command.caption));
        if (command.tag)
            button->setProperty("tag", QString::fromLatin1(command.tag));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(40, 40));
        button->setGeometry(x, 116, 92, 66);
        button->setAutoRaise(false);
        *command.button = button;
        x += 100;
    }
    connect(cmd_Find, &QToolButton::clicked, this, &frm_Log::cmd_Find_Click);
    connect(cmd_Write, &QToolButton::clicked, this, &frm_Log::cmd_Write_Click);
    connect(cmd_Del, &QToolButton::clicked, this, &frm_Log::cmd_Del_Click);
    connect(cmd_Clear, &QToolButton::clicked, this, &frm_Log::cmd_Clear_Click);
    connect(cmd_Empty, &QToolButton::clicked, this, &frm_Log::cmd_Empty_Click);
    connect(cmd_Close, &QToolButton::clicked, this, &frm_Log::cmd_Close_Click);

    for (int i = 0; i < 2; ++i) {
        auto* logo = new QLabel(this);
        logo->setObjectName(QStringLiteral("Image_Logo_%1").arg(i));
        logo->setScaledContents(true);
        Image_Logo.append(logo);
    }
    Image_Logo[0]->setGeometry(622, 112, 130, 100);
    Image_Logo[1]->setGeometry(930, 40, 78, 60);

    MSHFlexGrid1 = new GridControl(this);
    MSHFlexGrid1->setObjectName(QStringLiteral("MSHFlexGrid1"));

    setUpGrid();
    buildScoreTable();

    // Tab order along the entry row; the club joins it only for generic stations.
    for (int i = 1; i < 7; ++i)
        setTabOrder(Text1[i - 1], Text1[i]);
}

void frm_Log::buildScoreTable() {
    // Beside the grid, whose width follows the font.
    const int left = MSHFlexGrid1->geometry().right() + 24;
    constexpr int top = 222;
    constexpr int rowH = 26;
    lbl_Points = makeCaption(this, "lbl_Points", QStringLiteral("Estimated points"),
                             QRect(left, top, 280, 22), "1098");
    lbl_Points->setAlignment(Qt::AlignCenter);
    struct Row {
        const char* name;
        const char* caption;
        const char* tag;
        QLabel** count;
        QLabel** points;
    };
    const Row rows[] = {
        {"lbl_Hunter", "Hunter", nullptr, &lbl_HunterCount, &lbl_HunterPoints},
        {"lbl_Lady", "Lady", nullptr, &lbl_LadyCount, &lbl_LadyPoints},
        {"lbl_Count", "Count.", nullptr, &lbl_CountryCount, &lbl_CountryPoints},
        {"lbl_Cancelled", "Cancelled", "1099", &lbl_CancelledCount, nullptr},
        {"lbl_Multipliers", "Multipliers", "1136", &lbl_Multiplier, nullptr},
        {"lbl_TotalCaption", "Total  H+L+CxM", "1100", &lbl_Total, nullptr},
    };
    int y = top + 26;
    for (const Row& row : rows) {
        makeCaption(this, row.name, QString::fromLatin1(row.caption), QRect(left, y, 150, rowH - 2), row.tag);
        const QByteArray countName = QByteArray(row.name) + "Value";
        *row.count = makeValue(this, countName.constData(), QRect(left + 152, y, 70, rowH - 2));
        if (row.points) {
            const QByteArray pointsName = QByteArray(row.name) + "Points";
            *row.points = makeValue(this, pointsName.constData(), QRect(left + 226, y, 54, rowH - 2));
        }
        y += rowH;
    }
    lbl_Total->setGeometry(left + 152, y - rowH, 128, rowH - 2);
    QFont bold = lbl_Total->font();
    bold.setBold(true);
    lbl_Total->setFont(bold);

    lbl_Warning = new QLabel(QStringLiteral("Why the Log to be valid you must connect a Station "), this);
    lbl_Warning->setObjectName(QStringLiteral("lbl_Warning"));
    lbl_Warning->setProperty("tag", QStringLiteral("1158"));
    lbl_Warning->setGeometry(left, y + 8, 280, 48);
    const int bottom = std::max(MSHFlexGrid1->geometry().bottom(), lbl_Warning->geometry().bottom());
    setFixedSize(std::max(width(), left + 280 + 16), bottom + 16);
    lbl_Warning->setWordWrap(true);
    lbl_Warning->setAlignment(Qt::AlignCenter);
    lbl_Warning->setAutoFillBackground(true);
    QPalette warning = lbl_Warning->palette();
    warning.setColor(QPalette::Window, QColor(255, 255, 192));
    warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lbl_Warning->setPalette(warning);
    lbl_Warning->setFont(bold);
    lbl_Warning->hide();
}

void frm_Log::loadPictures() {
    cLoadResPicture pictures;
    const struct {
        QToolButton* button;
        int id;
    } buttons[] = {{cmd_Close, 107}, {cmd_Del, 108},  {cmd_Clear, 109},
                   {cmd_Write, 110}, {cmd_Find, 111}, {cmd_Empty, 117}};
    for (const auto& button : buttons)
        button.button->setIcon(QIcon(pictures.LoadResPicture(button.id, QStringLiteral("CUSTOM"))));
    const QPixmap logo = pictures.LoadResPicture(101, QStringLiteral("CUSTOM"));
    for (QLabel* image : Image_Logo)
        image->setPixmap(logo);
    // Drawn once: the flag box shows it for every number without a flag.
    flagLogo_ = logo.scaled(Image_Flag->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void frm_Log::setUpGrid() {
    model_ = std::make_unique<ContactGridModel>(log_.contacts());
    GridControl& grid = *MSHFlexGrid1;
    grid.setModel(model_.get());
    // The widths are those of a small system font; scaled alike so that a whole stamp fits in its column.
    const int stampWidth = grid.fontMetrics().horizontalAdvance(QStringLiteral("06/05/2026 10:00:05")) + 28;
    const double scale = std::max(1.0, static_cast<double>(stampWidth) /
                                           GridControl::twipsToPixels(columnTwips[7], logicalDpiX()));
    for (int col = 0; col < ContactGridModel::Columns; ++col)
        grid.setColWidth(col, static_cast<int>(columnTwips[col] * scale));
    grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    int width = 2 * grid.frameWidth() + grid.verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < ContactGridModel::Columns; ++col)
        width += grid.columnWidth(col);
    const int height = 2 * grid.frameWidth() + grid.horizontalHeader()->sizeHint().height() +
                       visibleRows * grid.verticalHeader()->defaultSectionSize();
    grid.setGeometry(14, 222, width, height);
    connect(&grid, &GridControl::rowPicked, this, &frm_Log::MSHFlexGrid1_Pick);
}

void frm_Log::showTitle() {
    const StationProfile& own = state_.profile;
    const QString category =
        own.category == QLatin1String("L") ? QStringLiteral("  Cat: LADY") : QStringLiteral("  Cat: Hunter");
    lbl_Title->setText(text(1035, "Log in use:") + QStringLiteral("  ") + own.StationCallsign +
                       QStringLiteral("  ") + own.OperatorName + category);
}

void frm_Log::showEvent(QShowEvent* event) {
    FormDialog::showEvent(event);
    Text1[BoxCountry]->setFocus();
}

// ---- clock ----

void frm_Log::Timer1_Timer() {
    state_.UtcNowText = utcStampText(Mod_Time(*state_.clock));
    lbl_Utc->setText(state_.UtcNowText);
}

// ---- typing ----

bool frm_Log::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    const int index = box ? static_cast<int>(Text1.indexOf(box)) : -1;
    if (index < 0)
        return FormDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return handleKey(index, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusIn) {
        static_cast<QObject*>(box)->event(event);
        box->setSelection(0, static_cast<int>(box->text().trimmed().size()));
        // A click places the cursor after the focus arrives; select once it has.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
            QTimer::singleShot(
                0, box, [box] { box->setSelection(0, static_cast<int>(box->text().trimmed().size())); });
        return true;
    }
    return FormDialog::eventFilter(watched, event);
}

bool frm_Log::handleKey(int box, QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        cmd_Clear_Click();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        handleEnter(box);
        return true;
    }
    if (key == Qt::Key_Backspace)
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
        // Copy and select-all are harmless; anything that could bring text in is not.
        return !(event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll));
    }
    const QString typed = event->text();
    // Keys without a character (arrows, Tab, Delete) keep their usual meaning.
    if (typed.isEmpty() || typed.at(0).category() == QChar::Other_Control)
        return false;
    if (typed.size() != 1)
        return true;
    const QChar upper = typed.at(0).toUpper();
    if (!entryKeyAllowed(box, upper) || Text1[box]->isReadOnly())
        return true;
    if (upper == typed.at(0))
        return false;
    Text1[box]->insert(QString(upper));
    return true;
}

void frm_Log::handleEnter(int box) {
    if (Text1[box]->text().trimmed().isEmpty())
        return;
    switch (box) {
    case BoxCountry:
        Text1[Check1->isChecked() ? BoxClub : BoxUnit]->setFocus();
        break;
    case BoxClub:
        Text1[BoxUnit]->setFocus();
        break;
    case BoxUnit:
        cmd_Find_Click();
        break;
    case BoxReceived:
    case BoxName:
        cmd_Write_Click();
        break;
    default:
        break;
    }
}

void frm_Log::Text1_Change(int box) {
    if (filling_ || changing_ || box == BoxCategory)
        return;
    QLineEdit* edit = Text1[box];
    const ChangedText changed = applyChangeRules(edit->text());
    if (changed.text != edit->text()) {
        changing_ = true;
        edit->setText(changed.text);
        changing_ = false;
        if (changed.cursorToEnd)
            edit->setCursorPosition(static_cast<int>(changed.text.size()));
    }
    if (box == BoxCountry) {
        const std::int64_t number = leadingNumber(edit->text());
        if (number <= state_.countries.count()) {
            showCountry(number);
        } else {
            error(text(1054, "Wrong Prefix"));
            edit->clear();
            Text1[BoxCountryName]->clear();
            edit->setFocus();
        }
    } else if (box == BoxUnit && entryKind_ == 1 && leadingNumber(edit->text()) > state_.MaxUnitNumber) {
        error(text(1072, "Wrong Unit Number"));
        edit->clear();
        edit->setFocus();
    }
}

void frm_Log::showCountry(std::int64_t number) {
    const int country = static_cast<int>(number);
    Text1[BoxCountryName]->setText(state_.countries.name(country));
    // Flags are compiled in and never change during a run, so each is decoded once, not at every contact.
    auto shown = flags_.constFind(country);
    if (shown == flags_.cend()) {
        QPixmap flag = cLoadResPicture().LoadResPicture(country, QStringLiteral("FLAG"));
        if (flag.isNull())
            flag = flagLogo_;
        shown = flags_.insert(country, flag);
    }
    Image_Flag->setPixmap(*shown);
}

// ---- the entry row ----

QString frm_Log::worked() const {
    return buildStationIdentifier(Text1[BoxCountry]->text(), Text1[BoxClub]->text(), Text1[BoxUnit]->text());
}

ContactEntry frm_Log::entry() const {
    return {worked(), Text1[BoxReceived]->text().trimmed(), Text1[BoxName]->text().trimmed(),
            contactCategory_};
}

void frm_Log::setCategoryBox(const QString& category) {
    Text1[BoxCategory]->setText(category);
    setTextColour(Text1[BoxCategory], category == QLatin1String("H") ? hunterColour : ladyColour);
}

void frm_Log::setCheckLook(bool generic) {
    Check1->setAutoFillBackground(generic);
    QPalette palette = Check1->palette();
    palette.setColor(QPalette::Window, generic ? genericColour : this->palette().color(QPalette::Button));
    Check1->setPalette(palette);
}

void frm_Log::lockClubAndName(bool locked) {
    Text1[BoxClub]->setReadOnly(locked);
    Text1[BoxName]->setReadOnly(locked);
}

void frm_Log::showNameUnknown(bool shown) {
    cmd_NameUnknown->setVisible(shown);
    lbl_Name->setVisible(!shown);
}

void frm_Log::emptyBoxes() {
    for (QLineEdit* box : Text1)
        box->clear();
}

void frm_Log::setGeneric(bool generic) {
    entryKind_ = generic ? 2 : 1;
    // The club is typed only for generic stations; members skip it.
    Text1[BoxClub]->setFocusPolicy(generic ? Qt::StrongFocus : Qt::ClickFocus);
}

void frm_Log::Check1_Click() {
    if (filling_)
        return;
    const bool generic = Check1->isChecked();
    setGeneric(generic);
    setCheckLook(generic);
    if (!generic)
        cmd_Find->setEnabled(true);
    cmd_Write->setEnabled(true);
    showNameUnknown(generic);
    emptyBoxes();
    contactCategory_.clear();
    cmd_H->setEnabled(generic);
    cmd_L->setEnabled(generic);
    if (!generic)
        Text1[BoxClub]->setText(clubOfMembers);
    lockClubAndName(!generic);
    Text1[BoxCountry]->setFocus();
}

void frm_Log::cmd_Clear_Click() {
    Check1->setChecked(false);
    setGeneric(false);
    setCheckLook(false);
    cmd_Find->setEnabled(true);
    showNameUnknown(false);
    editMode_ = false;
    lbl_Next->setText(QString::number(state_.counters.NextProgressive));
    emptyBoxes();
    contactCategory_.clear();
    found_ = false;
    Text1[BoxClub]->setText(clubOfMembers);
    lockClubAndName(true);
    cmd_H->setEnabled(false);
    cmd_L->setEnabled(false);
    cmd_Write->setEnabled(false);
    cmd_Del->setEnabled(false);
    cmd_Empty->setEnabled(true);
    Text1[BoxCountry]->setFocus();
}

void frm_Log::cmd_Close_Click() {
    Timer1.stop();
    // The last counter file may still be on its way; the main window reads it next.
    if (const std::optional<FileError> failure = log_.settle())
        error(fileErrorText(*failure, state_.LanguageOffset));
    closeWith(QDialog::Accepted);
}

void frm_Log::cmd_NameUnknown_Click() {
    Text1[BoxName]->setText(QStringLiteral("Unknown"));
    Text1[BoxCategory]->setFocus();
}

void frm_Log::cmd_H_Click() {
    chooseCategory(QStringLiteral("H"));
}

void frm_Log::cmd_L_Click() {
    chooseCategory(QStringLiteral("L"));
}

// The button of the chosen category is the one that cannot be pressed again.
void frm_Log::chooseCategory(const QString& category) {
    contactCategory_ = category;
    setCategoryBox(contactCategory_);
    cmd_H->setEnabled(category != QLatin1String("H"));
    cmd_L->setEnabled(category != QLatin1String("L"));
    Text1[BoxReceived]->setFocus();
}

void frm_Log::cmd_Country_Click() {
    frm_country window(state_, seams_, this);
    seams_.showModal(window);
    Text1[BoxCountry]->setFocus();
}

// ---- Find ----

// Moves the focus to the first of the boxes left empty; true when there was one.
bool frm_Log::focusFirstEmpty(std::initializer_list<int> boxes) {
    for (int box : boxes) {
        if (Text1[box]->text().trimmed().isEmpty()) {
            Text1[box]->setFocus();
            return true;
        }
    }
    return false;
}

void frm_Log::cmd_Find_Click() {
    if (focusFirstEmpty({BoxCountry, BoxUnit}))
        return;
    const QString identifier = worked();
    checkResult_ = checkNewContact(log_.contacts(), state_.profile.StationCallsign, entry());
    if (checkResult_.code == CheckCode::OwnCallsign || checkResult_.code == CheckCode::Duplicate) {
        reportCheck(checkResult_);
        return;
    }

    const RosterSearch search = searchRosters(state_.folder, identifier, RosterOrder::Logging);
    if (search.error)
        error(fileErrorText(*search.error, state_.LanguageOffset));
    found_ = search.found;
    if (found_) {
        foundKind_ = search.entry.category == QLatin1String("L") ? 1 : 2;
        Text1[BoxName]->setText(search.entry.name);
        contactCategory_ = search.entry.category;
        setCategoryBox(contactCategory_);
        cmd_Write->setEnabled(true);
        Text1[BoxName]->setReadOnly(false);
        Text1[BoxReceived]->setFocus();
        return;
    }

    showNameUnknown(true);
    cmd_Write->setEnabled(true);
    if (entryKind_ == 1) {
        if (notFound_ && !notFound_(this, identifier)) {
            cmd_Clear_Click();
            return;
        }
    }
    Text1[BoxCategory]->clear();
    contactCategory_.clear();
    Text1[BoxName]->setReadOnly(false);
    Text1[BoxName]->setFocus();
    cmd_H->setEnabled(true);
    cmd_L->setEnabled(true);
    cmd_Write->setEnabled(true);
}

// ---- Write ----

void frm_Log::reportCheck(const CheckResult& result) {
    messageStation_ = result.messageStation;
    switch (result.code) {
    case CheckCode::OwnCallsign:
        error(result.messageStation + QStringLiteral("\r\n") +
              text(1068, "You can't put your callsign in the Log"));
        return;
    case CheckCode::Duplicate:
        error(duplicateMessage(result,
                               {text(1095, "Contact already made"), text(1093, "With the Progressive No."),
                                text(1094, "To insert it again delete the previous contact")}));
        cmd_Clear_Click();
        Text1[BoxCountry]->setFocus();
        return;
    case CheckCode::MissingReceived:
        error(text(1070, "Error - Received  Progressive Missed"));
        Text1[BoxReceived]->setFocus();
        return;
    case CheckCode::NameTooShort:
        error(text(1071, "Error - The name is too short or missing"));
        Text1[BoxName]->setFocus();
        return;
    case CheckCode::NoCategory:
        error(text(1137, "You have to choose between Lady or Hunter"));
        cmd_H->setFocus();
        return;
    case CheckCode::Passed:
        return;
    }
}

void frm_Log::cmd_Write_Click() {
    if (focusFirstEmpty({BoxCountry, BoxUnit, BoxClub}))
        return;
    const ContactEntry typed = entry();
    if (Check1->isChecked()) {
        const QString club = Text1[BoxClub]->text().trimmed();
        if (club == clubOfMembers) {
            error(text(1112, "A Generic Station can not be QV"));
            Text1[BoxClub]->setFocus();
            return;
        }
        if (club.size() > 5) {
            error(text(1113, "Club must be between 1 and 5 characters"));
            Text1[BoxClub]->setFocus();
            return;
        }
    }
    cmd_Write->setEnabled(false);
    if (editMode_)
        writeModified(typed);
    else
        writeNew(typed);
}

void frm_Log::writeNew(const ContactEntry& typed) {
    checkResult_ = checkNewContact(log_.contacts(), state_.profile.StationCallsign, typed);
    if (checkResult_.code != CheckCode::Passed) {
        reportCheck(checkResult_);
        if (checkResult_.code == CheckCode::OwnCallsign)
            cmd_Clear_Click();
        else if (checkResult_.code != CheckCode::Duplicate)
            cmd_Write->setEnabled(true);
        return;
    }
    const ContactFields fields{typed.received,
                               typed.identifier,
                               typed.name,
                               typed.category,
                               Text1[BoxCountryName]->text().trimmed(),
                               state_.UtcNowText};
    const LogInUse::WriteOutcome outcome = log_.addContact(fields);
    if (!reportOutcome(outcome)) {
        // Nothing was written: the entry stays as typed, ready to try again.
        cmd_Write->setEnabled(true);
        return;
    }
    contactCategory_.clear();
    finishWrite();
}

void frm_Log::writeModified(const ContactEntry& typed) {
    checkResult_ = checkModifiedContact(log_.contacts(), state_.profile.StationCallsign, typed, editedRow_);
    if (checkResult_.code != CheckCode::Passed) {
        reportCheck(checkResult_);
        if (checkResult_.code == CheckCode::OwnCallsign)
            cmd_Clear_Click();
        return;
    }
    const ContactFields fields{typed.received,
                               typed.identifier,
                               typed.name,
                               Text1[BoxCategory]->text().trimmed(),
                               Text1[BoxCountryName]->text().trimmed(),
                               saved_.timeStamp};
    const LogInUse::WriteOutcome outcome = log_.modifyContact(editedRow_, fields);
    if (!reportOutcome(outcome)) {
        cmd_Write->setEnabled(true);
        return;
    }
    cmd_H->setEnabled(false);
    cmd_L->setEnabled(false);
    finishWrite();
}

bool frm_Log::reportOutcome(const LogInUse::WriteOutcome& outcome) {
    switch (outcome.outcome) {
    case LogInUse::Outcome::Done:
        break;
    case LogInUse::Outcome::Refused:
        if (outcome.appendError->kind == AppendError::Kind::LogFull)
            error(appendErrorText(*outcome.appendError, state_.LanguageOffset));
        else
            error(appendErrorText(*outcome.appendError, state_.LanguageOffset) + QStringLiteral("\r\n") +
                  text(1192, "Nothing was written to the Log."));
        break;
    case LogInUse::Outcome::CounterFileFailed:
        error(fileErrorText(*outcome.fileError, state_.LanguageOffset));
        break;
    }
    if (outcome.written()) {
        refreshDisplay();
        colourAndScroll();
    }
    return outcome.written();
}

void frm_Log::finishWrite() {
    cmd_Clear_Click();
    state_.LogChanged = FlagTrue;
}

// ---- the grid ----

void frm_Log::MSHFlexGrid1_Pick() {
    // A pick always ends the modification in hand, so the empty last row can never be written as one.
    editMode_ = false;
    emptyBoxes();
    Text1[BoxClub]->setReadOnly(false);
    Text1[BoxName]->setReadOnly(false);
    editedRow_ = MSHFlexGrid1->row();
    if (editedRow_ < 1 || editedRow_ > log_.contacts().size())
        return;
    const ContactRecord& contact = log_.contacts().at(editedRow_);
    if (contact.isCancelled()) {
        seams_.message(this, text(1060, "Contact Cancelled - Impossible to modify it."),
                       text(1053, "Error check"), Seams::Icon::Information);
        cmd_Clear_Click();
        return;
    }
    filling_ = true;
    cmd_Write->setEnabled(true);
    cmd_Del->setEnabled(true);
    cmd_Empty->setEnabled(false);
    const IdentifierParts parts = splitIdentifier(contact.fieldText(ContactRecord::Unit));
    Text1[BoxCountry]->setText(parts.country);
    Text1[BoxClub]->setText(parts.club);
    Text1[BoxUnit]->setText(parts.unit);
    Text1[BoxName]->setText(contact.field(ContactRecord::Name).trimmed().toString());
    Text1[BoxReceived]->setText(QString::number(leadingNumber(contact.field(ContactRecord::Received))));
    contactCategory_ = contact.fieldText(ContactRecord::Category);
    setCategoryBox(contactCategory_);
    const bool hunter = contactCategory_ == QLatin1String("H");
    cmd_H->setEnabled(!hunter);
    cmd_L->setEnabled(hunter);
    Text1[BoxCountryName]->setText(contact.fieldText(ContactRecord::Country));
    lbl_Next->setText(contact.fieldText(ContactRecord::Progressive));
    const bool member = parts.club == clubOfMembers;
    Check1->setChecked(!member);
    setCheckLook(!member);
    setGeneric(!member);
    cmd_Find->setEnabled(member);
    if (!member) {
        showNameUnknown(true);
        Text1[BoxCountry]->setFocus();
    }
    for (int i = 0; i < 6; ++i)
        saved_.boxes[i] = Text1[i]->text();
    saved_.entryKind = entryKind_;
    saved_.timeStamp = contact.field(ContactRecord::DateTime).trimmed().toString();
    editMode_ = true;
    filling_ = false;
}

void frm_Log::cmd_Del_Click() {
    const QString question = text(1061, "Are you sure you want to delete the contact with:") +
                             QLatin1Char('\r') + QString(9, QLatin1Char(' ')) + worked() +
                             QStringLiteral("  ") + Text1[BoxName]->text();
    if (editMode_ && seams_.ask(this, question, QStringLiteral("Delete"), Seams::Icon::Question))
        reportOutcome(log_.cancelContact(editedRow_));
    cmd_Clear_Click();
    cmd_Del->setEnabled(false);
}

void frm_Log::cmd_Empty_Click() {
    const QString question = text(1107, "You to insert a blank line and canceled.") + QLatin1Char('\r') +
                             QString(10, QLatin1Char(' ')) + text(1108, "Are you sure");
    if (!seams_.ask(this, question, QStringLiteral("QV_md"), Seams::Icon::Question))
        return;
    if (reportOutcome(log_.addBlankCancelled(state_.UtcNowText))) {
        contactCategory_.clear();
        lbl_Next->setText(QString::number(state_.counters.NextProgressive));
        state_.LogChanged = FlagTrue;
    }
    Text1[BoxCountry]->setFocus();
}

int frm_Log::topRow() const {
    return MSHFlexGrid1->topRow();
}

int frm_Log::currentRow() const {
    return MSHFlexGrid1->row();
}

void frm_Log::colourAndScroll() {
    // Colours come with the model; the last (empty) row is the tenth one visible and the current one.
    GridControl& grid = *MSHFlexGrid1;
    const int lastRow = log_.contacts().size() + 1;
    if (lastRow > visibleRows - 1)
        grid.setTopRow(lastRow - (visibleRows - 1));
    grid.setRow(lastRow);
}

// ---- score ----

void frm_Log::refreshDisplay() {
    const LogCounters& counters = state_.counters;
    if (!editMode_)
        lbl_Next->setText(QString::number(counters.NextProgressive));
    lbl_HunterCount->setText(QString::number(counters.HunterCount));
    lbl_LadyCount->setText(QString::number(counters.LadyCount));
    lbl_CountryCount->setText(QString::number(counters.CountryCount));
    lbl_CancelledCount->setText(QString::number(counters.CancelledCount));
    lbl_Multiplier->setText(QString::number(counters.LadyCount));
    lbl_Warning->setVisible(validityWarningShown(state_.profile.category, counters));
    const PointValues points = pointValues(state_.weights, state_.profile.category);
    lbl_Total->setText(QString::number(scoreTotal(counters, points)));
}

} // namespace qvmd
