#include "bench/parametrespage.h"

#include "platform/canvas.h"

#include "platform/core/numberformat.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSpinBox>

#include <random>

namespace titrage {

namespace {

const QColor kPageBack(240, 235, 230);
const QColor kHeading(0, 0, 150);

// Vertical rhythm of the page: a heading, then its controls indented under it.
constexpr int kHeadingX = 14;
constexpr int kControlX = 32;
constexpr int kHeadingGap = 22; // heading top to first control top
constexpr int kRow = 22;        // one control to the next
constexpr int kGroupGap = 12;   // last control to the next heading
// The solution's group stands in a second column beside "Tableau": under it
// the page has no room left at its design height.
constexpr int kSolutionHeadingX = 300;
constexpr int kSolutionControlX = kSolutionHeadingX + kControlX - kHeadingX;

const char* const kHeadings[5] = {QT_TRANSLATE_NOOP("titrage::ParametresPage", "Matériel"),
                                  QT_TRANSLATE_NOOP("titrage::ParametresPage", "Graphe"),
                                  QT_TRANSLATE_NOOP("titrage::ParametresPage", "Affichage"),
                                  QT_TRANSLATE_NOOP("titrage::ParametresPage", "Tableau"),
                                  QT_TRANSLATE_NOOP("titrage::ParametresPage", "Solution")};

QFont headingFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(9);
    f.setBold(true);
    return f;
}

QString stepCaption()
{
    return QCoreApplication::translate("titrage::ParametresPage",
                                       "Volume versé entre deux mesures : ");
}

// A spin control with only its arrows: the label beside it shows the value in mL.
class ArrowSpin : public QSpinBox {
public:
    explicit ArrowSpin(QWidget* parent) : QSpinBox(parent)
    {
        lineEdit()->hide();
        setFocusPolicy(Qt::WheelFocus);
    }
    QSize sizeHint() const override
    {
        const QSize s = QSpinBox::sizeHint();
        return {16, s.height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }
};

} // namespace

ParametresPage::ParametresPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture3"));
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(9);
    setFont(f);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kPageBack);
    setPalette(pal);

    auto check = [this](const QString& text, const QString& name) {
        auto* box = new QCheckBox(text, this);
        box->setObjectName(name);
        return box;
    };
    optscema[0] = check(tr("Burette et agitateur magnétique"), QStringLiteral("optscema(0)"));
    optscema[1] = check(tr("Conductimètre"), QStringLiteral("optscema(1)"));
    optscema[0]->setChecked(true);
    optscema[1]->setChecked(true);
    phmetre = check(tr("pH-mètre"), QStringLiteral("phmetre"));
    Check1 = check(tr("Superposer les courbes"), QStringLiteral("Check1"));
    Check2 = check(tr("Tracer en gras"), QStringLiteral("Check2"));
    masquer = check(tr("Masquer la concentration de la solution introduite dans le bécher"),
                    QStringLiteral("masquer"));

    corrdilution = check(tr("Corriger la dilution"), QStringLiteral("corrdilution"));
    conserver = check(tr("Conserver les points mesurés"), QStringLiteral("conserver"));
    corrdilution->setChecked(true);
    conserver->setChecked(true);
    // Unticked, every point is the model's own; a seed of its own each time
    // the program starts, shown and changeable to repeat a series.
    realistes = check(tr("Mesures réalistes"), QStringLiteral("realistes"));
    graineLabel = new QLabel(tr("Graine :"), this);
    graine = new QSpinBox(this);
    graine->setObjectName(QStringLiteral("graine"));
    graine->setAccessibleName(tr("Graine des mesures réalistes"));
    graine->setRange(1, 999999);
    graine->setValue(static_cast<int>(std::random_device{}() % 999999) + 1);

    reelles = check(tr("Solutions réelles"), QStringLiteral("reelles"));
    temperatureLabel = new QLabel(tr("Température :"), this);
    temperature = new QLineEdit(QStringLiteral("25,0"), this);
    temperature->setObjectName(QStringLiteral("temperature"));
    temperature->setAccessibleName(tr("Température de la solution en degrés Celsius"));
    temperature->setMaxLength(6);
    temperatureUnit = new QLabel(QStringLiteral("°C"), this);

    stepLabel = new QLabel(this);
    stepLabel->setObjectName(QStringLiteral("Label3"));
    UpDown1 = new ArrowSpin(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    // In tenths of a mL; 0 is out of reach since the step divides the volume.
    UpDown1->setRange(1, 10);
    UpDown1->setSingleStep(1);
    UpDown1->setValue(5);
    UpDown1->setAccelerated(false);
    stepLabel->setText(stepText(UpDown1->value()));
    connect(UpDown1, &QSpinBox::valueChanged, this,
            [this](int v) { stepLabel->setText(stepText(v)); });

    placeControls();
}

