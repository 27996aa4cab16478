#pragma once

#include "core/print/ClsPagina.h"
#include "core/print/ClsRotator.h"
#include "core/print/PreviewPages.h"
#include "core/print/PrintSurface.h"

#include <QImage>
#include <QString>

#include <cstdint>

namespace qvmd {

class PrintErrorReporter;

// The print engine: text, boxes, pictures, grids and rotated text in millimetres from the paper's edge on
// the printer, or, with Anteprima on, recorded into pages that can be replayed onto a preview surface or
// the printer later.
class EasyPrint {
public:
    explicit EasyPrint(PrintSurface& printer);
    ~EasyPrint();
    EasyPrint(const EasyPrint&) = delete;
    EasyPrint& operator=(const EasyPrint&) = delete;

    // Where error messages go; without one errors are only remembered.
    void setErrorReporter(PrintErrorReporter* reporter) { reporter_ = reporter; }

    // Preview settings, kept for a preview window; the grid colour is the one PrintGriglia draws with.
    std::int32_t ColoreBordoRighelli = 0x800000;
    std::int32_t ColoreGrigliaAnteprima = 0xC0C0C0;
    std::int32_t ColoreLineeOffset = 0;
    std::int32_t ColoreCursori = 0x0000FF;
    std::int16_t BorderStyleRighelli = 0;
    std::int32_t ColoreSfondoAreaAnteprima = 0x800000;
    std::int32_t ColoreRighelli = 0xFF0000;
    std::int32_t ColoreFontRighelli = 0x800000;
    std::int32_t ColoreSfondoRighelli = 0xFFFFFF;
    std::int32_t ColoreSfondoContainerRighelli = 0xFFFFFF;
    std::int32_t ColoreSfondoFormAnteprima = 0xFFFFFF;

    // The non-printable margins, negative millimetres, taken from the printer.
    double AreaNonStampabileX() const { return offsetX_; }
    double AreaNonStampabileY() const { return offsetY_; }
    // Takes the margins again from the printer, after the print window chose another one.
    void CalcolaAreaNonStampabile();

    void setAnteprima(bool on);
    bool Anteprima() const { return previewOn_; }

    double SpaziaturaLinea() const { return lineSpacing_; }
    void setSpaziaturaLinea(double spacing);
    int FontSize() const;
    void setFontSize(int points);
    QString FontName() const;
    void setFontName(const QString& name);
    bool FontBold() const;
    void setFontBold(bool on);
    bool FontItalic() const;
    void setFontItalic(bool on);
    bool FontUnderLine() const;
    void setFontUnderLine(bool on);
    std::int32_t ForeColor() const;
    void setForeColor(std::int32_t bgr);

    // The printer's own settings, never recorded.
    int PaperSize() const;
    void setPaperSize(std::int32_t code);
    int Copies() const;
    void setCopies(int count);
    void setPrintQuality(std::int32_t quality);
    void setColorMode(std::int32_t mode);
    void setOrientation(std::int32_t orientation);

    void setDrawStyle(std::int32_t style);
    void setDrawWidth(int pixels);
    double CurrentX() const;
    void setCurrentX(double x);
    double CurrentY() const;
    void setCurrentY(double y);
    int FontCount() const;
    QString Fonts(int index) const;
    double PageHeight() const;
    double PageWidth() const;
    int Page() const;
    std::int32_t PagineTotAnteprima() const;

    // Text: the caller's text receives the shortened line of a one-line text (see the surface's widths).
    void PrintLeft(double x, double y, QString& text, double indent = 0, int maxWidth = 0);
    void PrintLeft(double x, double y, const QString& text, double indent = 0, int maxWidth = 0);
    void PrintRight(double x, double y, QString& text, double indent = 0, int maxWidth = 0);
    void PrintRight(double x, double y, const QString& text, double indent = 0, int maxWidth = 0);
    void PrintCentre(double x, double y, QString& text, int maxWidth = 0);
    void PrintCentre(double x, double y, const QString& text, int maxWidth = 0);
    void PrintRuotato(double x, double y, int angle, const QString& text);
    void PrintIncasellato(double x, double y, const QString& text, double& cellWidth);
    void PrintShape(double x, double y, double width, double height, double& radius);
    void PrintShape(double x, double y, double width, double height);
    void PrintPicture(double x, double y, const QImage& picture, double height = 0, double width = 0);
    void PrintGriglia(std::int32_t step);
    void PrintIncolonnato(double x, double y, const QString& text, double& columnTop, int columnWidth,
                          int unused, int gap, int newPageX, int newPageY);
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    void EndDoc();
    void NewPage();
    void KillDoc();

    // Replays page n (from 1) onto the target for display, zoomed; offsets are added to every position.
    void VisualizzaPaginaAnteprima(PrintSurface& target, std::int32_t page, std::int32_t zoom,
                                   std::int32_t offsetX, std::int32_t offsetY);
    // Replays page n onto the printer; the caller starts and ends the printer's pages.
    void StampaPaginaAnteprima(std::int32_t page, std::int32_t offsetX, std::int32_t offsetY);
    // Removes page n from the recorded pages; false for a number outside them.
    bool RimuoviPaginaAnteprima(std::int32_t page);
    // The recorded pages, for a preview window and tests.
    const ClsPagina* paginaAnteprima(std::int32_t page) const;

    // Records a call while preview is on; true when it was recorded (and must not be drawn).
    bool RegistraComando(int code, const QVariant& p1 = {}, const QVariant& p2 = {}, const QVariant& p3 = {},
                         const QVariant& p4 = {}, const QVariant& p5 = {});
    // Shows the engine's error message for the number unless errors are silenced.
    void SegnalaErrore(int number);
    int lastError() const { return lastError_; }
    bool errorsSilenced() const { return silenced_; }

    static int ScalaZoom(double value, std::int32_t percentage);

    // Shortens the text in place to the width in the current font, dropping characters from the right
    // (keepLeft) or the left; returns it.
    QString AdattaTesto(QString& text, int maxWidth, bool keepLeft) const;

private:
    void StampaA(double x, double y, const QString& text);
    void StampaRigaGiustificata(double x, double y, int width, const QString& text);
    QString RiempiColonna(double x, double y, const QString& text, int columnWidth, int columnHeight);
    void printAligned(int code, double x, double y, QString& text, double indent, int maxWidth);
    void replay(const ClsPagina& page, std::int32_t zoom, double offsetX, double offsetY);
    void replayFailed(const char* routine, int number);
    // Reports the error the surfaces met in the last operation, if any.
    void check();

    PrintSurface& printer_;
    PrintSurface* out_;
    double offsetX_ = 0;
    double offsetY_ = 0;
    double lineSpacing_ = 0;
    PreviewPages pages_;
    bool previewOn_ = false;
    int lastError_ = 0;
    bool silenced_ = false;
    ClsRotator rotator_;
    PrintErrorReporter* reporter_ = nullptr;
};

} // namespace qvmd
