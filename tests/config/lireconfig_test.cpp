#include "config/lireconfig.h"

#include "config/core/configfile.h"
#include "fakebench.h"
#include "platform/core/recordfile.h"
#include "platform/messages.h"
#include "platform/terminationsignals.h"
#include "sampleconfig.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using namespace titrage;
using namespace titrage::testing;

namespace {

const QString kReadError = QStringLiteral("Lecture impossible sur disque");
const QString kNotConfig = QStringLiteral("Ce fichier ne correspond pas à cette application");

// A bench as the student left it: situation 3 current, situations marked with
// their own sigmamax text, the bench holding something not yet stored.
void prepare(FakeBench& bench)
{
    for (int k = 0; k < kSituations; ++k)
        bench.store.sit[static_cast<std::size_t>(k)].textesit[6] = "max" + std::to_string(k);
    bench.store.numsit = 2;
    bench.bench = bench.store.sit[2];
    bench.bench.textesit[0] = "4,75";
    bench.checks[1] = Qt::Unchecked;
    bench.setNomfichier(QStringLiteral("/ancien.C16"));
    bench.setBenchTitle(benchTitleFor(bench.nomfichier()));
    bench.log.clear();
}

} // namespace

TEST(Lireconfig, LoadsInTheOrderThatKeepsTheFileSituations)
{
    TempFolder dir;
    ConfigData data = asLoaded(tenSituations());
    data.check1 = true; // ticking it re-selects situation 10, storing the bench into slot 9
    const std::string path = dir.file("dix.C16");
    ASSERT_EQ(writeConfiguration(path, data), ConfigWriteStatus::Ok);

    FakeBench bench;
    prepare(bench);
    MessageRecorder messages;
    bench.setNomfichier(QString::fromStdString(path));
    lireconfig(bench);

    EXPECT_TRUE(messages.requests().empty());
    EXPECT_EQ(bench.log, (QStringList{"select 9", "tick 0 1", "tick 1 1", "select 9", "tick 2 1",
                                      "select 9", "replace", "restore 0", "title"}));
    EXPECT_EQ(bench.store.sit[2].textesit[0], data.sit[2].textesit[0])
        << "the bench was stored before the file replaced the slot";
    for (std::size_t k = 0; k < kSituations; ++k) {
        SCOPED_TRACE(k);
        const Situation& s = bench.store.sit[k];
        EXPECT_EQ(s.courbefinie, data.sit[k].courbefinie);
        for (std::size_t j = 0; j < 6; ++j)
            EXPECT_EQ(s.textesit[j], data.sit[k].textesit[j]);
        EXPECT_EQ(s.textesit[6], "max" + std::to_string(k)) << "sigmamax is not in the file";
        EXPECT_EQ(s.listesit, data.sit[k].listesit);
        EXPECT_EQ(s.optsit, data.sit[k].optsit);
    }
    EXPECT_EQ(bench.store.numsit, 0);
    EXPECT_EQ(bench.bench.textesit[0], data.sit[0].textesit[0]);
    EXPECT_EQ(bench.title(),
              QStringLiteral("Titrage conductimétrique - ") + QString::fromStdString(path));
}

TEST(Lireconfig, SituationTenAlreadyCurrentIsNotSelectedAgain)
{
    TempFolder dir;
    ConfigData data;
    const std::string path = dir.file("a.C16");
    ASSERT_EQ(writeConfiguration(path, data), ConfigWriteStatus::Ok);
    FakeBench bench;
    bench.store.numsit = 9;
    bench.setNomfichier(QString::fromStdString(path));
    MessageRecorder messages;
    lireconfig(bench);
    EXPECT_EQ(bench.log, (QStringList{"replace", "restore 0", "title"}));
}

