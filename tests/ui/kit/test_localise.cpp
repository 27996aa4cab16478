#include "core/common/StringTable.h"
#include "support/Printers.h"
#include "ui/kit/Localise.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <tuple>

using namespace qvmd;

namespace {

// A designed form: Italian captions as laid out, ids in the "tag" property.
struct Form {
    QDialog window;
    QLabel* tagged = add<QLabel>("tagged", "Il Programma è già in esecuzione", "1052");
    QLabel* untagged = add<QLabel>("untagged", "Designed caption", nullptr);
    QLabel* wordTag = add<QLabel>("wordTag", "Kept", "abc");
    QLabel* hugeTag = add<QLabel>("hugeTag", "Kept too", "4294968348"); // 2^32 + 1052
    QPushButton* button = add<QPushButton>("button", "Salva", "1031");
    QRadioButton* option = add<QRadioButton>("option", "Lady", "1121");
    QCheckBox* check = add<QCheckBox>("check", "designed", "1041");
    QGroupBox* frame = add<QGroupBox>("frame", "designed", "1131abc");
    QLineEdit* edit = add<QLineEdit>("edit", "", nullptr);
    QComboBox* combo = new QComboBox(&window);

    Form() {
        window.setWindowTitle("Informazioni su QV Marigold Day");
        window.setProperty("tag", "1014");
        edit->setToolTip("1041");
        combo->setEditable(true);
        combo->setProperty("tag", "1008");
    }

    template <typename T> T* add(const char* name, const char* text, const char* tag) {
        auto* control = new T(&window);
        control->setObjectName(name);
        if constexpr (std::is_same_v<T, QGroupBox>)
            control->setTitle(QString::fromUtf8(text));
        else if constexpr (!std::is_same_v<T, QLineEdit>)
            control->setText(QString::fromUtf8(text));
        if (tag)
            control->setProperty("tag", tag);
        return control;
    }
};

const StringTable& table() {
    return StringTable::builtIn();
}

} // namespace

TEST(Localise, TaggedCaptionsFollowTheLanguage) {
    Form form;
    Localise(form.window, table(), 1000);
    EXPECT_EQ(form.tagged->text(), "The program is already running");
    EXPECT_EQ(form.button->text(), "Save");
    EXPECT_EQ(form.option->text(), "Lady");
    EXPECT_EQ(form.combo->currentText(), "Italian");
    Localise(form.window, table(), 0);
    EXPECT_EQ(form.tagged->text(), "Il Programma è già in esecuzione");
    EXPECT_EQ(form.button->text(), "Salva");
    EXPECT_EQ(form.combo->currentText(), "Italiano");
}

TEST(Localise, ControlsWithoutAUsableTagKeepTheirText) {
    Form form;
    Localise(form.window, table(), 1000);
    EXPECT_EQ(form.untagged->text(), "Designed caption");
    EXPECT_EQ(form.wordTag->text(), "Kept");
    EXPECT_EQ(form.hugeTag->text(), "Kept too");
}

TEST(Localise, CaptionWithoutEnglishTextStaysAsDesigned) {
    Form english;
    Localise(english.window, table(), 1000);
    EXPECT_EQ(english.window.windowTitle(), "Informazioni su QV Marigold Day");
    Form italian;
    Localise(italian.window, table(), 0);
    EXPECT_EQ(italian.window.windowTitle(), "Informazioni su QV_MD");
}

TEST(Localise, OtherControlsUseTheirIdWithoutTheOffset) {
    Form form;
    Localise(form.window, table(), 1000);
    // Check boxes, frames and tooltips of other controls show the Italian id even in English.
    EXPECT_EQ(form.check->text(), "Nome");
    EXPECT_EQ(form.frame->title(), "Stazione non trovata");
    EXPECT_EQ(form.edit->toolTip(), "Nome");
}

TEST(Localise, TabsTakeCaptionWithOffsetAndTooltipWithout) {
    QDialog window;
    auto* tabs = new QTabWidget(&window);
    tabs->addTab(new QWidget, "designed");
    tabs->tabBar()->setTabData(0, "1000");
    tabs->setTabToolTip(0, "1001");
    Localise(window, table(), 1000);
    EXPECT_EQ(tabs->tabText(0), "File");
    EXPECT_EQ(tabs->tabToolTip(0), "Esci");
}

