#include "core/print/PicturePage.h"

#include "core/print/EasyPrint.h"

#include <QImage>

#include <algorithm>

namespace qvmd {

void PrintPicturePage(EasyPrint& engine, const QImage& picture, double marginMm) {
    engine.setOrientation(picture.width() > picture.height() ? 2 : 1);
    engine.CalcolaAreaNonStampabile();
    const double roomWidth = engine.PageWidth() - 2 * marginMm;
    const double roomHeight = engine.PageHeight() - 2 * marginMm;
    if (!picture.isNull() && roomWidth > 0 && roomHeight > 0) {
        const double scale = std::min(roomWidth / picture.width(), roomHeight / picture.height());
        const double width = picture.width() * scale;
        const double height = picture.height() * scale;
        engine.PrintPicture(marginMm + (roomWidth - width) / 2, marginMm + (roomHeight - height) / 2, picture,
                            height, width);
    }
    engine.EndDoc();
}

} // namespace qvmd
