// The real bench ended by SIGTERM (a session logging out) while it loads the
// exercise the launcher asked for. The load gives up rather than holding the
// event loop until the session's SIGKILL: no half text, no configuration, no
// message waiting; the loop then reads the signal and the launcher reads "NON".
//
// A termination signal ends every event loop of the process from then on, so
// this program holds this one test.
#include "bench/core/markerfile.h"
#include "config/core/configfile.h"
#include "exercises/core/exercisefile.h"
#include "platform/core/recordfile.h"
#include "platform/terminationsignals.h"
#include "tests/config/tempfolder.h"
#include "tests/support/benchdriver.h"

#include <QCoreApplication>
#include <QTextDocument>
#include <QTextEdit>

#include <csignal>

using namespace titrage;
using namespace titrage::testing;

TEST(Termination, SignalDuringTheLaunchersExerciseGivesTheLoadUp)
{
    TempFolder program;
    // A statement, and a configuration that would give a notice (a 5 mL sample).
    writeBytes(program.file("LONG.RTF"),
               "{\\rtf1\\ansi\\trowd\\cellx1000\\cellx2000\\intbl a\\cell\\intbl b\\cell\\row"
               "\\pard Un texte.\\par}");
    ConfigData config;
    config.sit[0].textesit[4] = "5,0";
    ASSERT_EQ(writeConfiguration(program.file("LONG.C16"), config), ConfigWriteStatus::Ok);
    ExerciseFile exercise;
    exercise.records = {"LONG.RTF", "LONG.C16", "", "", "1", "", "", "", "", "", "Long", "1"};
    ASSERT_TRUE(writeExercise(program.file("LONG.E42"), exercise));
    const std::string marker = program.file(kMarkerFileName);
    writeBytes(marker, std::string(30 * 128, '\0') + encodeRecord("LONG.E42").value());

    ASSERT_TRUE(quitOnTerminationSignals());
    BenchDriver bench(QString::fromStdString(program.path()), BenchDriver::Start::Hidden);
    feuilleP& window = bench.window();
    const QString title = window.windowTitle();
    QTextEdit& text = window.exerciseText();
    text.setPlainText(QStringLiteral("Le texte d'avant."));
    // The signal comes as the text area is being replaced.
    bool raised = false;
    QObject::connect(text.document(), &QTextDocument::contentsChange, [&raised] {
        if (!raised) raised = std::raise(SIGTERM) == 0;
    });

    window.show(); // takes the launcher's request and loads the exercise

    ASSERT_TRUE(raised);
    EXPECT_TRUE(terminationRequested());
    EXPECT_EQ(decodeRecord(readBytes(marker), kRequestRecord), "") << "the request was taken";
    EXPECT_TRUE(text.document()->isEmpty()) << text.toPlainText().toStdString();
    EXPECT_EQ(window.windowTitle(), title) << "the configuration was not loaded";
    EXPECT_TRUE(bench.messages().requests().empty());
    EXPECT_EQ(decodeRecord(readBytes(marker), kRunningRecord), "OUI");

    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(decodeRecord(readBytes(marker), kRunningRecord), "NON");
}
