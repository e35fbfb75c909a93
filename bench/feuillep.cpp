// The main window: construction of the controls, their layout, the start-up
// sequence and the small helpers the routines share.
#include "bench/feuillep.h"

#include "bench/accessiblenames.h"
#include "bench/apparatusview.h"
#include "bench/core/indicators.h"
#include "bench/graphtoolspanel.h"
#include "bench/hovertexts.h"
#include "bench/linestool.h"
#include "bench/mixturepanel.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "bench/tabstrip.h"
#include "bench/windowcommands.h"
#include "exercises/fichexo.h"
#include "exercises/introduction.h"
#include "model/measurement.h"
#include "platform/core/numberformat.h"
#include "platform/datafolder.h"
#include "platform/layoutscaler.h"
#include "platform/windowicon.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {
constexpr int kWindowHeight = 600;
constexpr int kSituationLeft = 282;
constexpr int kSituationStep = 86;
constexpr int kButtonColumn = 716;
constexpr int kSituationTop = 348;

} // namespace

feuilleP::feuilleP(QString programFolder, QWidget* parent)
    : QWidget(parent), m_programFolder(std::move(programFolder))
{
    if (m_programFolder.isEmpty()) m_programFolder = dataFolder();
    m_markerFolder = markerFolder(m_programFolder);
    setWindowIcon(titrageIcon());
    // Quitting without the window's close (a termination signal) still tells
    // the launcher that the bench is gone.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { writeMarker(false); });
    setObjectName(QStringLiteral("feuilleP"));
    setWindowTitle(tr("Titrage conductimétrique"));
    setMouseTracking(true);
    setFont(QFont(QStringLiteral("Arial"), 9));
    createControls();
    layoutControls();
    connectHandlers();
    createGraphTools();
    connectSolution();
    installHoverTexts();
    installAccessibleNames();
    Form_Load();
    m_view = new BenchView(*this);
    orderKeyboardFocus();
}

feuilleP::~feuilleP()
{
    // The graph's tool reads the bench's state: it stops listening before
    // the state goes, since the graph itself outlives this destructor's body.
    if (m_lines) m_lines->stopListening();
}

void feuilleP::createControls()
{
    createBenchControls();
    createPages();
    m_situations = new SituationsBar(*this);
    Option2 = m_situations->Option2;
    Shape3 = m_situations->Shape3;
    m_curves = new BenchCurves(*this, m_state, *m_pages, *m_entries, *m_situations, this);
    m_commands = new WindowCommands(*this);
    Command1 = m_commands->Command1;
    Command7 = m_commands->Command7;
    Command8 = m_commands->Command8;
    Command10 = m_commands->Command10;
    Command4 = m_commands->Command4;
    Command11 = m_commands->Command11;
    Command2 = m_commands->Command2;
    btexo = m_commands->btexo;

    info = new QLabel(this);
    info->setObjectName(QStringLiteral("info"));
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    info->setFrameShape(QFrame::Panel);
    info->setFrameShadow(QFrame::Sunken);

    supertext = new QTextEdit(this);
    supertext->setObjectName(QStringLiteral("supertext"));

    m_burette->createTimers();
    Timer1 = m_burette->Timer1;
    Timer2 = m_burette->Timer2;
    createCopyMenu();
    m_exercises = new Fichexo(*this, this);
    m_commands->connectTargets({m_entries, this, this, m_copies, m_exercises, m_programFolder});
}

void feuilleP::createBenchControls()
{
    picburette = new ApparatusView(this);
    m_entries = new EntryBoxes(*this, *this);
    Text1 = m_entries->Text1;
    m_burette = new BuretteControls(*this, *picburette, *this);
    Image3 = m_burette->Image3;
    Image1 = m_burette->Image1;
    Command6 = m_burette->Command6;
    Command13 = m_burette->Command13;
    Command14 = m_burette->Command14;
    Labelbur = m_burette->Labelbur;
    LabelpH = m_burette->LabelpH;
    Text1[BoxBurette]->setParent(picburette);
}

void feuilleP::createPages()
{
    m_pages = new BenchPages(*this, Text1);
    Onglets = m_pages->Onglets;
    frame2 = m_pages->frame2;
    Option1 = frame2->Option1;
    lbecher = frame2->lbecher;
    lindic = frame2->lindic;
    command5 = frame2->command5;
    Label1 = frame2->Label1;
    Label1->installEventFilter(this);
    createMixturePanel();
    graphPage = m_pages->graphPage;
    Picture1 = m_pages->Picture1;
    outils = m_tools = m_pages->outils;
    labout = m_tools->caption();
    Picture5 = m_pages->Picture5;
    MSFlexGrid1 = m_pages->MSFlexGrid1;
    Picture3 = m_pages->Picture3;
    Histo = m_pages->Histo;
}

void feuilleP::layoutControls()
{
    picburette->move(0, 0);
    m_pages->layout();
    m_mixturePanel->layout(Option1);
    m_situations->layout(kSituationLeft, kSituationTop, kSituationStep);

    supertext->setGeometry(268, 430, kButtonColumn - 278, 126);
    m_exercises->fich()->setGeometry(268, 411, kButtonColumn - 278, 17);
    m_commands->layout(kButtonColumn, 338, 792 - kButtonColumn);
    info->setGeometry(4, 562, 792, 34);
    placeOverlays();
}

