#include "graph/historytext.h"

#include "model/mixturebench.h"
#include "platform/coretext.h"

#include <QCoreApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace titrage {

namespace {

constexpr double kTitleIndent = 30; // pixels
constexpr double kBodyIndent = 45;

// Writes the history the way a rich-text box is typed into: a current
// paragraph indent and character format that hold until changed.
class HistoryWriter {
public:
    explicit HistoryWriter(QTextEdit& edit) : m_cursor(edit.document())
    {
        edit.clear();
        m_cursor.movePosition(QTextCursor::Start);
        m_char.setFontFamilies({QStringLiteral("Arial")});
    }

    void indent(double margin)
    {
        QTextBlockFormat block = m_cursor.blockFormat();
        block.setLeftMargin(margin);
        m_cursor.setBlockFormat(block);
    }
    void size(double points) { m_char.setFontPointSize(points); }
    void bold(bool on) { m_char.setFontWeight(on ? QFont::Bold : QFont::Normal); }
    void colour(QColor c) { m_char.setForeground(c); }

    void text(const QString& s) { m_cursor.insertText(s, m_char); }
    void exponent(const QString& s)
    {
        QTextCharFormat raised = m_char;
        raised.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        m_cursor.insertText(s, raised);
    }
    // A new paragraph keeps the current indent.
    void lineBreak()
    {
        // An empty line takes its height from the format it was typed in.
        if (m_cursor.block().length() <= 1) m_cursor.setBlockCharFormat(m_char);
        m_cursor.insertBlock(m_cursor.blockFormat(), m_char);
    }

private:
    QTextCursor m_cursor;
    QTextCharFormat m_char;
};

// The solute's name from the catalogue, in the words of the translation.
QString solute(const Model& catalogue, const Situation& s)
{
    return coreText("Catalogue", soluteName(catalogue, s));
}

void entry(HistoryWriter& w, int k, const Situation& s, const Model& catalogue, QColor colour)
{
    auto t = [&](int j) { return QString::fromStdString(s.textesit[j]); };

    w.indent(kTitleIndent);
    w.lineBreak();
    w.size(8);
    w.bold(true);
    w.colour(colour);
    w.text(QCoreApplication::translate("HistoryText", "Courbe n°%1").arg(k + 1));
    w.lineBreak();

    w.colour(Qt::black);
    w.indent(kBodyIndent);
    w.text(QCoreApplication::translate("HistoryText", "Solution dans le bécher : "));
    w.bold(false);
    if (s.mixture) {
        // A mixture names each solute with its concentration, and its titrant.
        w.text(QCoreApplication::translate("HistoryText", "%1 mL de").arg(t(4)));
        w.lineBreak();
        w.text(QString::fromStdString(mixtureBeakerText(catalogue, *s.mixture)));
        if (hasAddedWater(s))
            w.text(QCoreApplication::translate("HistoryText", " avec %1 mL d'eau").arg(t(5)));
        w.text(QStringLiteral("."));
        w.lineBreak();
        w.bold(true);
        w.text(QCoreApplication::translate("HistoryText", "Solution dans la burette : "));
        w.bold(false);
        w.text(coreText("Catalogue", mixTitrantName(s.mixture->titrant)) +
               QCoreApplication::translate("HistoryText", " de"));
        w.lineBreak();
        w.text(QCoreApplication::translate("HistoryText", "concentration %1 mol · L").arg(t(1)));
        w.exponent(QStringLiteral("-1"));
        w.text(QStringLiteral("."));
        w.lineBreak();
        return;
    }
    w.text(
        QCoreApplication::translate("HistoryText", "%1 mL %2 de").arg(t(4), solute(catalogue, s)));
    w.lineBreak();
    w.text(QCoreApplication::translate("HistoryText", "concentration %1 mol · L").arg(t(3)));
    w.exponent(QStringLiteral("-1"));
    if (hasAddedWater(s))
        w.text(QCoreApplication::translate("HistoryText", " avec %1 mL d'eau").arg(t(5)));
    w.text(QStringLiteral("."));
    w.lineBreak();

    w.bold(true);
    w.text(QCoreApplication::translate("HistoryText", "Solution dans la burette : "));
    w.bold(false);
    w.text(s.optsit[1] ? QCoreApplication::translate("HistoryText", "hydroxyde de sodium de")
                       : QCoreApplication::translate("HistoryText", "acide chlorhydrique de"));
    w.lineBreak();
    w.text(QCoreApplication::translate("HistoryText", "concentration %1 mol · L").arg(t(1)));
    w.exponent(QStringLiteral("-1"));
    w.text(QStringLiteral("."));
    w.lineBreak();
}

} // namespace

QColor situationQColor(int k, QColor tenthColour)
{
    const TagColour c = situationColour(k);
    if (c.systemColour) return tenthColour;
    return QColor(c.red(), c.green(), c.blue());
}

void historique(QTextEdit& histo, const SituationStore& store, const Model& catalogue,
                QColor tenthColour)
{
    HistoryWriter w(histo);
    w.indent(kTitleIndent);
    w.size(10);
    w.bold(true);
    w.lineBreak();
    for (int k = 0; k < kSituations; ++k) {
        const Situation& s = store.sit[k];
        if (!s.courbefinie) continue;
        entry(w, k, s, catalogue, situationQColor(k, tenthColour));
    }
    w.lineBreak();
}

} // namespace titrage
