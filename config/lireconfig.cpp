#include "config/lireconfig.h"

#include "config/core/configfile.h"
#include "config/core/configvalues.h"
#include "platform/messages.h"
#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QFile>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace titrage {

QString benchTitleFor(const QString& nomfichier)
{
    return QCoreApplication::translate("lireconfig", "Titrage conductimétrique - ") + nomfichier;
}

void lireconfig(ConfigBench& bench, QWidget* openDialog)
{
    // A termination signal pending: the program is ending, and the event loop
    // must read the signal's byte soon (a session logging out sends SIGKILL a
    // few seconds later). The load gives up while nothing has changed yet;
    // once the file's values are being applied it runs to its end, a
    // fraction of a second, so that the bench never holds half a file, but
    // asks nothing: no message box waits for an answer that will not come.
    if (terminationRequested()) return;
    QWidget* const parent = openDialog ? openDialog : bench.benchWindow();
    auto inform = [parent](const QString& title, const QString& text, MessageIcon icon) {
        if (!terminationRequested()) Messages::inform(parent, title, text, icon);
    };
    if (openDialog) openDialog->repaint();

    if (bench.situationStore().numsit != kSituations - 1) bench.selectSituation(kSituations - 1);

    const ConfigRead read = readConfiguration(QFile::encodeName(bench.nomfichier()).toStdString());
    if (terminationRequested()) return;
    const bool failed =
        read.status == ConfigReadStatus::OpenFailed || read.status == ConfigReadStatus::ReadFailed;
    bool reported = false;
    auto reportFailure = [&] {
        if (!failed || reported) return;
        reported = true;
        inform(QCoreApplication::translate("lireconfig", "Erreur lors du chargement du fichier"),
               QCoreApplication::translate("lireconfig", "Lecture impossible sur disque"),
               MessageIcon::Critical);
    };

    // Without a readable signature nothing is loaded.
    if (read.status == ConfigReadStatus::BadSignature || read.recordsRead < 1) {
        reportFailure();
        inform(QCoreApplication::translate("lireconfig", "Fichier non valide"),
               QCoreApplication::translate("lireconfig",
                                           "Ce fichier ne correspond pas à cette application"),
               MessageIcon::Critical);
        return;
    }

    // The check boxes first: their effects re-select situation 10 and store
    // the bench into slot 9, which the file's situations then replace.
    const ConfigCheck boxes[] = {ConfigCheck::Masquer, ConfigCheck::Check1, ConfigCheck::Check2};
    const bool ticked[] = {read.data.masquer, read.data.check1, read.data.check2};
    for (int i = 0; i < 3; ++i)
        if (read.recordsRead >= 2 + i) bench.setTicked(boxes[i], ticked[i]);
    if (read.recordsRead < 4) reportFailure();

    std::vector<Notice> notices;
    if (read.recordsRead >= situationRecord(0, 0)) {
        auto situations = bench.situationStore().sit;
        overlaySituations(read, situations);
        // Every file reaches the bench only as the boxes would take its texts,
        // wherever it lies: the program's folder is no proof of origin (a
        // portable copy or a USB key has it writable), and a value the boxes
        // refuse (a negative volume, an absurd concentration) would draw the
        // liquid below the beaker and send sigma off the scale. The shipped
        // files hold only values the boxes keep, so checking them changes
        // no byte and shows no message.
        for (Situation& situation : situations)
            for (Notice& notice : correctSituation(situation))
                if (std::find_if(notices.begin(), notices.end(), [&](const Notice& n) {
                        return n.text == notice.text;
                    }) == notices.end())
                    notices.push_back(std::move(notice));
        bench.replaceSituations(situations);
    }
    reportFailure();
    for (const Notice& notice : notices)
        inform(QString::fromStdString(notice.title), QString::fromStdString(notice.text),
               MessageIcon::Information);

    bench.restoreSituation(0);
    bench.setBenchTitle(benchTitleFor(bench.nomfichier()));
}

} // namespace titrage
