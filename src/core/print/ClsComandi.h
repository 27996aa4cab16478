#pragma once

#include <QVariant>

#include <cstdint>

namespace qvmd {

// One recorded drawing call: its command code and up to five parameters. A parameter that was not given
// is an invalid QVariant; a picture is held as a shared QImage, so the command does not copy its pixels.
struct ClsComandi {
    QVariant P5;
    QVariant P4;
    QVariant P3;
    QVariant P2;
    QVariant P1;
    std::int16_t Comando = 0;
};

// The command codes, by the call that records them.
namespace Comando {
inline constexpr int SpaziaturaLinea = 1;
inline constexpr int FontSize = 2;
inline constexpr int FontName = 3;
inline constexpr int FontBold = 4;
inline constexpr int FontItalic = 5;
inline constexpr int FontUnderLine = 6;
inline constexpr int ForeColor = 7;
inline constexpr int DrawStyle = 8;
inline constexpr int DrawWidth = 9;
inline constexpr int CurrentX = 10;
inline constexpr int CurrentY = 11;
inline constexpr int PrintLeft = 12;
inline constexpr int PrintRight = 13;
inline constexpr int PrintCentre = 14;
inline constexpr int PrintShape = 15;
inline constexpr int PrintPicture = 16;
inline constexpr int NewPage = 17;
inline constexpr int PrintGriglia = 18;
inline constexpr int StampaA = 19;
inline constexpr int PrintRuotato = 20;
inline constexpr int StampaRigaGiustificata = 21;
inline constexpr int PrintIncasellato = 22;
} // namespace Comando

} // namespace qvmd
