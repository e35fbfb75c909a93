#pragma once
// "Copier": the illustration, the graph, the history and the table placed on
// the clipboard for another application, drawn again at paper resolution; the
// same pictures serve the printed page.

#include <QImage>
#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QMenu;
class QTextEdit;
class QWidget;

namespace titrage {

class ApparatusView;
class GraphView;
class ValueTable;

// What the copies ask of the bench.
class CopyHost {
public:
    virtual ~CopyHost() = default;
    // The scene drawn whole again, without the texts a copy wrote on it.
    virtual void restoreIllustration() = 0;
    virtual void showStatus(const QString& text) = 0;
    virtual void exporterTableau() = 0;
    // A class's measurements brought into the situation, and the beaker
    // concentration fitted on them.
    virtual void importerMesures() = 0;
    virtual void ajusterConcentration() = 0;
};

// The bench's pictures and texts the copies take.
struct CopySources {
    QWidget* bench = nullptr;
    ApparatusView* apparatus = nullptr;
    QLabel* conductimeter = nullptr;
    QLabel* poured = nullptr;
    QLineEdit* burette = nullptr;
    QTextEdit* history = nullptr;
    GraphView* graph = nullptr;
    ValueTable* table = nullptr;
};

class BenchCopies : public QObject {
    Q_OBJECT

public:
    BenchCopies(CopyHost& host, const CopySources& sources);

    // The confirmation the status line shows after a copy.
    static QString msgcopie();

    QMenu* menu() const { return m_menu; }
    // Writes the readings of the displays into the apparatus picture, as a
    // copy or a print shows them.
    void prepaima();
    QImage illustration();
    QImage graphPicture() const;
    QImage tablePicture() const;
    // The table's cells under the names of its columns, tab-separated.
    QString tableTextWithNames() const;

private:
    void createMenu();
    QRect designGeometry(const QWidget* control) const;

    CopyHost& m_host;
    CopySources m_sources;
    QMenu* m_menu = nullptr;
};

} // namespace titrage
