#include "model/tableexport.h"

namespace titrage {

namespace {

std::string csvCell(const std::string& cell)
{
    if (cell.find_first_of(";\"\r\n") == std::string::npos) return cell;
    std::string quoted = "\"";
    for (char c : cell) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

void appendLine(std::string& out, const std::vector<std::string>& cells)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i) out += ';';
        out += csvCell(cells[i]);
    }
    out += "\r\n";
}

} // namespace

std::vector<std::string> columnNames(int columns, bool phColumn)
{
    std::vector<std::string> names = {"V (mL)", "σ (S·m⁻¹)", "[H₃O⁺] (mol·L⁻¹)", "[HO⁻] (mol·L⁻¹)"};
    if (columns > 4) {
        names.push_back("[acide] (mol·L⁻¹)");
        names.push_back("[base] (mol·L⁻¹)");
    }
    if (phColumn) names.push_back("pH");
    return names;
}

std::vector<ParameterLine> exportParameters(const ExportSituation& s)
{
    std::vector<ParameterLine> lines;
    if (s.number > 0) lines.push_back({"Situation n°", std::to_string(s.number)});
    lines.push_back({"Solution dans le bécher", s.solute});
    lines.push_back({"Concentration de la solution (mol·L⁻¹)",
                     s.masked ? std::string("masquée") : s.concentration});
    lines.push_back({"Volume de solution (mL)", s.vsol});
    lines.push_back({"Volume d'eau ajoutée (mL)", s.veau});
    lines.push_back(
        {"Solution dans la burette", s.acide ? "hydroxyde de sodium" : "acide chlorhydrique"});
    lines.push_back({"Concentration de la burette (mol·L⁻¹)", s.cburette});
    return lines;
}

std::string csvTable(const std::vector<ParameterLine>& parameters,
                     const std::vector<std::string>& header,
                     const std::vector<std::vector<std::string>>& rows)
{
    std::string out = "\xEF\xBB\xBF";
    for (const ParameterLine& p : parameters)
        appendLine(out, {p.first, p.second});
    if (!parameters.empty()) out += "\r\n";
    appendLine(out, header);
    for (const auto& row : rows)
        appendLine(out, row);
    return out;
}

std::vector<std::string> pythonColumnNames(int columns, bool phColumn)
{
    std::vector<std::string> names = {"V (mL)", "sigma (S/m)", "[H3O+] (mol/L)", "[HO-] (mol/L)"};
    if (columns > 4) {
        names.push_back("[acide] (mol/L)");
        names.push_back("[base] (mol/L)");
    }
    if (phColumn) names.push_back("pH");
    return names;
}

std::string pythonTable(const std::vector<ParameterLine>& parameters,
                        const std::vector<std::string>& header,
                        const std::vector<std::vector<std::string>>& rows)
{
    // A line end or a tab inside a text would break the line structure.
    auto flat = [](std::string s) {
        for (char& c : s)
            if (c == '\r' || c == '\n' || c == '\t') c = ' ';
        return s;
    };
    std::string out;
    for (size_t i = 0; i < header.size(); ++i)
        out += (i ? "\t" : "") + flat(header[i]);
    out += "\r\n";
    for (const ParameterLine& p : parameters)
        out += "# " + flat(p.first) + " : " + flat(p.second) + "\r\n";
    for (const auto& row : rows) {
        for (size_t i = 0; i < header.size(); ++i) {
            if (i) out += '\t';
            std::string cell;
            if (i < row.size())
                for (char c : row[i])
                    if (c != ' ') cell += c == ',' ? '.' : c;
            out += cell.empty() ? std::string("nan") : cell;
        }
        out += "\r\n";
    }
    return out;
}

} // namespace titrage
