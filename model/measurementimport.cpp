#include "model/measurementimport.h"

#include "platform/core/decimaltext.h"
#include "platform/core/numberformat.h"

#include <algorithm>
#include <fstream>

namespace titrage {

namespace {

enum class Separator { Tab, Semicolon, Comma, Spaces };

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view lineTrimmed(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The separator of a line: a tab or ";" wherever one is; "," when the numbers
// use the decimal point ("12.5,0.013") or the line has no space; else spaces
// (a hand-typed "12,5  0,013").
Separator separatorOf(std::string_view line)
{
    if (line.find('\t') != std::string_view::npos) return Separator::Tab;
    if (line.find(';') != std::string_view::npos) return Separator::Semicolon;
    if (line.find(',') != std::string_view::npos &&
        (line.find('.') != std::string_view::npos || line.find(' ') == std::string_view::npos))
        return Separator::Comma;
    return Separator::Spaces;
}

// A measurement has a few columns (a logger adds the time, the pH...): the
// cells past these are never read, and a hostile line of millions of them is
// not split.
constexpr size_t kMaxCells = 64;

// The cells of a line, each trimmed and unquoted; empty cells at the end (a
// spreadsheet's "12,5;1,3;;") dropped.
void splitCells(std::string_view line, Separator sep, std::vector<std::string_view>& cells)
{
    cells.clear();
    if (sep == Separator::Spaces) {
        size_t i = 0;
        while (i < line.size() && cells.size() < kMaxCells) {
            while (i < line.size() && isBlank(line[i]))
                ++i;
            const size_t start = i;
            while (i < line.size() && !isBlank(line[i]))
                ++i;
            if (i > start) cells.push_back(line.substr(start, i - start));
        }
        return;
    }
    const char c = sep == Separator::Tab ? '\t' : sep == Separator::Semicolon ? ';' : ',';
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(c, start);
        std::string_view cell =
            lineTrimmed(line.substr(start, end == line.npos ? line.npos : end - start));
        if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"')
            cell = lineTrimmed(cell.substr(1, cell.size() - 2));
        cells.push_back(cell);
        if (end == line.npos || cells.size() == kMaxCells) break;
        start = end + 1;
    }
    while (!cells.empty() && cells.back().empty())
        cells.pop_back();
}

// A number in the whole cell, the decimal comma allowed unless "," separates
// the cells. No "inf", "nan", nor a value beyond a double.
std::optional<double> cellNumber(std::string_view cell, bool decimalComma)
{
    if (cell.empty() || cell.size() > 40) return std::nullopt;
    char buf[41];
    for (size_t i = 0; i < cell.size(); ++i)
        buf[i] = decimalComma && cell[i] == ',' ? '.' : cell[i];
    const std::string_view text(buf, cell.size());
    const auto d = readDecimal(text);
    if (!d || d->length != text.size() || d->range == DecimalRange::Overflow) return std::nullopt;
    return d->value;
}

// A line as a message quotes it: at most 40 characters, bytes that are not
// text shown as "?".
std::string quoted(std::string_view line)
{
    std::string out;
    int shown = 0;
    size_t i = 0;
    while (i < line.size() && shown < 40) {
        const auto b = static_cast<unsigned char>(line[i]);
        size_t n = b < 0x80           ? 1
                   : (b >> 5) == 0x6  ? 2
                   : (b >> 4) == 0xE  ? 3
                   : (b >> 3) == 0x1E ? 4
                                      : 0;
        bool valid = n > 0 && i + n <= line.size();
        for (size_t k = 1; valid && k < n; ++k)
            valid = (static_cast<unsigned char>(line[i + k]) & 0xC0) == 0x80;
        if (!valid || (n == 1 && (b < 0x20 || b == 0x7F))) {
            out += b == '\t' ? ' ' : '?';
            i += 1;
        } else {
            out.append(line.substr(i, n));
            i += n;
        }
        ++shown;
    }
    if (i < line.size()) out += "…";
    return out;
}

std::string lineMessage(int line, const std::string& what)
{
    return "Ligne " + std::to_string(line) + " : " + what;
}

std::string asciiLower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

void replaceAll(std::string& s, std::string_view from, std::string_view to)
{
    for (size_t p = 0; (p = s.find(from, p)) != std::string::npos; p += to.size())
        s.replace(p, from.size(), to);
}

bool namesVolume(std::string_view cell)
{
    const std::string s = asciiLower(lineTrimmed(cell));
    return !s.empty() && s[0] == 'v';
}

bool namesSigma(std::string_view cell)
{
    const std::string s = asciiLower(lineTrimmed(cell));
    return s.find("σ") != std::string::npos || s.rfind("sigma", 0) == 0 ||
           s.rfind("cond", 0) == 0 || unitInHeader(cell).has_value();
}

} // namespace

double siemensPerMetre(SigmaUnit unit)
{
    switch (unit) {
    case SigmaUnit::MilliSiemensPerMetre:
        return 1e-3;
    case SigmaUnit::MilliSiemensPerCentimetre:
        return 0.1;
    case SigmaUnit::MicroSiemensPerCentimetre:
        return 1e-4;
    case SigmaUnit::SiemensPerMetre:
    case SigmaUnit::FromHeader:
        break;
    }
    return 1;
}

const char* sigmaUnitName(SigmaUnit unit)
{
    switch (unit) {
    case SigmaUnit::SiemensPerMetre:
        return "S/m";
    case SigmaUnit::MilliSiemensPerMetre:
        return "mS/m";
    case SigmaUnit::MilliSiemensPerCentimetre:
        return "mS/cm";
    case SigmaUnit::MicroSiemensPerCentimetre:
        return "µS/cm";
    case SigmaUnit::FromHeader:
        break;
    }
    return "";
}

std::optional<SigmaUnit> unitInHeader(std::string_view cell)
{
    // "mS/cm", "mS.cm-1", "mS·cm⁻¹", "mS cm^-1" all become "ms/cm".
    std::string s = asciiLower(cell);
    replaceAll(s, "µ", "u");    // micro sign
    replaceAll(s, "μ", "u");    // Greek mu
    replaceAll(s, "\xB5", "u"); // the micro sign of a Windows-1252 file
    replaceAll(s, "·", "/");
    replaceAll(s, "⁻¹", "");
    replaceAll(s, "^-1", "");
    replaceAll(s, "-1", "");
    std::replace(s.begin(), s.end(), '.', '/');
    std::replace(s.begin(), s.end(), '*', '/');
    s.erase(std::remove(s.begin(), s.end(), ' '), s.end());
    // Longest names first: "s/m" is inside "ms/m".
    constexpr std::pair<const char*, SigmaUnit> kNames[] = {
        {"us/cm", SigmaUnit::MicroSiemensPerCentimetre},
        {"ms/cm", SigmaUnit::MilliSiemensPerCentimetre},
        {"ms/m", SigmaUnit::MilliSiemensPerMetre},
        {"s/m", SigmaUnit::SiemensPerMetre},
    };
    for (const auto& [name, unit] : kNames)
        if (s.find(name) != std::string::npos) return unit;
    return std::nullopt;
}

MeasurementImport importMeasurements(std::string_view text, SigmaUnit unit)
{
    MeasurementImport result;
    auto fail = [&result](std::string message) {
        result.points.clear();
        result.error = std::move(message);
        return result;
    };
    if (text.size() > kMaxImportBytes)
        return fail("Le fichier dépasse 4 Mo : ce n'est pas un tableau de mesures.");
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

    bool started = false;
    Separator sep = Separator::Semicolon;
    size_t vColumn = 0, sColumn = 1;
    double scale = 1;
    std::string_view header;
    int preamble = 0;
    std::vector<std::string_view> cells, headerCells;

    int lineNumber = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == text.npos) end = text.size();
        const std::string_view raw = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        // "\n", "\r\n" or a lone "\r" ends the line.
        if (pos < text.size() && text[pos] == '\n' && (pos == end || text[pos - 1] == '\r')) ++pos;
        ++lineNumber;
        const std::string_view line = lineTrimmed(raw);
        if (line.empty() || line.front() == '#') continue;

