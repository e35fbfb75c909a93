// The method of the two lines, each ion's share of sigma, the measured
// crosses kept over the model curve, the legend of superposed curves, the
// read-outs with values and the export of the table for a spreadsheet.
#include "model/entryvalidation.h"
#include "bench/feuillep.h"
#include "bench/linestool.h"
#include "bench/measuredpoints.h"
#include "bench/parametrespage.h"
#include "graph/core/constructions.h"
#include "graph/core/curvereadout.h"
#include "graph/graphlines.h"
#include "graph/graphview.h"
#include "graph/core/readout.h"
#include "graph/valuetable.h"
#include "model/contributions.h"
#include "model/measurement.h"
#include "model/tableexport.h"
#include "platform/messages.h"
#include "platform/core/numberformat.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QSpinBox>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {

constexpr double kGripDistance = 4; // logical units either side of a marker
constexpr int kMinMeasuredPoints = 2 * kMinPointsPerLine;

QString fromStd(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

// --- The tool ---

LinesTool::LinesTool(feuilleP& bench) : QObject(&bench), m_bench(bench) {}

TwoLineOptions LinesTool::options() const
{
    TwoLineOptions o;
    o.correctDilution = m_bench.Picture3->corrdilution->isChecked();
    o.v0 = m_bench.boxNumber(BoxVsol) + m_bench.boxNumber(BoxWater);
    o.ranges = m_manual;
    return o;
}

std::vector<FitPoint> LinesTool::measuredPoints() const
{
    std::vector<FitPoint> points;
    for (const MeasuredPoint& p : m_bench.measuredPoints(m_bench.m_store.numsit))
        points.push_back({p.volume, p.sigma});
    return points;
}

std::vector<FitPoint> LinesTool::tablePoints() const
{
    // The theoretical titration at the measuring step, on a copy of the model.
    Model model = m_bench.m_model;
    std::vector<FitPoint> points;
    for (const TableRow& r : tabulate(model, m_bench.entries(), m_bench.Picture3->UpDown1->value()))
        points.push_back({r.v, r.sigma});
    return points;
}

void LinesTool::start()
{
    m_manual.reset();
    m_shown = false;
}

void LinesTool::forget()
{
    m_shown = false;
    m_dragging = -1;
}

bool LinesTool::fitAndDraw(bool announce)
{
    const TwoLineOptions o = options();
    // The student's own points when there are enough of them on both sides,
    // else the model's curve at the measuring step.
    const std::vector<FitPoint> measured = measuredPoints();
    m_measured = false;
    TwoLines t;
    if (static_cast<int>(measured.size()) >= kMinMeasuredPoints) {
        t = fitTwoLines(measured, o);
        m_measured = t.failure != BreakFailure::TooFewPoints;
    }
    if (!m_measured) t = fitTwoLines(tablePoints(), o);
    m_fit = t;
    redraw();
    if (!t.found()) {
        m_shown = false;
        if (announce)
            Messages::inform(&m_bench, QString::fromUtf8(kNoBreakTitle),
                             QString::fromUtf8(kNoBreakMessage), MessageIcon::Exclamation);
        return false;
    }
    m_shown = true;
    m_bench.info->setText(
        fromStd(veqText(t.veq, t.uVeq)) +
        (m_measured ? QStringLiteral(" (points mesurés)") : QStringLiteral(" (courbe théorique)")));
    return true;
}

void LinesTool::redraw()
{
    // The graph as "Restaurer" leaves it, then the construction.
    m_bench.Option2_Click(m_bench.m_store.numsit);
    GraphView& g = *m_bench.Picture1;
    Canvas& c = g.canvas();
    if (m_fit.found()) {
        drawTwoLines(c, m_fit, options(), m_bench.m_maxaxe, g.penWidth());
        drawRangeMarkers(c, m_fit.ranges);
    }
    g.update();
}

FitRanges LinesTool::movedRanges(int i, double v) const
{
    FitRanges r = m_fit.ranges;
    double* limits[4] = {&r.before.from, &r.before.to, &r.after.from, &r.after.to};
    const double lo = i > 0 ? *limits[i - 1] : 0.0;
    const double hi = i < 3 ? *limits[i + 1] : kBuretteCapacity;
    *limits[i] = std::clamp(v, lo, hi);
    return r;
}

bool LinesTool::moveMarker(int i, double v)
{
    if (!m_shown || i < 0 || i > 3) return false;
    const std::optional<FitRanges> kept = m_manual;
    m_manual = movedRanges(i, v);
    if (fitAndDraw(true)) return true;
    // Back to the ranges that gave a break.
    m_manual = kept;
    fitAndDraw(false);
    return false;
}

const std::vector<CurveVertex>* LinesTool::currentCurve() const
{
    const int k = m_bench.m_store.numsit;
    if (k < 0 || m_bench.outils->isHidden()) return nullptr;
    QString key = QString::number(m_bench.m_maxaxe) + QLatin1Char('|') +
                  QString::number(m_bench.lbecher->currentIndex()) +
                  (m_bench.acide() ? QLatin1Char('a') : QLatin1Char('b'));
    for (int box : {0, 1, 2, 4, 6})
        key += QLatin1Char('|') + m_bench.Text1[box]->text();
    if (key != m_curveKey) {
        Model model = m_bench.m_model;
        const BenchEntries e = m_bench.entries();
        loadModel(model, e);
        walkCurve(model, e.sigmaInputs(), m_bench.m_maxaxe, m_curve);
        m_curveKey = key;
    }
    return &m_curve;
}

QString LinesTool::readout(QPointF p) const
{
    const GraphReadout r = graphReadout(p.x(), p.y(), m_bench.m_graphetitrage);
    if (!r.inside || !m_bench.m_graphetitrage) return fromStd(r.tooltip);
    if (const auto* curve = currentCurve())
        if (const auto sigma = curveSigmaAt(*curve, (p.x() - 40) / 13))
            return fromStd(sigmaReadout(r.tooltip, *sigma));
    return fromStd(r.tooltip);
}

bool LinesTool::eventFilter(QObject* watched, QEvent* event)
{
    GraphView* g = m_bench.Picture1;
    if (watched != g) return false;
    const auto type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const QPointF p = g->toLogical(mouse->position());
    const double v = std::clamp((p.x() - 40) / 13, 0.0, double(kBuretteCapacity));
    auto nearMarker = [&]() {
        if (!m_shown) return -1;
        const auto xs = markerXs(m_fit.ranges);
        int best = -1;
        double bestD = kGripDistance;
        for (int i = 0; i < 4; ++i)
            if (const double d = std::fabs(xs[i] - p.x()); d <= bestD) {
                best = i;
                bestD = d;
            }
        return best;
    };

    if (type == QEvent::MouseButtonPress) {
        if (mouse->button() != Qt::LeftButton) return false;
        m_dragging = nearMarker();
        return m_dragging >= 0;
    }
    if (type == QEvent::MouseButtonRelease) {
        if (m_dragging < 0) return false;
        const int i = m_dragging;
        m_dragging = -1;
        moveMarker(i, v);
        return true;
    }
    // Mouse move: while a marker is held the status line follows it; the
    // fit is made again where it is released.
    if (m_dragging >= 0) {
        m_bench.info->setText(QStringLiteral("Limite à ") + fromStd(formatNumber(v, "#0.0")) +
                              QStringLiteral(" mL : relâcher pour refaire l'ajustement"));
        return true;
    }
    m_bench.info->setText(QString::fromUtf8(kGraphReadoutInfo));
    const GraphReadout r = graphReadout(p.x(), p.y(), m_bench.m_graphetitrage);
    g->setCursor(nearMarker() >= 0 ? Qt::SizeHorCursor
                                   : (r.inside ? Qt::CrossCursor : Qt::ArrowCursor));
    const QString tip = readout(p);
    g->setToolTip(tip);
    if (tip.isEmpty())
        QToolTip::hideText();
    else if (QToolTip::isVisible())
        QToolTip::showText(g->mapToGlobal(pos), tip, g);
    return true;
}

// --- The bench's side ---

void feuilleP::createLinesTools()
{
    auto button = [this](const char* name, const QString& caption, const QString& tip) {
        auto* b = new QPushButton(caption, outils);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    droites = button("droites", QStringLiteral("Méthode des\ndroites"),
                     QStringLiteral("Méthode des droites"));
    contributions = button("contributions", QStringLiteral("Contributions\ndes ions"),
                           QStringLiteral("Contributions des ions"));
    // Seven buttons in the panel where five stood.
    int y = 24;
    for (QPushButton* b : {Command12, Command9, Command3, image4, image5, droites, contributions}) {
        b->setFont(QFont(QStringLiteral("Arial"), 7));
        b->setGeometry(3, y, 74, 29);
        y += 31;
    }
    connect(droites, &QPushButton::clicked, this, [this] { droites_Click(); });
    connect(contributions, &QPushButton::clicked, this, [this] { contributions_Click(); });

    m_lines = new LinesTool(*this);
    Picture1->installEventFilter(m_lines);

    connect(Picture3->corrdilution, &QCheckBox::clicked, this, [this] {
        if (m_lines->shown()) m_lines->fitAndDraw(true);
    });
    connect(Picture3->conserver, &QCheckBox::clicked, this,
            [this] { Option2_Click(m_store.numsit); });

    QAction* exporter = menucopie->addAction(QStringLiteral("Exporter le tableau…"));
    exporter->setObjectName(QStringLiteral("exportab"));
    connect(exporter, &QAction::triggered, this, [this] { exporterTableau(); });
}

void feuilleP::forgetLines()
{
    if (m_lines) m_lines->forget();
}

void feuilleP::droites_Click()
{
    if (m_store.numsit < 0) return;
    m_lines->start();
    m_lines->fitAndDraw(true);
}

void feuilleP::contributions_Click()
{
    if (m_store.numsit < 0) return;
    Option2_Click(m_store.numsit);
    Model model = m_model;
    const BenchEntries e = entries();
    loadModel(model, e);
    StackedCurve stack;
    walkContributions(model, e.sigmaInputs(), m_maxaxe, stack);
    drawContributions(Picture1->canvas(), stack, m_maxaxe);
    Picture1->drawCurve(stack.vertices, situationColor(m_store.numsit));
    drawKeptPoints();
    info->setText(QStringLiteral("Chaque aire colorée est la part λ·[X] d'un ion : "
                                 "leur somme est la conductivité σ."));
}

void feuilleP::drawKeptPoints()
{
    if (!Picture3->conserver->isChecked() || m_store.numsit < 0 || m_maxaxe == 0.0f) return;
    for (const MeasuredPoint& p : measuredPoints(m_store.numsit))
        Picture1->drawCross(p.volume, p.sigma, m_maxaxe, situationColor(m_store.numsit));
}

void feuilleP::drawCurveLegend()
{
    if (!Picture3->Check1->isChecked()) return;
    std::vector<LegendEntry> legend;
    for (int k = 0; k < kSituations; ++k) {
        const Situation& s = m_store.sit[k];
        if (!s.courbefinie) continue;
        legend.push_back(
            {situationColor(k),
             QStringLiteral("Courbe n° %1 : ").arg(k + 1) + fromStd(soluteName(m_model, s)),
             false});
    }
    if (legend.size() < 2) return;
    Canvas& c = Picture1->canvas();
    const int width = c.penWidth();
    c.setPenWidth(2);
    drawLegend(c, legend, 362, 33);
    c.setPenWidth(width);
    Picture1->update();
}

void feuilleP::writeTangentPoint(const Model& before)
{
    Model model = before;
    const TangentConstruction t = titrage::tangente(model, acide());
    if (t.outcome != TangentOutcome::Complete) return;
    const QString text = fromStd(tangentPointText(t.veq, t.phE));
    Canvas& c = Picture1->canvas();
    c.setForeColor(Qt::black);
    double x = t.e.x + 8;
    if (x + c.textWidth(text) > 363) x = t.e.x - 12 - c.textWidth(text);
    c.printAt(x, std::clamp(t.e.y - c.textHeight() - 2, 32.0, 236.0), text);
    Picture1->update();
    info->setText(text);
}

QString feuilleP::tableTextWithNames() const
{
    QStringList names;
    for (const std::string& n : columnNames(MSFlexGrid1->columns()))
        names << fromStd(n);
    const QString body = MSFlexGrid1->contentsText();
    const qsizetype firstLine = body.indexOf(QLatin1Char('\n'));
    return names.join(QLatin1Char('\t')) + (firstLine >= 0 ? body.mid(firstLine) : QString());
}

void feuilleP::exporterTableau()
{
    QFileDialog dialog(this, QStringLiteral("Exporter le tableau"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Tableau pour tableur (*.csv)"));
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Dossier :"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Nom du fichier :"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Type :"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Enregistrer"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    dialog.selectFile(QStringLiteral("tableau.csv"));
    if (Messages::execDialog(dialog) != QDialog::Accepted) return;
    QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) path += QStringLiteral(".csv");

    ExportSituation s;
    s.number = m_store.numsit + 1;
    s.acide = acide();
    s.solute = lbecher->currentText().toStdString();
    s.concentration = Text1[0]->text().toStdString();
    s.masked = Picture3->masquer->isChecked();
    s.vsol = Text1[4]->text().toStdString();
    s.veau = Text1[6]->text().toStdString();
    s.cburette = Text1[1]->text().toStdString();
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < MSFlexGrid1->measurementRows(); ++r) {
        std::vector<std::string> cells;
        for (int col = 0; col < MSFlexGrid1->columns(); ++col)
            cells.push_back(MSFlexGrid1->cellText(r, col).toStdString());
        rows.push_back(std::move(cells));
    }
    const std::string csv =
        csvTable(exportParameters(s), columnNames(MSFlexGrid1->columns()), rows);

    // Written whole or not at all: the old file stays until the new one is complete.
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly) &&
                         file.write(csv.data(), static_cast<qint64>(csv.size())) ==
                             static_cast<qint64>(csv.size()) &&
                         file.flush() && file.commit();
    if (!written) {
        file.cancelWriting();
        Messages::inform(this, QStringLiteral("Exportation impossible"),
                         QStringLiteral("Ecriture impossible sur disque"), MessageIcon::Critical);
        return;
    }
    info->setText(QStringLiteral("Le tableau est exporté dans ") + path);
}

} // namespace titrage
