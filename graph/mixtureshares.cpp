#include "graph/mixtureshares.h"

#include "graph/graphlines.h"
#include "model/graphframe.h"
#include "platform/canvas.h"
#include "platform/core/numberformat.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace titrage {

QColor mixtureSpeciesColour(int species)
{
    switch (species) {
    case SpH3O:
        return ionColour(1);
    case SpHO:
        return ionColour(2);
    case SpNa:
        return ionColour(3);
    case SpCl:
        return ionColour(4);
    case SpK:
        return QColor(245, 170, 90);
    case SpNO3:
        return QColor(110, 200, 200);
    case SpAg:
        return QColor(185, 185, 200);
    case SpBa:
        return QColor(205, 170, 120);
    case SpSO4:
        return QColor(170, 130, 220);
    case SpHSO4:
        return QColor(215, 190, 245);
    case SpH2PO4:
        return QColor(150, 215, 120);
    case SpHPO4:
        return QColor(90, 170, 110);
    case SpPO4:
        return QColor(60, 130, 90);
    default:
        // The catalogue's ions, told apart by their couple.
        return (species - SpFirstCouple) % 4 < 2 ? QColor(200, 160, 235) : QColor(240, 160, 200);
    }
}

QRectF drawMixtureShares(Canvas& c, const MixtureStack& s, float maxaxe)
{
    if (maxaxe <= 0 || s.vertices.empty()) return {};
    std::vector<QColor> colours;
    for (const int species : s.species)
        colours.push_back(mixtureSpeciesColour(species));
    const auto areas = stackedAreas(s.vertices, s.top, colours, maxaxe);
    std::vector<QPolygonF> solids;
    std::vector<double> largest;
    for (const std::vector<double>& amounts : s.solidAmount) {
        const double top = *std::max_element(amounts.begin(), amounts.end());
        largest.push_back(top);
        QPolygonF line;
        for (size_t j = 0; j < s.vertices.size() && j < amounts.size(); ++j)
            line << QPointF(s.vertices[j].x,
                            top > 0 ? kGraphBottom - 0.8 * kGraphHeight * amounts[j] / top
                                    : kGraphBottom);
        solids.push_back(line);
    }
    c.paint([areas, solids](QPainter& p) {
        p.save();
        p.setClipRect(QRectF(kGraphLeft, kGraphTop - 1, kGraphRight - kGraphLeft,
                             kGraphBottom - kGraphTop + 1));
        p.setPen(Qt::NoPen);
        for (const auto& [area, fill] : areas) {
            p.setBrush(fill);
            p.drawPolygon(area);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(40, 40, 40), 1.5, Qt::DashLine));
        for (const QPolygonF& line : solids)
            p.drawPolyline(line);
        p.restore();
    });

    std::vector<LegendEntry> legend;
    for (size_t k = 0; k < s.solids.size(); ++k)
        legend.push_back(
            {QColor(40, 40, 40),
             QString::fromStdString(solidDisplayName(s.solids[k]) + " (tirets) : jusqu'à " +
                                    formatNumber(largest[k], "0.00E+00") + " mol"),
             false});
    for (size_t k = s.species.size(); k-- > 0;)
        legend.push_back({mixtureSpeciesColour(s.species[k]),
                          QString::fromStdString(speciesDisplayName(s.species[k]) + " : λ = " +
                                                 generalFormat(static_cast<float>(s.lambdas[k])) +
                                                 " mS·m²·mol⁻¹"),
                          true});
    return drawLegendInFrame(c, legend);
}

} // namespace titrage
