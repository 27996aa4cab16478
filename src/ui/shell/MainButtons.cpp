#include "ui/shell/MainButtons.h"

#include "ui/kit/FormScale.h"
#include "ui/kit/cLoadResPicture.h"

#include <QPushButton>

namespace qvmd {

namespace {

QPushButton* makePictureButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::StrongFocus);
    button->setCursor(Qt::PointingHandCursor);
    // The picture is the button; a frame around it would only add noise on the gradient.
    button->setFlat(true);
    button->setStyleSheet(QStringLiteral("QPushButton { border: 2px solid transparent; border-radius: 10px; }"
                                         "QPushButton:focus { border-color: #ffe680; }"
                                         "QPushButton:pressed { padding-top: 3px; }"));
    return button;
}

// Sized in the picture's own pixels, not the screen's, and grown with the window once it has grown.
void setPicture(QPushButton* button, const QPixmap& picture) {
    button->setIcon(QIcon(picture));
    const QSize size = picture.isNull() ? QSize(200, 64) : picture.deviceIndependentSize().toSize();
    const qreal scale = formScale(*button);
    button->setIconSize(scaledSize(size, scale));
    button->setFixedSize(scaledSize(size + QSize(12, 10), scale));
}

} // namespace

MainButtons::MainButtons(QWidget* form) {
    cmd_Open_Log = makePictureButton(form, "cmd_Open_Log");
    cmd_Sel_Log = makePictureButton(form, "cmd_Sel_Log");
    cmd_Send_Log = makePictureButton(form, "cmd_Send_Log");
    cmd_New_Log = makePictureButton(form, "cmd_New_Log");
    cmd_Close = makePictureButton(form, "cmd_Close");
}

void MainButtons::loadClosePicture() {
    cLoadResPicture pictures;
    setPicture(cmd_Close, pictures.LoadResPicture(118, QStringLiteral("CUSTOM")));
}

void MainButtons::loadLogPictures(int languageOffset) {
    cLoadResPicture pictures;
    const QString type = QStringLiteral("BUTTON");
    int id = languageOffset;
    for (QPushButton* button : {cmd_Open_Log, cmd_Sel_Log, cmd_Send_Log, cmd_New_Log}) {
        ++id;
        setPicture(button, pictures.LoadResPicture(id, type));
        // The picture carries the words; its id tells which language the button shows.
        button->setProperty("pictureId", id);
    }
}

} // namespace qvmd
