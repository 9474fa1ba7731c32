#include "view/ImageExport.h"

#include "canvas/ExportSize.h"
#include "canvas/RuvlenDoc.h"
#include "canvas/SafeWrite.h"
#include "view/CellGlyphCache.h"
#include "view/CellPainter.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <QPainter>

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
            const CCell& cell = doc.Cell(c, r);
            if (cell.IsBlank()) continue;
            const QPoint at(c * e.d, r * e.d);
            if (transparent)
                PaintCell(p, QRect(at, QSize(e.d, e.d)), cell, Qt::black, Qt::transparent);
            else
                cache.Draw(p, at, cell, Qt::black, Qt::white);
        }
    }
}

} // namespace

QImage RenderCanvasImage(const CRuvlenDoc& doc, int fontSizeIndex, bool transparent) {
    const CExportExtent e = CExportExtent::For(doc, fontSizeIndex);
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

bool ExportPng(const CRuvlenDoc& doc, const std::string& path, int fontSizeIndex, bool transparent,
               std::string& error) {
    if (!CheckExportSize(fontSizeIndex, error)) return false;
    const QImage image = RenderCanvasImage(doc, fontSizeIndex, transparent);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        error = "「" + path + "」に書き出す画像を作れませんでした。\n" +
                writer.errorString().toStdString();
        return false;
    }
    return WriteFileSafely(path, std::string(bytes.constData(), size_t(bytes.size())), error);
}
