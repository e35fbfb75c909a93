#include "bench/apparatusview.h"

#include "bench/artwork.h"
#include "bench/core/scenegeometry.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

// Palette colours of the drawing.
const QColor kLightGrey(192, 192, 192); // palette colour 7
const QColor kDarkGrey(128, 128, 128);  // palette colour 8
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kCellStem(100, 100, 100);
const QColor kCaptionBlue(0, 0, 200);

QColor qcolor(Rgb c)
{
    auto clamp = [](int v) { return std::clamp(v, 0, 255); };
    return QColor(clamp(c.r), clamp(c.g), clamp(c.b));
}

// Burette: glass walls at x = 54 and 71 around the liquid x = 55..70, graduated
// 10 units per mL from y = 27 (0 mL) to 277 (25 mL); below, the taper, the
// stopcock barrel on the stem and the tip whose end is at y = 350.
constexpr int kTubeLeft = 54;
constexpr int kTubeRight = 71;
constexpr int kTubeTop = 10;
constexpr int kTubeEnd = 288;
constexpr int kStemLeft = 59;
constexpr int kStemRight = 66;
constexpr int kTaperEnd = 297;
constexpr int kBarrelTop = 300;
constexpr int kBarrelBottom = 318;
constexpr int kTipStart = 334;
constexpr int kTipEnd = 350;
constexpr int kClampY = 150;
constexpr int kRodX = 14;

// The tap picture beside the stem at x = 76, centred on the barrel.
constexpr QPoint kTapAt{76, 297};

// Beaker: rim (50, 369)-(102, 371), walls at x = 50 and 102 with their inner
// glass at 51 and 101, liquid x = 52..100 down to y = 455, glass bottom at
// 456..457; all shifted down by decalage. The stirrer or, without it, the
// bench carries the beaker.
constexpr int kRimTop = 369;
constexpr int kRimBottom = 371;
constexpr int kBeakerLeft = 50;
constexpr int kBeakerRight = 102;
constexpr int kLiquidBottom = 455;
constexpr int kBenchTop = 488;
constexpr int kBenchBottom = 560;

// Conductivity cell: stem x = 86..92 from y = 360, immersed part to 452, a
// disc of radius 3 at its tip; its head stands above the stem.
constexpr int kCellLeft = 86;
constexpr int kCellRight = 92;
constexpr int kCellTop = 360;
constexpr int kCellHeadTop = 342;

// Conductimeter case on the bench, right of the stirrer. Its window holds two
// lines: "σ =" and the digits, which take the rest of the width so that the
// longest reading ("0,00000001", "3,76E-05") shows whole at the digits' size;
// under them, the unit.
const QRectF kMeterBody(122, 378, 134, kBenchTop - 378);
const QRectF kMeterDisplay(130, 385, 118, 41);
const QPointF kMeterSocket(146, 378);

// pH-meter case: standing on the conductimeter, or on the bench in its place
// when the conductimeter is hidden; its display at the top, the name plate
// under it, the electrode's socket on its left side.
const QRectF kPhBody(150, 282, 100, 94);
const QRectF kPhDisplay(157, 290, 86, 24);
constexpr double kPhOnBench = 96; // how far down the case goes without the conductimeter
const QColor kPhFace(20, 40, 20);
const QColor kPhDigits(120, 255, 120);

// The texts of the picture and the controls laid in their lines. Measured
// once on an image at 96 dots per inch, the resolution of the canvas.
struct Layout {
    QFont caption;
    QFont captionTitle;
    QFont meter;
    QFont nameplate;
    double captionX = 0;
    double bulletIndent = 0;
    double titleY = 0, solutionY = 0, solution2Y = 0, concentrationY = 0, concentrationLineY = 0,
           volumeY = 0, volumeLineY = 0;
    double meterTextY = 0, meterUnitY = 0;
    QRect tap, drop, empty, fast, restart, concentration, poured, display;
    double concentrationUnitX = 0; // " mol · L" after the box
    double sigmaX = 0;             // "σ =  " before the display
    double meterUnitX = 0;         // " S · m" under the display, right-aligned
};

