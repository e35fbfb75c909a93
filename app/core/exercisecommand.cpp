#include "app/core/exercisecommand.h"

#include "config/core/configfile.h"
#include "exercises/core/exercisebundle.h"
#include "exercises/core/richtext.h"
#include "exercises/core/textmarkup.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace titrage {

namespace {

constexpr const char* kUsage =
    "Usage : titrage-exercice --nom NOM --titre TITRE --enonce FICHIER [options]\n"
    "Écrit un exercice (NOM.E42 et ses fichiers) que le programme ouvre par\n"
    "« Exercices > Ouvrir un exercice ».\n"
    "  --nom NOM                 nom des fichiers (lettres sans accent, chiffres, - et _)\n"
    "  --titre TITRE             titre montré dans la liste des exercices\n"
    "  --enonce FICHIER          énoncé : un fichier RTF, ou un texte UTF-8 écrit avec\n"
    "                            # titre, ## intertitre, **gras**, //italique//,\n"
    "                            ^{exposant}, _{indice}, | cellule | cellule\n"
    "  --config-enonce F.C16     configuration chargée avec l'énoncé\n"
    "  --correction FICHIER      correction (RTF ou texte, comme l'énoncé)\n"
    "  --config-correction F.C16 configuration chargée avec la correction\n"
    "  --difficulte N            de 0 à 3 étoiles (1 par défaut)\n"
    "  --notion TEXTE            une notion abordée (jusqu'à quatre fois)\n"
    "  --duree N                 durée estimée, en sabliers de 1 à 20 (1 par défaut)\n"
    "  --dossier DOSSIER         dossier où écrire (le dossier courant par défaut)\n"
    "  --ecraser                 remplace un exercice de même nom\n"
    "  --help                    affiche cette aide\n";

// Bounds what a mistaken argument (a film, a disk image) can make us read.
constexpr std::uintmax_t kMaxInputBytes = 16u * 1024u * 1024u;

std::optional<std::string> readWhole(const std::string& path, std::string& problem)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
        problem = "fichier introuvable ou illisible : " + path;
        return std::nullopt;
    }
    if (size > kMaxInputBytes) {
        problem = "fichier trop grand (16 Mo au plus) : " + path;
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in && !in.eof()) {
        problem = "lecture impossible : " + path;
        return std::nullopt;
    }
    return bytes.str();
}

// An RTF file is kept as it is; any other text is read as the light markup.
std::optional<std::string> readText(const std::string& path, std::string& problem)
{
    std::optional<std::string> bytes = readWhole(path, problem);
    if (!bytes) return std::nullopt;
    return teacherTextAsRtf(std::move(*bytes));
}

std::optional<std::string> readConfig(const std::string& path, std::string& problem)
{
    std::optional<std::string> bytes = readWhole(path, problem);
    if (!bytes) return std::nullopt;
    if (parseConfiguration(*bytes).status != ConfigReadStatus::Ok) {
        problem = "ce n'est pas une configuration du programme : " + path;
        return std::nullopt;
    }
    return bytes;
}

std::optional<int> wholeNumber(const std::string& text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace

int runExerciseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    ExerciseDraft draft;
    std::string folder = ".";
    std::string statementPath;
    bool overwrite = false;
    std::string problem;
    auto fail = [&err](const std::string& message) {
        err << "titrage-exercice : " << message << "\n";
        return 2;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return 0;
        }
        if (a == "--ecraser") {
            overwrite = true;
            continue;
        }
        if (i + 1 >= args.size()) return fail("valeur manquante après " + a + ".");
        const std::string& v = args[++i];
        if (a == "--nom") {
            draft.name = v;
        } else if (a == "--titre") {
            draft.title = v;
        } else if (a == "--enonce") {
            statementPath = v;
            const auto text = readText(v, problem);
            if (!text) return fail(problem);
            draft.statementRtf = *text;
        } else if (a == "--correction") {
            draft.correctionRtf = readText(v, problem);
            if (!draft.correctionRtf) return fail(problem);
        } else if (a == "--config-enonce") {
            draft.statementConfig = readConfig(v, problem);
            if (!draft.statementConfig) return fail(problem);
        } else if (a == "--config-correction") {
            draft.correctionConfig = readConfig(v, problem);
            if (!draft.correctionConfig) return fail(problem);
        } else if (a == "--difficulte" || a == "--duree") {
            const auto n = wholeNumber(v);
            if (!n) return fail(a + " attend un nombre entier, pas « " + v + " ».");
            (a == "--difficulte" ? draft.difficulty : draft.hourglasses) = *n;
        } else if (a == "--notion") {
            draft.notions.push_back(v);
        } else if (a == "--dossier") {
            folder = v;
        } else {
            return fail("option inconnue « " + a + " ». Voir titrage-exercice --help.");
        }
    }
    if (statementPath.empty())
        return fail("--enonce est obligatoire. Voir titrage-exercice --help.");
    if (const auto p = draftProblem(draft)) return fail(*p);
    if (!overwrite) {
        const std::vector<std::string> existing = existingBundleFiles(folder, draft);
        if (!existing.empty())
            return fail("le dossier contient déjà " + existing.front() +
                        ". Choisir un autre nom, ou --ecraser.");
    }
    const BundleResult result = writeExerciseBundle(folder, draft);
    if (!result.ok) {
        err << "titrage-exercice : " << result.message << "\n";
        return 1;
    }
    out << "Exercice écrit : " << (std::filesystem::path(folder) / (draft.name + ".E42")).string()
        << "\n";
    return 0;
}

} // namespace titrage
