#include "model/model.h"
#include "model/situations.h"
#include "pagerecorder.h"
#include "pdfpages.h"
#include "platform/layoutscaler.h"
#include "platform/messages.h"
#include "printing/confimp.h"
#include "printing/core/pdfcheck.h"
#include "printing/pdfoutput.h"
#include "printing/printsource.h"
#include "printing/updown.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include "../platform/smalldisk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

using namespace titrage;

namespace {

const QColor kIllustration(200, 200, 200);
const QColor kGraph(255, 255, 200);
const QColor kTable(200, 255, 255);

QImage filled(int w, int h, QColor c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

// The bench as printing sees it: plain pictures of the bench's sizes.
class FakeSource : public PrintSource {
public:
    FakeSource() { initcatalogue(model); }

    QWidget* printWindow() override { return nullptr; }
    QImage illustrationForPrint() override
    {
        ++prepared;
        return filled(260, 560, kIllustration);
    }
    void restoreIllustration() override { ++restored; }
    QImage graphPicture() override { return filled(470, 275, kGraph); }
    QImage tablePicture() override { return filled(400, 42 + 26 * 20, kTable); }
    int tableHeaderHeight() const override { return 42; }
    int tableRowHeight() const override { return 20; }
    const SituationStore& situations() const override { return store; }
    const Model& catalogue() const override { return model; }
    QColor situationColour(int k) const override { return k == 1 ? QColor(0, 128, 0) : Qt::blue; }

    SituationStore store;
    Model model;
    int prepared = 0;
    int restored = 0;
};

// A dialog whose pages go to a PDF file.
struct PdfDialog {
    explicit PdfDialog(FakeSource& source) : dialog(source)
    {
        dialog.printer().setOutputFormat(QPrinter::PdfFormat);
        dialog.printer().setOutputFileName(path());
        dialog.printer().setPageSize(QPageSize(QPageSize::A4));
        dialog.Form_Load();
    }
    QString path() const { return dir.filePath(QStringLiteral("pages.pdf")); }
    void tick(bool illustration, bool graph, bool table)
    {
        dialog.Chec[0]->setChecked(illustration);
        dialog.Chec[1]->setChecked(graph);
        dialog.Chec[3]->setChecked(table);
    }

    QTemporaryDir dir;
    confimp dialog;
};

// Page `index` of one copy painted onto an A4 picture at 100 dots per inch.
QImage renderPage(const PrintMaterial& material, int index)
{
    QImage page(827, 1169, QImage::Format_RGB32);
    page.setDotsPerMeterX(qRound(100 / 0.0254));
    page.setDotsPerMeterY(qRound(100 / 0.0254));
    page.fill(Qt::white);
    const LayoutInput in = layoutInput(material, page);
    const auto pages = layoutCopy(in);
    QPainter p(&page);
    paintPage(p, material, in, pages.at(static_cast<std::size_t>(index)));
    return page;
}

// Whether any pixel of `area` is `ink`, or with `other`, any pixel is not.
bool anyPixel(const QImage& image, QRect area, QColor ink, bool other = false)
{
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixelColor(x, y) == ink) != other) return true;
    return false;
}

bool blank(const QImage& image, QRect area)
{
    return !anyPixel(image, area, Qt::white, true);
}

} // namespace