const QString kBullet = QStringLiteral("\u2022");

QFont arial(qreal points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

// Text measures on the canvas' own device (an image at 96 dots per inch), so
// that they agree with what Canvas::print draws.
QFontMetricsF metricsOn(const QFont& font)
{
    static const QImage device(1, 1, QImage::Format_RGB32);
    return QFontMetricsF(font, &device);
}

double widthOn(const QFont& font, const QString& text)
{
    return metricsOn(font).horizontalAdvance(text);
}

double heightOn(const QFont& font)
{
    return metricsOn(font).height();
}

double ascentOn(const QFont& font)
{
    return metricsOn(font).ascent();
}

QFont smaller(const QFont& font)
{
    QFont f = font;
    f.setPointSizeF(font.pointSizeF() * 0.72);
    return f;
}

const Layout& sceneLayout()
{
    static const Layout l = [] {
        Layout l;
        l.caption = arial(8);
        l.captionTitle = arial(9, true);
        l.meter = arial(9);
        l.nameplate = arial(10, true);

        l.tap = QRect(kTapAt, artwork::kTapSize);
        l.drop = QRect(108, 297, 24, 24);

        l.captionX = 82;
        l.bulletIndent = widthOn(l.caption, kBullet);
        const double lineH = std::ceil(heightOn(l.caption));
        l.titleY = 16;
        l.solutionY = l.titleY + std::ceil(heightOn(l.captionTitle)) + 6;
        l.solution2Y = l.solutionY + lineH;
        l.concentrationY = l.solution2Y + lineH + 6;
        l.concentrationLineY = l.concentrationY + lineH + 5;
        l.volumeY = l.concentrationLineY + lineH + 12;
        l.volumeLineY = l.volumeY + lineH + 5;

        // "c" with subscript "1", " = ", the box, " mol · L" with exponent "-1".
        const double lineX = l.captionX + l.bulletIndent;
        const double c1 = widthOn(l.caption, QStringLiteral("c")) +
                          widthOn(smaller(l.caption), QStringLiteral("1")) +
                          widthOn(l.caption, QStringLiteral(" = "));
        constexpr int boxH = 20;
        const int boxTop = static_cast<int>(l.concentrationLineY + lineH / 2 - boxH / 2.0);
        l.concentration = QRect(static_cast<int>(std::ceil(lineX + c1)), boxTop, 94, boxH);
        l.concentrationUnitX = l.concentration.right() + 2;

        const double v1 = widthOn(l.caption, QStringLiteral("V")) +
                          widthOn(smaller(l.caption), QStringLiteral("1")) +
                          widthOn(l.caption, QStringLiteral(" = "));
        const int volTop = static_cast<int>(l.volumeLineY + lineH / 2 - boxH / 2.0);
        l.poured = QRect(static_cast<int>(std::ceil(lineX + v1)), volTop, 64, boxH);
        l.restart = QRect(l.poured.right() + 8, volTop - 1, 26, boxH + 2);

        const int buttonsLeft = static_cast<int>(lineX);
        l.empty = QRect(buttonsLeft, l.poured.bottom() + 22, 128, 24);
        l.fast = QRect(buttonsLeft, l.empty.bottom() + 6, 128, 24);

        // σ = [display] on the window's first line, S · m-1 under the display.
        l.sigmaX = kMeterDisplay.left() + 4;
        const double sigmaW = widthOn(l.meter, QStringLiteral("\u03c3 =  "));
        const double unitW = widthOn(l.meter, QStringLiteral(" S \u00b7 m")) +
                             widthOn(smaller(l.meter), QStringLiteral("-1"));
        const int displayLeft = static_cast<int>(std::ceil(l.sigmaX + sigmaW));
        const int displayRight = static_cast<int>(kMeterDisplay.right() - 3);
        constexpr int displayH = 21;
        const double meterH = heightOn(l.meter);
        l.display = QRect(displayLeft, static_cast<int>(kMeterDisplay.top() + 3),
                          displayRight - displayLeft, displayH);
        l.meterTextY = std::round(l.display.center().y() + 0.5 - meterH / 2);
        l.meterUnitX = displayRight - unitW;
        l.meterUnitY = l.display.bottom() + 2;
        return l;
    }();
    return l;
}

// Prints `text` smaller, lowered (subscript) or raised (exponent), then comes
// back to the line the normal text sits on.
void printShifted(Canvas& c, const QString& text, bool raised)
{
    const QFont normal = c.font();
    const QFont small = smaller(normal);
    const double lineY = c.currentY();
    const double ascent = ascentOn(normal);
    const double smallAscent = ascentOn(small);
    const double y =
        raised ? lineY - ascent * 0.18 : lineY + (ascent - smallAscent) + ascent * 0.22;
    c.setFont(small);
    c.moveTo(c.currentX(), y);
    c.print(text);
    c.setFont(normal);
    c.moveTo(c.currentX(), lineY);
}

void printSub(Canvas& c, const QString& text)
{
    printShifted(c, text, false);
}

void printSup(Canvas& c, const QString& text)
{
    printShifted(c, text, true);
}

// An axis-aligned stroke one unit wide with both end points drawn.
void segment(Canvas& c, double x1, double y1, double x2, double y2, QColor color)
{
    c.filledBox(x1, y1, x2, y2, color);
}

// Device pixels per logical unit of what a painter draws on.
qreal deviceRatio(const QPainter& p)
{
    return p.device() ? std::max<qreal>(1.0, p.device()->devicePixelRatioF()) : 1.0;
}

} // namespace

