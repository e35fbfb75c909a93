#pragma once
// The main window: the titration bench. The entry boxes `Text1` are the
// authoritative parameters; every change ends in `majaff` (refresh of the
// measurement) or `reinitialise` (restart of the titration), and the routines
// keep the names and the order of effects that the rest of the program knows.

#include "config/configbench.h"
#include "exercises/exercisehost.h"
#include "model/curve.h"
#include "model/model.h"
#include "model/situations.h"
#include "bench/measuredpoints.h"
#include "printing/printsource.h"

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTextEdit;
class QTimer;

namespace titrage {

class ApparatusView;
class GraphView;
class ParameterPanel;
class ParametresPage;
class TabStrip;
class TapPicture;
class ValueTable;
struct BenchEntries;
struct SceneState;

class HelpViewer;
class LinesTool;
class Machine;

class Fichexo;

class feuilleP : public QWidget, public ConfigBench, public PrintSource, public ExerciseHost {
    Q_OBJECT
    friend class LinesTool;

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
    Model& model() { return m_model; }
    SituationStore& store() { return m_store; }
    float sigmamax() const { return m_sigmamax; }
    float maxaxe() const { return m_maxaxe; }
    bool graphetitrage() const { return m_graphetitrage; }
    int etapegoutte() const { return m_etapegoutte; }
    // pH of the last measurement shown, which colours the liquid.
    double measuredPh() const { return m_measuredPh; }

    // --- Routines of the bench ---
    void majaff();
    void niveaubecher();
    void imafond();
    void reinitialise();
    void valimax();
    void placepoint();
    void recatab();
    void tracecourbe();
    void redessine();
    void tabule();
    void retablir();
    void writeMarker(bool running);

    // --- Event handlers, as the controls trigger them ---
    // Validates box `box` (its rule, corrections and messages). With
    // `onlyIfChanged`, the titration restarts only when the validated value
    // differs from the one the bench was using: the student's own validations
    // (Enter, leaving the box, an action that needs the bench) go that way.
    void Text1_LostFocus(int box, bool onlyIfChanged = false);
    // Validates every box the student has typed into since the bench last set
    // it, before anything that pours, switches, saves, prints or copies.
    void validatePendingEntries();
    // Page changes, the tap and the drop from the keyboard (see the help page).
    void installKeyboardDriving();
    void orderKeyboardFocus();
    void keepSituationTabStop();
    void Option1_Click(int index);
    void lbecher_Click();
    void lindic_Click();
    void masquer_Click();
    void command5_Click();
    void Label1_Click();
    void Option2_Click(int k);
    void Image3_MouseDown();
    void Image3_MouseUp();
    void Image3_Click();
    void Timer1_Timer();
    void Image1_Click();
    void Timer2_Timer();
    void Command6_Click();
    void Command13_Click();
    void Command14_Click();
    void Command12_Click();
    void Command9_Click();
    void optscema_Click(int index);
    void Command3_Click();
    void tangente();
    // The method of the two lines, the ions' shares and the export of the table.
    void droites_Click();
    void contributions_Click();
    void exporterTableau();
    LinesTool* linesTool() const { return m_lines; }
    void btderive();
    void Form_Activate();

    void Command4_Click();
    void prepaima();
    // The confirmation the status line shows after a copy.
    static const QString& msgcopie();
    void Command7_Click();
    void Command8_Click();
    void Command11_Click();
    void Command2_Click();

    // --- What saving and opening a configuration ask of the bench ---
    QWidget* benchWindow() override { return this; }
    const SituationStore& situationStore() const override { return m_store; }
    void selectSituation(int k) override { Option2_Click(k); }
    void restoreSituation(int k) override;
    void replaceSituations(const std::array<Situation, kSituations>& situations) override;
    bool isTicked(ConfigCheck box) const override;
    void setTicked(ConfigCheck box, bool ticked) override;
    QString nomfichier() const override { return m_nomfichier; }
    void setNomfichier(const QString& path) override { m_nomfichier = path; }
    void setBenchTitle(const QString& title) override { setWindowTitle(title); }
    QString shippedFolder() const override { return m_programFolder; }