QString ParametresPage::stepText(int tenths)
{
    return QString::fromStdString(formatNumber(tenths / 10.0, "#0.0")) + QStringLiteral(" mL");
}

void ParametresPage::placeControls()
{
    int y = 10;
    auto group = [&](int index, std::initializer_list<QWidget*> controls) {
        m_headingY[index] = y;
        y += kHeadingGap;
        for (QWidget* w : controls) {
            w->adjustSize();
            w->move(kControlX, y);
            y += kRow;
        }
        y += kGroupGap;
    };
    group(0, {optscema[1], optscema[0]});
    group(1, {Check1, Check2});
    // The two-line method's settings in a second column beside them.
    for (auto [box, beside] : {std::pair{corrdilution, Check1}, std::pair{conserver, Check2}}) {
        box->adjustSize();
        box->move(kControlX + 240, beside->y());
    }
    // The second instrument on the conductimeter's line.
    phmetre->adjustSize();
    phmetre->move(kControlX + 130, optscema[1]->y());
    // The instruments' realism beside the instruments.
    realistes->adjustSize();
    realistes->move(kControlX + 240, optscema[1]->y());
    graineLabel->adjustSize();
    graineLabel->move(kControlX + 240 + 20, optscema[0]->y() + 2);
    graine->resize(graine->sizeHint());
    graine->move(graineLabel->geometry().right() + 4,
                 optscema[0]->y() + (optscema[0]->height() - graine->height()) / 2);
    group(2, {masquer});

    // "Volume versé entre deux mesures : ", the step label just after it and
    // two units higher, the spin control just right of the label.
    m_headingY[3] = y;
    y += kHeadingGap;
    m_stepTextY = y;
    const QFontMetrics fm(font());
    const int textRight = kControlX + fm.horizontalAdvance(stepCaption());
    const int labelWidth = fm.horizontalAdvance(stepText(10)) + 4;
    stepLabel->setGeometry(textRight, y - 2, labelWidth, fm.height());
    const int spinH = UpDown1->sizeHint().height();
    UpDown1->setGeometry(textRight + labelWidth + 2, y - 2 + (fm.height() - spinH) / 2,
                         UpDown1->sizeHint().width(), spinH);

    // The solution: real or ideal, then its temperature, beside the step.
    m_headingY[4] = m_headingY[3];
    reelles->adjustSize();
    reelles->move(kSolutionControlX, m_stepTextY - 2);
    const int tempY = reelles->y() + kRow;
    temperatureLabel->adjustSize();
    temperatureLabel->move(kSolutionControlX, tempY + 2);
    const int boxH = temperature->sizeHint().height();
    temperature->setGeometry(temperatureLabel->geometry().right() + 4,
                             tempY + (reelles->height() - boxH) / 2,
                             fm.horizontalAdvance(QStringLiteral("00,00")) + 10, boxH);
    temperatureUnit->adjustSize();
    temperatureUnit->move(temperature->geometry().right() + 4, tempY + 2);
}

QSize ParametresPage::sizeHint() const
{
    const int right = std::max({masquer->geometry().right(), UpDown1->geometry().right(),
                                temperatureUnit->geometry().right()});
    return {right + kControlX,
            std::max(temperature->geometry().bottom(), UpDown1->geometry().bottom()) + 8};
}

void ParametresPage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), kPageBack);
    // Painted in design units, as large as the window is shown.
    const qreal scale = layoutScale(this);
    p.scale(scale, scale);
    p.setFont(headingFont());
    p.setPen(kHeading);
    const QFontMetrics hm(p.font());
    for (int i = 0; i < static_cast<int>(m_headingY.size()); ++i)
        p.drawText(i == 4 ? kSolutionHeadingX : kHeadingX, m_headingY[i] + hm.ascent(),
                   tr(kHeadings[i]));
    p.setFont(font());
    p.setPen(Qt::black);
    const QFontMetrics fm(font());
    p.drawText(kControlX, m_stepTextY + fm.ascent(), stepCaption());
}

} // namespace titrage
