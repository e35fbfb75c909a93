// The main window: construction of the controls, their layout, the start-up
// sequence and the small helpers the routines share.
#include "bench/feuillep.h"

#include "bench/accessiblenames.h"
#include "bench/apparatusview.h"
#include "bench/benchbutton.h"
#include "bench/core/indicators.h"
#include "bench/graphtoolspanel.h"
#include "bench/hovertexts.h"
#include "bench/linestool.h"
#include "bench/parameterpanel.h"
#include "bench/parametrespage.h"
#include "bench/situationsbar.h"
#include "bench/tabstrip.h"
#include "bench/tappicture.h"
#include "exercises/fichexo.h"
#include "exercises/introduction.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
#include "model/measurement.h"
#include "platform/core/numberformat.h"
#include "platform/coretext.h"
#include "platform/datafolder.h"
#include "platform/layoutscaler.h"
#include "platform/windowicon.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace titrage {

namespace {
constexpr int kWindowHeight = 600;
const QRect kStripRect(268, 6, 524, 20);
const QRect kPageRect(272, 30, 516, 292);
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
    installHoverTexts();
    installAccessibleNames();
    Form_Load();
    installView();
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
    createSituationControls();
    createWindowButtons();

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
    Onglets = new TabStrip(this);

    frame2 = new ParameterPanel(this);
    for (EntryBox box : {BoxConcentration, BoxPka, BoxSpare, BoxVsol, BoxPoured, BoxWater})
        Text1[box]->setParent(frame2);
    Text1[BoxSpare]->hide(); // the spare entry stays outside the visible panel
    frame2->createControls();
    Option1 = frame2->Option1;
    lbecher = frame2->lbecher;
    lindic = frame2->lindic;
    command5 = frame2->command5;
    Label1 = frame2->Label1;
    Label1->installEventFilter(this);

    graphPage = new QWidget(this);
    graphPage->setObjectName(QStringLiteral("graphPage"));
    graphPage->setAutoFillBackground(true);
    Picture1 = new GraphView(graphPage);
    Picture1->setMouseTracking(true);
    // Its buttons come with the tools (see createGraphTools).
    outils = m_tools = new GraphToolsPanel(graphPage);
    labout = m_tools->caption();
    outils->hide();

    Picture5 = new QWidget(this);
    Picture5->setObjectName(QStringLiteral("Picture5"));
    MSFlexGrid1 = new ValueTable(Picture5);

    Picture3 = new ParametresPage(this);

    Histo = new QTextEdit(this);
    Histo->setObjectName(QStringLiteral("Histo"));
    Histo->setReadOnly(true);
}

void feuilleP::createSituationControls()
{
    m_situations = new SituationsBar(*this);
    Option2 = m_situations->Option2;
    Shape3 = m_situations->Shape3;
}

void feuilleP::createWindowButtons()
{
    Command1 = makeButton(this, "Command1", tr("&Fermer"), tr("Quitter cette application"));
    Command7 =
        makeButton(this, "Command7", tr("&Aide"), tr("Aide pour utiliser cette application"));
    Command8 = makeButton(this, "Command8", tr("&Calculatrice"), tr("calculer"));
    Command10 = makeButton(this, "Command10", tr("&Imprimer"), tr("Imprimer l'image"));
    Command4 =
        makeButton(this, "Command4", tr("Co&pier"), tr("Placer l'image dans le presse-papiers"));
    Command11 = makeButton(this, "Command11", tr("&Enregistrer"),
                           tr("Enregistrer la configuration actuelle"));
    Command2 = makeButton(this, "Command2", tr("&Ouvrir"), tr("Retrouver une configuration"));
    btexo = makeButton(this, "btexo", tr("E&xercices"), tr("Exercices"));
}

void feuilleP::layoutControls()
{
    picburette->move(0, 0);
    Onglets->setGeometry(kStripRect);
    for (QWidget* page : {static_cast<QWidget*>(frame2), graphPage, Picture5,
                          static_cast<QWidget*>(Picture3), static_cast<QWidget*>(Histo)})
        page->setGeometry(kPageRect);
    MSFlexGrid1->setGeometry(0, 0, kPageRect.width(), kPageRect.height());
    Picture1->move(0, 0);
    // The tool panel stands right of the 25 mL line, above the abscissa title.
    outils->setGeometry(kPageRect.width() - 80, 0, 80, 244);

    frame2->setPkaShown(false);
    frame2->layoutControls();
    Text1[BoxPka]->setGeometry(frame2->controlRect(ParameterPanel::Pka));
    Text1[BoxConcentration]->setGeometry(frame2->controlRect(ParameterPanel::Concentration));
    Text1[BoxVsol]->setGeometry(frame2->controlRect(ParameterPanel::Vsol));
    Text1[BoxWater]->setGeometry(frame2->controlRect(ParameterPanel::Water));
    Text1[BoxPoured]->setGeometry(frame2->controlRect(ParameterPanel::Poured));
    Text1[BoxSpare]->setGeometry(-200, -200, 10, 10);

    m_situations->layout(kSituationLeft, kSituationTop, kSituationStep);

    supertext->setGeometry(268, 430, kButtonColumn - 278, 126);
    m_exercises->fich()->setGeometry(268, 411, kButtonColumn - 278, 17);
    int by = 338;
    for (QPushButton* b :
         {Command1, Command7, Command8, Command10, Command4, Command11, Command2, btexo}) {
        b->setGeometry(kButtonColumn, by, 792 - kButtonColumn, 24);
        by += 27;
    }
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

    // 2. Size and place; the window may then be resized (see installView).
    placeWindow();

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
    fillSoluteList();
    {
        const QSignalBlocker blocker(lindic);
        lindic->clear();
        for (const std::string& name : indicatorNames())
            lindic->addItem(coreText("Indicators", name));
        lindic->setCurrentIndex(0);
    }
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

void feuilleP::fillSoluteList()
{
    const QSignalBlocker blocker(lbecher);
    lbecher->clear();
    for (const std::string& name : solutenames(m_state.model(), acide()))
        lbecher->addItem(coreText("Catalogue", name));
    lbecher->setCurrentIndex(0);
}

bool feuilleP::acide() const
{
    return !Option1[1]->isChecked();
}

bool feuilleP::conductimetre() const
{
    return Picture3->optscema[1]->isChecked();
}

float feuilleP::boxNumber(EntryBox box, float fallback) const
{
    return m_entries->number(box, fallback);
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

EntryTexts feuilleP::entryTexts() const
{
    return m_entries->texts();
}

float feuilleP::poured() const
{
    return boxNumber(BoxPoured);
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
    return s;
}

void feuilleP::setPoured(const QString& text)
{
    Text1[BoxPoured]->setText(text);
    Labelbur->setText(text + QStringLiteral(" mL"));
}

void feuilleP::validatePendingEntries()
{
    m_entries->validatePending();
}

void feuilleP::lockEntries(bool locked)
{
    m_entries->lock(locked);
}

QColor feuilleP::situationColor(int k) const
{
    return m_situations->colour(k);
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
    p.setPen(QColor(128, 128, 128));
    p.setBrush(QColor(210, 205, 200));
    p.drawRect(kPageRect.adjusted(-4, -4, 3, 3));
    // Shadow of the exercise text box.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(128, 128, 128));
    p.drawRect(designGeometry(supertext).translated(3, 3));
    m_situations->paintDots(p);
}

} // namespace titrage