        if (!started) {
            const Separator s = separatorOf(line);
            splitCells(line, s, cells);
            const bool comma = s != Separator::Comma;
            if (cells.size() < 2 || !cellNumber(cells[0], comma) || !cellNumber(cells[1], comma)) {
                // A title or the header above the table.
                if (++preamble > kMaxPreambleLines)
                    return fail("Aucune mesure dans les " + std::to_string(kMaxPreambleLines) +
                                " premières lignes : ce fichier n'est pas un tableau de mesures "
                                "(le volume versé en mL puis σ sur chaque ligne).");
                header = line;
                continue;
            }
            started = true;
            sep = s;
            result.firstLine = lineNumber;
            // The header names the columns when it has as many cells as the
            // data (a logger may put the time first).
            std::string_view sigmaName = header;
            splitCells(header, sep, headerCells);
            if (!header.empty() && headerCells.size() == cells.size()) {
                const auto v = std::find_if(headerCells.begin(), headerCells.end(), namesVolume);
                vColumn = v == headerCells.end() ? 0 : size_t(v - headerCells.begin());
                sColumn = vColumn == 0 ? 1 : 0;
                for (size_t i = 0; i < headerCells.size(); ++i)
                    if (i != vColumn && namesSigma(headerCells[i])) {
                        sColumn = i;
                        break;
                    }
                sigmaName = headerCells[sColumn];
            }
            result.unit = unit;
            if (unit == SigmaUnit::FromHeader) {
                const std::optional<SigmaUnit> named = unitInHeader(sigmaName);
                if (!named)
                    return fail("L'en-tête n'indique pas l'unité de σ : choisissez-la (S/m, mS/m, "
                                "mS/cm ou µS/cm).");
                result.unit = *named;
            }
            scale = siemensPerMetre(result.unit);
        } else {
            splitCells(line, sep, cells);
        }

