#include "ui/logging/StatisticsOpener.h"

namespace qvmd {

// Built without a chart library (the Windows cross build): the logging window has no statistics button.
std::unique_ptr<StatisticsOpener> makeStatisticsOpener(QWidget&, AppState&, Seams&, const ContactLog&,
                                                       QAbstractItemModel&) {
    return nullptr;
}

} // namespace qvmd
