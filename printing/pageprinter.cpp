#include "printing/pageprinter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace titrage {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kHistoryIndent = 60; // twips right of the graph's left edge
constexpr double kExponentRise = 50;  // twips

QFont arial(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Twips to the device's own units and back.
class Units {
public:
    explicit Units(const QPaintDevice& device)
        : m_dpiX(device.logicalDpiX() > 0 ? device.logicalDpiX() : 96),
          m_dpiY(device.logicalDpiY() > 0 ? device.logicalDpiY() : 96)
    {
    }
    double x(double twips) const { return twips * m_dpiX / kTwipsPerInch; }
    double y(double twips) const { return twips * m_dpiY / kTwipsPerInch; }
    double twipsX(double units) const { return units * kTwipsPerInch / m_dpiX; }
    double twipsY(double units) const { return units * kTwipsPerInch / m_dpiY; }
    QRectF rect(double x0, double y0, double w, double h) const
    {
        return {x(x0), y(y0), x(w), y(h)};
    }

private:
    double m_dpiX;
    double m_dpiY;
};

// Line heights of the history fonts, in twips. Each printed line moves the
// current position down by the height of its font; the entries start with an
// empty line in whatever font is current: 10 points bold before the first
// entry, 8 points after.
struct HistoryMetrics {
    double line10 = 0;
    double line8 = 0;

    HistoryMetrics(QPaintDevice& device, const Units& u)
        : line10(u.twipsY(QFontMetricsF(arial(10, true), &device).height())),
          line8(u.twipsY(QFontMetricsF(arial(8, true), &device).height()))
    {
    }
    double entry(int i) const
    {
        const double empty = i == 0 ? line10 : line8;
        return empty + line8 + line8 / 2 + line8 + line8 / 2 + line8;
    }
};

QSizeF logicalSize(const QImage& image)
{
    return image.deviceIndependentSize();
}

// Writes `text` with its top at `top` (device units) and returns its advance.
double write(QPainter& p, double x, double top, const QString& text)
{
    const QFontMetricsF fm(p.font(), p.device());
    p.drawText(QPointF(x, top + fm.ascent()), text);
    return fm.horizontalAdvance(text);
}

void writeLine(QPainter& p, const Units& u, double x, double y, const HistoryLine& line)
{
    double cx = u.x(x);
    const double top = u.y(y);
    p.setFont(arial(8, true));
    cx += write(p, cx, top, QString::fromStdString(line.label));
    p.setFont(arial(8, false));
    cx += write(p, cx, top, QString::fromStdString(line.body));
    cx += write(p, cx, top - u.y(kExponentRise), QString::fromStdString(line.exponent));
    write(p, cx, top, QString::fromStdString(line.tail));
}

void drawHistory(QPainter& p, const Units& u, const HistoryMetrics& m, const PrintMaterial& mat,
                 const LayoutItem& item)
{
    double y = item.y;
    if (item.lead) y += m.line10;
    const double x = item.x + kHistoryIndent;
    for (int i = item.first; i < item.first + item.count; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (index >= mat.history.size()) break;
        const HistoryEntry& e = mat.history[index];
        y += i == 0 ? m.line10 : m.line8;
        p.setFont(arial(8, true));
        p.setPen(index < mat.historyColours.size() ? mat.historyColours[index] : QColor(Qt::black));
        write(p, u.x(x), u.y(y), QString::fromStdString(e.title));
        y += m.line8;
        y += m.line8 / 2;
        p.setPen(Qt::black);
        writeLine(p, u, x, y, e.beaker);
        y += m.line8;
        y += m.line8 / 2;
        writeLine(p, u, x, y, e.burette);
        y += m.line8;
    }
}

void drawTable(QPainter& p, const Units& u, const PrintMaterial& mat, const LayoutItem& item,
               double headerTwips)
{
    const QImage& image = mat.table;
    const double ratio = image.devicePixelRatio();
    const int rows =
        tableRowCount(logicalSize(image).height(), mat.tableHeaderPixels, mat.tableRowPixels);
    if (item.first == 0 && item.count == rows) {
        p.drawImage(u.rect(item.x, item.y, item.width, item.height), image);
        return;
    }
    // A part of a long table: the header, then its rows.
    const double width = image.width();
    p.drawImage(u.rect(item.x, item.y, item.width, headerTwips), image,
                QRectF(0, 0, width, mat.tableHeaderPixels * ratio));
    const double rowsTwips = item.height - headerTwips;
    const double sourceTop = (mat.tableHeaderPixels + item.first * mat.tableRowPixels) * ratio;
    p.drawImage(u.rect(item.x, item.y + headerTwips, item.width, rowsTwips), image,
                QRectF(0, sourceTop, width, rowsTwips / kTwipsPerPixel * ratio));
}

void drawPage(QPainter& p, const Units& u, const HistoryMetrics& m, const PrintMaterial& mat,
              const LayoutInput& in, const LayoutPage& page)
{
    for (const LayoutItem& item : page.items) {
        switch (item.kind) {
        case LayoutKind::Title:
            p.setPen(Qt::black);
            p.setFont(arial(12, true));
            write(p, 0, 0, QString::fromStdString(pageTitle(mat.title.toStdString(), page.number)));
            break;
        case LayoutKind::Illustration:
            p.drawImage(u.rect(item.x, item.y, item.width, item.height), mat.illustration);
            break;
        case LayoutKind::Graph:
            p.drawImage(u.rect(item.x, item.y, item.width, item.height), mat.graph);
            break;
        case LayoutKind::History:
            drawHistory(p, u, m, mat, item);
            break;
        case LayoutKind::Table:
            drawTable(p, u, mat, item, in.tableHeader);
            break;
        case LayoutKind::TableBorder:
            p.setPen(QPen(Qt::black, u.x(kTwipsPerPixel)));
            p.drawLine(QPointF(u.x(item.x), u.y(item.y)),
                       QPointF(u.x(item.x), u.y(item.y + item.height)));
            break;
        }
    }
}

PrintSize twips(const QImage& image)
{
    const QSizeF s = logicalSize(image);
    return {s.width() * kTwipsPerPixel, s.height() * kTwipsPerPixel};
}

} // namespace

