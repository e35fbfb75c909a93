#include "app/core/tablecommand.h"

#include "app/core/linesreport.h"
#include "app/core/measurestable.h"

#include "model/contributions.h"
#include "model/curve.h"
#include "model/entryvalidation.h"
#include "model/linebreaks.h"
#include "model/linefit.h"
#include "model/measurement.h"
#include "model/mixture.h"
#include "model/mixturebench.h"
#include "model/realsolution.h"
#include "model/scatter.h"
#include "model/solver.h"
#include "model/tableexport.h"
#include "platform/core/decimaltext.h"
#include "platform/core/numberformat.h"

#include <algorithm>
#include <array>
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
    "Affiche les mesures d'un titrage conductimétrique à 25 °C (ou à la température\n"
    "de --temperature), telles que le banc les enregistre dans son tableau de valeurs.\n"
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
    "  --droites      méthode des droites sur les points du tableau (ou de --at) :\n"
    "                 Véq, son incertitude et les deux droites, sur la conductivité\n"
    "                 corrigée de la dilution sigma.(V0 + V)/V0 ; état de sortie 3\n"
    "                 quand aucune rupture de pente n'est trouvée ; une courbe à\n"
    "                 plusieurs ruptures (un mélange, --becher) donne un Véq par\n"
    "                 rupture, E1, E2…, et une droite de plus que de ruptures\n"
    "  --brut         avec --droites : sur la conductivité mesurée, sans correction\n"
    "  --mesures F    les mesures d'une classe lues dans le fichier F (CSV ou texte :\n"
    "                 le volume versé en mL puis sigma sur chaque ligne), chacune à\n"
    "                 côté de la sigma du modèle ; avec --droites, la méthode des\n"
    "                 droites porte sur elles\n"
    "  --unite U      avec --mesures : l'unité de sigma du fichier (S/m, mS/m, mS/cm,\n"
    "                 µS/cm) quand son en-tête ne la donne pas\n"
    "  --bruit GRAINE les points lus comme des mesures réalistes (conductimètre à 1 %\n"
    "                 de la lecture et son dernier chiffre, burette lue à 0,05 mL),\n"
    "                 tirées de la GRAINE (un entier) comme au banc ; avec --droites,\n"
    "                 u(Véq) et U(Véq) à 95 %\n"
    "  --reel         solutions réelles : conductivités molaires selon la force ionique\n"
    "                 (loi d'Onsager étendue), activités par l'équation de Davies\n"
    "  --temperature T  température de la solution, de 15 à 30 °C (défaut 25) :\n"
    "                 conductivités molaires et produit ionique de l'eau à T\n"
    "  --ions         la contribution de chaque ion à sigma, pour chaque ligne\n"
    "  --csv          le tableau pour un tableur (point-virgule, virgule décimale,\n"
    "                 UTF-8 avec BOM), les paramètres au-dessus\n"
    "  --ph           avec --csv : la colonne pH du pH-mètre en dernier (les autres\n"
    "                 tableaux la donnent déjà)\n"
    "  --raw          point décimal, 9 chiffres significatifs, en-têtes bruts\n"
    "  --becher F=C   un soluté du bécher et sa concentration en mol/L, de 1E-06 à 0,1\n"
    "                 (répétable, trois au plus) : HCl, CH3COOH, H3PO4, H2SO4, NaCl,\n"
    "                 KCl, Na2SO4, NH4Cl, NH3, CH3COONa, NaOH ; le tableau donne alors\n"
    "                 V, sigma, pH, la concentration de chaque espèce (mol/L) et la\n"
    "                 quantité de chaque précipité (mol), calculés exactement\n"
    "  --burette F=C  avec --becher : la solution de la burette, NaOH, HCl, AgNO3,\n"
    "                 BaCl2 ou Ba(OH)2 (défaut NaOH=0,01) ; un mélange que le calcul\n"
    "                 ne traite pas est refusé (état de sortie 2) ; --bruit s'y\n"
    "                 applique comme à un couple\n"
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
    bool droites = false;
    bool brut = false;
    std::optional<std::uint64_t> bruit; // --bruit GRAINE
    bool ions = false;
    bool reel = false;              // --reel: real solutions
    double temperature = 25;        // --temperature T, °C
    std::string mesures;            // a class's measurements (--mesures)
    std::optional<SigmaUnit> unite; // their sigma unit (--unite)
    bool csv = false;
    bool ph = false; // --ph: the pH-meter's column in the CSV
    bool raw = false;
    bool help = false;
    // A mixture: --becher FORMULE=c (up to three) and --burette FORMULE=c.
    std::vector<std::pair<std::string, double>> becher;
    std::optional<std::pair<std::string, double>> burette;
    std::vector<std::string> singleCoupleOptions; // given, and meaningless for a mixture
};