void feuilleP::placeOverlays()
{
    m_burette->placeOverlays();
    Text1[BoxBurette]->setGeometry(picburette->overlayRect(Overlay::BuretteConcentration));
}

void feuilleP::Form_Load()
{
    // 1. The launcher learns that the bench is running.
    writeMarker(true);

    // 2. Size and place; the window may then be resized (see BenchView).
    BenchView::placeWindow(*this);

    // 3. Status line.
    info->setText(HoverTexts::welcome());
    // 4. Introduction.
    paintIntroduction(*supertext);
    // 5. Situation captions.
    m_situations->setCaptions();
    // 6. Defaults.
    const EntryTexts defaults = entriesOf(Situation{});
    for (int box = 0; box < kEntryBoxes; ++box)
        Text1[box]->setText(QString::fromStdString(defaults[static_cast<std::size_t>(box)]));
    Labelbur->setText(Text1[BoxPoured]->text() + QStringLiteral(" mL"));
    // 7. Every slot holds the default situation; none is current yet.
    m_state.resetSituations();
    // 8. Panel, scene, catalogue, indicators.
    {
        const QSignalBlocker b0(Option1[0]);
        Option1[0]->setChecked(true);
    }
    initcatalogue(m_state.model());
    m_pages->fillSoluteList(m_state.model());
    m_pages->fillIndicatorList();
    m_mixturePanel->fill(m_state.model());
    imafond();
    // 9. Situation 1.
    Option2_Click(0);
    // 10. Tabs (every page laid out once, "Dans le bécher" in front), level.
    for (int k : {3, 2, 4, 1})
        Onglets->setOngletactif(k);
    refreshPanel();
    niveaubecher();
    // 11. Measurement, step, restart.
    majaff();
    Picture3->UpDown1->setValue(5);
    reinitialise();
}

QRect feuilleP::designGeometry(const QWidget* control) const
{
    const LayoutScaler* s = LayoutScaler::of(this);
    return s ? s->designGeometry(control) : control->geometry();
}

BenchEntries feuilleP::entries() const
{
    BenchEntries e;
    e.acide = acide();
    e.position = lbecher->currentIndex();
    e.c = parseFloat(Text1[BoxConcentration]->text().toStdString());
    e.cburette = parseFloat(Text1[BoxBurette]->text().toStdString());
    e.vsol = parseFloat(Text1[BoxVsol]->text().toStdString());
    e.vverse = parseFloat(Text1[BoxPoured]->text().toStdString());
    e.veau = parseFloat(Text1[BoxWater]->text().toStdString());
    return e;
}

void feuilleP::typePoured(const QString& text)
{
    Text1[BoxPoured]->setText(text);
    Text1_LostFocus(BoxPoured);
}

int feuilleP::measuringStep() const
{
    return Picture3->UpDown1->value();
}

void feuilleP::hideTools()
{
    outils->hide();
}

bool feuilleP::curveShown() const
{
    return !outils->isHidden();
}

void feuilleP::showStatus(const QString& text)
{
    info->setText(text);
}

SceneState feuilleP::sceneState() const
{
    SceneState s;
    s.burette = Picture3->optscema[0]->isChecked();
    s.conductimetre = conductimetre();
    s.acide = acide();
    s.vsol = boxNumber(BoxVsol);
    s.veau = boxNumber(BoxWater);
    s.vpoured = boxNumber(BoxPoured);
    s.liquid = indicatorColour(lindic->currentIndex(), m_state.measuredPh());
    s.tapOpen = Timer1->isActive();
    s.phmetre = m_state.phMetre();
    s.phText = QString::fromStdString(phMeterText(m_state.measuredPh()));
    if (const auto& m = m_state.mixture()) {
        s.mixTitrant = static_cast<int>(m->titrant);
        s.cloudiness = cloudiness(m_state.lastMixPoint(), s.vsol + s.veau + s.vpoured);
    }
    return s;
}

void feuilleP::setPoured(const QString& text)
{
    Text1[BoxPoured]->setText(text);
    Labelbur->setText(text + QStringLiteral(" mL"));
}

void feuilleP::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const LayoutScaler* scaler = LayoutScaler::of(this);
    const qreal s = scaler ? scaler->scale() : 1.0;
    const QPoint offset = scaler ? scaler->offset() : QPoint();
    // Background: white at the top to RGB(200, 200, 180) at the bottom, over
    // the whole window (the bars beside a scaled bench continue it).
    for (int y = 0; y < std::max(height(), kWindowHeight + 1); ++y) {
        const double d = std::clamp((y - offset.y()) / s, 0.0, double(kWindowHeight));
        const int g = static_cast<int>(std::nearbyint(255 - (std::floor(d) / 600.0) * 55));
        const int b = static_cast<int>(std::nearbyint(255 - (std::floor(d) / 600.0) * 75));
        p.setPen(QColor(g, g, b));
        p.drawLine(0, y, width(), y);
    }
    p.translate(offset);
    p.scale(s, s);
    // Frame of the page area under the tab strip.
    BenchPages::paintFrame(p);
    // Shadow of the exercise text box.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 128));
    p.drawRect(designGeometry(supertext).translated(3, 3));
    m_situations->paintDots(p);
}

} // namespace titrage
