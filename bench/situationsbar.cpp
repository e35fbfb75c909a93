#include "bench/situationsbar.h"

#include "platform/layoutscaler.h"

#include <QButtonGroup>
#include <QFrame>
#include <QPainter>
#include <QRadioButton>

namespace titrage {

SituationsBar::SituationsBar(QWidget& bench) : QObject(&bench), m_bench(bench)
{
    // The ten buttons are children of the window itself: left to themselves
    // as an automatic group, Qt would count every radio button of the window
    // in it (it searches the parent's whole tree), so that the situations'
    // Tab stop took the nature of the solution's away, and a situation's
    // check could clear the nature's. Their own group keeps them apart.
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int k = 0; k < kSituations; ++k) {
        auto* b = new QRadioButton(&bench);
        b->setObjectName(QStringLiteral("Option2(%1)").arg(k));
        b->setProperty("tag", QString::fromLatin1(situationTag(k)));
        b->setAutoFillBackground(true);
        b->setFont(QFont(QStringLiteral("Arial"), 8));
        // A style sheet overrides the palette's background: the colour goes in it.
        b->setStyleSheet(QStringLiteral("QRadioButton { spacing: 2px; padding-left: 1px; "
                                        "background-color: rgb(255, %1, 180); color: black; }"
                                        "QRadioButton::indicator { width: 11px; height: 11px; }")
                             .arg(255 - 9 * k));
        QPalette p = b->palette();
        p.setColor(QPalette::Window, QColor(255, 255 - 9 * k, 180));
        b->setPalette(p);
        Option2[k] = b;
        group->addButton(b, k);
        connect(b, &QRadioButton::clicked, this, [this, k] { emit chosen(k); });
    }
    Shape3 = new QFrame(&bench);
    Shape3->setObjectName(QStringLiteral("Shape3"));
    Shape3->setFrameShape(QFrame::Box);
    Shape3->setAutoFillBackground(true);
}

void SituationsBar::setCaptions()
{
    for (int k = 0; k < kSituations; ++k)
        Option2[k]->setText(tr("Situation n° %1").arg(k + 1));
}

void SituationsBar::layout(int left, int top, int step)
{
    for (int k = 0; k < kSituations; ++k)
        Option2[k]->setGeometry(left + (k % 5) * step, top + (k / 5) * 40, step, 20);
}

QColor SituationsBar::colour(int k) const
{
    const TagColour c = parseColourTag(
        Option2[k >= 0 && k < kSituations ? k : 0]->property("tag").toString().toStdString());
    // The tenth colour is the button-text colour of a standard desktop: black,
    // whatever the palette, so that its curve stays legible on the white graph.
    if (c.systemColour) return QColor(Qt::black);
    return QColor(c.red(), c.green(), c.blue());
}

void SituationsBar::markChosen(int k)
{
    {
        const QSignalBlocker blocker(Option2[k]);
        Option2[k]->setChecked(true);
    }
    keepTabStop();
}

void SituationsBar::showColour(int k)
{
    const QRect button = designGeometry(Option2[k]);
    // Beside the colour dot above the button: left of the button it would
    // cover the end of the previous button's caption.
    Shape3->setGeometry(button.left() + 16, button.top() - 19, 12, 12);
    QPalette p = Shape3->palette();
    p.setColor(QPalette::Window, colour(k));
    Shape3->setPalette(p);
}

void SituationsBar::keepTabStop()
{
    // Whoever chose it (a click, the arrows, a file opened); the arrows move
    // between them.
    for (QRadioButton* b : Option2)
        b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

void SituationsBar::paintDots(QPainter& p) const
{
    p.setRenderHint(QPainter::Antialiasing);
    for (int k = 0; k < kSituations; ++k) {
        const QRect r = designGeometry(Option2[k]);
        p.setBrush(colour(k));
        p.setPen(Qt::black);
        p.drawEllipse(QPointF(r.left() + 9, r.top() - 13), 4, 4);
    }
}

QRect SituationsBar::designGeometry(const QWidget* control) const
{
    const LayoutScaler* s = LayoutScaler::of(&m_bench);
    return s ? s->designGeometry(control) : control->geometry();
}

} // namespace titrage