ApparatusView::ApparatusView(QWidget* parent) : CanvasWidget(kSize, parent)
{
    setObjectName(QStringLiteral("picburette"));
    canvas().setBackColor(kPaper);
    canvas().cls();
}

void ApparatusView::showEvent(QShowEvent* event)
{
    CanvasWidget::showEvent(event);
    matchDisplay();
}

void ApparatusView::imafond(const SceneState& s)
{
    m_background = s;
    m_haveBackground = true;
    Canvas& c = canvas();
    c.dropBackground();
    c.cls();
    c.setFont(arial(8));

    const int decalage = s.burette ? 0 : 30;
    c.paint([](QPainter& p) { artwork::drawBench(p, kSize.width(), kBenchTop, kBenchBottom); });
    if (s.burette) {
        c.paint([](QPainter& p) {
            artwork::drawStand(p, kRodX, kBenchTop, kClampY, kTubeLeft, kTubeRight);
            artwork::drawStirrer(p,
                                 QRectF(36, kLiquidBottom + 3, 80, kBenchTop - kLiquidBottom - 3));
        });
        drawBurette();
    }
    if (s.conductimetre) drawConductimeter(decalage);
    if (s.phmetre) drawPhMeter(decalage, s.conductimetre);
    if (s.burette) drawCaption(s.acide);

    m_decalage = decalage;
    c.keepAsBackground();
    update();
}

