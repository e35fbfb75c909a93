#include "bench/parameterpanel.h"

#include "platform/canvas.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <QFontMetrics>
#include <QPainter>

namespace titrage {

namespace {
// The picture of the "Concentration aléatoire" button: a die.
QIcon diceIcon()
{
    QPixmap pm(40, 40);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(250, 250, 245));
    p.drawRoundedRect(QRectF(4, 4, 32, 32), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    for (const QPointF c :
         {QPointF(12, 12), QPointF(20, 20), QPointF(28, 28), QPointF(28, 12), QPointF(12, 28)})
        p.drawEllipse(c, 3.2, 3.2);
    return QIcon(pm);
}
} // namespace

void ParameterPanel::createControls()
{
    Option1[0] = new QRadioButton(tr("Solution acide"), this);
    Option1[0]->setObjectName(QStringLiteral("Option1(0)"));
    Option1[1] = new QRadioButton(tr("Solution basique"), this);
    Option1[1]->setObjectName(QStringLiteral("Option1(1)"));
    lbecher = new QComboBox(this);
    lbecher->setObjectName(QStringLiteral("lbecher"));
    lindic = new QComboBox(this);
    lindic->setObjectName(QStringLiteral("lindic"));
    command5 = new QPushButton(this);
    command5->setObjectName(QStringLiteral("command5"));
    command5->setToolTip(tr("Concentration aléatoire"));
    command5->setFocusPolicy(Qt::TabFocus);
    command5->setIcon(diceIcon());
    command5->setAccessibleName(tr("Concentration aléatoire"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFrameShape(QFrame::Box);
    Label1->setCursor(Qt::PointingHandCursor);
    Label1->hide();
}

void ParameterPanel::layoutControls()
{
    Option1[0]->setGeometry(controlRect(Nature, 0));
    Option1[1]->setGeometry(controlRect(Nature, 1));
    lbecher->setGeometry(controlRect(Solute));
    const QRect conc = controlRect(Concentration);
    Label1->setGeometry(conc.adjusted(0, -6, 0, 6));
    command5->setGeometry(conc.right() + 62, conc.top() + (conc.height() - 26) / 2, 28, 26);
    lindic->setGeometry(controlRect(Indicator));
}

namespace {
const QString kBullet = QStringLiteral("\u2022");
constexpr int kComboWidth = 240;
constexpr int kLeft = 10;
constexpr int kTop = 12;
} // namespace

ParameterPanel::ParameterPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frame2"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(240, 235, 230));
    setPalette(p);
}

QFont ParameterPanel::baseFont() const
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(9);
    return f;
}

QFont ParameterPanel::smallFont() const
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(7);
    return f;
}

void ParameterPanel::setPkaShown(bool shown)
{
    if (m_pkaShown == shown) return;
    m_pkaShown = shown;
    update();
}

std::vector<ParameterPanel::Piece> ParameterPanel::pieces(Item item) const
{
    using P = Piece;
    switch (item) {
    case Nature:
        return {{P::Plain, tr(" Nature de la solution :       ")}};
    case Solute:
        return {{P::Plain, tr("Soluté : ")}, {P::Gap, {}, kComboWidth}};
    case Pka:
        return {{P::Plain, QStringLiteral("pKa = ")}, {P::Gap, {}, 60}};
    case Concentration:
        return {{P::Plain, tr(" Concentration en soluté apporté : ")},
                {P::Plain, QStringLiteral("c")},
                {P::Index, QStringLiteral("2")},
                {P::Plain, QStringLiteral(" = ")},
                {P::Gap, {}, kBoxWidth},
                {P::Plain, QStringLiteral(" mol · L")},
                {P::Exponent, QStringLiteral("-1")}};
    case Vsol:
        return {{P::Plain, tr(" Volume de solution introduite : ")},
                {P::Plain, QStringLiteral("V")},
                {P::Index, QStringLiteral("2")},
                {P::Plain, QStringLiteral(" = ")},
                {P::Gap, {}, kBoxWidth},
                {P::Plain, QStringLiteral(" mL")}};
    case Water:
        return {{P::Plain, tr(" Volume d'eau distillée ajoutée : ")},
                {P::Plain, QStringLiteral("V")},
                {P::Index, QStringLiteral("3")},
                {P::Plain, QStringLiteral(" = ")},
                {P::Gap, {}, kBoxWidth},
                {P::Plain, QStringLiteral(" mL")}};
    case Indicator:
        return {{P::Plain, tr(" Indicateur coloré : ")}, {P::Gap, {}, kComboWidth}};
    case Poured:
        return {{P::Plain, tr(" Volume de solution versée : ")},
                {P::Plain, QStringLiteral("V")},
                {P::Index, QStringLiteral("1")},
                {P::Plain, QStringLiteral(" = ")},
                {P::Gap, {}, kBoxWidth},
                {P::Plain, QStringLiteral(" mL")}};
    case ItemCount:
        break;
    }
    return {};
}