    // --- What printing asks of the bench ---
    void Command10_Click();
    QWidget* printWindow() override { return this; }
    QImage illustrationForPrint() override;
    void restoreIllustration() override;
    QImage graphPicture() override;
    QImage tablePicture() override;
    int tableHeaderHeight() const override;
    int tableRowHeight() const override;
    const SituationStore& situations() const override { return m_store; }
    const Model& catalogue() const override { return m_model; }
    QColor situationColour(int k) const override { return situationColor(k); }

    // --- What the exercises ask of the bench ---
    QWidget* exerciseWindow() override { return this; }
    QTextEdit& exerciseText() override { return *supertext; }
    ConfigBench& configBench() override { return *this; }
    QString programFolder() const override { return m_programFolder; }
    Fichexo* exercises() const { return m_exercises; }

    // The points measured so far in situation k, kept while the student
    // switches situations, pages or options, until the titration restarts.
    const std::vector<MeasuredPoint>& measuredPoints(int k) const;

    // The colour of situation k's curve and crosses.
    QColor situationColor(int k) const;
    // Lock or unlock every entry box (read-only while the tap is open).
    void lockEntries(bool locked);

    // "Vue projecteur": full screen, or back.
    void setProjectorView(bool on);
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
    void createControls();
    void createBenchControls();
    void createPages();
    void createSituationControls();
    void createWindowButtons();
    void createCopyMenu();
    void createLinesTools();
    // Hooks of the curve drawing: the kept crosses over the model curve, the
    // legend of superposed curves, E of the tangents written out.
    void drawKeptPoints();
    void forgetLines();
    void drawCurveLegend();
    void writeTangentPoint(const Model& before);
    QString tableTextWithNames() const;
    void layoutControls();
    void connectHandlers();
    void installHoverTexts();
    void Form_Load();
    void installView();
    void placeWindow();
    void fillSoluteList();
    void showPage(int k);
    void placeOverlays();
    void refreshPanel();
    void storeSituation(int k);
    void selectSituationSlot(int k, bool storeCurrent);
    void loadSituationControls(const Situation& s);
    bool entryEvent(int box, QEvent* event);
    void pasteIntoEntry(int box, const QString& text);
    void showEntryMenu(int box, QPoint globalPos);
    void forgetChangedCurve(int box);
    void restoreMeasuredPoints(std::vector<MeasuredPoint> points);

    BenchEntries entries() const;
    SceneState sceneState() const;
    float boxNumber(int box, float fallback = 0.0f) const;
    void setPoured(const QString& text);
    bool conductimetre() const;
    bool acide() const;

    QString m_programFolder;
    QString m_markerFolder; // the program's folder, or the user's when it is read-only
    Model m_model;
    SituationStore m_store;
    float m_sigmamax = 0;
    float m_maxaxe = 0;
    bool m_graphetitrage = true;
    int m_etapegoutte = 0;
    double m_measuredPh = 7.0;
    bool m_closing = false;
    // What each box held when the bench last set it (not typed by the student).
    std::array<QString, 7> m_benchText{};
    std::array<std::vector<MeasuredPoint>, kSituations> m_points{};
    // While a situation is left or re-entered, its measured points are kept.
    bool m_keepPoints = false;
    // Situations whose concentration was drawn at random and is still hidden.
    std::array<bool, kSituations> m_randomDrawn{};
    std::vector<CurveVertex> m_vertices;
    QString m_nomfichier;
    QMenu* menucopie = nullptr;
    Machine* m_machine = nullptr;
    HelpViewer* m_help = nullptr;
    Fichexo* m_exercises = nullptr;
    LinesTool* m_lines = nullptr;
};

} // namespace titrage
