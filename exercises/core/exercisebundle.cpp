#include "exercises/core/exercisebundle.h"

#include "config/core/configfile.h"
#include "exercises/core/exercisefile.h"
#include "exercises/core/richtext.h"
#include "platform/core/recordfile.h"
#include "platform/core/safesave.h"

#include <filesystem>
#include <system_error>

namespace titrage {

namespace {

namespace fs = std::filesystem;

bool nameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// True when the UTF-8 text fits one record once in Windows-1252, every
// character representable.
bool fitsRecord(const std::string& text)
{
    const std::string bytes = utf8ToCp1252(text);
    return bytes.size() <= kRecordTextMax && cp1252ToUtf8(bytes) == text;
}

std::string pathIn(const std::string& folder, const std::string& name)
{
    return (fs::path(folder) / name).string();
}

ExerciseFile recordsOf(const ExerciseDraft& d)
{
    ExerciseFile file;
    auto set = [&file](int number, std::string text) {
        file.records[static_cast<std::size_t>(number - 1)] = std::move(text);
    };
    set(1, d.name + ".RTF");
    if (d.statementConfig) set(2, d.name + kConfigExtension);
    if (d.correctionRtf) set(3, d.name + "C.RTF");
    if (d.correctionConfig) set(4, d.name + "C" + kConfigExtension);
    set(5, std::to_string(d.difficulty));
    for (std::size_t i = 0; i < d.notions.size(); ++i)
        set(7 + static_cast<int>(i), d.notions[i]);
    set(11, d.title);
    set(12, std::to_string(d.hourglasses));
    return file;
}

} // namespace

std::vector<std::string> bundleFileNames(const ExerciseDraft& d)
{
    std::vector<std::string> names{d.name + ".RTF"};
    if (d.statementConfig) names.push_back(d.name + kConfigExtension);
    if (d.correctionRtf) names.push_back(d.name + "C.RTF");
    if (d.correctionConfig) names.push_back(d.name + "C" + kConfigExtension);
    names.push_back(d.name + ".E42");
    return names;
}

std::optional<std::string> draftProblem(const ExerciseDraft& d)
{
    if (d.name.empty() || d.name.size() > static_cast<std::size_t>(kMaxExerciseNameLength))
        return "Le nom du fichier doit avoir de 1 à " + std::to_string(kMaxExerciseNameLength) +
               " caractères.";
    for (char c : d.name)
        if (!nameCharacter(c))
            return "Le nom du fichier ne peut contenir que des lettres sans accent, des chiffres, "
                   "« - » et « _ ».";
    if (!moreThanBlanks(d.title)) return "Donner un titre à l'exercice.";
    if (!fitsRecord(d.title)) return "Le titre est trop long (126 caractères au plus).";
    if (d.difficulty < 0 || d.difficulty > 3) return "La difficulté va de 0 à 3 étoiles.";
    if (d.hourglasses < 1 || d.hourglasses > kMaxHourglasses)
        return "La durée va de 1 à " + std::to_string(kMaxHourglasses) + " sabliers.";
    if (d.notions.size() > static_cast<std::size_t>(kMaxExerciseNotions))
        return "Quatre notions au plus.";
    for (const std::string& notion : d.notions)
        if (!fitsRecord(notion)) return "La notion « " + notion + " » est trop longue.";
    if (!parseRtf(d.statementRtf)) return "L'énoncé n'est pas un texte RTF.";
    if (d.correctionRtf && !parseRtf(*d.correctionRtf))
        return "La correction n'est pas un texte RTF.";
    for (const auto* config : {&d.statementConfig, &d.correctionConfig})
        if (*config && parseConfiguration(**config).status != ConfigReadStatus::Ok)
            return "Une configuration n'est pas lisible par le programme.";
    return std::nullopt;
}

std::vector<std::string> existingBundleFiles(const std::string& folder, const ExerciseDraft& d)
{
    std::vector<std::string> found;
    std::error_code error;
    for (const std::string& name : bundleFileNames(d))
        if (fs::exists(pathIn(folder, name), error)) found.push_back(name);
    return found;
}

BundleResult writeExerciseBundle(const std::string& folder, const ExerciseDraft& d)
{
    if (const auto problem = draftProblem(d)) return {false, *problem};
    std::error_code error;
    if (!fs::is_directory(folder, error)) return {false, "Le dossier " + folder + " n'existe pas."};

    std::vector<std::pair<std::string, std::string>> files; // name, bytes
    files.emplace_back(d.name + ".RTF", d.statementRtf);
    if (d.statementConfig) files.emplace_back(d.name + kConfigExtension, *d.statementConfig);
    if (d.correctionRtf) files.emplace_back(d.name + "C.RTF", *d.correctionRtf);
    if (d.correctionConfig)
        files.emplace_back(d.name + "C" + kConfigExtension, *d.correctionConfig);

    std::vector<std::string> created;
    auto undo = [&created] {
        std::error_code ignored;
        for (const std::string& path : created)
            fs::remove(path, ignored);
    };
    auto failed = [&](const std::string& name) {
        undo();
        return BundleResult{false, "Écriture impossible de " + name +
                                       " (disque plein ou dossier protégé). L'exercice n'a "
                                       "pas été créé."};
    };
    for (const auto& [name, bytes] : files) {
        const std::string path = pathIn(folder, name);
        const bool existed = fs::exists(path, error);
        if (!saveWholeFile(path, bytes).ok()) return failed(name);
        if (!existed) created.push_back(path);
    }
    if (!writeExercise(pathIn(folder, d.name + ".E42"), recordsOf(d)))
        return failed(d.name + ".E42");
    return {true, {}};
}

} // namespace titrage