QPoint ParameterPanel::lineOrigin(Item item) const
{
    const int bulletWidth = QFontMetrics(baseFont()).horizontalAdvance(kBullet);
    switch (item) {
    case Nature:
        return {kLeft, kTop};
    case Solute:
        return {kLeft, kTop + kLineHeight};
    case Pka: {
        int x = kLeft + bulletWidth;
        for (const Piece& p : pieces(Solute))
            x += pieceWidth(p);
        return {x + 16 - bulletWidth, kTop + kLineHeight};
    }
    case Concentration:
        return {kLeft, kTop + 2 * kLineHeight};
    case Vsol:
        return {kLeft, kTop + 3 * kLineHeight};
    case Water:
        return {kLeft, kTop + 4 * kLineHeight};
    case Indicator:
        return {kLeft, kTop + 5 * kLineHeight};
    case Poured:
        return {kLeft, kTop + 6 * kLineHeight};
    case ItemCount:
        break;
    }
    return {kLeft, kTop};
}

int ParameterPanel::pieceWidth(const Piece& piece) const
{
    switch (piece.kind) {
    case Piece::Gap:
        return piece.gapWidth;
    case Piece::Plain:
        return QFontMetrics(baseFont()).horizontalAdvance(piece.text);
    case Piece::Index:
    case Piece::Exponent:
        return QFontMetrics(smallFont()).horizontalAdvance(piece.text);
    }
    return 0;
}

QRect ParameterPanel::controlRect(Item item, int gap) const
{
    const QPoint o = lineOrigin(item);
    const int bulletWidth = item == Pka ? 0 : QFontMetrics(baseFont()).horizontalAdvance(kBullet);
    int x = o.x() + bulletWidth;
    if (item != Pka && !pieces(item).empty() &&
        !pieces(item).front().text.startsWith(QLatin1Char(' ')))
        x += QFontMetrics(baseFont()).horizontalAdvance(QLatin1Char(' '));
    const int lineHeight = QFontMetrics(baseFont()).height();
    if (item == Nature) {
        for (const Piece& p : pieces(item))
            x += pieceWidth(p);
        return QRect(x + gap * 130, o.y() - 3, 125, lineHeight + 6);
    }
    int seen = 0;
    for (const Piece& p : pieces(item)) {
        if (p.kind == Piece::Gap) {
            if (seen == gap) return QRect(x, o.y() - 4, p.gapWidth, lineHeight + 8);
            ++seen;
        }
        x += pieceWidth(p);
    }
    return QRect(x, o.y() - 4, kBoxWidth, lineHeight + 8);
}

void ParameterPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Window));
    // Painted in design units, as large as the window is shown.
    const qreal scale = layoutScale(this);
    p.scale(scale, scale);
    p.setPen(Qt::black);
    const QFont base = baseFont();
    const QFont small = smallFont();
    const QFontMetrics fm(base);
    for (int i = 0; i < ItemCount; ++i) {
        const auto item = static_cast<Item>(i);
        if (item == Pka && !m_pkaShown) continue;
        const QPoint o = lineOrigin(item);
        int x = o.x();
        const int baseline = o.y() + fm.ascent();
        if (item != Pka) {
            p.setFont(base);
            p.drawText(x, baseline, kBullet);
            x += fm.horizontalAdvance(kBullet);
            const auto first = pieces(item);
            if (!first.empty() && !first.front().text.startsWith(QLatin1Char(' ')))
                x += fm.horizontalAdvance(QLatin1Char(' '));
        }
        for (const Piece& piece : pieces(item)) {
            switch (piece.kind) {
            case Piece::Gap:
                break;
            case Piece::Plain:
                p.setFont(base);
                p.drawText(x, baseline, piece.text);
                break;
            case Piece::Index:
                p.setFont(small);
                p.drawText(x, baseline + 3, piece.text);
                break;
            case Piece::Exponent:
                p.setFont(small);
                p.drawText(x, baseline - 5, piece.text);
                break;
            }
            x += pieceWidth(piece);
        }
    }
}

} // namespace titrage
