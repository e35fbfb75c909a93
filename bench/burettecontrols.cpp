#include "bench/burettecontrols.h"

#include "bench/apparatusview.h"
#include "bench/benchbutton.h"
#include "bench/core/benchstate.h"
#include "bench/tappicture.h"
#include "platform/core/numberformat.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <cmath>

namespace titrage {

BuretteControls::BuretteControls(BuretteHost& host, ApparatusView& apparatus, QWidget& bench)
    : QObject(&bench), m_host(host), m_apparatus(apparatus), m_bench(bench)
{
    Image3 = new TapPicture(&apparatus);
    Image3->setObjectName(QStringLiteral("Image3"));
    Image3->setPixmap(ApparatusView::tapPicture(false));
    Image1 = makeButton(&apparatus, "Image1", {}, tr("Ajouter une goutte"));
    Image1->setIcon(ApparatusView::dropPicture());
    Command6 = makeButton(&apparatus, "Command6", tr("Vider la burette"));
    Command13 = makeButton(&apparatus, "Command13", tr("Trace rapide"));
    Command14 =
        makeButton(&apparatus, "Command14", QStringLiteral("0"), tr("Recommencer le titrage"));
    Labelbur = new QLabel(&apparatus);
    Labelbur->setObjectName(QStringLiteral("Labelbur"));
    LabelpH = new QLabel(&apparatus);
    LabelpH->setObjectName(QStringLiteral("LabelpH"));
    LabelpH->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelpH->setAutoFillBackground(true);
    QPalette p = LabelpH->palette();
    p.setColor(QPalette::Window, QColor(20, 40, 20));
    p.setColor(QPalette::WindowText, QColor(120, 255, 120));
    LabelpH->setPalette(p);
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(11);
    f.setBold(true);
    LabelpH->setFont(f);

    connect(Image3, &TapPicture::pressed, this, [this] { Image3_MouseDown(); });
    connect(Image3, &TapPicture::released, this, [this] { Image3_MouseUp(); });
    connect(Image3, &TapPicture::clicked, this, [this] { Image3_Click(); });
    connect(Image1, &QPushButton::clicked, this, [this] { Image1_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command13, &QPushButton::clicked, this, [this] { Command13_Click(); });
    connect(Command14, &QPushButton::clicked, this, [this] { Command14_Click(); });
}

void BuretteControls::createTimers()
{
    Timer1 = new QTimer(&m_bench);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    Timer2 = new QTimer(&m_bench);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(60);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });
}

void BuretteControls::placeOverlays()
{
    Image3->setGeometry(m_apparatus.overlayRect(Overlay::Tap));
    Image1->setGeometry(m_apparatus.overlayRect(Overlay::DropButton));
    Image1->setIconSize(Image1->size() - QSize(6, 6));
    Command6->setGeometry(m_apparatus.overlayRect(Overlay::EmptyBurette));
    Command13->setGeometry(m_apparatus.overlayRect(Overlay::FastPlot));
    Command14->setGeometry(m_apparatus.overlayRect(Overlay::Restart));
    Labelbur->setGeometry(m_apparatus.overlayRect(Overlay::PouredVolume));
    LabelpH->setGeometry(m_apparatus.overlayRect(Overlay::Conductimeter));
}

void BuretteControls::setBuretteShown(bool shown)
{
    for (QWidget* w : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(Image3),
                       static_cast<QWidget*>(Command6), static_cast<QWidget*>(Command13),
                       static_cast<QWidget*>(Command14), static_cast<QWidget*>(Labelbur)})
        w->setVisible(shown);
}

void BuretteControls::Image3_MouseDown()
{
    // The tap takes no focus: a value still being typed is validated first.
    m_host.validatePendingEntries();
    m_host.lockEntries(true);
    if (m_host.poured() >= 25.0f) {
        const MessageAnswer answer =
            Messages::ask(&m_bench, {tr("Burette vide"), tr("Voulez-vous recommencer le titrage"),
                                     MessageIcon::Question, MessageButtons::YesNo});
        if (answer == MessageAnswer::Yes) {
            m_host.reinitialise();
            m_host.state().unfinishCurrent();
            m_host.niveaubecher();
            Command14_Click();
            m_host.hideTools();
            return;
        }
    }
    Image3->setPixmap(ApparatusView::tapPicture(true));
    Timer1->start();
}