TEST(Confimp, NothingTickedAsksForAChoiceAndStaysOpen)
{
    MessageRecorder recorder;
    FakeSource source;
    PdfDialog pdf(source);
    pdf.tick(false, false, false);
    pdf.dialog.Command1->click();
    ASSERT_EQ(recorder.requests().size(), 1u);
    const MessageRequest& m = recorder.requests()[0];
    EXPECT_EQ(m.title, QStringLiteral("Erreur sélection"));
    EXPECT_EQ(m.text, QStringLiteral("Il faut choisir au moins une illustration à imprimer"));
    EXPECT_EQ(m.icon, MessageIcon::Critical);
    EXPECT_EQ(pdf.dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(pdf.dialog.Frame1->isVisibleTo(&pdf.dialog));
    EXPECT_TRUE(pdf.dialog.Command1->isVisibleTo(&pdf.dialog));
    EXPECT_FALSE(QFile::exists(pdf.path()));
    EXPECT_EQ(source.prepared, 0);
}

struct PagesCase {
    const char* name;
    bool illustration, graph, table;
    int copies;
    int pages;
};

class PrintedPages : public ::testing::TestWithParam<PagesCase> {};

TEST_P(PrintedPages, OneOrTwoPagesPerCopy)
{
    const PagesCase& c = GetParam();
    MessageRecorder recorder;
    FakeSource source;
    source.store.sit[1].courbefinie = true;
    PdfDialog pdf(source);
    pdf.tick(c.illustration, c.graph, c.table);
    pdf.dialog.UpDown1->setValue(c.copies);
    pdf.dialog.Command1->click();

    EXPECT_TRUE(recorder.requests().empty());
    EXPECT_EQ(pdf.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(pdfPages(pdf.path()), c.pages);
    // The screen gets its illustration back every time texts were written into it.
    EXPECT_EQ(source.prepared, c.illustration ? 1 : 0);
    EXPECT_EQ(source.restored, source.prepared);
}

INSTANTIATE_TEST_SUITE_P(Choices, PrintedPages,
                         ::testing::Values(PagesCase{"TableOnce", false, false, true, 1, 1},
                                           PagesCase{"TableThreeTimes", false, false, true, 3, 3},
                                           PagesCase{"IllustrationAndTableTwice", true, false, true,
                                                     2, 4},
                                           PagesCase{"GraphTwice", false, true, false, 2, 2},
                                           PagesCase{"EverythingOnce", true, true, true, 1, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageDrawing, HistoryLinesOnlyForFinishedCurves)
{
    FakeSource source;
    confimp d(source);
    d.Chec[1]->setChecked(true);
    // The graph ends at 2 x 1169 / 20 + 275 x 100 / 96 pixels; the history is under it.
    const QRect underGraph(0, 2 * 1169 / 20 + 275 * 100 / 96 + 2, 827, 300);

    const QImage none = renderPage(d.gatherMaterial(), 0);
    EXPECT_TRUE(blank(none, underGraph));

    source.store.sit[1].courbefinie = true;
    const QImage one = renderPage(d.gatherMaterial(), 0);
    EXPECT_FALSE(blank(one, underGraph));
    EXPECT_TRUE(anyPixel(one, underGraph, QColor(0, 128, 0))) << "Courbe n°2 in its colour";
}

struct HistoryPageCase {
    const char* name;
    bool illustration, table;
    int curves;
};

class HistoryOnItsPage : public ::testing::TestWithParam<HistoryPageCase> {};

// Read from what the page painter draws on an A4 page within 10 mm margins:
// every entry of the history on the graph's page, never beside the
// illustration or the table; every line's label and text on one baseline in
// one size, only the exponents raised.
TEST_P(HistoryOnItsPage, OnTheGraphsPageEachLineOnOneBaseline)
{
    const HistoryPageCase& c = GetParam();
    FakeSource source;
    for (int k = 0; k < c.curves; ++k)
        source.store.sit[k].courbefinie = true;
    confimp d(source);
    d.Chec[0]->setChecked(c.illustration);
    d.Chec[1]->setChecked(true);
    d.Chec[3]->setChecked(c.table);
    const PrintMaterial m = d.gatherMaterial();
    titrage::testing::PageRecorder recorder(190, 277);
    const LayoutInput in = layoutInput(m, recorder);
    const auto pages = layoutCopy(in);
    const double exponentRise = 50 * 1200 / 1440.0; // 50 twips

    int titles = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        recorder.clear();
        {
            QPainter p(&recorder);
            paintPage(p, m, in, pages[i]);
        }
        bool graph = false, other = false;
        for (const auto& image : recorder.images()) {
            graph = graph || image.size == m.graph.size();
            other = other || image.size == m.illustration.size() || image.size == m.table.size();
        }
        std::set<double> baselines;
        std::vector<double> raised;
        const auto& texts = recorder.texts();
        for (std::size_t t = 1; t < texts.size(); ++t) { // 0 is the page's title
            EXPECT_DOUBLE_EQ(texts[t].font.pointSizeF(), 8) << texts[t].text.toStdString();
            if (texts[t].text.startsWith(QStringLiteral("Courbe"))) {
                ++titles;
                EXPECT_TRUE(graph && !other) << "page " << i + 1;
            }
            if (texts[t].text == QStringLiteral("-1"))
                raised.push_back(texts[t].origin.y());
            else
                baselines.insert(texts[t].origin.y());
        }
        if (texts.size() <= 1) continue;
        // A title and two lines an entry, each on one baseline.
        EXPECT_EQ(baselines.size(), 3u * static_cast<unsigned>(c.curves)) << "page " << i + 1;
        for (double y : raised) {
            const auto line = baselines.lower_bound(y + exponentRise - 0.01);
            EXPECT_TRUE(line != baselines.end() && *line < y + exponentRise + 0.01)
                << "an exponent 50 twips above its line, at " << y;
        }
    }
    EXPECT_EQ(titles, c.curves);
}

INSTANTIATE_TEST_SUITE_P(Choices, HistoryOnItsPage,
                         ::testing::Values(HistoryPageCase{"UnderTheIllustration", true, true, 3},
                                           HistoryPageCase{"GraphAndTable", false, true, 2},
                                           HistoryPageCase{"TenCurvesNoTable", true, false, 10},
                                           HistoryPageCase{"TenCurvesAndTable", false, true, 10}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PageDrawing, EmptyTitleKeepsEverythingElseInPlace)
{
    FakeSource source;
    source.store.sit[0].courbefinie = true;
    confimp d(source);
    d.Chec[0]->setChecked(true);
    d.Chec[1]->setChecked(true);
    PrintMaterial m = d.gatherMaterial();
    const QImage titled = renderPage(m, 0);
    m.title.clear();
    const QImage untitled = renderPage(m, 0);
    EXPECT_TRUE(blank(untitled, QRect(0, 0, 827, 40)));
    EXPECT_FALSE(blank(titled, QRect(0, 0, 827, 40)));
    // Below the title line the two pages are the same, pixel for pixel.
    EXPECT_EQ(titled.copy(0, 40, 827, 1129), untitled.copy(0, 40, 827, 1129));
}

TEST(Confimp, PrinterSetUpGoesThroughTheDialogSeam)
{
    FakeSource source;
    confimp d(source);
    d.printer().setOutputFormat(QPrinter::PdfFormat);
    d.printer().setOutputFileName(QStringLiteral("/tmp/x.pdf"));
    bool sawPrintDialog = false;
    Messages::setDialogRunner([&](QDialog& dialog) {
        sawPrintDialog = qobject_cast<QPrintDialog*>(&dialog) != nullptr;
        d.printer().setCopyCount(4);
        d.printer().setOutputFileName(QStringLiteral("/tmp/y.pdf"));
        return int(QDialog::Accepted);
    });
    d.Command2->click();
    Messages::setDialogRunner(nullptr);
    EXPECT_TRUE(sawPrintDialog);
    // The box shows the new target; copies chosen there become the dialog's.
    EXPECT_EQ(d.defaut->text(), QStringLiteral("/tmp/y.pdf"));
    EXPECT_EQ(d.copies(), 4);
    EXPECT_EQ(d.printer().copyCount(), 1);
}

// Answers the PDF save dialog with the next of `files` (cancels when none is
// left) and counts the times it was asked.
struct PdfFileAnswers {
    explicit PdfFileAnswers(QStringList files) : m_files(std::move(files))
    {
        Messages::setDialogRunner([this](QDialog& dialog) {
            auto* chooser = qobject_cast<QFileDialog*>(&dialog);
            if (!chooser || m_files.isEmpty()) return int(QDialog::Rejected);
            ++asked;
            title = chooser->windowTitle();
            suggested = chooser->selectedFiles().value(0);
            chooser->selectFile(m_files.takeFirst());
            return int(QDialog::Accepted);
        });
    }
    ~PdfFileAnswers() { Messages::setDialogRunner(nullptr); }
    QStringList m_files;
    int asked = 0;
    QString title;
    QString suggested;
};

TEST(Confimp, WithoutAPrinterEachPrintingAsksForAPdfFile)
{
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "a printer is installed";
    MessageRecorder recorder;
    FakeSource source;
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("un.pdf"));
    PdfFileAnswers answers({first, first});
    for (int round = 0; round < 2; ++round) {
        confimp d(source);
        EXPECT_EQ(d.Labeldefaut->text(), QStringLiteral("Fichier PDF :"));
        EXPECT_TRUE(d.defaut->text().endsWith(QStringLiteral(".pdf")))
            << d.defaut->text().toStdString();
        d.Chec[3]->setChecked(true);
        d.Command1->click();
        EXPECT_EQ(d.result(), QDialog::Accepted) << "round " << round;
        EXPECT_EQ(answers.asked, round + 1) << "the file is asked every time, never reused unasked";
    }
    EXPECT_EQ(answers.title, QStringLiteral("Imprimer dans un fichier PDF"));
    EXPECT_TRUE(answers.suggested.endsWith(QStringLiteral("un.pdf")));
    // The second printing over the first file asked before overwriting it.
    ASSERT_EQ(recorder.requests().size(), 1u);
    EXPECT_EQ(recorder.requests()[0].title, QStringLiteral("Ecraser le fichier?"));
    EXPECT_EQ(pdfPages(first), 1);
}

TEST(Confimp, AFailedStartLeavesPrintingUsable)
{
    MessageRecorder recorder;
    FakeSource source;
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("bon.pdf"));
    PdfFileAnswers answers({good});
    confimp d(source);
    d.printer().setOutputFormat(QPrinter::PdfFormat);
    d.printer().setOutputFileName(dir.filePath(QStringLiteral("absent/x.pdf")));
    d.Chec[1]->setChecked(true);
    d.Command1->click();
    ASSERT_EQ(recorder.requests().size(), 1u);
    EXPECT_EQ(recorder.requests()[0].icon, MessageIcon::Critical);
    EXPECT_NE(d.result(), QDialog::Accepted);
    EXPECT_TRUE(d.Command1->isVisibleTo(&d));
    // The next click asks for another file and prints.
    d.Command1->click();
    EXPECT_EQ(answers.asked, 1);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(pdfPages(good), 1);
}

TEST(Confimp, MnemonicsAreUniqueAndThePrinterBoxIsLabelled)
{
    FakeSource source;
    confimp d(source);
    QStringList keys;
    const QRegularExpression mnemonic(QStringLiteral("&([^&])"));
    for (QObject* o : d.findChildren<QObject*>()) {
        QString text;
        if (auto* b = qobject_cast<QAbstractButton*>(o)) text = b->text();
        if (auto* l = qobject_cast<QLabel*>(o); l && l->buddy()) text = l->text();
        if (auto* g = qobject_cast<QGroupBox*>(o)) text = g->title();
        const auto m = mnemonic.match(text);
        if (m.hasMatch()) keys << m.captured(1).toLower();
    }
    EXPECT_GE(keys.size(), 3);
    EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size())
        << keys.join(u',').toStdString();
    EXPECT_EQ(d.Labeldefaut->buddy(), d.defaut);
    EXPECT_FALSE(d.Labeldefaut->text().isEmpty());
}

namespace {

// A bench window of the design size 800 x 600 shown at `scale`, to parent a dialog.
struct ScaledBench {
    explicit ScaledBench(double scale) : scaler(&window, QSize(800, 600))
    {
        scaler.fit(QSize(qRound(800 * scale), qRound(600 * scale)));
    }
    QWidget window;
    LayoutScaler scaler;
};

} // namespace

// Maximised on a projector the bench is shown 1,8 times larger: the dialog
// grows with it (font, check marks, fixed sizes); at the design size or on a
// smaller screen it is left as designed.
TEST(Confimp, GrowsWithTheBench)
{
    const struct {
        double bench, dialog;
    } cases[] = {{1.0, 1.0}, {1.8, 1.8}, {2.4, 2.4}, {0.8, 1.0}};
    FakeSource source;
    ScaledBench designSized(1.0);
    confimp plain(source, &designSized.window);
    const QSize plainSize = plain.sizeHint();
    const int plainArrow = plain.UpDown1->findChild<QToolButton*>()->height();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bench);
        ScaledBench bench(c.bench);
        ASSERT_DOUBLE_EQ(bench.scaler.scale(), c.bench);
        confimp d(source, &bench.window);
        EXPECT_DOUBLE_EQ(d.scale(), c.dialog);
        EXPECT_NEAR(d.Text1->font().pointSizeF(), QApplication::font().pointSizeF() * c.dialog,
                    0.01);
        EXPECT_NEAR(d.UpDown1->findChild<QToolButton*>()->height(), plainArrow * c.dialog, 1);
        // The whole dialog, as laid out: its texts and margins grown alike.
        EXPECT_NEAR(double(d.sizeHint().height()) / plainSize.height(), c.dialog, 0.15 * c.dialog);
        EXPECT_NEAR(double(d.sizeHint().width()) / plainSize.width(), c.dialog, 0.2 * c.dialog);
    }
}