struct MixtureFormula {
    const char* formula;
    MixSoluteKind kind;
    int position; // catalogue entries
};

constexpr MixtureFormula kBeakerFormulas[] = {
    {"HCl", MixSoluteKind::CatalogueAcid, 2},    {"CH3COOH", MixSoluteKind::CatalogueAcid, 4},
    {"H3PO4", MixSoluteKind::PhosphoricAcid, 0}, {"H2SO4", MixSoluteKind::SulfuricAcid, 0},
    {"NaCl", MixSoluteKind::SodiumChloride, 0},  {"KCl", MixSoluteKind::PotassiumChloride, 0},
    {"Na2SO4", MixSoluteKind::SodiumSulfate, 0}, {"NH4Cl", MixSoluteKind::CatalogueAcid, 9},
    {"NH3", MixSoluteKind::CatalogueBase, 1},    {"CH3COONa", MixSoluteKind::CatalogueBase, 6},
    {"NaOH", MixSoluteKind::CatalogueBase, 8},
};

constexpr std::pair<const char*, MixTitrant> kBuretteFormulas[] = {
    {"NaOH", MixTitrant::SodiumHydroxide},    {"HCl", MixTitrant::HydrochloricAcid},
    {"AgNO3", MixTitrant::SilverNitrate},     {"BaCl2", MixTitrant::BariumChloride},
    {"Ba(OH)2", MixTitrant::BariumHydroxide},
};

