#pragma once
// Paints the chosen items onto the pages of any paged device (a printer, a
// PDF file), copy after copy, as pagelayout places them.

#include "printing/core/historylines.h"
#include "printing/core/pagelayout.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace titrage {

// Everything a copy is made of, gathered from the bench before printing.
struct PrintMaterial {
    QString title;
    PrintChoice choice;
    QImage illustration;
    QImage graph;
    QImage table;
    int tableHeaderPixels = 0;
    int tableRowPixels = 0;
    std::vector<HistoryEntry> history;
    std::vector<QColor> historyColours; // one per entry
};

// Screen pictures keep the size they have on screen: 15 twips per pixel.
inline constexpr double kTwipsPerPixel = 15.0;

// The layout's input for `device`: its printable area, the picture sizes and
// the heights of the history entries in the device's fonts.
LayoutInput layoutInput(const PrintMaterial& material, QPaintDevice& device);

// Paints one page of a copy with `painter`, whose device gives the units.
void paintPage(QPainter& painter, const PrintMaterial& material, const LayoutInput& in,
               const LayoutPage& page);

// Prints `copies` copies; returns the number of pages, or 0 when the device
// could not be painted on or could not finish the document.
int printCopies(QPagedPaintDevice& device, const PrintMaterial& material, int copies);

} // namespace titrage
