// A class's measurements brought onto the bench: drawn and tabulated beside
// the student's points, fitted by the lines and for the concentration, a bad
// table refused with nothing changed, and the table exported for Python.
#include "bench/benchcurves.h"
#include "bench/importdialog.h"
#include "bench/linestool.h"
#include "model/graphframe.h"
#include "model/measurement.h"
#include "model/solver.h"
#include "platform/canvas.h"
#include "tests/support/benchdriver.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QPlainTextEdit>

using namespace titrage;
using Import = titrage::testing::BenchTest;

namespace {

// Hydrochloric acid at `c` measured every 1 mL, as a spreadsheet pastes it
// (tabs, decimal comma), sigma in mS/cm to four digits.
QString classTable(float c)
{
    Model m;
    initcatalogue(m);
    BenchEntries e;
    e.position = 2;
    e.c = c;
    e.cburette = 0.01f;
    e.vsol = 20.0f;
    e.veau = 0.0f;
    QString text = QStringLiteral("V (mL)\tσ (mS/cm)\n");
    for (int v = 0; v <= 25; ++v) {
        e.vverse = static_cast<float>(v);
        measure(m, e);
        text += QStringLiteral("%1\t%2\n")
                    .arg(v)
                    .arg(QString::number(m.sigma * 10, 'f', 4).replace('.', ','));
    }
    return text;
}

// Answers the import dialog with `text`, and the file dialogs with `path`.
void answerImport(const QString& text, int unit = 0)
{
    Messages::setDialogRunner([text, unit](QDialog& dialog) {
        auto* import = qobject_cast<ImportDialog*>(&dialog);
        if (!import) return int(QDialog::Rejected);
        import->collage->setPlainText(text);
        import->unitesigma->setCurrentIndex(unit);
        import->accept();
        return import->result();
    });
}

} // namespace

TEST_F(Import, MeasurementsAreDrawnTabulatedAndAnalysedBesidePouredPoints)
{
    d.solute(2); // acide chlorhydrique
    d.holdTap(30);
    const size_t poured = w->measuredPoints(0).size();
    ASSERT_GE(poured, 3u);

    answerImport(classTable(0.009f));
    d.action("importmes").trigger();
    Messages::setDialogRunner(nullptr);
    EXPECT_TRUE(messages->requests().empty());

    // The tools analyse the class's points; the student's stay as they were.
    EXPECT_EQ(w->measuredPoints(0).size(), 26u);
    EXPECT_TRUE(w->measuredPoints(0).front().imported);
    // Their rows come first, marked, with V and sigma only.
    ASSERT_GE(d.rows(), 26);
    EXPECT_TRUE(d.table().rowMarked(0));
    EXPECT_TRUE(d.table().rowMarked(25));
    EXPECT_EQ(d.cell(12, 0), QStringLiteral("12,0"));
    EXPECT_TRUE(d.cell(12, 2).isEmpty());
    EXPECT_FALSE(d.table().rowMarked(26));
    d.fastPlot();
    EXPECT_TRUE(d.table().rowMarked(25));
    EXPECT_FALSE(d.table().rowMarked(26));
    {
        ValueTable& t = d.table();
        const QRect r0 = t.visualItemRect(t.item(0, 2));
        const QImage shot = t.viewport()->grab().toImage();
        EXPECT_NE(shot.pixelColor(r0.center()), QColor(Qt::white)) << r0.x() << "," << r0.y();
    }
    // Their crosses in their own colour where the class measured.
    const MeasuredPoint& p = w->measuredPoints(0)[5];
    EXPECT_TRUE(d.graphHasColourNear(graphX(p.volume) + 2, graphY(p.sigma, w->maxaxe()) + 2,
                                     BenchCurves::importedColour()));
    EXPECT_TRUE(d.text("info").contains(QStringLiteral("26 mesures importées")));

    // The derivative adds the class's dσ/dV in their colour.
    auto goldPixels = [&] {
        const QImage image = d.graph().canvas().image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == BenchCurves::importedColour();
        return n;
    };
    const int crossesOnly = goldPixels();
    d.click("image5");
    EXPECT_GT(goldPixels(), crossesOnly + 100);

    // The lines find the class's equivalence, not the bench's 20 mL.
    d.click("droites");
    ASSERT_TRUE(w->linesTool()->shown());
    EXPECT_TRUE(w->linesTool()->onMeasuredPoints());
    EXPECT_NEAR(w->linesTool()->fit().veq, 18.0, 0.2);

    // The fitted concentration goes into the box when asked.
    messages->setAnswer(MessageAnswer::Yes);
    d.action("ajustconc").trigger();
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_TRUE(messages->requests()[0].text.startsWith(QStringLiteral("c = 9,0")))
        << messages->requests()[0].text.toStdString();
    EXPECT_NEAR(parseNumber(d.entry(0).toStdString()).value_or(0), 0.009, 0.0001);
    EXPECT_EQ(d.entry(5), QStringLiteral("0,0")); // the titration restarted
    // The imported points outlive the restart that the new value makes.
    EXPECT_EQ(w->measuredPoints(0).size(), 26u);
}