// The range over which the mixture engine is checked.
constexpr double kMixtureCmin = 1e-6;
constexpr double kMixtureCmax = 0.1;

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
        // FORMULE=c, the formula among `known`, c a number within the engine's range.
        auto formulaValue = [&](const std::vector<std::string>& known,
                                std::pair<std::string, double>& into) -> std::optional<UsageError> {
            std::string text;
            if (auto e = value(text)) return e;
            const size_t eq = text.find('=');
            if (eq == std::string::npos)
                return UsageError{a + " attend FORMULE=concentration (reçu « " + text + " »)."};
            into.first = text.substr(0, eq);
            const std::string c = text.substr(eq + 1);
            if (std::find(known.begin(), known.end(), into.first) == known.end()) {
                std::string list;
                for (const std::string& f : known)
                    list += (list.empty() ? "" : ", ") + f;
                return UsageError{"« " + into.first + " » n'est pas une formule connue pour " + a +
                                  " (" + list + ")."};
            }
            const auto n = parseNumber(c);
            if (!n) return UsageError{"« " + c + " » n'est pas un nombre (option " + a + ")."};
            if (!(*n >= kMixtureCmin && *n <= kMixtureCmax))
                return UsageError{"la concentration de " + into.first +
                                  " doit être comprise entre 1E-06 et 0,1 mol/L (reçu « " + c +
                                  " »)."};
            into.second = *n;
            return std::nullopt;
        };
        static const std::vector<std::string> kBeakerList = [] {
            std::vector<std::string> l;
            for (const auto& f : kBeakerFormulas)
                l.emplace_back(f.formula);
            return l;
        }();
        static const std::vector<std::string> kBuretteList = [] {
            std::vector<std::string> l;
            for (const auto& f : kBuretteFormulas)
                l.emplace_back(f.first);
            return l;
        }();
        if (a == "--base" || a == "--solute" || a == "--pka" || a == "--c" || a == "--cb" ||
            a == "--curve" || a == "--ions" || a == "--csv" || a == "--brut" || a == "--reel" ||
            a == "--temperature")
            o.singleCoupleOptions.push_back(a);
        std::optional<UsageError> e;
        if (a == "--becher") {
            std::pair<std::string, double> f;
            e = formulaValue(kBeakerList, f);
            if (!e && o.becher.size() == kMaxMixSolutes)
                e = UsageError{"le bécher contient au plus trois solutés (--becher)."};
            if (!e) o.becher.push_back(f);
        } else if (a == "--burette") {
            std::pair<std::string, double> f;
            e = formulaValue(kBuretteList, f);
            if (!e && o.burette) e = UsageError{"--burette ne s'emploie qu'une fois."};
            if (!e) o.burette = f;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--base") {
            o.acide = false;
        } else if (a == "--curve") {
            o.curve = true;
        } else if (a == "--droites") {
            o.droites = true;
        } else if (a == "--brut") {
            o.brut = true;
        } else if (a == "--bruit") {
            std::string text;
            e = value(text);
            if (!e) o.bruit = parseSeed(text);
            if (!e && !o.bruit)
                e = UsageError{"la graine de --bruit est un entier positif (reçu « " + text +
                               " »)."};
        } else if (a == "--ions") {
            o.ions = true;
        } else if (a == "--reel") {
            o.reel = true;
        } else if (a == "--temperature") {
            e = number(o.temperature);
            // The laws and their constants are checked from 15 to 30 °C only.
            if (!e && !(o.temperature >= kMinTemperature && o.temperature <= kMaxTemperature))
                e = UsageError{"la température doit être comprise entre 15 et 30 °C (reçu « " +
                               args[i] + " »)."};
        } else if (a == "--csv") {
            o.csv = true;
        } else if (a == "--ph") {
            o.ph = true;
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
        } else if (a == "--mesures") {
            e = value(o.mesures);
        } else if (a == "--unite") {
            std::string name;
            e = value(name);
            if (!e && !(o.unite = sigmaUnitNamed(name)))
                e = UsageError{"« " + name +
                               " » n'est pas une unité de sigma (S/m, mS/m, mS/cm ou "
                               "µS/cm)."};
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
    if (int(o.curve) + int(o.droites) + int(o.csv) + int(o.ions) > 1)
        return UsageError{"--curve, --droites, --csv et --ions s'emploient chacune seule."};
    if (o.burette && o.becher.empty())
        return UsageError{"--burette ne s'emploie qu'avec --becher."};
    if (!o.becher.empty()) {
        if (!o.singleCoupleOptions.empty())
            return UsageError{o.singleCoupleOptions.front() +
                              " ne s'emploie pas avec --becher (le bécher est décrit par "
                              "--becher, la burette par --burette)."};
    }
    if (o.brut && !o.droites) return UsageError{"--brut ne s'emploie qu'avec --droites."};
    if (o.ph && !o.csv)
        return UsageError{
            "--ph ne s'emploie qu'avec --csv (les autres tableaux donnent déjà le pH)."};
    if (o.unite && o.mesures.empty()) return UsageError{"--unite ne s'emploie qu'avec --mesures."};
    if (!o.mesures.empty() && (o.curve || o.csv || o.ions || !o.at.empty() || !o.becher.empty()))
        return UsageError{"--mesures s'emploie seule ou avec --droites (et --brut, --raw)."};
    if (!o.mesures.empty() && o.bruit)
        return UsageError{"--bruit ne s'emploie pas avec --mesures : les mesures du fichier ont "
                          "leur propre dispersion."};
    if (o.bruit && o.curve)
        return UsageError{
            "--bruit ne s'emploie pas avec --curve : la courbe théorique reste exacte."};
    return std::nullopt;
}

struct Box {
    const char* what; // "La concentration du bécher"
    const char* unit; // " mol/L"
    bool feminine = false;
};

// Reports on `err` how the bench corrected a typed value, if it did.
void note(const ValidatedEntry& v, const std::string& text, const Box& box, std::ostream& err)
{
    const double typed = parseNumber(text).value_or(0.0);
    const char* participle = box.feminine ? " corrigée à " : " corrigé à ";
    if (v.notice)
        err << "Note : " << v.notice->text << " " << box.what << participle << v.text << box.unit
            << ".\n";
    else if (std::fabs(typed - v.value) > 1e-12 * std::max(1.0, std::fabs(typed)))
        err << "Note : " << box.what << participle << v.text << box.unit << ".\n";
}

