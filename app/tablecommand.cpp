#include "app/tablecommand.h"

#include "bench/entryvalidation.h"
#include "model/curve.h"
#include "model/measurement.h"
#include "model/solver.h"
#include "platform/numberformat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <ostream>
#include <sstream>

namespace titrage {

namespace {

constexpr const char* kHelp =
    "Utilisation : titrage-table [options]\n"
    "\n"
    "Affiche les mesures d'un titrage conductimétrique à 25 °C, telles que le banc\n"
    "les enregistre dans son tableau de valeurs.\n"
    "\n"
    "Options :\n"
    "  --base         solution basique dans le bécher (titrée par l'acide chlorhydrique) ;\n"
    "                 sans elle, solution acide titrée par l'hydroxyde de sodium\n"
    "  --solute N     position du soluté dans la liste, de 0 à 14 (défaut 0)\n"
    "  --pka P        pKa du soluté de la position 14 (« autre acide », « autre base »)\n"
    "  --c C          concentration en soluté apporté dans le bécher, mol/L (défaut 0,01)\n"
    "  --vsol V       volume de solution introduite dans le bécher, mL (défaut 20)\n"
    "  --veau V       volume d'eau distillée ajoutée, mL (défaut 0)\n"
    "  --cb C         concentration de la solution de la burette, mol/L (défaut 0,01)\n"
    "  --step S       volume versé entre deux mesures, mL, de 0,1 à 1 (défaut 0,5)\n"
    "  --at V         une ligne pour le volume versé V, comme si V était tapé dans le\n"
    "                 champ du volume versé (option répétable)\n"
    "  --curve        les sommets de la courbe théorique (V, sigma, X, Y)\n"
    "  --raw          point décimal, 9 chiffres significatifs, en-têtes bruts\n"
    "  --help         affiche cette aide\n"
    "\n"
    "Les nombres s'écrivent avec une virgule ou un point. Les valeurs hors des\n"
    "limites du banc sont corrigées comme le banc les corrige, avec une note.\n";

struct Options {
    bool acide = true;
    int position = 0;
    std::string pka = "7,0";
    bool pkaGiven = false;
    std::string c = "0,01";
    std::string vsol = "20,0";
    std::string veau = "0,0";
    std::string cb = "0,01";
    double step = 0.5;
    std::vector<double> at;
    bool curve = false;
    bool raw = false;
    bool help = false;
};

struct UsageError {
    std::string message;
};

std::optional<UsageError> parseOptions(const std::vector<std::string>& args, Options& o)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) -> std::optional<UsageError> {
            if (i + 1 >= args.size()) return UsageError{"l'option " + a + " attend une valeur."};
            into = args[++i];
            return std::nullopt;
        };
        auto number = [&](double& into) -> std::optional<UsageError> {
            std::string text;
            if (auto e = value(text)) return e;
            const auto n = parseNumber(text);
            if (!n) return UsageError{"« " + text + " » n'est pas un nombre (option " + a + ")."};
            into = *n;
            return std::nullopt;
        };
        auto numericText = [&](std::string& into) -> std::optional<UsageError> {
            double n = 0;
            if (auto e = number(n)) return e;
            into = args[i];
            return std::nullopt;
        };
        std::optional<UsageError> e;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--base") {
            o.acide = false;
        } else if (a == "--curve") {
            o.curve = true;
        } else if (a == "--raw") {
            o.raw = true;
        } else if (a == "--solute") {
            double n = 0;
            e = number(n);
            if (!e && (n != std::floor(n) || n < 0 || n > 14))
                e = UsageError{"la position du soluté doit être un entier de 0 à 14 (reçu « " +
                               args[i] + " »)."};
            if (!e) o.position = static_cast<int>(n);
        } else if (a == "--pka") {
            e = numericText(o.pka);
            o.pkaGiven = true;
        } else if (a == "--c") {
            e = numericText(o.c);
        } else if (a == "--vsol") {
            e = numericText(o.vsol);
        } else if (a == "--veau") {
            e = numericText(o.veau);
        } else if (a == "--cb") {
            e = numericText(o.cb);
        } else if (a == "--step") {
            e = number(o.step);
        } else if (a == "--at") {
            double v = 0;
            e = number(v);
            if (!e) o.at.push_back(v);
        } else {
            e = UsageError{"option inconnue « " + a + " ». Voir titrage-table --help."};
        }
        if (e) return e;
    }
    if (o.curve && !o.at.empty())
        return UsageError{"--curve et --at ne peuvent pas être employées ensemble."};
    return std::nullopt;
}

// Validates one box as the bench does and reports a correction on `err`.
std::string corrected(int box, const std::string& text, const std::string& vsol,
                      const std::string& veau, const char* what, const char* unit,
                      std::ostream& err)
{
    const ValidatedEntry v = validateEntry(box, text, vsol, veau);
    const double typed = parseNumber(text).value_or(0.0);
    if (v.notice) {
        err << "Note : " << v.notice->text << " " << what << " corrigé à " << v.text << unit
            << ".\n";
    } else if (std::fabs(typed - v.value) > 1e-12 * std::max(1.0, std::fabs(typed))) {
        err << "Note : " << what << " corrigé à " << v.text << unit << ".\n";
    }
    return v.text;
}

std::string raw(double x)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", x);
    return buf;
}

} // namespace

int runTableCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options o;
    if (auto e = parseOptions(args, o)) {
        err << "titrage-table : " << e->message << "\n";
        return 2;
    }
    if (o.help) {
        out << kHelp;
        return 0;
    }

    // The boxes, corrected in the order a student would validate them.
    const std::string c = corrected(BoxConcentration, o.c, o.vsol, o.veau,
                                    "La concentration du bécher", " mol/L", err);
    const std::string cb = corrected(BoxBurette, o.cb, o.vsol, o.veau,
                                     "La concentration de la burette", " mol/L", err);
    const std::string vsol =
        corrected(BoxVsol, o.vsol, o.vsol, o.veau, "Le volume de solution", " mL", err);
    const std::string veau =
        corrected(BoxWater, o.veau, vsol, o.veau, "Le volume d'eau", " mL", err);
    const std::string pka = corrected(BoxPka, o.pka, vsol, veau, "Le pKa", "", err);
    if (o.pkaGiven && o.position != kOtherPosition)
        err << "Note : --pka ne concerne que le soluté de la position 14 ; il est ignoré.\n";
    int stepTenths = static_cast<int>(std::lround(o.step * 10));
    if (stepTenths < 1 || stepTenths > 10 || std::fabs(o.step * 10 - stepTenths) > 1e-9) {
        stepTenths = std::clamp(stepTenths, 1, 10);
        err << "Note : le volume entre deux mesures est corrigé à "
            << formatNumber(stepTenths / 10.0, "#0.0") << " mL.\n";
    }

    Model model;
    initcatalogue(model);
    chpk(model, o.acide, o.position, pka);

    BenchEntries entries;
    entries.acide = o.acide;
    entries.position = o.position;
    entries.c = parseFloat(c);
    entries.cburette = parseFloat(cb);
    entries.vsol = parseFloat(vsol);
    entries.veau = parseFloat(veau);
    entries.vverse = 0.0f;
    const SigmaInputs inputs = entries.sigmaInputs();
    const int columns = tableColumns(o.acide, o.position);
    const char sep = o.raw ? '.' : ',';

    std::ostringstream body;
    if (o.curve) {
        const SigmaScale scale = valimax(model, entries, nullptr, false);
        loadModel(model, entries);
        std::vector<CurveVertex> vertices;
        walkCurve(model, inputs, scale.maxaxe, vertices);
        body << (o.raw ? "V\tsigma\tX\tY\n" : "V (mL)\tσ (S·m-1)\tX\tY\n");
        for (const CurveVertex& p : vertices) {
            if (o.raw)
                body << raw(p.v) << '\t' << raw(p.sigma) << '\t' << raw(p.x) << '\t' << raw(p.y)
                     << '\n';
            else
                body << formatNumber(p.v, "#0.00") << '\t' << formatNumber(p.sigma, "0.00E+00")
                     << '\t' << formatNumber(p.x, "##0.0", sep) << '\t'
                     << formatNumber(p.y, "##0.0", sep) << '\n';
        }
        out << body.str();
        return 0;
    }

    std::vector<TableRow> rows;
    if (o.at.empty()) {
        rows = tabulate(model, entries, stepTenths);
    } else {
        for (const double typed : o.at) {
            const ValidatedEntry v =
                validateEntry(BoxPoured, formatNumber(typed, "#0.0##########"), vsol, veau);
            if (v.notice)
                err << "Note : " << v.notice->text << " Volume versé corrigé à " << v.text
                    << " mL.\n";
            // The bench restarts at 0 mL and replays the pouring up to the volume,
            // then measures at the volume the box shows.
            for (double step = 0; step <= v.value; step += 0.1) {
                entries.vverse = parseFloat(formatNumber(step, "#0.0"));
                measure(model, entries);
            }
            entries.vverse = parseFloat(v.text);
            const double ph = measure(model, entries);
            rows.push_back(rowFromState(model, inputs, ph));
        }
    }

    if (o.raw) {
        body << (columns > 4 ? "V\tsigma\tH3O\tHO\tacide\tbase\tpH\txprinc\tveq\n"
                             : "V\tsigma\tH3O\tHO\tpH\txprinc\tveq\n");
    } else {
        body << "V (mL)\tσ (S·m-1)\t[H3O+] (mol·L-1)\t[HO-] (mol·L-1)";
        if (columns > 4) body << "\t[acide] (mol·L-1)\t[base] (mol·L-1)";
        body << "\tpH\txprinc (mol·L-1)\tveq (mL)\n";
    }
    for (const TableRow& row : rows) {
        if (o.raw) {
            body << raw(row.v) << '\t' << raw(row.sigma) << '\t' << raw(row.h3o) << '\t'
                 << raw(row.ho);
            if (columns > 4)
                body << '\t' << (row.acide ? raw(*row.acide) : "") << '\t'
                     << (row.base ? raw(*row.base) : "");
            body << '\t' << raw(row.ph) << '\t' << raw(row.xprinc) << '\t' << raw(model.veq)
                 << '\n';
        } else {
            const auto cells = formatRow(row, columns);
            for (size_t i = 0; i < cells.size(); ++i)
                body << (i ? "\t" : "") << cells[i];
            body << '\t' << formatNumber(row.ph, "#0.00") << '\t'
                 << formatNumber(row.xprinc, "0.00E+00") << '\t'
                 << formatNumber(model.veq, "###0.0#") << '\n';
        }
    }
    out << body.str();
    return 0;
}

} // namespace titrage
