#include "bench/benchcopies.h"

#include "bench/apparatusview.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
#include "model/tableexport.h"
#include "platform/canvas.h"
#include "platform/layoutscaler.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
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

QString BenchCopies::msgcopie()
{
    return tr(
        "L'image est copiée : vous pouvez la retrouver depuis toute application Windows (coller)");
}

BenchCopies::BenchCopies(CopyHost& host, const CopySources& sources)
    : QObject(sources.bench), m_host(host), m_sources(sources)
{
    createMenu();
}

QRect BenchCopies::designGeometry(const QWidget* control) const
{
    const LayoutScaler* s = LayoutScaler::of(m_sources.bench);
    return s ? s->designGeometry(control) : control->geometry();
}

void BenchCopies::createMenu()
{
    m_menu = new QMenu(m_sources.bench);
    m_menu->setObjectName(QStringLiteral("m_menu"));
    QClipboard* clipboard = QApplication::clipboard();

    connect(addCopy(m_menu, "coptop", tr("Copier l'illustration")), &QAction::triggered, this,
            [this, clipboard] {
                clipboard->clear();
                prepaima();
                clipboard->setImage(
                    atPaperResolution(m_sources.apparatus->canvas().renderedAt(kPaperRatio)));
                m_host.showStatus(msgcopie());
                // Redrawn from scratch: the written texts leave the picture.
                m_host.restoreIllustration();
            });
    connect(addCopy(m_menu, "copisemidev", tr("Copier le graphe")), &QAction::triggered, this,
            [this, clipboard] {
                clipboard->clear();
                clipboard->setImage(graphPicture());
                m_host.showStatus(msgcopie());
            });
    m_menu->addSeparator();
    connect(addCopy(m_menu, "cophisto", tr("Copier l'historique")), &QAction::triggered, this,
            [this, clipboard] {
                clipboard->clear();
                clipboard->setText(m_sources.history->toPlainText());
            });
    m_menu->addSeparator();
    QMenu* table = m_menu->addMenu(tr("Copier le tableau"));
    connect(addCopy(table, "coptab", tr("Copier le contenu du tableau")), &QAction::triggered, this,
            [this, clipboard] {
                clipboard->clear();
                clipboard->setText(tableTextWithNames());
                m_host.showStatus(msgcopie());
            });
    connect(addCopy(table, "copima", tr("Copier une image du tableau")), &QAction::triggered, this,
            [this, clipboard] {
                clipboard->clear();
                clipboard->setImage(tablePicture());
            });
    QAction* exporter = m_menu->addAction(tr("Exporter le tableau…"));
    exporter->setObjectName(QStringLiteral("exportab"));
    connect(exporter, &QAction::triggered, this, [this] { m_host.exporterTableau(); });
    QAction* importer = m_menu->addAction(tr("Importer des mesures…"));
    importer->setObjectName(QStringLiteral("importmes"));
    connect(importer, &QAction::triggered, this, [this] { m_host.importerMesures(); });
    QAction* adjust = m_menu->addAction(tr("Ajuster la concentration"));
    adjust->setObjectName(QStringLiteral("ajustconc"));
    connect(adjust, &QAction::triggered, this, [this] { m_host.ajusterConcentration(); });
}

void BenchCopies::prepaima()
{
    Canvas& c = m_sources.apparatus->canvas();
    // The controls' places and fonts in the picture's own units, whatever the
    // size the window is shown at.
    const qreal scale = layoutScale(m_sources.bench);
    auto designFont = [scale](const QWidget* control) {
        QFont f = control->font();
        if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() / scale);
        return f;
    };
    if (m_sources.conductimeter->isVisible()) {
        // The reading as the display shows it: its digits on the display's own
        // dark background, right-aligned inside the display, so that they stay
        // clear of the unit written after it.
        const QRect r = designGeometry(m_sources.conductimeter);
        const QColor back = m_sources.conductimeter->palette().color(QPalette::Window);
        const QColor fore = m_sources.conductimeter->palette().color(QPalette::WindowText);
        c.filledBox(r.left(), r.top(), r.right(), r.bottom(), back);
        c.paint([r, back, fore, font = designFont(m_sources.conductimeter),
                 text = m_sources.conductimeter->text(),
                 indent = m_sources.conductimeter->frameWidth() +
                          m_sources.conductimeter->margin() + 1](QPainter& p) {
            p.setClipRect(r);
            p.setFont(font);
            p.setPen(fore);
            p.drawText(QRectF(r).adjusted(indent, 0, -indent, 0), Qt::AlignRight | Qt::AlignVCenter,
                       text);
        });
    }
    // The poured volume and the burette's concentration go on the line of
    // their captions ("V₁ = ", "c₁ = "), in the captions' font: the boxes'
    // own font and top would print them larger and higher than the caption.
    auto writeOnCaption = [&](const QWidget* control, const QString& text, Overlay box,
                              bool centred) {
        const QRect r = designGeometry(control);
        const auto line = ApparatusView::captionLine(box);
        c.setFont(line ? line->font : designFont(control));
        c.setForeColor(Qt::black);
        c.printAt(r.left() + (centred ? c.textWidth(text) / 2 : 0.0), line ? line->top : r.top(),
                  text);
    };
    if (m_sources.poured->isVisible())
        writeOnCaption(m_sources.poured, m_sources.poured->text(), Overlay::PouredVolume, false);
    if (m_sources.burette->isVisible())
        writeOnCaption(m_sources.burette, m_sources.burette->text(),
                       Overlay::BuretteConcentration, true);
    c.setForeColor(Qt::black);
    m_sources.apparatus->update();
}

QImage BenchCopies::illustration()
{
    prepaima();
    return atPaperResolution(m_sources.apparatus->canvas().renderedAt(kPaperRatio));
}

QImage BenchCopies::graphPicture() const
{
    return atPaperResolution(m_sources.graph->canvas().renderedAt(kPaperRatio));
}

QImage BenchCopies::tablePicture() const
{
    // The whole grid, every row, as the grid draws itself.
    return atPaperResolution(m_sources.table->picture(kPaperRatio));
}

QString BenchCopies::tableTextWithNames() const
{
    QStringList names;
    for (const std::string& n :
         columnNames(m_sources.table->dataColumns(), m_sources.table->phColumn()))
        names << QString::fromStdString(n);
    const QString body = m_sources.table->contentsText();
    const qsizetype firstLine = body.indexOf(QLatin1Char('\n'));
    return names.join(QLatin1Char('\t')) + (firstLine >= 0 ? body.mid(firstLine) : QString());
}

} // namespace titrage
