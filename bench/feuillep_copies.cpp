// "Copier": the illustration, the graph, the history and the table of values
// placed on the clipboard for another application.
#include "bench/apparatusview.h"
#include "bench/feuillep.h"
#include "graph/graphview.h"
#include "graph/headerpictures.h"
#include "graph/valuetable.h"

#include "printing/confimp.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>

#include <cmath>

namespace titrage {

namespace {
QAction* addCopy(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

// Pictures for paper and for other applications are drawn again at 384 dpi
// (4 device pixels per screen pixel of 1/96 inch), whatever the screen shows.
constexpr qreal kPaperRatio = 4.0;

// The resolution travels with the picture, so that it pastes at its size.
QImage atPaperResolution(QImage image)
{
    const int dotsPerMetre = static_cast<int>(std::lround(96.0 * kPaperRatio / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}
} // namespace

const QString& feuilleP::msgcopie()
{
    static const QString text = QStringLiteral(
        "L'image est copiée : vous pouvez la retrouver depuis toute application Windows (coller)");
    return text;
}

void feuilleP::createCopyMenu()
{
    menucopie = new QMenu(this);
    menucopie->setObjectName(QStringLiteral("menucopie"));
    QClipboard* clipboard = QApplication::clipboard();

    connect(addCopy(menucopie, "coptop", QStringLiteral("Copier l'illustration")),
            &QAction::triggered, this, [this, clipboard] {
                clipboard->clear();
                prepaima();
                clipboard->setImage(
                    atPaperResolution(picburette->canvas().renderedAt(kPaperRatio)));
                info->setText(msgcopie());
                // Redrawn from scratch: the written texts leave the picture.
                imafond();
                niveaubecher();
                majaff();
            });
    connect(addCopy(menucopie, "copisemidev", QStringLiteral("Copier le graphe")),
            &QAction::triggered, this, [this, clipboard] {
                clipboard->clear();
                clipboard->setImage(graphPicture());
                info->setText(msgcopie());
            });
    menucopie->addSeparator();
    connect(addCopy(menucopie, "cophisto", QStringLiteral("Copier l'historique")),
            &QAction::triggered, this, [this, clipboard] {
                clipboard->clear();
                clipboard->setText(Histo->toPlainText());
            });
    menucopie->addSeparator();
    QMenu* table = menucopie->addMenu(QStringLiteral("Copier le tableau"));
    connect(addCopy(table, "coptab", QStringLiteral("Copier le contenu du tableau")),
            &QAction::triggered, this, [this, clipboard] {
                clipboard->clear();
                clipboard->setText(tableTextWithNames());
                info->setText(msgcopie());
            });
    connect(addCopy(table, "copima", QStringLiteral("Copier une image du tableau")),
            &QAction::triggered, this, [this, clipboard] {
                clipboard->clear();
                clipboard->setImage(tablePicture());
            });
}

void feuilleP::Command4_Click()
{
    menucopie->popup(QCursor::pos());
}

void feuilleP::prepaima()
{
    Canvas& c = picburette->canvas();
    // The controls' places and fonts in the picture's own units, whatever the
    // size the window is shown at.
    const qreal scale = layoutScale(this);
    auto designFont = [scale](const QWidget* control) {
        QFont f = control->font();
        if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() / scale);
        return f;
    };
    auto write = [&](const QWidget* control, const QString& text, QColor colour, double x,
                     double y) {
        c.setFont(designFont(control));
        c.setForeColor(colour);
        c.printAt(x, y, text);
    };
    if (LabelpH->isVisible()) {
        // The reading as the display shows it: its digits on the display's own
        // dark background, right-aligned inside the display, so that they stay
        // clear of the unit written after it.
        const QRect r = designGeometry(LabelpH);
        const QColor back = LabelpH->palette().color(QPalette::Window);
        const QColor fore = LabelpH->palette().color(QPalette::WindowText);
        c.filledBox(r.left(), r.top(), r.right(), r.bottom(), back);
        c.paint([r, back, fore, font = designFont(LabelpH), text = LabelpH->text(),
                 indent = LabelpH->frameWidth() + LabelpH->margin() + 1](QPainter& p) {
            p.setClipRect(r);
            p.setFont(font);
            p.setPen(fore);
            p.drawText(QRectF(r).adjusted(indent, 0, -indent, 0), Qt::AlignRight | Qt::AlignVCenter,
                       text);
        });
    }
    if (Labelbur->isVisible()) {
        const QRect r = designGeometry(Labelbur);
        write(Labelbur, Labelbur->text(), Qt::black, r.left(), r.top());
    }
    if (Text1[BoxBurette]->isVisible()) {
        const QRect r = designGeometry(Text1[BoxBurette]);
        c.setFont(designFont(Text1[BoxBurette]));
        write(Text1[BoxBurette], Text1[BoxBurette]->text(), Qt::black,
              r.left() + c.textWidth(Text1[BoxBurette]->text()) / 2, r.top() + 3);
    }
    c.setForeColor(Qt::black);
    picburette->update();
}

QImage feuilleP::illustrationForPrint()
{
    prepaima();
    return atPaperResolution(picburette->canvas().renderedAt(kPaperRatio));
}

void feuilleP::restoreIllustration()
{
    imafond();
    niveaubecher();
    majaff();
}

QImage feuilleP::graphPicture()
{
    return atPaperResolution(Picture1->canvas().renderedAt(kPaperRatio));
}

int feuilleP::tableHeaderHeight() const
{
    return kHeaderHeight;
}

int feuilleP::tableRowHeight() const
{
    return MSFlexGrid1->designRowHeight();
}

QImage feuilleP::tablePicture()
{
    // The whole grid, every row, as the grid draws itself.
    return atPaperResolution(MSFlexGrid1->picture(kPaperRatio));
}

void feuilleP::Command10_Click()
{
    showPrintDialog(*this);
}

} // namespace titrage
