#pragma once
// The "Paramètres" page `Picture3`: display settings under four headings
// (Matériel, Graphe, Affichage, Tableau). The page owns the controls; the main
// window connects them to its handlers.

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace titrage {

class ParametresPage : public QWidget {
    Q_OBJECT

public:
    explicit ParametresPage(QWidget* parent = nullptr);

    std::array<QCheckBox*, 2> optscema{}; // "Burette et agitateur magnétique", "Conductimètre"
    // "pH-mètre": a probe and its display beside the conductimeter, unticked
    // at start; the bench's state holds the choice.
    QCheckBox* phmetre = nullptr;
    QCheckBox* Check1 = nullptr;          // "Superposer les courbes"
    QCheckBox* Check2 = nullptr;          // "Tracer en gras"
    QCheckBox* masquer = nullptr;         // hides the beaker concentration
    QCheckBox* corrdilution = nullptr;    // "Corriger la dilution" (method of the two lines)
    QCheckBox* conserver = nullptr;       // "Conserver les points mesurés" over the model curve
    // "Mesures réalistes": measured points scattered as a classroom's
    // instruments scatter them, the series drawn from the seed beside it.
    QCheckBox* realistes = nullptr;
    QLabel* graineLabel = nullptr; // "Graine :"
    QSpinBox* graine = nullptr;    // 1..999999
    // "Solutions réelles" and "Température" (°C, 15 to 30): the water the
    // titration runs in (model/realsolution.h). Unticked at 25 °C the bench
    // is the ideal model.
    QCheckBox* reelles = nullptr;
    QLabel* temperatureLabel = nullptr; // "Température :"
    QLineEdit* temperature = nullptr;   // "25,0"
    QLabel* temperatureUnit = nullptr;  // "°C"
    QLabel* stepLabel = nullptr;          // Label3: the measuring step in mL
    QSpinBox* UpDown1 = nullptr;          // measuring step in tenths of a mL, 1..10

    // "#0.0" of UpDown1 / 10 followed by " mL".
    static QString stepText(int tenths);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void placeControls();

    std::array<int, 5> m_headingY{}; // tops of the headings
    int m_stepTextY = 0;             // top of "Volume versé entre deux mesures : "
};

} // namespace titrage
