#pragma once
// The main window: the titration bench. The entry boxes `Text1` are the
// authoritative parameters; every change ends in `majaff` (refresh of the
// measurement) or `reinitialise` (restart of the titration), and the routines
// keep the names and the order of effects that the rest of the program knows.
// The state lives in `BenchState`; the burette, the entry boxes, the pages
// and what the titration draws on them, the situations bar, the graph's
// tools, the window's buttons and its scaled view are classes of their own,
// which this window builds and wires together; the controls' pointers here
// point at what they made.

#include "bench/benchcopies.h"
#include "bench/benchcurves.h"
#include "bench/benchpages.h"
#include "bench/benchview.h"
#include "bench/burettecontrols.h"
#include "bench/core/benchstate.h"
#include "bench/entryboxes.h"
#include "bench/graphtool.h"
#include "bench/situationsbar.h"
#include "config/configbench.h"
#include "exercises/exercisehost.h"
#include "model/model.h"
#include "printing/printsource.h"

#include <QWidget>

#include <array>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QTimer;

namespace titrage {

class ApparatusView;
class BuretteControls;
class Fichexo;
class HoverTexts;
class LinesTool;
class MixturePanel;
class TapPicture;
class WindowCommands;
struct SceneState;

class feuilleP : public QWidget,
                 public ConfigBench,
                 public PrintSource,
                 public ExerciseHost,
                 private BuretteHost,
                 private GraphToolHost,
                 private EntryHost,
                 private CopyHost,
                 private CurvesHost {
    Q_OBJECT

public:
    // `programFolder` holds the marker file and the shipped data; empty: the
    // folder of the executable.
    explicit feuilleP(QString programFolder = {}, QWidget* parent = nullptr);
    ~feuilleP() override;

    // --- Controls, named as the rest of the program knows them ---
    std::array<QLineEdit*, 7> Text1{};
    std::array<QRadioButton*, 2> Option1{};
    QComboBox* lbecher = nullptr;
    QComboBox* lindic = nullptr;
    QPushButton* command5 = nullptr;
    QLabel* Label1 = nullptr;
    ParameterPanel* frame2 = nullptr;

    ApparatusView* picburette = nullptr;
    TapPicture* Image3 = nullptr;
    QPushButton* Image1 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command13 = nullptr;
    QPushButton* Command14 = nullptr;
    QLabel* Labelbur = nullptr;
    QLabel* LabelpH = nullptr;

    TabStrip* Onglets = nullptr;
    GraphView* Picture1 = nullptr;
    QWidget* Picture5 = nullptr;
    ValueTable* MSFlexGrid1 = nullptr;
    ParametresPage* Picture3 = nullptr;
    QTextEdit* Histo = nullptr;
    QWidget* graphPage = nullptr;

    QFrame* outils = nullptr;
    QPushButton* Command12 = nullptr; // "Effacer"
    QPushButton* Command9 = nullptr;  // "Restaurer"
    QPushButton* Command3 = nullptr;  // "Diagramme de distribution"
    QPushButton* image4 = nullptr;    // "Méthode des tangentes"
    QPushButton* image5 = nullptr;    // "Courbe dérivée"
    QLabel* labout = nullptr;
    QPushButton* droites = nullptr;       // "Méthode des droites"
    QPushButton* contributions = nullptr; // "Contributions des ions"
    QComboBox* vuegraphe = nullptr;       // the graph's view: σ, pH, or both

    std::array<QRadioButton*, kSituations> Option2{};
    QFrame* Shape3 = nullptr;

    QPushButton* Command1 = nullptr;  // "&Fermer"
    QPushButton* Command7 = nullptr;  // "&Aide"
    QPushButton* Command8 = nullptr;  // "&Calculatrice"
    QPushButton* Command10 = nullptr; // "&Imprimer"
    QPushButton* Command4 = nullptr;  // "Co&pier"
    QPushButton* Command11 = nullptr; // "&Enregistrer"
    QPushButton* Command2 = nullptr;  // "&Ouvrir"
    QPushButton* btexo = nullptr;

    QTextEdit* supertext = nullptr;
    QLabel* info = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // --- Shared state of the bench ---
    BenchState& state() override { return m_state; }
    Model& model() { return m_state.model(); }
    SituationStore& store() { return m_state.store(); }
    float sigmamax() const { return m_state.sigmamax(); }
    float maxaxe() const { return m_state.maxaxe(); }
    bool graphetitrage() const { return m_state.graphetitrage(); }
    int etapegoutte() const { return m_state.etapegoutte(); }
    // pH of the last measurement shown, which colours the liquid.
    double measuredPh() const { return m_state.measuredPh(); }

    // --- Routines of the bench ---
    void majaff() override;
    void niveaubecher() override;
    void imafond();
    void reinitialise() override { m_curves->reinitialise(); }
    void valimax() { m_curves->valimax(); }
    void placepoint() override { m_curves->placepoint(); }
    void recatab() { m_curves->recatab(); }
    void tracecourbe() override { m_curves->tracecourbe(); }
    void redessine() { m_curves->redessine(); }
    void tabule() { m_curves->tabule(); }
    void retablir();
    void writeMarker(bool running);

    // --- Event handlers, as the controls trigger them ---
    // Validates box `box` (its rule, corrections and messages). With
    // `onlyIfChanged`, the titration restarts only when the validated value
    // differs from the one the bench was using: the student's own validations
    // (Enter, leaving the box, an action that needs the bench) go that way.
    void Text1_LostFocus(int box, bool onlyIfChanged = false) override;
    // Validates every box the student has typed into since the bench last set
    // it, before anything that pours, switches, saves, prints or copies.
    void validatePendingEntries() override { m_entries->validatePending(); }
    // Page changes, the tap and the drop from the keyboard (see the help page).
    void installKeyboardDriving();
    void orderKeyboardFocus();
    void keepNatureTabStop();
    void Option1_Click(int index);
    void lbecher_Click();
    void lindic_Click();
    void masquer_Click();
    void command5_Click();
    void Label1_Click();
    void Option2_Click(int k) { selectSituationSlot(k, true); }
    // The burette's handlers (see BuretteControls).
    void Image3_MouseDown() { m_burette->Image3_MouseDown(); }
    void Image3_MouseUp() { m_burette->Image3_MouseUp(); }
    void Image3_Click() { m_burette->Image3_Click(); }
    void Timer1_Timer() { m_burette->Timer1_Timer(); }
    void Image1_Click() { m_burette->Image1_Click(); }
    void Timer2_Timer() { m_burette->Timer2_Timer(); }
    void Command6_Click() { m_burette->Command6_Click(); }
    void Command13_Click() { m_burette->Command13_Click(); }
    void Command14_Click() { m_burette->Command14_Click(); }
    void optscema_Click(int index);
    // The export of the table for a spreadsheet or Python; a class's
    // measurements imported, and the concentration fitted on them.
    void exporterTableau() override;
    void importerMesures() override;
    void ajusterConcentration() override;
    LinesTool* linesTool() const { return m_lines; }
    void Form_Activate();

    void prepaima() { m_copies->prepaima(); }
    // The confirmation the status line shows after a copy.
    static QString msgcopie() { return BenchCopies::msgcopie(); }

    // --- What saving and opening a configuration ask of the bench ---
    QWidget* benchWindow() override { return this; }
    const SituationStore& situationStore() const override { return m_state.store(); }
    void selectSituation(int k) override { Option2_Click(k); }
    void restoreSituation(int k) override { selectSituationSlot(k, false); }
    void replaceSituations(const std::array<Situation, kSituations>& situations) override
    {
        m_state.replaceSituations(situations);
    }
    bool isTicked(ConfigCheck box) const override;
    void setTicked(ConfigCheck box, bool ticked) override;
    QString nomfichier() const override { return m_nomfichier; }
    void setNomfichier(const QString& path) override { m_nomfichier = path; }
    void setBenchTitle(const QString& title) override { setWindowTitle(title); }
    QString shippedFolder() const override { return m_programFolder; }

    // --- What printing asks of the bench ---
    QWidget* printWindow() override { return this; }
    QImage illustrationForPrint() override { return m_copies->illustration(); }
    void restoreIllustration() override; // and CopyHost's
    QImage graphPicture() override { return m_copies->graphPicture(); }
    QImage tablePicture() override { return m_copies->tablePicture(); }
    int tableHeaderHeight() const override;
    int tableRowHeight() const override;
    const SituationStore& situations() const override { return m_state.store(); }
    const Model& catalogue() const override { return m_state.model(); }
    QColor situationColour(int k) const override { return situationColor(k); }

    // --- What the exercises ask of the bench ---
    QWidget* exerciseWindow() override { return this; }
    QTextEdit& exerciseText() override { return *supertext; }
    ConfigBench& configBench() override { return *this; }
    QString programFolder() const override { return m_programFolder; }
    std::optional<double> hiddenConcentration() const override;
    Fichexo* exercises() const { return m_exercises; }

    // The points measured so far in situation k, kept while the student
    // switches situations, pages or options, until the titration restarts.
    const std::vector<MeasuredPoint>& measuredPoints(int k) const
    {
        return m_state.measuredPoints(k);
    }

    // The colour of situation k's curve and crosses.
    QColor situationColor(int k) const { return m_situations->colour(k); }
    // Lock or unlock every entry box (read-only while the tap is open).
    void lockEntries(bool locked) override { m_entries->lock(locked); }

    // "Vue projecteur": full screen, or back.
    void setProjectorView(bool on) { m_view->setProjectorView(on); }
    // A control's place in the window's design units (800 x 600), whatever
    // the size the window is shown at.
    QRect designGeometry(const QWidget* control) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // --- What the burette, the graph's tools and the boxes ask of the bench ---
    QWidget& benchWidget() override { return *this; }
    float poured() const override { return boxNumber(BoxPoured); }
    void setPoured(const QString& text) override;
    void typePoured(const QString& text) override;
    int measuringStep() const override;
    void restoreGraph() override { Option2_Click(m_state.current()); }
    void hideTools() override;
    BenchEntries entries() const override;
    EntryTexts entryTexts() const override { return m_entries->texts(); }
    GraphView& graph() override { return *Picture1; }
    const ParametresPage& parametres() const override { return *Picture3; }
    void showStatus(const QString& text) override;
    QColor currentColour() const override { return situationColor(m_state.current()); }
    bool curveShown() const override;
    void clearCurve() override { retablir(); }
    void redrawFinishedCurves() override { redessine(); }
    // The kept crosses over the model curve.
    void drawKeptPoints() override { m_curves->drawKeptPoints(); }
    bool closing() const override { return m_closing; }

    void createControls();
    void createBenchControls();
    void createPages();
    void createCopyMenu();
    void createGraphTools();
    void connectSolution(); // "Solutions réelles" and "Température" (feuillep_parameters.cpp)
    void layoutControls();
    void connectHandlers();
    void installHoverTexts();
    void Form_Load();
    void placeOverlays();
    void refreshPanel()
    {
        m_pages->refreshPanel();
        hideUnderMixture();
    }
    // The nature "Mélange ou précipitation" (see feuillep_mixture.cpp).
    void createMixturePanel();
    void mixtureNature_Click();
    void mixture_Changed();
    // The bench takes `mixture`, or goes back to a single couple.
    void showMixture(const std::optional<Mixture>& mixture);
    void hideUnderMixture();
    void majaffMixture();
    // The pH-meter and the graph's view (see feuillep_phmetre.cpp).
    void createPhControls();
    void phmetre_Click();
    void vuegraphe_Click(int index);
    // The pH-meter's display shows the last measurement.
    void phMeterChanged();
    void storeSituation(int k);
    void selectSituationSlot(int k, bool storeCurrent);

    SceneState sceneState() const;
    float boxNumber(EntryBox box, float fallback = 0.0f) const
    {
        return m_entries->number(box, fallback);
    }
    bool conductimetre() const { return m_pages->conductimetre(); }
    bool acide() const { return m_pages->acide(); }

    QString m_programFolder;
    QString m_markerFolder; // the program's folder, or the user's when it is read-only
    BenchState m_state;
    bool m_closing = false;
    EntryBoxes* m_entries = nullptr;
    BuretteControls* m_burette = nullptr;
    SituationsBar* m_situations = nullptr;
    BenchPages* m_pages = nullptr;
    BenchCurves* m_curves = nullptr;
    GraphToolsPanel* m_tools = nullptr;
    WindowCommands* m_commands = nullptr;
    BenchView* m_view = nullptr;
    QString m_nomfichier;
    BenchCopies* m_copies = nullptr;
    HoverTexts* m_hover = nullptr;
    Fichexo* m_exercises = nullptr;
    LinesTool* m_lines = nullptr;
    MixturePanel* m_mixturePanel = nullptr;
};

} // namespace titrage
