// "Copier": the illustration, the graph, the history and the table of values
// placed on the clipboard for another application.
#include "bench/apparatusview.h"
#include "bench/feuillep.h"
#include "graph/graphview.h"
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
#include <QPushButton>
#include <QTextEdit>

namespace titrage {

namespace {
QAction* addCopy(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
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
                clipboard->setImage(picburette->canvas().image());
                info->setText(msgcopie());
                // Redrawn from scratch: the written texts leave the picture.
                imafond();
                niveaubecher();
                majaff();
            });
    connect(addCopy(menucopie, "copisemidev", QStringLiteral("Copier le graphe")),
            &QAction::triggered, this, [this, clipboard] {
                clipboard->clear();
                clipboard->setImage(Picture1->canvas().image());
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
                clipboard->setText(MSFlexGrid1->contentsText());
                info->setText(msgcopie());
            });
    connect(addCopy(table, "copima", QStringLiteral("Copier une image du tableau")),
            &QAction::triggered, this, [this, clipboard] {
                clipboard->clear();
                clipboard->setImage(MSFlexGrid1->grab().toImage());
            });
}

void feuilleP::Command4_Click()
{
    menucopie->popup(QCursor::pos());
}

void feuilleP::prepaima()
{
    Canvas& c = picburette->canvas();
    auto write = [&c](const QWidget* control, const QString& text, QColor colour, double x,
                      double y) {
        c.setFont(control->font());
        c.setForeColor(colour);
        c.printAt(x, y, text);
    };
    if (LabelpH->isVisible()) {
        const QRect r = LabelpH->geometry();
        c.setFont(LabelpH->font());
        write(LabelpH, LabelpH->text(), LabelpH->palette().color(QPalette::WindowText),
              r.left() + c.textWidth(LabelpH->text()) / 2, r.top());
    }
    if (Labelbur->isVisible()) {
        const QRect r = Labelbur->geometry();
        write(Labelbur, Labelbur->text(), Qt::black, r.left(), r.top());
    }
    if (Text1[1]->isVisible()) {
        const QRect r = Text1[1]->geometry();
        c.setFont(Text1[1]->font());
        write(Text1[1], Text1[1]->text(), Qt::black, r.left() + c.textWidth(Text1[1]->text()) / 2,
              r.top() + 3);
    }
    c.setForeColor(Qt::black);
    picburette->update();
}

QImage feuilleP::illustrationForPrint()
{
    prepaima();
    return picburette->canvas().image().copy();
}

void feuilleP::restoreIllustration()
{
    imafond();
    niveaubecher();
    majaff();
}

QImage feuilleP::graphPicture()
{
    return Picture1->canvas().image().copy();
}

int feuilleP::tableHeaderHeight() const
{
    return MSFlexGrid1->horizontalHeader()->height();
}

int feuilleP::tableRowHeight() const
{
    return MSFlexGrid1->verticalHeader()->defaultSectionSize();
}

QImage feuilleP::tablePicture()
{
    // The whole grid, every row, as the grid draws itself: stretched to its
    // full height for the picture, then put back.
    const QRect kept = MSFlexGrid1->geometry();
    const auto vertical = MSFlexGrid1->verticalScrollBarPolicy();
    MSFlexGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * MSFlexGrid1->frameWidth();
    int rows = 0;
    for (int r = 0; r < MSFlexGrid1->rowCount(); ++r)
        rows += MSFlexGrid1->rowHeight(r);
    MSFlexGrid1->resize(kept.width(), tableHeaderHeight() + rows + frame);
    const QImage picture = MSFlexGrid1->grab().toImage();
    MSFlexGrid1->setVerticalScrollBarPolicy(vertical);
    MSFlexGrid1->setGeometry(kept);
    return picture;
}

void feuilleP::Command10_Click()
{
    showPrintDialog(*this);
}

} // namespace titrage