TEST(Lireconfig, FailuresGiveTheirMessages)
{
    TempFolder dir;
    const std::string image = configImage(asLoaded(tenSituations())).value();
    auto breakRecord = [&image](int n) {
        std::string bytes = image;
        bytes[static_cast<std::size_t>(n - 1) * 128] = 127;
        return bytes;
    };
    const int situation2Text = situationRecord(1, 2);
    struct Case {
        const char* name;
        std::optional<std::string> bytes; // nothing: no file at all
        QStringList messages;
        QStringList log;
        bool loadedSituation1; // slot 0 holds the file's situation 1
    };
    const Case cases[] = {
        {"missing file", std::nullopt, {kReadError, kNotConfig}, {"select 9"}, false},
        {"folder", std::nullopt, {kReadError, kNotConfig}, {"select 9"}, false},
        {"unreadable signature", breakRecord(1), {kReadError, kNotConfig}, {"select 9"}, false},
        {"not a configuration",
         encodeRecord("OMRIXX").value() + image.substr(128),
         {kNotConfig},
         {"select 9"},
         false},
        {"empty file", "", {kNotConfig}, {"select 9"}, false},
        {"failure in the check boxes",
         breakRecord(3),
         {kReadError},
         {"select 9", "tick 0 1", "restore 0", "title"},
         false},
        {"failure in situation 2",
         breakRecord(situation2Text),
         {kReadError},
         {"select 9", "tick 0 1", "tick 2 1", "select 9", "replace", "restore 0", "title"},
         true},
        {"short file", // the missing volumes read as empty, corrected as if typed
         image.substr(0, 40 * 128),
         {QString::fromUtf8(kMinimumVolume)},
         {"select 9", "tick 0 1", "tick 2 1", "select 9", "replace", "restore 0", "title"},
         true},
    };
    const ConfigData data = asLoaded(tenSituations());
    std::filesystem::create_directory(dir.file("folder.C16"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.file(std::string(c.name) + ".C16");
        if (c.bytes) writeBytes(path, *c.bytes);
        FakeBench bench;
        prepare(bench);
        const SituationStore before = bench.store;
        const QString oldTitle = bench.title();
        MessageRecorder messages;
        bench.setNomfichier(QString::fromStdString(path));
        lireconfig(bench);

        EXPECT_EQ(messages.texts(), c.messages);
        for (const MessageRequest& r : messages.requests()) {
            if (r.title == QString::fromUtf8(kVolumeCorrected)) continue;
            EXPECT_EQ(r.icon, MessageIcon::Critical);
            EXPECT_EQ(r.title, r.text == kReadError
                                   ? QStringLiteral("Erreur lors du chargement du fichier")
                                   : QStringLiteral("Fichier non valide"));
        }
        EXPECT_EQ(bench.log, c.log);
        if (!c.log.contains("title")) {
            EXPECT_EQ(bench.title(), oldTitle);
            EXPECT_EQ(bench.store.numsit, 9);
        }
        EXPECT_EQ(bench.store.sit[0].textesit[0],
                  c.loadedSituation1 ? data.sit[0].textesit[0] : before.sit[0].textesit[0]);
        if (std::string(c.name) == "failure in situation 2") {
            EXPECT_EQ(bench.store.sit[1].textesit[1], data.sit[1].textesit[1]);
            EXPECT_EQ(bench.store.sit[1].textesit[2], before.sit[1].textesit[2])
                << "not read: kept";
            EXPECT_EQ(bench.store.sit[5].listesit, before.sit[5].listesit);
        }
    }
}

TEST(Lireconfig, FileTextsReachTheBenchAsIfTyped)
{
    TempFolder dir;
    ConfigData data;
    for (Situation& s : data.sit)
        s.textesit = {"-3", "-0,01", "0,0", "3,4e38", "-21", "0,0", ""};
    data.sit[4].textesit[4] = "20,0"; // valid beside the others
    const std::string path = dir.file("bizarre.C16");
    ASSERT_EQ(writeConfiguration(path, data), ConfigWriteStatus::Ok);
    FakeBench bench;
    prepare(bench);
    bench.setNomfichier(QString::fromStdString(path));
    MessageRecorder messages;
    lireconfig(bench);

    // The minimum-volume notice once for the ten situations.
    ASSERT_EQ(messages.requests().size(), 1u);
    EXPECT_EQ(messages.requests()[0].title, QStringLiteral("Volume corrigé"));
    EXPECT_EQ(messages.requests()[0].icon, MessageIcon::Information);
    for (std::size_t k = 0; k < kSituations; ++k) {
        const auto& t = bench.store.sit[k].textesit;
        EXPECT_EQ(t[0], "0,1") << k;
        EXPECT_EQ(t[1], "0,000 000 01") << k;
        EXPECT_EQ(t[3], "0,01") << k;
        EXPECT_EQ(t[4], "20,0") << k;
        EXPECT_EQ(t[6], "max" + std::to_string(k)) << "not stored, kept";
    }
    EXPECT_EQ(bench.bench.textesit[3], "0,01") << "situation 1 on the bench";

    // The program's folder is no exemption: a portable copy or a USB key
    // has it writable, so the same file there is corrected the same way.
    FakeBench own;
    prepare(own);
    own.shipped = QString::fromStdString(dir.path());
    own.setNomfichier(QString::fromStdString(path));
    const std::vector<MessageRequest> outside = messages.requests();
    messages.clear();
    lireconfig(own);
    ASSERT_EQ(messages.requests().size(), outside.size());
    EXPECT_EQ(messages.requests()[0].text, outside[0].text);
    for (std::size_t k = 0; k < kSituations; ++k)
        EXPECT_EQ(own.store.sit[k].textesit, bench.store.sit[k].textesit) << k;
}

// Every configuration shipped beside the program loads exactly as its bytes
// say, with no message: the check every file goes through changes nothing
// in them.
TEST(Lireconfig, ShippedConfigurationsLoadUnchanged)
{
    namespace fs = std::filesystem;
    const fs::path data = fs::path(TITRAGE_DATA_DIR);
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(data))
        if (entry.path().extension() == ".C16") files.push_back(entry.path());
    EXPECT_GE(files.size(), 23u);
    MessageRecorder messages;
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const ConfigRead read = readConfiguration(file.string());
        ASSERT_EQ(read.status, ConfigReadStatus::Ok);
        FakeBench bench;
        prepare(bench);
        std::array<Situation, kSituations> expected = bench.store.sit;
        overlaySituations(read, expected);
        bench.shipped = QString::fromStdString(data.string());
        bench.setNomfichier(QString::fromStdString(file.string()));
        messages.clear();
        lireconfig(bench);
        EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(" | ").toStdString();
        for (std::size_t k = 0; k < kSituations; ++k) {
            const Situation& s = bench.store.sit[k];
            EXPECT_EQ(s.textesit, expected[k].textesit) << "situation " << k + 1;
            EXPECT_EQ(s.listesit, expected[k].listesit) << "situation " << k + 1;
            EXPECT_EQ(s.optsit, expected[k].optsit) << "situation " << k + 1;
            EXPECT_EQ(s.courbefinie, expected[k].courbefinie) << "situation " << k + 1;
        }
    }
}

