#pragma once
// A tool of the graph page: a button of the tools panel and what it does.
// A tool reaches the bench only through `GraphToolHost`, so that adding one is
// a class of its own and one registration (see feuilleP::createGraphTools).

#include "bench/core/benchstate.h"
#include "model/situations.h"

#include <QColor>
#include <QObject>
#include <QString>

class QWidget;

namespace titrage {

class GraphView;
class ParametresPage;

// What the bench offers the graph's tools.
class GraphToolHost {
public:
    virtual ~GraphToolHost() = default;
    virtual BenchState& state() = 0;
    // The bench's entries as the boxes hold them, parsed and as typed.
    virtual BenchEntries entries() const = 0;
    virtual EntryTexts entryTexts() const = 0;
    virtual GraphView& graph() = 0;
    virtual const ParametresPage& parametres() const = 0;
    // The window messages are shown over.
    virtual QWidget& benchWidget() = 0;
    virtual void showStatus(const QString& text) = 0;
    // The current situation's colour.
    virtual QColor currentColour() const = 0;
    // Whether the current situation's finished curve (and the panel) is shown.
    virtual bool curveShown() const = 0;
    // "Restaurer": the current situation drawn again from its start.
    virtual void restoreGraph() = 0;
    // "Effacer": the curve forgotten, the titration back to 0 mL.
    virtual void clearCurve() = 0;
    // The finished curves drawn again over the graph as it stands.
    virtual void redrawFinishedCurves() = 0;
    // The measured crosses kept over the model curve, when asked for.
    virtual void drawKeptPoints() = 0;
};

class GraphTool : public QObject {
    Q_OBJECT

public:
    GraphTool(GraphToolHost& host, const char* objectName, QString caption, QString tooltip);
    // The button's name, caption (two lines) and tooltip.
    QString buttonName() const { return m_buttonName; }
    const QString& caption() const { return m_caption; }
    const QString& tooltip() const { return m_tooltip; }
    virtual void run() = 0;
    // The graph was redrawn: whatever the tool drew is gone.
    virtual void graphRedrawn() {}
    // Whether the tool applies to the bench as it stands (the button is
    // greyed otherwise).
    virtual bool applies() const { return true; }

protected:
    GraphToolHost& host() const { return m_host; }

private:
    GraphToolHost& m_host;
    QString m_buttonName;
    QString m_caption;
    QString m_tooltip;
};

} // namespace titrage
