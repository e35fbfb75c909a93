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

} // namespace

std::string linesReport(const TwoLines& t, const LinesReportOptions& o)
{
    std::ostringstream body;
    const VeqUncertainty u = veqUncertainty(t, buretteUncertainty(ScatterModel{}, t.veq));
    if (o.raw) {
        body << "veq\tu_veq\ta1\tb1\ta2\tb2" << (o.measured ? "\tU95\n" : "\n") << raw(t.veq)
             << '\t' << raw(o.measured ? u.u : 0.0) << '\t' << raw(t.before.slope) << '\t'
             << raw(t.before.intercept) << '\t' << raw(t.after.slope) << '\t'
             << raw(t.after.intercept);
        if (o.measured) body << '\t' << raw(u.U95);
        body << '\n';
        return body.str();
    }
    body << (o.measured ? veqMeasuredText(t.veq, u) : veqConstructionText(t.veq)) << '\n';
    const char* what = o.brut ? "σ" : "σ corrigée";
    auto line = [&](const char* name, const LineFit& f, const FitRange& r) {
        body << name << " (de " << formatNumber(r.from, "#0.0#") << " à "
             << formatNumber(r.to, "#0.0#") << " mL, " << f.n << " points) : " << what << " = "
             << generalFormat(roundSignificant(f.slope, 4)) << " × V "
             << (f.intercept < 0 ? "− " : "+ ")
             << generalFormat(roundSignificant(std::fabs(f.intercept), 4)) << '\n';
    };
    line("Droite avant l'équivalence", t.before, t.ranges.before);
    line("Droite après l'équivalence", t.after, t.ranges.after);
    body << "(a en S·m-1·mL-1, b en S·m-1" << (o.brut ? ")\n" : " ; σ corrigée = σ·(V0 + V)/V0)\n");
    if (o.measured)
        body << "(u(Véq) : les ajustements et la burette ; U(Véq) = " << formatNumber(u.k, "#0.00")
             << " × u(Véq), facteur de Student à 95 %"
             << (u.dof > 0 ? " pour " + formatNumber(u.dof, "#0") + " degrés de liberté)\n"
                           : ")\n");
    return body.str();
}

} // namespace titrage