void ApparatusView::drawBurette()
{
    Canvas& c = canvas();

    // Liquid always present below the 25 mL mark: taper, stem and tip.
    c.paint([](QPainter& p) {
        QPainterPath below;
        below.moveTo(kTubeLeft + 1, kTubeEnd);
        below.lineTo(kTubeRight, kTubeEnd);
        below.lineTo(kStemRight, kTaperEnd);
        below.lineTo(kStemRight, kTipStart);
        below.lineTo(64, kTipEnd);
        below.lineTo(62, kTipEnd);
        below.lineTo(kStemLeft + 1, kTipStart);
        below.lineTo(kStemLeft + 1, kTaperEnd);
        below.closeSubpath();
        p.fillPath(below, artwork::kTitrant);
    });

    // Glass outline.
    segment(c, kTubeLeft, kTubeTop, kTubeLeft, kTubeEnd, kBlack);
    segment(c, kTubeRight, kTubeTop, kTubeRight, kTubeEnd, kBlack);
    c.filledBox(kTubeLeft - 2, kTubeTop - 2, kTubeRight + 2, kTubeTop, QColor(235, 240, 245),
                kBlack);
    c.paint([](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(kBlack, 1));
        p.drawLine(QPointF(kTubeLeft + 0.5, kTubeEnd + 0.5),
                   QPointF(kStemLeft + 0.5, kTaperEnd + 0.5));
        p.drawLine(QPointF(kTubeRight + 0.5, kTubeEnd + 0.5),
                   QPointF(kStemRight + 0.5, kTaperEnd + 0.5));
        p.drawLine(QPointF(kStemLeft + 0.5, kTipStart + 0.5), QPointF(61.5, kTipEnd + 0.5));
        p.drawLine(QPointF(kStemRight + 0.5, kTipStart + 0.5), QPointF(64.5, kTipEnd + 0.5));
    });
    segment(c, kStemLeft, kTaperEnd, kStemLeft, kTipStart, kBlack);
    segment(c, kStemRight, kTaperEnd, kStemRight, kTipStart, kBlack);
    segment(c, 61, kTipEnd, 64, kTipEnd, kBlack);

    // Stopcock barrel across the stem, with the neck of the key reaching the
    // tap picture at x = 76.
    c.paint([](QPainter& q) {
        q.setRenderHint(QPainter::Antialiasing, true);
        QLinearGradient barrel(0, kBarrelTop, 0, kBarrelBottom);
        barrel.setColorAt(0, QColor(235, 240, 245));
        barrel.setColorAt(1, QColor(180, 190, 200));
        q.setPen(QPen(kBlack, 1));
        q.setBrush(barrel);
        q.drawRoundedRect(QRectF(56.5, kBarrelTop + 0.5, 13, kBarrelBottom - kBarrelTop), 3, 3);
        q.setBrush(QColor(200, 210, 220));
        q.drawRect(QRectF(69.5, 306.5, 7, 5));
    });

    // Graduation figures every 5 mL, left of the tube.
    c.setFont(arial(6));
    c.setForeColor(kBlack);
    for (int ml = 0; ml <= 25; ml += 5) {
        const QString t = QString::number(ml);
        const double y = buretteSurface(ml);
        c.printAt(kTubeLeft - 3 - c.textWidth(t), y - c.textHeight() / 2, t);
    }
    c.setFont(arial(8));
}

void ApparatusView::drawConductimeter(int decalage)
{
    Canvas& c = canvas();
    const Layout& l = sceneLayout();
    c.paint([decalage](QPainter& p) {
        artwork::drawConductimeterCase(p, kMeterBody, kMeterDisplay);
        artwork::drawCellHead(p, (kCellLeft + kCellRight + 1) / 2.0, kCellHeadTop + decalage,
                              kCellTop + decalage, kMeterSocket);
    });

    // σ = [display] on the line of the display, S · m-1 under it.
    c.setFont(l.meter);
    c.setForeColor(kBlack);
    c.printAt(l.sigmaX, l.meterTextY, QStringLiteral("\u03c3 =  "));
    c.printAt(l.meterUnitX, l.meterUnitY, QStringLiteral(" S \u00b7 m"));
    printSup(c, QStringLiteral("-1"));

    // The name plate, embossed: grey one unit below, blue on top.
    c.setFont(l.nameplate);
    const QString name = tr("Conductivité");
    const double x = kMeterBody.center().x() - c.textWidth(name) / 2;
    c.setForeColor(QColor(150, 150, 150));
    c.printAt(x, 435, name);
    c.setForeColor(kCaptionBlue);
    c.printAt(x, 434, name);
    c.setForeColor(kBlack);
}

QFont ApparatusView::phDisplayFont()
{
    return arial(11, true);
}

