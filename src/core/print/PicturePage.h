#pragma once

class QImage;

namespace qvmd {

class EasyPrint;

// One page holding a picture as large as fits within the margin, centred, its shape kept; the page turns
// to landscape for a picture wider than tall. Ends the document.
void PrintPicturePage(EasyPrint& engine, const QImage& picture, double marginMm = 10);

} // namespace qvmd