void BuretteControls::Image3_MouseUp()
{
    Image3->setPixmap(ApparatusView::tapPicture(false));
    Timer1->stop();
    m_host.lockEntries(false);
    m_host.niveaubecher();
}

void BuretteControls::Image3_Click()
{
    // A click pours at least 0.1 mL even when no tick elapsed during the
    // press, and also after the press restarted an empty burette.
    Timer1_Timer();
    m_host.lockEntries(false);
}

void BuretteControls::Timer1_Timer()
{
    m_host.lockEntries(true);
    // The poured volume is a 32-bit value: 24.9 + 0.1 stays within the burette.
    float v = m_host.poured();
    if (static_cast<double>(v) + 0.1 > 25.0) {
        Timer1->stop();
        m_host.lockEntries(false);
        Image3->setPixmap(ApparatusView::tapPicture(false));
        m_host.niveaubecher();
        m_host.tracecourbe();
        m_host.restoreGraph();
        return;
    }
    v = static_cast<float>(
        parseNumber(formatNumber(static_cast<double>(v) + 0.1, "#0.00")).value_or(v + 0.1));
    m_host.setPoured(QString::fromStdString(formatNumber(v, "####0.0")));
    m_host.majaff();
    m_host.niveaubecher();

    const double step = m_host.measuringStep() / 10.0;
    const double q = roundSignificant(static_cast<double>(v) / step, 5);
    if (q - std::floor(q) < 0.001) m_host.placepoint();
}

void BuretteControls::Image1_Click()
{
    m_host.validatePendingEntries();
    const float v = m_host.poured() + 0.05f;
    Image3->setPixmap(ApparatusView::tapPicture(false));
    Timer1->stop();
    if (v <= 25.0001f) {
        m_host.state().resetDrop();
        Timer2->start();
    }
}

void BuretteControls::Timer2_Timer()
{
    Timer1->stop();
    const int step = m_host.state().nextDropStep();
    if (step == 1) {
        m_apparatus.drawDropSprite(55, 348);
    } else if (step == 2) {
        m_host.niveaubecher();
        m_apparatus.drawDropSprite(55, 348 + (m_apparatus.niveau() - 16 - 348) / 5.0);
    } else if (step == 3) {
        m_host.niveaubecher();
        m_apparatus.drawDropSprite(55, (m_apparatus.niveau() + 348 - 16) / 2.0);
    } else if (step == 4) {
        m_host.niveaubecher();
        m_apparatus.drawDropSprite(55, m_apparatus.niveau() - 16);
        Timer2->stop(); // the drop is done: no further tick while events run
        QCoreApplication::processEvents();
        const float v = m_host.poured() + 0.05f;
        m_host.setPoured(QString::fromStdString(formatNumber(v, "####0.0#")));
        m_host.majaff();
        m_host.niveaubecher();
        // Near the equivalence a point every 0.1 mL, elsewhere every whole mL.
        const std::string fine = formatNumber(v, "##0.000");
        const std::string coarse = formatNumber(v, "##0.00");
        const float veq = m_host.state().model().veq;
        const bool nearEquivalence = v >= veq - 1 && v <= veq + 1;
        const std::string& shown = nearEquivalence ? fine : coarse;
        if (shown.size() >= 2 && shown.compare(shown.size() - 2, 2, "00") == 0) m_host.placepoint();
        if (v >= 25.0f) {
            m_host.lockEntries(false);
            Image3->setPixmap(ApparatusView::tapPicture(false));
            m_host.niveaubecher();
            m_host.majaff();
            m_host.tracecourbe();
        }
    }
    m_apparatus.redrawBeakerRim();
}

void BuretteControls::Command6_Click()
{
    m_host.validatePendingEntries();
    if (!Timer1->isActive()) {
        m_host.lockEntries(false);
        Image3_MouseDown();
    } else {
        Image3_MouseUp();
        m_host.niveaubecher();
    }
}

void BuretteControls::Command13_Click()
{
    m_host.validatePendingEntries();
    m_host.typePoured(QStringLiteral("25"));
    m_host.restoreGraph();
}

void BuretteControls::Command14_Click()
{
    m_host.validatePendingEntries();
    m_host.state().unfinishCurrent();
    Timer1->stop();
    m_host.typePoured(QStringLiteral("0"));
    m_host.hideTools();
}

} // namespace titrage