void paintPage(QPainter& painter, const PrintMaterial& material, const LayoutInput& in,
               const LayoutPage& page)
{
    QPaintDevice& device = *painter.device();
    const Units u(device);
    drawPage(painter, u, HistoryMetrics(device, u), material, in, page);
}

LayoutInput layoutInput(const PrintMaterial& material, QPaintDevice& device)
{
    const Units u(device);
    const HistoryMetrics m(device, u);
    LayoutInput in;
    in.page = {u.twipsX(device.width()), u.twipsY(device.height())};
    in.choice = material.choice;
    in.illustration = twips(material.illustration);
    in.graph = twips(material.graph);
    in.table = twips(material.table);
    in.tableHeader = material.tableHeaderPixels * kTwipsPerPixel;
    in.tableRow = material.tableRowPixels * kTwipsPerPixel;
    in.historyLead = m.line10;
    for (std::size_t i = 0; i < material.history.size(); ++i)
        in.historyEntries.push_back(m.entry(static_cast<int>(i)));
    return in;
}

int printCopies(QPagedPaintDevice& device, const PrintMaterial& material, int copies)
{
    const LayoutInput in = layoutInput(material, device);
    const std::vector<LayoutPage> pages = layoutCopy(in);
    if (pages.empty() || copies < 1) return 0;

    QPainter p;
    if (!p.begin(&device)) return 0;
    const Units u(device);
    const HistoryMetrics m(device, u);
    int printed = 0;
    for (int copy = 0; copy < copies; ++copy) {
        for (const LayoutPage& page : pages) {
            if (printed > 0 && !device.newPage()) {
                p.end();
                return printed;
            }
            drawPage(p, u, m, material, in, page);
            ++printed;
        }
    }
    // The device finishes its document here (the PDF writer its tail): pages
    // it could not finish were not printed.
    return p.end() ? printed : 0;
}

} // namespace titrage
