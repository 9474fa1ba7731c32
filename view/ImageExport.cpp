#include "view/ImageExport.h"

#include "canvas/RuvlenDoc.h"
#include "canvas/io/ExportArea.h"
#include "canvas/io/ExportSize.h"
#include "canvas/io/SafeWrite.h"
#include "view/CellGlyphCache.h"
#include "view/CellPainter.h"

#include <QBuffer>
#include <QByteArray>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QVector>

namespace {

// Metres per inch, for the PNG's stated resolution.
constexpr double kInchesPerMetre = 1.0 / 0.0254;

// Opaque pictures copy cached cell images, as the window does; the cache's
// images are opaque, so on a transparent background each cell is painted
// directly and only its ink covers the background.
void PaintCells(QPainter& p, const CRuvlenDoc& doc, const CExportExtent& e, bool transparent) {
    CCellGlyphCache cache;
    if (transparent)
        p.setFont(CellFont(e.d));
    else
        cache.BeginPaint(e.d, 1);
    for (int r = 0; r < e.lines; ++r) {
        for (int c = 0; c < e.columns; ++c) {
            const CCell& cell = doc.Cell(e.left + c, e.top + r);
            if (cell.IsBlank()) continue;
            const QPoint at(c * e.d, r * e.d);
            if (transparent)
                PaintCell(p, QRect(at, QSize(e.d, e.d)), cell, Qt::black, Qt::transparent);
            else
                cache.Draw(p, at, cell, Qt::black, Qt::white);
        }
    }
}

// Black ink on nothing: with every pixel black at some opacity, a palette of
// the 256 opacities of black holds the picture in one byte a pixel, a third of
// the file and the time to compress it. False when another colour is found.
bool ToBlackOpacities(const QImage& premultiplied, QImage& indexed) {
    QImage out(premultiplied.size(), QImage::Format_Indexed8);
    QVector<QRgb> table(256);
    for (int a = 0; a < 256; ++a) table[a] = qRgba(0, 0, 0, a);
    out.setColorTable(table);
    for (int y = 0; y < out.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        uchar* to = out.scanLine(y);
        for (int x = 0; x < out.width(); ++x) {
            if (from[x] & 0x00FFFFFFu) return false;
            to[x] = static_cast<uchar>(qAlpha(from[x]));
        }
    }
    out.setDotsPerMeterX(premultiplied.dotsPerMeterX());
    out.setDotsPerMeterY(premultiplied.dotsPerMeterY());
    indexed = out;
    return true;
}

} // namespace

QImage RenderCanvasImage(const CRuvlenDoc& doc, int fontSizeIndex, bool transparent) {
    return RenderCanvasImage(doc, ExportCanvasRect(doc), fontSizeIndex, transparent);
}

QImage RenderCanvasImage(const CRuvlenDoc& doc, const CCellRect& cells, int fontSizeIndex,
                         bool transparent) {
    const CExportExtent e = CExportExtent::For(cells, fontSizeIndex);
    QImage image(e.width, e.height,
                 transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(kExportDpi * kInchesPerMetre + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(transparent ? Qt::transparent : Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    PaintCells(p, doc, e, transparent);
    return image;
}

QByteArray CanvasPng(const CRuvlenDoc& doc, int fontSizeIndex, bool transparent) {
    return CanvasPng(doc, ExportCanvasRect(doc), fontSizeIndex, transparent);
}

QByteArray CanvasPng(const CRuvlenDoc& doc, const CCellRect& cells, int fontSizeIndex,
                     bool transparent) {
    QImage image = RenderCanvasImage(doc, cells, fontSizeIndex, transparent);
    // Black on white is grey only, unless the font was smoothed in colour: one
    // channel instead of three halves the time to compress and the file's size.
    if (!transparent && image.allGray()) image.convertTo(QImage::Format_Grayscale8);
    if (transparent) ToBlackOpacities(image, image);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) png.clear();
    return png;
}

bool ExportPng(const CRuvlenDoc& doc, const std::string& path, int fontSizeIndex, bool transparent,
               std::string& error) {
    return ExportPng(doc, ExportCanvasRect(doc), path, fontSizeIndex, transparent, error);
}

bool ExportPng(const CRuvlenDoc& doc, const CCellRect& cells, const std::string& path,
               int fontSizeIndex, bool transparent, std::string& error) {
    if (!CheckExportSize(fontSizeIndex, error)) return false;
    const QByteArray png = CanvasPng(doc, cells, fontSizeIndex, transparent);
    if (png.isEmpty()) {
        error = "「" + path + "」に書き出す PNG 画像を作れませんでした。";
        return false;
    }
    return WriteFileSafely(path, std::string(png.constData(), size_t(png.size())), error);
}

QByteArray CanvasPdf(const CRuvlenDoc& doc, const CCellRect& cells, int fontSizeIndex) {
    const CExportExtent e = CExportExtent::For(cells, fontSizeIndex);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Tavik"));
        writer.setResolution(kExportDpi);
        const double points = 72.0 / kExportDpi;
        writer.setPageSize(
            QPageSize(QSizeF(e.width * points, e.height * points), QPageSize::Point));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter p(&writer);
        if (!p.isActive()) return QByteArray();
        p.setRenderHint(QPainter::Antialiasing, false);
        PaintCells(p, doc, e, true); // each cell on its own: text stays text
    }
    return pdf;
}

bool ExportPdf(const CRuvlenDoc& doc, const CCellRect& cells, const std::string& path,
               int fontSizeIndex, std::string& error) {
    if (!CheckExportSize(fontSizeIndex, error)) return false;
    const QByteArray pdf = CanvasPdf(doc, cells, fontSizeIndex);
    if (pdf.isEmpty()) {
        error = "「" + path + "」に書き出す PDF を作れませんでした。";
        return false;
    }
    return WriteFileSafely(path, std::string(pdf.constData(), size_t(pdf.size())), error);
}

namespace {

bool WritePng(const CRuvlenDoc& doc, const COutputRequest& r, const std::string& path,
              std::string& error) {
    return ExportPng(doc, r.cells, path, r.fontSize, r.transparent, error);
}

bool WritePdf(const CRuvlenDoc& doc, const COutputRequest& r, const std::string& path,
              std::string& error) {
    return ExportPdf(doc, r.cells, path, r.fontSize, error);
}

} // namespace

const std::vector<COutputFormat>& WindowOutputFormats() {
    static const bool given = [] {
        SetOutputWriter("png", WritePng);
        SetOutputWriter("pdf", WritePdf);
        return true;
    }();
    (void)given;
    return OutputFormats();
}