// The box names the file whole, however deep its folder, with the whole path
// as its tooltip; the dialog stays within an 800 x 600 screen.
TEST(Confimp, ThePdfBoxShowsTheFileName)
{
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"/tmp/x.pdf", "/tmp/x.pdf"},
        {"/home/enseignant/Documents/Physique-chimie/Terminale/Titrages conductimétriques/"
         "Séance 3/Pelkora - Dosage conductimétrique.pdf",
         "Pelkora - Dosage conductimétrique.pdf"},
        {"C:\\Users\\prof\\Documents\\Physique-chimie\\Terminale\\Titrages\\"
         "Dosage de l'acide éthanoïque.pdf",
         "Dosage de l'acide éthanoïque.pdf"},
    };
    FakeSource source;
    for (double scale : {1.0, 1.8}) {
        ScaledBench bench(scale);
        for (const auto& c : cases) {
            const QString path = QString::fromUtf8(c.path);
            SCOPED_TRACE(c.path);
            confimp d(source, &bench.window);
            d.printer().setOutputFormat(QPrinter::PdfFormat);
            d.printer().setOutputFileName(path);
            d.Form_Load();
            d.show();
            QCoreApplication::processEvents();
            const QString shown = d.defaut->text();
            EXPECT_TRUE(shown.endsWith(QString::fromUtf8(c.name))) << shown.toStdString();
            EXPECT_TRUE(shown == path || shown.startsWith(QStringLiteral("\u2026")))
                << shown.toStdString();
            EXPECT_LE(QFontMetricsF(d.defaut->font()).horizontalAdvance(shown),
                      d.defaut->contentsRect().width());
            EXPECT_EQ(d.defaut->toolTip(), QDir::toNativeSeparators(path));
            if (scale == 1.0) EXPECT_LE(d.frameGeometry().width(), 800);
        }
    }
}

