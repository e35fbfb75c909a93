#include "app/core/linesreport.h"

#include "model/scatter.h"
#include "platform/core/decimaltext.h"
#include "platform/core/numberformat.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace titrage {

std::optional<std::uint64_t> parseSeed(const std::string& text)
{
    std::uint64_t seed = 0;
    const char* end = text.data() + text.size();
    const auto [p, ec] = std::from_chars(text.data(), end, seed);
    if (text.empty() || ec != std::errc() || p != end) return std::nullopt;
    return seed;
}

namespace {

std::string raw(double x)
{
    char buf[64];
    writeGeneral(x, 9, buf);
    return buf;
}

void rawRow(std::ostream& body, const TwoLines& t, const VeqUncertainty& u, bool measured)
{
    body << raw(t.veq) << '\t' << raw(measured ? u.u : 0.0) << '\t' << raw(t.before.slope) << '\t'
         << raw(t.before.intercept) << '\t' << raw(t.after.slope) << '\t'
         << raw(t.after.intercept);
    if (measured) body << '\t' << raw(u.U95);
    body << '\n';
}

// "Droite avant l'équivalence (de 0,5 à 18,5 mL, 37 points) : σ corrigée = …".
void lineText(std::ostream& body, const std::string& name, const LineFit& f, const FitRange& r,
              bool brut)
{
    body << name << " (de " << formatNumber(r.from, "#0.0#") << " à "
         << formatNumber(r.to, "#0.0#") << " mL, " << f.n << " points) : "
         << (brut ? "σ" : "σ corrigée") << " = " << generalFormat(roundSignificant(f.slope, 4))
         << " × V " << (f.intercept < 0 ? "− " : "+ ")
         << generalFormat(roundSignificant(std::fabs(f.intercept), 4)) << '\n';
}

} // namespace

std::string linesReport(const TwoLines& t, const LinesReportOptions& o)
{
    std::ostringstream body;
    const VeqUncertainty u = veqUncertainty(t, buretteUncertainty(ScatterModel{}, t.veq));
    if (o.raw) {
        body << "veq\tu_veq\ta1\tb1\ta2\tb2" << (o.measured ? "\tU95\n" : "\n");
        rawRow(body, t, u, o.measured);
        return body.str();
    }
    body << (o.measured ? veqMeasuredText(t.veq, u) : veqConstructionText(t.veq)) << '\n';
    lineText(body, "Droite avant l'équivalence", t.before, t.ranges.before, o.brut);
    lineText(body, "Droite après l'équivalence", t.after, t.ranges.after, o.brut);
    body << "(a en S·m-1·mL-1, b en S·m-1" << (o.brut ? ")\n" : " ; σ corrigée = σ·(V0 + V)/V0)\n");
    if (o.measured)
        body << "(u(Véq) : les ajustements et la burette ; U(Véq) = " << formatNumber(u.k, "#0.00")
             << " × u(Véq), facteur de Student à 95 %"
             << (u.dof > 0 ? " pour " + formatNumber(u.dof, "#0") + " degrés de liberté)\n"
                           : ")\n");
    return body.str();
}

} // namespace titrage

namespace titrage {

std::string linesReport(const BrokenLines& b, const LinesReportOptions& o)
{
    if (b.count() == 1) return linesReport(b.breaks.front(), o);
    std::ostringstream body;
    if (o.raw) {
        // One row per break, in order: the lines before and after it.
        body << "veq\tu_veq\ta1\tb1\ta2\tb2" << (o.measured ? "\tU95\n" : "\n");
        for (const TwoLines& t : b.breaks)
            rawRow(body, t, veqUncertainty(t, buretteUncertainty(ScatterModel{}, t.veq)),
                   o.measured);
        return body.str();
    }
    for (size_t i = 0; i < b.count(); ++i) {
        const TwoLines& t = b.breaks[i];
        const VeqUncertainty u = veqUncertainty(t, buretteUncertainty(ScatterModel{}, t.veq));
        body << breakName(i, b.count()) << " : "
             << (o.measured ? veqMeasuredText(t.veq, u) : veqConstructionText(t.veq)) << '\n';
    }
    const std::vector<LineFit> lines = b.lines();
    const std::vector<FitRange> ranges = b.ranges();
    for (size_t i = 0; i < lines.size(); ++i)
        lineText(body, "Droite " + std::to_string(i + 1), lines[i], ranges[i], o.brut);
    body << "(a en S·m-1·mL-1, b en S·m-1" << (o.brut ? ")\n" : " ; σ corrigée = σ·(V0 + V)/V0)\n");
    if (o.measured)
        body << "(u(Véq) : les ajustements et la burette ; U(Véq) = k × u(Véq), k facteur de "
                "Student à 95 % pour les degrés de liberté de ses deux droites)\n";
    return body.str();
}

} // namespace titrage