// Validates one box as the bench does and reports a correction on `err`.
std::string corrected(int box, const std::string& text, const std::string& vsol,
                      const std::string& veau, const Box& what, std::ostream& err)
{
    const ValidatedEntry v = validateEntry(box, text, vsol, veau);
    note(v, text, what, err);
    return v.text;
}

// The two volumes of the beaker, entered as a student enters them on the
// bench, where the boxes start at 20,0 and 0,0 mL and each is corrected
// against what the other box shows: the solution first, then the water; and
// when the solution was pushed to its bounds by the water box's old value,
// the solution again, against the water now shown.
std::pair<std::string, std::string> beakerVolumes(const std::string& vsolTyped,
                                                  const std::string& veauTyped, std::ostream& err)
{
    const Box solution{"Le volume de solution", " mL"};
    const Box water{"Le volume d'eau", " mL"};
    ValidatedEntry vsol = validateEntry(BoxVsol, vsolTyped, vsolTyped, "0,0");
    const ValidatedEntry veau = validateEntry(BoxWater, veauTyped, vsol.text, veauTyped);
    if (vsol.notice) vsol = validateEntry(BoxVsol, vsolTyped, vsolTyped, veau.text);
    note(vsol, vsolTyped, solution, err);
    note(veau, veauTyped, water, err);
    return {vsol.text, veau.text};
}

// "H₃O⁺" as "H3O+", for headers that scripts read.
std::string asciiIon(const std::string& name)
{
    static const std::pair<const char*, const char*> kMap[] = {
        {"₀", "0"}, {"₁", "1"}, {"₂", "2"}, {"₃", "3"}, {"₄", "4"}, {"₅", "5"},
        {"₆", "6"}, {"₇", "7"}, {"₈", "8"}, {"₉", "9"}, {"⁺", "+"}, {"⁻", "-"}};
    std::string s = name;
    for (const auto& [from, to] : kMap)
        for (size_t p; (p = s.find(from)) != std::string::npos;)
            s.replace(p, std::string(from).size(), to);
    return s;
}

std::string raw(double x)
{
    char buf[64];
    writeGeneral(x, 9, buf);
    return buf;
}

// The step control holds 1 to 10 tenths of a millilitre; the value is
// brought into that range before it is rounded, so that a huge step is the
// largest one, not an overflow.
int correctedStep(double step, std::ostream& err)
{
    const int stepTenths =
        static_cast<int>(std::lround(std::clamp(std::isnan(step) ? 0.0 : step * 10, 1.0, 10.0)));
    if (std::fabs(step * 10 - stepTenths) > 1e-9) {
        err << "Note : le volume entre deux mesures est corrigé à "
            << formatNumber(stepTenths / 10.0, "#0.0") << " mL.\n";
    }
    return stepTenths;
}

// A volume given by --at, as the poured-volume box corrects it.
ValidatedEntry pouredVolume(double typed, const std::string& vsol, const std::string& veau,
                            std::ostream& err)
{
    const ValidatedEntry v =
        validateEntry(BoxPoured, formatNumber(typed, "#0.0##########"), vsol, veau);
    if (v.notice)
        err << "Note : " << v.notice->text << " Volume versé corrigé à " << v.text << " mL.\n";
    else if (typed < 0)
        err << "Note : Volume versé corrigé à " << v.text << " mL.\n";
    return v;
}