        const bool comma = sep != Separator::Comma;
        const size_t needed = std::max(vColumn, sColumn) + 1;
        const std::optional<double> v =
            cells.size() >= needed ? cellNumber(cells[vColumn], comma) : std::nullopt;
        const std::optional<double> sigma =
            cells.size() >= needed ? cellNumber(cells[sColumn], comma) : std::nullopt;
        if (!v || !sigma)
            return fail(lineMessage(lineNumber, "« " + quoted(line) +
                                                    " » n'est pas une mesure (deux nombres "
                                                    "attendus : le volume versé puis σ)."));
        if (*v < 0)
            return fail(lineMessage(lineNumber,
                                    "le volume versé " + generalFormat(*v) + " mL est négatif."));
        if (*v > kMaxImportVolume)
            return fail(lineMessage(lineNumber, "le volume versé " + generalFormat(*v) +
                                                    " mL dépasse 1000 mL."));
        if (*sigma < 0)
            return fail(lineMessage(lineNumber, "σ = " + generalFormat(*sigma) + " " +
                                                    sigmaUnitName(result.unit) + " est négative."));
        const double si = *sigma * scale;
        if (si > kMaxImportSigma)
            return fail(lineMessage(lineNumber, "σ = " + generalFormat(*sigma) + " " +
                                                    sigmaUnitName(result.unit) +
                                                    " dépasse 100 S/m, ce qu'aucune solution "
                                                    "n'atteint : vérifiez l'unité de σ."));
        if (result.points.size() == kMaxImportPoints)
            return fail(lineMessage(lineNumber, "plus de " + std::to_string(kMaxImportPoints) +
                                                    " mesures : ce n'est pas le tableau d'une "
                                                    "classe."));
        result.points.push_back({*v, si});
    }
    if (result.points.empty())
        return fail("Aucune mesure trouvée : chaque ligne doit donner le volume versé (mL) puis "
                    "σ, séparés par « ; », une tabulation ou des espaces.");
    std::stable_sort(result.points.begin(), result.points.end(),
                     [](const ImportedMeasurement& a, const ImportedMeasurement& b) {
                         return a.volume < b.volume;
                     });
    return result;
}

std::vector<MeasuredSlope> measuredSlopes(const std::vector<ImportedMeasurement>& points)
{
    std::vector<MeasuredSlope> slopes;
    for (size_t i = 1; i < points.size(); ++i) {
        const double dv = points[i].volume - points[i - 1].volume;
        if (!(dv > 0)) continue;
        slopes.push_back({(points[i].volume + points[i - 1].volume) / 2,
                          (points[i].sigma - points[i - 1].sigma) / dv});
    }
    return slopes;
}

MeasurementImport importMeasurementFile(const std::string& path, SigmaUnit unit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        MeasurementImport r;
        r.error = "Le fichier « " + quoted(path) + " » ne peut pas être lu.";
        return r;
    }
    // One byte past the limit is enough to know the file is too large.
    std::string text(kMaxImportBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    return importMeasurements(text, unit);
}

} // namespace titrage