// A termination signal (the flag its handler sets) during a load: before the
// file's values are applied the load gives up and the bench keeps everything;
// once they are, it runs to its end so that the bench never holds half a file.
// Either way no message waits for an answer.
TEST(Lireconfig, TerminationSignalGivesTheLoadUp)
{
    TempFolder dir;
    ConfigData data = asLoaded(tenSituations());
    data.check1 = true;
    data.sit[0].textesit[4] = "-5"; // gives the minimum-volume notice
    const std::string path = dir.file("dix.C16");
    ASSERT_EQ(writeConfiguration(path, data), ConfigWriteStatus::Ok);
    struct Case {
        const char* name;
        QString signalAt; // the call during which the signal comes; empty: before the load
        QStringList log;
        bool loaded;
    };
    const Case cases[] = {
        {"before the load", {}, {}, false},
        {"while situation 10 is selected", "select 9", {"select 9"}, false},
        {"while the boxes are set",
         "tick 0 1",
         {"select 9", "tick 0 1", "tick 1 1", "select 9", "tick 2 1", "select 9", "replace",
          "restore 0", "title"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeBench bench;
        prepare(bench);
        const SituationStore before = bench.store;
        const QString oldTitle = bench.title();
        bench.setNomfichier(QString::fromStdString(path));
        if (c.signalAt.isEmpty()) setTerminationRequested(true);
        bench.onCall = [&](const QString& call) {
            if (call == c.signalAt) setTerminationRequested(true);
        };
        MessageRecorder messages;
        lireconfig(bench);
        setTerminationRequested(false);

        EXPECT_TRUE(messages.requests().empty());
        EXPECT_EQ(bench.log, c.log);
        EXPECT_EQ(bench.title() != oldTitle, c.loaded);
        for (std::size_t k = 1; k < kSituations - 1; ++k)
            EXPECT_EQ(bench.store.sit[k].textesit[4],
                      (c.loaded ? data.sit[k] : before.sit[k]).textesit[4])
                << k;
    }
}
