#include "app/core/measurestable.h"

#include "platform/core/decimaltext.h"
#include "platform/core/numberformat.h"

#include <ostream>

namespace titrage {

std::optional<SigmaUnit> sigmaUnitNamed(const std::string& name)
{
    for (SigmaUnit u : {SigmaUnit::SiemensPerMetre, SigmaUnit::MilliSiemensPerMetre,
                        SigmaUnit::MilliSiemensPerCentimetre, SigmaUnit::MicroSiemensPerCentimetre})
        if (name == sigmaUnitName(u)) return u;
    if (name == "uS/cm") return SigmaUnit::MicroSiemensPerCentimetre;
    return std::nullopt;
}

std::optional<std::vector<FitPoint>> readMeasures(const std::string& path, SigmaUnit unit,
                                                  std::ostream& err)
{
    const MeasurementImport imported = importMeasurementFile(path, unit);
    if (!imported.ok()) {
        err << "titrage-table : " << path << " : " << imported.error << "\n";
        return std::nullopt;
    }
    std::vector<FitPoint> points;
    points.reserve(imported.points.size());
    for (const ImportedMeasurement& p : imported.points)
        points.push_back({p.volume, p.sigma});
    return points;
}

void printMeasures(const std::vector<FitPoint>& points, Model& model, BenchEntries entries,
                   bool raw, std::ostream& out)
{
    auto rawText = [](double x) {
        char buf[64];
        writeGeneral(x, 9, buf);
        return std::string(buf);
    };
    out << (raw ? "V\tsigma\tsigma_model\n" : "V (mL)\tσ mesurée (S·m-1)\tσ modèle (S·m-1)\n");
    for (const FitPoint& p : points) {
        entries.vverse = static_cast<float>(p.v);
        measure(model, entries);
        if (raw)
            out << rawText(p.v) << '\t' << rawText(p.sigma) << '\t' << rawText(model.sigma) << '\n';
        else
            out << formatNumber(p.v, "#0.0#") << '\t' << formatNumber(p.sigma, "0.00E+00") << '\t'
                << formatNumber(model.sigma, "0.00E+00") << '\n';
    }
}

} // namespace titrage
