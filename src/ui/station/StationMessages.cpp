#include "ui/station/StationMessages.h"

#include "ui/kit/FormControls.h"

#include <QLabel>

namespace qvmd {

namespace {

// Ids of the hidden labels that hold the messages, with their control names.
struct MessageId {
    int id;
    const char* name;
};
constexpr MessageId messageIds[] = {
    {1054, "Label11"}, {1072, "Label12"}, {1112, "Label13"}, {1113, "Label14"}, {1049, "Label15"},
    {1117, "Label16"}, {1114, "Label17"}, {1159, "Label18"}, {1160, "Label21"},
};

} // namespace

StationMessages::StationMessages(QWidget* form) {
    for (const MessageId& message : messageIds) {
        QLabel* label = makeLabel(form, message.name, QString());
        label->setProperty("tag", QString::number(message.id));
        label->hide();
        labels_.append(label);
    }
}

QString StationMessages::text(int id) const {
    for (QLabel* label : labels_) {
        if (label->property("tag").toString() == QString::number(id))
            return label->text();
    }
    return QString();
}

} // namespace qvmd