QRect ApparatusView::phDisplayRect() const
{
    const double dy = m_background.conductimetre ? 0 : kPhOnBench;
    return kPhDisplay.translated(0, dy).toRect();
}

void ApparatusView::drawPhMeter(int decalage, bool onConductimeter)
{
    Canvas& c = canvas();
    const double dy = onConductimeter ? 0 : kPhOnBench;
    const QRectF body = kPhBody.translated(0, dy);
    const QPointF socket(body.left(), body.top() + 58);
    const double cx = (kPhProbeLeft + kPhProbeRight + 1) / 2.0;
    c.paint([body, dy, socket, cx, decalage](QPainter& p) {
        artwork::drawConductimeterCase(p, body, kPhDisplay.translated(0, dy));
        // The electrode's cable from its head to the socket, then the head.
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        const double top = kPhProbeHeadTop + decalage;
        QPainterPath cable;
        cable.moveTo(cx, top + 1);
        cable.cubicTo(cx, top - 24, socket.x() - 40, socket.y(), socket.x(), socket.y());
        p.setPen(QPen(QColor(40, 40, 40), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(cable);
        p.setPen(QPen(kBlack, 1));
        p.setBrush(QColor(30, 60, 110));
        p.drawRoundedRect(QRectF(cx - 4, top, 8, kPhProbeTop - kPhProbeHeadTop), 2, 2);
        p.restore();
    });
    c.setFont(sceneLayout().nameplate);
    const QString name = tr("pH-mètre");
    const double x = body.center().x() - c.textWidth(name) / 2;
    const double y = kPhDisplay.bottom() + dy + 5;
    c.setForeColor(QColor(150, 150, 150));
    c.printAt(x, y + 1, name);
    c.setForeColor(kCaptionBlue);
    c.printAt(x, y, name);
    c.setForeColor(kBlack);
}

void ApparatusView::drawPhProbe(const SceneState& s, int surface)
{
    Canvas& c = canvas();
    const int d = m_decalage;
    // Glass above the liquid, then the immersed part and its bulb in the
    // liquid's colour seen through the glass.
    c.filledBox(kPhProbeLeft, kPhProbeTop + d, kPhProbeRight, surface, QColor(205, 215, 225),
                kBlack);
    const QColor immersed = qcolor(cellColour(s.liquid)).lighter(125);
    c.box(kPhProbeLeft, surface + 1, kPhProbeRight, kPhProbeBulb + d, kBlack);
    c.filledBox(kPhProbeLeft + 1, surface + 1, kPhProbeRight - 1, kPhProbeBulb + d - 1, immersed);
    c.filledCircle((kPhProbeLeft + kPhProbeRight) / 2.0, kPhProbeBulb + d, 4, immersed, kBlack);
}

void ApparatusView::drawPhDisplay(const QString& text)
{
    Canvas& c = canvas();
    const QRect r = phDisplayRect();
    c.filledBox(r.left(), r.top(), r.right(), r.bottom(), kPhFace);
    c.setFont(phDisplayFont());
    c.setForeColor(kPhDigits);
    // Right-aligned as the conductimeter's reading, 4 units from the edge.
    c.printAt(r.right() - 3 - c.textWidth(text), r.center().y() - c.textHeight(text) / 2.0 + 0.5,
              text);
    c.setForeColor(kBlack);
    c.setFont(arial(8));
}

void ApparatusView::showPh(const QString& text)
{
    if (!m_background.phmetre) return;
    m_live.phText = text;
    drawPhDisplay(text);
    updateChanged();
}

void ApparatusView::drawCaption(bool acide)
{
    Canvas& c = canvas();
    const Layout& l = sceneLayout();
    const double x = l.captionX;
    const double lineX = x + l.bulletIndent;
    c.setForeColor(kBlack);

    c.setFont(l.captionTitle);
    c.setForeColor(kCaptionBlue);
    c.printAt(x, l.titleY, tr("Dans la burette"));
    c.setForeColor(kBlack);

    c.setFont(l.caption);
    const auto solution = m_background.mixTitrant >= 0 ? mixtureCaption(m_background.mixTitrant)
                                                       : solutionCaption(acide);
    c.printAt(x, l.solutionY, kBullet);
    c.print(solution[0]);
    c.printAt(lineX, l.solution2Y, QStringLiteral(" ") + solution[1]);

    c.printAt(x, l.concentrationY, kBullet);
    c.print(tr(" Concentration en soluté apporté :"));
    c.printAt(lineX, l.concentrationLineY, QStringLiteral("c"));
    printSub(c, QStringLiteral("1"));
    c.print(QStringLiteral(" = "));
    c.printAt(l.concentrationUnitX, l.concentrationLineY, QStringLiteral(" mol \u00b7 L"));
    printSup(c, QStringLiteral("-1"));

    c.printAt(x, l.volumeY, kBullet);
    c.print(tr(" Volume de solution versée : "));
    c.printAt(lineX, l.volumeLineY, QStringLiteral("V"));
    printSub(c, QStringLiteral("1"));
    c.print(QStringLiteral(" = "));
}

void ApparatusView::niveaubecher(const SceneState& s)
{
    m_live = s;
    m_haveLive = true;
    Canvas& c = canvas();
    c.cls();
    m_niveau = niveauBecher(s.vsol, s.veau, s.vpoured);

    if (s.burette) drawBuretteLiquid(s.vpoured);
    drawBeaker(s);
    if (s.burette) {
        // The tap's picture is made at the resolution of whatever it is drawn on.
        c.paint([open = s.tapOpen](
                    QPainter& p) { p.drawImage(kTapAt, artwork::tapImage(open, deviceRatio(p))); },
                QRectF(kTapAt, artwork::kTapSize));
    }
    if (s.phmetre && m_background.phmetre) drawPhDisplay(s.phText);
    updateChanged();
}

void ApparatusView::drawBuretteLiquid(double vpoured)
{
    Canvas& c = canvas();
    // A volume outside the burette (not yet validated) is drawn at its limit.
    const double v = std::isfinite(vpoured) ? std::clamp(vpoured, 0.0, 25.0) : 0.0;
    const double y = buretteSurface(v);

    // The titrant below the surface, then the marks that show through it.
    c.filledBox(kTubeLeft + 1, y + 1, kTubeRight - 1, kTubeEnd, artwork::kTitrant);
    c.filledBox(kTubeLeft + 1, kTubeTop + 1, kTubeRight - 1, y, kWhite);
    for (int ml = 0; ml <= 25; ++ml) {
        const double my = buretteSurface(ml);
        const int len = ml % 5 == 0 ? 8 : 4;
        segment(c, kTubeLeft + 1, my, kTubeLeft + len, my, kBlack);
        if (ml < 25) segment(c, kTubeLeft + 1, my + 5, kTubeLeft + 2, my + 5, kDarkGrey);
    }

    // Surface: light grey line, dark grey line one unit above, and the meniscus,
    // a half-arc of radius 7 opening upwards.
    segment(c, 58, y, 67, y, kLightGrey);
    segment(c, 55, y - 1, 70, y - 1, kDarkGrey);
    const double cy = 23 + 10 * v;
    c.paint(
        [cy](QPainter& p) {
            p.setRenderHint(QPainter::Antialiasing, true);
            p.setPen(QPen(kDarkGrey, 1));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(62 + 0.5 - 7, cy + 0.5 - 7, 14, 14), 180 * 16, 180 * 16);
        },
        QRectF(62 - 7, cy - 7, 15, 15));
}

void ApparatusView::drawBeaker(const SceneState& s)
{
    Canvas& c = canvas();
    const int d = m_decalage;
    // Above a full beaker the surface is kept below the rim.
    const int surface = std::max(m_niveau, kRimBottom) + d;

    if (s.conductimetre)
        c.filledBox(kCellLeft, kCellTop + d, kCellRight, surface, kCellStem, kBlack);

    // Walls, bottom and rim.
    segment(c, kBeakerLeft, kRimBottom + d, kBeakerLeft, kLiquidBottom + 2 + d, kBlack);
    segment(c, kBeakerRight, kRimBottom + d, kBeakerRight, kLiquidBottom + 2 + d, kBlack);
    segment(c, kBeakerLeft + 1, kRimBottom + 1 + d, kBeakerLeft + 1, kLiquidBottom + 1 + d,
            artwork::kGlassEdge);
    segment(c, kBeakerRight - 1, kRimBottom + 1 + d, kBeakerRight - 1, kLiquidBottom + 1 + d,
            artwork::kGlassEdge);
    segment(c, kBeakerLeft + 1, kLiquidBottom + 1 + d, kBeakerRight - 1, kLiquidBottom + 1 + d,
            artwork::kGlassEdge);
    segment(c, kBeakerLeft, kLiquidBottom + 2 + d, kBeakerRight, kLiquidBottom + 2 + d, kBlack);
    c.box(kBeakerLeft, kRimTop + d, kBeakerRight, kRimBottom + d, kBlack);
    segment(c, kBeakerLeft + 1, kRimTop + 1 + d, kBeakerRight - 1, kRimTop + 1 + d, kWhite);

    // Liquid, brightest at its left edge.
    for (int x = kLiquidLeft; x <= kLiquidRight; ++x)
        segment(c, x, surface + 1, x, kLiquidBottom + d, qcolor(liquidColumnColour(s.liquid, x)));

    // A precipitate clouds the liquid white, the more the more solid it holds:
    // a milky veil and its grains, always at the same places.
    if (s.cloudiness > 0.002) {
        const QRectF liquid(kLiquidLeft, surface + 1, kLiquidRight - kLiquidLeft + 1,
                            kLiquidBottom + d - surface);
        const double cloud = std::min(1.0, s.cloudiness);
        c.paint(
            [liquid, cloud](QPainter& p) {
                // Milky rather than white: the clear liquid is nearly white already.
                p.fillRect(liquid, QColor(236, 236, 232, static_cast<int>(235 * cloud)));
                p.setPen(Qt::NoPen);
                const QColor grain[2] = {QColor(255, 255, 255, static_cast<int>(90 + 165 * cloud)),
                                         QColor(185, 185, 182, static_cast<int>(60 + 120 * cloud))};
                const int grains = static_cast<int>(260 * cloud);
                unsigned r = 12345u;
                for (int i = 0; i < grains; ++i) {
                    p.setBrush(grain[i % 3 == 0 ? 1 : 0]);
                    r = r * 1103515245u + 12345u;
                    const double gx = liquid.left() + (r >> 8) % 1000 / 1000.0 * liquid.width();
                    r = r * 1103515245u + 12345u;
                    const double gy = liquid.top() + (r >> 8) % 1000 / 1000.0 * liquid.height();
                    p.drawEllipse(QPointF(gx, gy), 0.8, 0.8);
                }
            },
            liquid);
    }

    // Volume marks on the glass at 50, 100, 150 and 200 mL, and the stirring bar.
    for (int ml = 50; ml <= 200; ml += 50) {
        const int y = niveauBecher(ml, 0, 0) + d;
        segment(c, kLiquidLeft + 2, y, kLiquidLeft + 6, y, kDarkGrey);
    }
    if (s.burette)
        c.paint([d](QPainter& p) { artwork::drawStirBar(p, 72, kLiquidBottom + d); },
                QRectF(72 - 8, kLiquidBottom + d - 5, 16, 6));

    if (s.phmetre && m_background.phmetre) drawPhProbe(s, surface);
    if (s.conductimetre) {
        const QColor cell = qcolor(cellColour(s.liquid));
        c.box(kCellLeft, surface + 1, kCellRight, 452 + d, kBlack);
        c.filledBox(kCellLeft + 1, surface + 1, kCellRight - 1, 451 + d, cell);
        c.filledCircle(89, 451 + d, 3, cell, kBlack);
    }

    // The stream of titrant while the tap is open: tip to rim, then rim to surface.
    if (s.tapOpen) {
        c.filledBox(62, 351, 63, 369, kDarkGrey);
        c.filledBox(62, 372, 63, surface, kDarkGrey);
    }
}

void ApparatusView::drawDropSprite(double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    canvas().paint(
        [x, y](QPainter& p) { p.drawImage(QPointF(x, y), artwork::dropImage(deviceRatio(p))); },
        QRectF(QPointF(x, y), artwork::kDropSize));
    updateChanged();
}

void ApparatusView::redrawBeakerRim()
{
    Canvas& c = canvas();
    c.box(kBeakerLeft, kRimTop, kBeakerRight, kRimBottom, kBlack);
    segment(c, kBeakerLeft + 1, kRimTop + 1, kBeakerRight - 1, kRimTop + 1, kWhite);
    updateChanged();
}

std::array<QString, 2> ApparatusView::solutionCaption(bool acide)
{
    // The titrant neutralises the beaker: sodium hydroxide for an acid, hydrochloric acid for a
    // base.
    if (acide) return {tr(" Solution aqueuse d'hydroxyde de"), tr("sodium.")};
    return {tr(" Solution aqueuse d'acide"), tr("chlorhydrique.")};
}

std::array<QString, 2> ApparatusView::mixtureCaption(int titrant)
{
    switch (titrant) {
    case 1:
        return solutionCaption(false);
    case 2:
        return {tr(" Solution aqueuse de nitrate"), tr("d'argent.")};
    case 3:
        return {tr(" Solution aqueuse de chlorure de"), tr("baryum.")};
    case 4:
        return {tr(" Solution aqueuse d'hydroxyde de"), tr("baryum.")};
    default:
        return solutionCaption(true);
    }
}

QRect ApparatusView::overlayRect(Overlay which) const
{
    const Layout& l = sceneLayout();
    switch (which) {
    case Overlay::Tap:
        return l.tap;
    case Overlay::DropButton:
        return l.drop;
    case Overlay::EmptyBurette:
        return l.empty;
    case Overlay::FastPlot:
        return l.fast;
    case Overlay::Restart:
        return l.restart;
    case Overlay::BuretteConcentration:
        return l.concentration;
    case Overlay::PouredVolume:
        return l.poured;
    case Overlay::Conductimeter:
        return l.display;
    }
    return {};
}

std::optional<ApparatusView::CaptionLine> ApparatusView::captionLine(Overlay which)
{
    const Layout& l = sceneLayout();
    if (which == Overlay::BuretteConcentration) return CaptionLine{l.concentrationLineY, l.caption};
    if (which == Overlay::PouredVolume) return CaptionLine{l.volumeLineY, l.caption};
    return std::nullopt;
}

bool ApparatusView::overlayVisible(Overlay which) const
{
    return which == Overlay::Conductimeter ? m_background.conductimetre : m_background.burette;
}

QPixmap ApparatusView::tapPicture(bool open)
{
    // Fine enough for a window shown twice as large on a dense screen.
    const qreal ratio = 2 * std::max<qreal>(2.0, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    // The same pixmap while nothing changes, so that setting it again is seen
    // as no change (its cache key) and costs no repaint.
    const QString key = QStringLiteral("titrage-tap-%1-%2").arg(open).arg(ratio);
    QPixmap tap;
    if (!QPixmapCache::find(key, &tap)) {
        tap = QPixmap::fromImage(artwork::tapImage(open, ratio));
        QPixmapCache::insert(key, tap);
    }
    return tap;
}

QPixmap ApparatusView::dropPicture()
{
    // Fine enough for a window shown twice as large on a dense screen.
    const qreal ratio = 2 * std::max<qreal>(2.0, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    return QPixmap::fromImage(artwork::dropImage(ratio));
}

} // namespace titrage