TEST_F(Import, ABadTableNamesItsLineAndChangesNothing)
{
    d.solute(2);
    d.holdTap(20);
    const int rows = d.rows();
    const QImage before = d.graph().canvas().image().copy();
    struct Case {
        QString text;
        int unit;
        const char* message;
    };
    const Case cases[] = {
        {QStringLiteral("V (mL);σ (mS/cm)\n0;4,2\n1;abc\n"), 0, "Ligne 3 : « 1;abc »"},
        {QStringLiteral("0 4,2\n1 4,0\n"), 0, "L'en-tête n'indique pas l'unité de σ"},
        {QStringLiteral("0 4210\n1 4080\n"), 1, "Ligne 1 : σ = 4210 S/m dépasse 100 S/m"},
    };
    for (const Case& c : cases) {
        messages->clear();
        answerImport(c.text, c.unit);
        d.action("importmes").trigger();
        Messages::setDialogRunner(nullptr);
        ASSERT_EQ(messages->requests().size(), 1u) << c.message;
        EXPECT_TRUE(messages->requests()[0].text.contains(QString::fromUtf8(c.message)))
            << messages->requests()[0].text.toStdString();
        EXPECT_TRUE(w->measuredPoints(0).empty() || !w->measuredPoints(0).front().imported);
        EXPECT_EQ(d.rows(), rows);
        EXPECT_EQ(d.graph().canvas().image(), before);
    }
    // Nothing imported: the concentration cannot be fitted, and says why.
    messages->clear();
    d.action("ajustconc").trigger();
    ASSERT_EQ(messages->requests().size(), 1u);
    EXPECT_TRUE(messages->requests()[0].text.startsWith(QStringLiteral("Importez d'abord")));
}

TEST_F(Import, FileReadAsUtf8OrAsAFrenchSpreadsheetSavesIt)
{
    ImportDialog dialog(w);
    const QString path = d.file("mesures.csv");
    struct Case {
        QByteArray bytes;
        SigmaUnit unit;
    };
    const Case cases[] = {
        {"V (mL);\xC2\xB5S/cm\r\n0;421\r\n1;395\r\n", SigmaUnit::MicroSiemensPerCentimetre},
        {"V (mL);\xB5S/cm\r\n0;421\r\n1;395\r\n", SigmaUnit::MicroSiemensPerCentimetre}, // cp1252
    };
    for (const Case& c : cases) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        ASSERT_TRUE(dialog.loadFile(path));
        dialog.accept();
        ASSERT_TRUE(dialog.imported().ok()) << dialog.imported().error;
        EXPECT_EQ(dialog.imported().unit, c.unit);
        EXPECT_NEAR(dialog.imported().points[1].sigma, 0.0395, 1e-12);
    }
    EXPECT_FALSE(dialog.fileKeptAside());
    // A line of a megabyte is read, not laid out in the box.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("V (mL);σ (S/m)\n1;0,05;" + QByteArray(1 << 20, 'x') + "\n");
    f.close();
    ASSERT_TRUE(dialog.loadFile(path));
    EXPECT_TRUE(dialog.fileKeptAside());
    EXPECT_LT(dialog.collage->toPlainText().size(), 200);
    dialog.accept();
    ASSERT_TRUE(dialog.imported().ok()) << dialog.imported().error;
    EXPECT_EQ(dialog.imported().points.size(), 1u);
    EXPECT_TRUE(messages->requests().empty());
}

TEST_F(Import, TableExportedForPython)
{
    d.solute(4); // acide éthanoïque: six columns
    answerImport(classTable(0.009f));
    d.action("importmes").trigger();
    const QString path = d.file("tableau");
    Messages::setDialogRunner([&](QDialog& dialog) {
        auto& files = static_cast<QFileDialog&>(dialog);
        files.selectNameFilter(QStringLiteral("Python, Regressi (*.txt)"));
        files.selectFile(path);
        return int(QDialog::Accepted);
    });
    d.action("exportab").trigger();
    Messages::setDialogRunner(nullptr);
    QFile f(path + QStringLiteral(".txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"));
    ASSERT_GT(lines.size(), 30);
    EXPECT_EQ(lines[0], QStringLiteral("V (mL)\tsigma (S/m)\t[H3O+] (mol/L)\t[HO-] (mol/L)\t"
                                       "[acide] (mol/L)\t[base] (mol/L)"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("# Situation n° : 1")));
    // An imported row: its V and sigma with the decimal point, nan where nothing is known.
    const QString firstRow = *std::find_if(lines.begin() + 1, lines.end(), [](const QString& l) {
        return !l.startsWith(QLatin1Char('#'));
    });
    EXPECT_TRUE(firstRow.startsWith(QStringLiteral("0.0\t")));
    EXPECT_TRUE(firstRow.endsWith(QStringLiteral("\tnan\tnan\tnan\tnan")))
        << firstRow.toStdString();
}
