#include "graph/headerpictures.h"

#include "platform/canvas.h"

#include <QCoreApplication>

#include <initializer_list>

namespace titrage {

const QColor kHeaderBlue(0, 0, 200);

namespace {

constexpr double kLine1 = 4;
constexpr double kLine2 = 22;
constexpr double kSigmaLine = 13;

// A piece of a header line: its text, its shift off the base line (positive
// downwards: an index; negative: an exponent) and whether it is in italics.
struct Piece {
    QString text;
    double shift = 0;
    bool italic = false;
};

// Writes the pieces one after the other from (x, y), each returning to the
// base line; the line is centred on the width of `plain`.
void printLine(Canvas& c, double y, const QString& plain, std::initializer_list<Piece> pieces)
{
    const double x = (c.size().width() - c.textWidth(plain)) / 2;
    c.moveTo(x, y);
    for (const Piece& p : pieces) {
        c.setItalic(p.italic);
        c.moveTo(c.currentX(), y + p.shift);
        c.print(p.text);
        c.setItalic(false);
    }
    c.moveTo(c.currentX(), y);
}

void concentrationUnit(Canvas& c)
{
    printLine(c, kLine2, QStringLiteral("(mol · L-1)"),
              {{QStringLiteral("(mol · L")}, {QStringLiteral("-1"), -3}, {QStringLiteral(")")}});
}

} // namespace

QImage headerPicture(int column, QSize size, qreal devicePixelRatio)
{
    Canvas c(size.expandedTo(QSize(1, 1)), kHeaderBlue);
    if (devicePixelRatio > 0 && !qFuzzyCompare(devicePixelRatio, 1.0))
        c.resize(size.expandedTo(QSize(1, 1)), devicePixelRatio);
    c.setFont(QStringLiteral("Arial"), 8);
    c.setForeColor(Qt::white);
    switch (column) {
    case 0:
        printLine(c, kLine1, QStringLiteral("V1"),
                  {{QStringLiteral("V"), 0, true}, {QStringLiteral("1"), 4}});
        printLine(c, kLine2, QStringLiteral("(mL)"), {{QStringLiteral("(mL)")}});
        break;
    case 1:
        // One line: the sigma glyph sits 2 units above the unit, whose
        // exponent is 4 units up.
        printLine(c, kSigmaLine, QStringLiteral("σ (S · m-1)"),
                  {{QStringLiteral("σ"), -2},
                   {QStringLiteral(" (S · m")},
                   {QStringLiteral("-1"), -4},
                   {QStringLiteral(")")}});
        break;
    case 2:
        printLine(c, kLine1, QStringLiteral("[H3O+]"),
                  {{QStringLiteral("[H")},
                   {QStringLiteral("3"), 3},
                   {QStringLiteral("O")},
                   {QStringLiteral("+"), -3},
                   {QStringLiteral("]")}});
        concentrationUnit(c);
        break;
    case 3:
        printLine(c, kLine1, QStringLiteral("[HO-]"),
                  {{QStringLiteral("[H")},
                   {QStringLiteral("O")},
                   {QStringLiteral("-"), -3},
                   {QStringLiteral("]")}});
        concentrationUnit(c);
        break;
    case 4:
        printLine(c, kLine1, QCoreApplication::translate("HeaderPictures", "[acide]"),
                  {{QCoreApplication::translate("HeaderPictures", "[acide]")}});
        concentrationUnit(c);
        break;
    case 5:
        printLine(c, kLine1, QCoreApplication::translate("HeaderPictures", "[base]"),
                  {{QCoreApplication::translate("HeaderPictures", "[base]")}});
        concentrationUnit(c);
        break;
    case kPhHeaderColumn:
        // One line at the height of the sigma header's.
        printLine(c, kSigmaLine, QStringLiteral("pH"), {{QStringLiteral("pH")}});
        break;
    default:
        break;
    }
    return c.image().copy();
}

} // namespace titrage
