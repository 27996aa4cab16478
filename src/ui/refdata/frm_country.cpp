#include "ui/refdata/frm_country.h"

#include "core/app/AppState.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/GridControl.h"
#include "ui/kit/Localise.h"

#include <QColor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace qvmd {

namespace {

const QColor workedColour(0, 255, 0);
const QString gridFormat = QStringLiteral("^|^Prefix|^Country|^Coll.");

constexpr int columnTwips[] = {300, 600, 3000, 500};

// The widths drawn for the list, unless the longest heading or entry of a column (in the list of every
// country, which holds the worked ones too) would be cut: that column grows to hold it whole.
void setColumnLayout(GridControl& grid, const GridControl& all) {
    const QFontMetrics metrics = grid.fontMetrics();
    const QStyle& style = *grid.style();
    const int cellMargin = 2 * (style.pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
    const int headingMargin =
        2 * style.pixelMetric(QStyle::PM_HeaderMargin, nullptr, grid.horizontalHeader());
    const int dpi = std::max(1, grid.logicalDpiX());
    for (int col = 0; col < grid.cols(); ++col) {
        int widest = 0;
        for (int row = 0; row < all.rows(); ++row) {
            const QString text = all.textMatrix(row, col);
            if (!text.isEmpty())
                widest =
                    std::max(widest, metrics.horizontalAdvance(text) + (row ? cellMargin : headingMargin));
        }
        grid.setColWidth(col, std::max(columnTwips[col], (widest * 1440 + dpi - 1) / dpi));
    }
    grid.setColAlignment(1, GridControl::Alignment::RightCenter);
    grid.setColAlignment(2, GridControl::Alignment::LeftCenter);
    grid.setColAlignment(3, GridControl::Alignment::CenterCenter);
}

// Room the grid needs for its columns, its frame and a scroll bar.
int gridWidth(const GridControl& grid) {
    int width = 2 * grid.frameWidth() + grid.verticalScrollBar()->sizeHint().width();
    for (int col = 0; col < grid.cols(); ++col)
        width += grid.columnWidth(col);
    return width;
}

} // namespace

frm_country::frm_country(AppState& state, Seams& seams, QWidget* parent) : FormDialog(parent), state_(state) {
    Q_UNUSED(seams); // nothing here asks or tells the operator anything
    buildControls();

    paintBackground(*this, Backdrop::greenToYellow);
    fillAllCountries();
    fillWorkedCountries();
    Localise(*this, *state_.strings, state_.LanguageOffset);
    setColumnLayout(*MSHFlexGrid1, *MSHFlexGrid1);
    setColumnLayout(*MSHFlexGrid2, *MSHFlexGrid1);
    widenForColumns();
    Text1->setText(QString::number(state_.countries.count()));

    MSHFlexGrid1->show();
    MSHFlexGrid2->hide();
    cmd_order[1]->show();
    cmd_order[0]->hide();
}

void frm_country::buildControls() {
    setObjectName(QStringLiteral("frm_country"));
    setProperty("tag", QStringLiteral("1102"));
    setWindowTitle(QStringLiteral("Connected"));
    setFixedSize(340, 392);

    Label1 = new QLabel(QStringLiteral("Country"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(10, 8, 320, 22);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);

    // Both lists share one place; the buttons decide which one shows.
    const auto makeGrid = [this](const QString& name) {
        auto* grid = new GridControl(this);
        grid->setObjectName(name);
        grid->setGeometry(10, 34, 320, 300);
        grid->setFormatString(gridFormat);
        grid->setProperty("columnNameTags", QStringLiteral("1412,1400,1402,1417"));
        return grid;
    };
    MSHFlexGrid1 = makeGrid(QStringLiteral("MSHFlexGrid1"));
    MSHFlexGrid2 = makeGrid(QStringLiteral("MSHFlexGrid2"));
    setNameTag(MSHFlexGrid1, "1430");
    setNameTag(MSHFlexGrid2, "1431");

    Label2 = new QLabel(QStringLiteral("Country"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(10, 348, 56, 24);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(70, 348, 50, 24);
    Text1->setReadOnly(true);
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setFocusPolicy(Qt::NoFocus);
    Label2->setBuddy(Text1);
    setNameTag(Text1, "1430");

    const QString orderTexts[] = {QStringLiteral("All Country"), QStringLiteral("Connected")};
    const char* orderTags[] = {"1103", "1102"};
    for (int index = 0; index < 2; ++index) {
        auto* button = new QPushButton(orderTexts[index], this);
        button->setObjectName(QStringLiteral("cmd_order_%1").arg(index));
        button->setProperty("tag", QString::fromLatin1(orderTags[index]));
        button->setGeometry(132, 346, 110, 28);
        connect(button, &QPushButton::clicked, this, [this, index] { cmd_order_Click(index); });
        cmd_order.append(button);
    }

    cmd_Close = new QPushButton(QStringLiteral("Exit"), this);
    cmd_Close->setObjectName(QStringLiteral("cmd_Close"));
    setNameTag(cmd_Close, "1001");
    cmd_Close->setGeometry(250, 346, 80, 28);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_country::cmd_Close_Click);
}

// Wider columns widen the grids, the title and the window; Exit keeps to the right edge.
void frm_country::widenForColumns() {
    const int extra = std::max(0, gridWidth(*MSHFlexGrid1) - MSHFlexGrid1->width());
    if (extra == 0)
        return;
    setFixedSize(width() + extra, height());
    for (QWidget* widget : std::initializer_list<QWidget*>{Label1, MSHFlexGrid1, MSHFlexGrid2})
        widget->resize(widget->width() + extra, widget->height());
    cmd_Close->move(cmd_Close->x() + extra, cmd_Close->y());
}

void frm_country::fillAllCountries() {
    GridControl& grid = *MSHFlexGrid1;
    const CountryTable& countries = state_.countries;
    grid.setRedraw(false);
    for (int i = 1; i <= countries.count(); ++i) {
        const CountryTable::Row& country = countries.row(i);
        grid.setTextMatrix(i, 1, country.prefix);
        grid.setTextMatrix(i, 2, country.name);
        if (state_.worked.isWorked(i)) {
            grid.setTextMatrix(i, 3, QStringLiteral("C"));
            grid.setCellBackground(i, 1, 3, workedColour);
        }
        grid.addItem();
    }
    grid.setRedraw(true);
}

void frm_country::fillWorkedCountries() {
    GridControl& grid = *MSHFlexGrid2;
    const CountryTable& countries = state_.countries;
    int k = 0;
    grid.setRedraw(false);
    for (int i = 1; i <= countries.count(); ++i) {
        if (!state_.worked.isWorked(i))
            continue;
        ++k;
        const CountryTable::Row& country = countries.row(i);
        grid.setTextMatrix(k, 1, country.prefix);
        grid.setTextMatrix(k, 2, country.name);
        grid.setTextMatrix(k, 3, QStringLiteral("C"));
        grid.setCellBackground(k, 1, 3, workedColour);
        grid.addItem();
    }
    grid.setRedraw(true);
    workedCount_ = k;
}

void frm_country::cmd_order_Click(int index) {
    const bool showAll = index == 0;
    cmd_order[index]->hide();
    cmd_order[1 - index]->show();
    MSHFlexGrid1->setVisible(showAll);
    MSHFlexGrid2->setVisible(!showAll);
    Text1->setText(QString::number(showAll ? state_.countries.count() : workedCount_));
    cmd_Close->setFocus();
}

void frm_country::cmd_Close_Click() {
    closeWith(QDialog::Accepted);
}

} // namespace qvmd
