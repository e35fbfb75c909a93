#pragma once
// The burette under the student's hand: the tap and its timer, the drop and
// its animation, "Vider la burette", "Trace rapide", the restart, the poured
// volume and the conductimeter's display, laid over the apparatus picture.

#include <QObject>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;
class QWidget;

namespace titrage {

class ApparatusView;
class BenchState;
class TapPicture;

// What the burette asks of the bench.
class BuretteHost {
public:
    virtual ~BuretteHost() = default;
    virtual BenchState& state() = 0;
    virtual QWidget& benchWidget() = 0;
    // The poured volume the box holds, 0 when it is not a number.
    virtual float poured() const = 0;
    // Shows a poured volume in the box and under the burette.
    virtual void setPoured(const QString& text) = 0;
    // A poured volume put in the box and validated, as if typed.
    virtual void typePoured(const QString& text) = 0;
    virtual void validatePendingEntries() = 0;
    virtual void lockEntries(bool locked) = 0;
    // The measuring step, in tenths of a mL.
    virtual int measuringStep() const = 0;
    virtual void majaff() = 0;
    virtual void niveaubecher() = 0;
    virtual void placepoint() = 0;
    virtual void tracecourbe() = 0;
    virtual void reinitialise() = 0;
    // The current situation entered again (its graph redrawn).
    virtual void restoreGraph() = 0;
    virtual void hideTools() = 0;
};

class BuretteControls : public QObject {
    Q_OBJECT

public:
    // The controls go over `apparatus`; the timers belong to the bench.
    BuretteControls(BuretteHost& host, ApparatusView& apparatus, QWidget& bench);

    TapPicture* Image3 = nullptr;
    QPushButton* Image1 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* Command13 = nullptr;
    QPushButton* Command14 = nullptr;
    QLabel* Labelbur = nullptr;
    QLabel* LabelpH = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    void createTimers();
    // The overlays at their places in the picture as it stands.
    void placeOverlays();
    void setBuretteShown(bool shown);

    void Image3_MouseDown();
    void Image3_MouseUp();
    void Image3_Click();
    void Timer1_Timer();
    void Image1_Click();
    void Timer2_Timer();
    void Command6_Click();
    void Command13_Click();
    void Command14_Click();

private:
    BuretteHost& m_host;
    ApparatusView& m_apparatus;
    QWidget& m_bench;
};

} // namespace titrage