// Elided to any width: the end of the file name is kept, the text fits.
TEST(PathField, ElidesFoldersBeforeTheFileName)
{
    const QFontMetricsF fm(QFont(QStringLiteral("Arial"), 9));
    const QString deep = QStringLiteral("/a/bb/ccc/dddd/eeeee/rapport.pdf");
    const QString longName = QStringLiteral("/a/") + QString(120, u'n') + QStringLiteral(".pdf");
    const struct {
        QString path;
        QString width; // the width of this text
        QString expected;
    } cases[] = {
        {deep, deep, deep},
        {deep, QStringLiteral("\u2026/eeeee/rapport.pdf"), QStringLiteral("\u2026/eeeee/rapport.pdf")},
        {deep, QStringLiteral("\u2026/eeee/rapport.pdf"), QStringLiteral("\u2026/rapport.pdf")},
        {QStringLiteral("imprimante-de-la-salle-12"), QStringLiteral("imprimante-de-la-salle-12"),
         QStringLiteral("imprimante-de-la-salle-12")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(elidedPath(c.path, fm, fm.horizontalAdvance(c.width)), c.expected)
            << c.width.toStdString();
    // A file name longer than the box on its own loses its middle.
    const QString cut = elidedPath(longName, fm, 200);
    EXPECT_LE(fm.horizontalAdvance(cut), 200);
    EXPECT_TRUE(cut.contains(QStringLiteral("\u2026")));
    EXPECT_TRUE(cut.endsWith(QStringLiteral(".pdf")));
}

namespace {

std::set<std::string> entriesOf(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

} // namespace

// A PDF file is written like a save: a disk that is full or read-only leaves
// the older file byte for byte and no temporary behind, and says so; with
// room, the new document replaces the older one whole.
TEST(Confimp, APdfFileIsReplacedOnlyByACompleteDocument)
{
    struct Case {
        const char* what;
        bool old;      // a file of that name exists
        bool readOnly; // else the disk is full
    };
    const Case cases[] = {
        {"full disk, over an older file", true, false},
        {"full disk, new file", false, false},
        {"read-only disk, over an older file", true, true},
    };
    const std::string old = "%PDF-1.4\n" + std::string(900, 'o') + "\n%%EOF\n";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        titrage::testing::SmallDisk disk;
        if (!disk.mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here (needs root)";
        const std::string path = disk.file("tp.pdf");
        if (c.old) titrage::testing::writeBytes(path, old);
        if (c.readOnly)
            ASSERT_TRUE(disk.remountReadOnly());
        else
            disk.fill();
        const auto before = entriesOf(disk.path());

        MessageRecorder recorder;
        FakeSource source;
        confimp d(source);
        d.printer().setOutputFormat(QPrinter::PdfFormat);
        d.printer().setOutputFileName(QString::fromStdString(path));
        d.Chec[3]->setChecked(true);
        d.Command1->click();

        ASSERT_EQ(recorder.requests().size(), 1u);
        const MessageRequest& m = recorder.requests()[0];
        EXPECT_EQ(m.title, QStringLiteral("Imprimer"));
        EXPECT_EQ(m.text, pdfNotWrittenText(QString::fromStdString(path), c.old));
        EXPECT_EQ(m.icon, MessageIcon::Critical);
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_TRUE(d.Command1->isVisibleTo(&d)) << "the dialog is back for another try";
        EXPECT_EQ(entriesOf(disk.path()), before) << "no temporary or partial file";
        if (c.old)
            EXPECT_EQ(titrage::testing::readBytes(path), old);
        else
            EXPECT_FALSE(std::filesystem::exists(path));

        if (c.readOnly) continue;
        // With room again the same printing lands (it asks for the file anew).
        disk.empty();
        PdfFileAnswers answers({QString::fromStdString(path)});
        d.Command1->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        EXPECT_EQ(pdfPages(QString::fromStdString(path)), 1);
        EXPECT_TRUE(isCompletePdf(titrage::testing::readBytes(path)));
        EXPECT_EQ(entriesOf(disk.path()), std::set<std::string>{"tp.pdf"});
    }
}