TEST(Localise, LeavesChildWindowsAloneButReachesEmbeddedForms) {
    QDialog window;
    auto* child = new QDialog(&window);
    auto* childLabel = new QLabel("child", child);
    childLabel->setProperty("tag", "1052");

    // A form placed inside another widget is localised as a whole.
    QWidget host;
    auto* embedded = new QWidget(&host);
    auto* label = new QLabel("embedded", embedded);
    label->setProperty("tag", "1052");

    Localise(window, table(), 1000);
    Localise(*embedded, table(), 1000);
    EXPECT_EQ(childLabel->text(), "child");
    EXPECT_EQ(label->text(), "The program is already running");
}

TEST(StringTableFile, HoldsEveryTextWithItsBlanks) {
    const StringTable& strings = table();
    EXPECT_EQ(strings.text(2100), "Total  H+L+CxM");
    EXPECT_EQ(strings.text(2110), "Registration  General Station ");
    EXPECT_EQ(strings.text(2143).value_or("").left(7), " Select");
    // Quoted word for word by the organiser's texts, commas and all.
    EXPECT_EQ(strings.text(1104),
              "Il Log non viene allegato automaticamente. Occorre allegarlo manualmente. Il percorso del file, "
              "visibile nella casella sottostante viene copiato negli appunti, è quindi possibile incollarlo nella "
              "casella di scelta file del Gestore di Posta. Oppure usare il tuo metodo preferito per l'invio di "
              "posta con file allegati");
    for (int id : {2014, 2016, 2017, 2019, 2020})
        EXPECT_FALSE(strings.text(id)) << id;
    // Every id a window uses has an Italian and, unless marked, an English text.
    int italian = 0;
    for (int id = 1000; id <= 1160; ++id) {
        if (!strings.text(id))
            continue;
        ++italian;
        const bool italianOnly = id == 1014 || id == 1016 || id == 1017 || id == 1019 || id == 1020;
        EXPECT_EQ(strings.text(id + 1000).has_value(), !italianOnly) << id;
    }
    EXPECT_EQ(italian, 119);
}

TEST(StringTableFile, ItalianCallsTheCategoriesByTheirNames) {
    // The program appends " Lady" and " Hunter" to Italian messages too, so the Italian texts must not
    // give the categories other names.
    const StringTable& strings = table();
    EXPECT_EQ(strings.text(1116), "Hunter");
    EXPECT_EQ(strings.text(1121), "Lady");
    for (int id = 1000; id <= 1160; ++id) {
        const QString text = strings.text(id).value_or(QString());
        EXPECT_FALSE(text.contains("acciator", Qt::CaseInsensitive)) << id << " " << text.toStdString();
    }
}

TEST(Localise, SpokenNamesFollowTheLanguage) {
    QDialog window;
    auto* picture = new QPushButton(&window);
    picture->setProperty("nameTag", "1001");
    auto* named = new QPushButton(&window);
    named->setAccessibleName("by hand");
    named->setProperty("nameTag", "abc");
    QStandardItemModel model(0, 3);
    auto* grid = new QTableView(&window);
    grid->setModel(&model);
    grid->setProperty("columnNameTags", "1041, x ,1040");

    for (const auto& [offset, exit, name, unit] :
         {std::tuple{0, "Esci", "Nome", "Unità"}, std::tuple{1000, "Exit", "Name", "Unit"}}) {
        SCOPED_TRACE(offset);
        Localise(window, table(), offset);
        EXPECT_EQ(picture->accessibleName(), QString::fromUtf8(exit));
        EXPECT_EQ(named->accessibleName(), "by hand");
        EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
                  QString::fromUtf8(name));
        EXPECT_FALSE(model.headerData(1, Qt::Horizontal, Qt::AccessibleTextRole).isValid());
        EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
                  QString::fromUtf8(unit));
    }
}

// A caption tied to a box labels it for a screen reader, which then says the caption's name: the caption
// carries the box's full name, in the language in use; a caption of a box without a spoken name keeps
// its own.
TEST(Localise, CaptionsTiedToABoxCarryItsSpokenName) {
    QDialog window;
    auto* box = new QLineEdit(&window);
    box->setProperty("nameTag", "1041");
    auto* caption = new QLabel(QStringLiteral("Ric."), &window);
    caption->setBuddy(box);
    auto* plain = new QLineEdit(&window);
    auto* plainCaption = new QLabel(QStringLiteral("Club"), &window);
    plainCaption->setBuddy(plain);
    for (const auto& [offset, name] : {std::tuple{0, "Nome"}, std::tuple{1000, "Name"}}) {
        SCOPED_TRACE(offset);
        Localise(window, table(), offset);
        EXPECT_EQ(caption->accessibleName(), QString::fromUtf8(name));
        EXPECT_EQ(caption->text(), "Ric.");
        EXPECT_TRUE(plainCaption->accessibleName().isEmpty());
    }
}