// A beaker of up to three solutes by the exact mixture engine: one row per
// volume, every species that can be present and every possible precipitate.
// The whole table is computed before anything is printed, so that a point
// the engine refuses leaves stdout empty.
int runMixture(const Options& o, std::ostream& out, std::ostream& err)
{
    const auto [vsol, veau] = beakerVolumes(o.vsol, o.veau, err);
    Mixture m;
    for (const auto& [formula, c] : o.becher)
        for (const MixtureFormula& f : kBeakerFormulas)
            if (formula == f.formula) m.solutes[m.soluteCount++] = {f.kind, f.position, 7, c};
    const auto burette = o.burette.value_or(std::pair<std::string, double>{"NaOH", 0.01});
    for (const auto& [formula, titrant] : kBuretteFormulas)
        if (burette.first == formula) m.titrant = titrant;
    m.ctitrant = burette.second;
    m.vsol = parseNumber(vsol).value_or(20);
    m.veau = parseNumber(veau).value_or(0);
    if (const auto refusal = mixtureRefusal(m)) {
        err << "titrage-table : " << *refusal << "\n";
        return 2;
    }

    const int stepTenths = correctedStep(o.step, err);
    std::vector<double> volumes;
    if (o.at.empty()) {
        for (int tenths = 0; tenths <= 250; tenths += stepTenths)
            volumes.push_back(tenths / 10.0);
    } else {
        for (const double typed : o.at)
            volumes.push_back(pouredVolume(typed, vsol, veau, err).value);
    }

    Model catalogue;
    initcatalogue(catalogue);
    const MixtureEngine engine(m, catalogue);
    std::vector<MixPoint> points(volumes.size());
    for (size_t i = 0; i < volumes.size(); ++i) {
        const MixStatus status = engine.solve(volumes[i], points[i], i ? points[i - 1].h : 0);
        if (status != MixStatus::Ok) {
            err << "titrage-table : " << mixStatusMessage(status, volumes[i]) << "\n";
            return 2;
        }
    }
    // A realistic series: each point's sigma is the conductimeter's reading
    // of the volume delivered, the rest of the row the engine's at the volume
    // read, as on a single couple.
    if (o.bruit) {
        const ScatterSeries series(*o.bruit);
        for (MixPoint& p : points) {
            const MixStatus status = realisticMixtureSigma(engine, p.v, series, p.sigma);
            if (status != MixStatus::Ok) {
                err << "titrage-table : " << mixStatusMessage(status, series.deliveredVolume(p.v))
                    << "\n";
                return 2;
            }
        }
    }

    std::ostringstream body;
    if (o.droites) {
        // A mixture breaks at each of its equivalences: one line per stretch.
        std::vector<FitPoint> fitPoints;
        for (const MixPoint& p : points)
            fitPoints.push_back({p.v, p.sigma});
        BrokenLineOptions fit;
        fit.correctDilution = !o.brut;
        fit.v0 = m.vsol + m.veau;
        fit.measured = o.bruit.has_value();
        const BrokenLines t = fitBrokenLines(fitPoints, fit);
        if (!t.found()) {
            err << "titrage-table : " << breakFailureMessage(t.failure) << "\n";
            return 3;
        }
        out << linesReport(t, {o.raw, o.brut, o.bruit.has_value()});
        return 0;
    }
    body << (o.raw ? "V\tsigma\tpH" : "V (mL)\tσ (S·m-1)\tpH");
    for (int s = 0; s < kMixSpecies; ++s)
        if (engine.hasSpecies(s))
            body << '\t'
                 << (o.raw ? std::string(speciesInfo(s).formula)
                           : "[" + std::string(speciesInfo(s).formula) + "] (mol·L-1)");
    for (int k = 0; k < kMixSolids; ++k)
        if (engine.hasSolid(k)) body << '\t' << solidFormula(k) << (o.raw ? "" : " (mol)");
    body << '\n';
    for (const MixPoint& p : points) {
        if (o.raw)
            body << raw(p.v) << '\t' << raw(p.sigma) << '\t' << raw(p.ph);
        else
            body << formatNumber(p.v, "#0.0#") << '\t'
                 << conductimeterText(static_cast<float>(p.sigma)) << '\t'
                 << formatNumber(p.ph, "#0.00");
        for (int s = 0; s < kMixSpecies; ++s)
            if (engine.hasSpecies(s))
                body << '\t' << (o.raw ? raw(p.c[s]) : formatNumber(p.c[s], "0.00E+00"));
        for (int k = 0; k < kMixSolids; ++k)
            if (engine.hasSolid(k))
                body << '\t' << (o.raw ? raw(p.solid[k]) : formatNumber(p.solid[k], "0.00E+00"));
        body << '\n';
    }
    out << body.str();
    return 0;
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
    if (!o.becher.empty()) return runMixture(o, out, err);

    // The boxes, corrected in the order a student would validate them.
    const std::string c = corrected(BoxConcentration, o.c, o.vsol, o.veau,
                                    {"La concentration du bécher", " mol/L", true}, err);
    const std::string cb = corrected(BoxBurette, o.cb, o.vsol, o.veau,
                                     {"La concentration de la burette", " mol/L", true}, err);
    const auto [vsol, veau] = beakerVolumes(o.vsol, o.veau, err);
    const std::string pka = corrected(BoxPka, o.pka, vsol, veau, {"Le pKa", ""}, err);
    if (o.pkaGiven && o.position != kOtherPosition)
        err << "Note : --pka ne concerne que le soluté de la position 14 ; il est ignoré.\n";
    const int stepTenths = correctedStep(o.step, err);

    Model model;
    initcatalogue(model);
    chpk(model, o.acide, o.position, pka);
    model.conditions = {o.reel, o.temperature};

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

    std::optional<std::vector<FitPoint>> measures;
    if (!o.mesures.empty()) {
        measures = readMeasures(o.mesures, o.unite.value_or(SigmaUnit::FromHeader), err);
        if (!measures) return 2;
        if (!o.droites) {
            printMeasures(*measures, model, entries, o.raw, out);
            return 0;
        }
    }

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
            const ValidatedEntry v = pouredVolume(typed, vsol, veau, err);
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

    if (o.bruit) scatterRows(model, inputs, rows, ScatterSeries(*o.bruit));

    if (o.droites) {
        std::vector<FitPoint> points;
        for (const TableRow& row : rows)
            points.push_back({row.v, row.sigma});
        if (measures) points = *measures;
        BrokenLineOptions fit;
        fit.correctDilution = !o.brut;
        fit.v0 = parseNumber(vsol).value_or(0) + parseNumber(veau).value_or(0);
        fit.measured = o.bruit.has_value() || measures.has_value();
        // One acid or base, one equivalence; a class's measurements may hold more.
        if (!measures) fit.maxBreaks = 1;
        const BrokenLines t = fitBrokenLines(points, fit);
        if (!t.found()) {
            err << "titrage-table : " << breakFailureMessage(t.failure) << "\n";
            return 3;
        }
        body << linesReport(t, {o.raw, o.brut, o.bruit.has_value()});
        out << body.str();
        return 0;
    }
    if (o.ions) {
        // The terms of each row's sigma, recomputed at the row's pH and volume.
        std::vector<std::vector<IonShare>> shares;
        std::array<bool, kIonSlots> present{};
        for (const TableRow& row : rows) {
            computeSigma(model, inputs, row.ph, row.v);
            shares.push_back(ionShares(model));
            for (const IonShare& s : shares.back())
                present[s.slot] = true;
        }
        body << (o.raw ? "V" : "V (mL)");
        for (int i = 1; i < kIonSlots; ++i)
            if (present[i])
                body << '\t' << (o.raw ? asciiIon(ionName(i)) : std::string(ionName(i)))
                     << (o.raw ? "" : " (S·m-1)");
        body << '\n';
        for (size_t r = 0; r < rows.size(); ++r) {
            body << (o.raw ? raw(rows[r].v) : formatNumber(rows[r].v, "#0.0#"));
            for (int i = 1; i < kIonSlots; ++i) {
                if (!present[i]) continue;
                double term = 0;
                for (const IonShare& s : shares[r])
                    if (s.slot == i) term = s.sigma;
                body << '\t' << (o.raw ? raw(term) : formatNumber(term, "0.00E+00"));
            }
            body << '\n';
        }
        out << body.str();
        return 0;
    }
    if (o.csv) {
        ExportSituation s;
        s.acide = o.acide;
        s.solute = solutenames(model, o.acide)[o.position];
        s.concentration = c;
        s.vsol = vsol;
        s.veau = veau;
        s.cburette = cb;
        std::vector<std::vector<std::string>> cells;
        for (const TableRow& row : rows)
            cells.push_back(formatRow(row, columns, o.ph));
        out << csvTable(exportParameters(s), columnNames(columns, o.ph), cells);
        return 0;
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
