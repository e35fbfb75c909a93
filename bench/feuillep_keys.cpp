// The bench and the keyboard: the order of Tab, and the keys that drive the
// bench from anywhere in its window (see BenchKeys).
#include "bench/benchkeys.h"
#include "bench/feuillep.h"
#include "bench/graphtoolspanel.h"
#include "bench/linestool.h"
#include "bench/mixturepanel.h"
#include "bench/parametrespage.h"
#include "bench/tabstrip.h"
#include "bench/tappicture.h"
#include "bench/windowcommands.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>

#include <algorithm>
#include <iterator>
#include <vector>

namespace titrage {

void feuilleP::installKeyboardDriving()
{
    // A click on a tab takes the focus too: a box of the page left keeps
    // neither the focus nor its selected text, which the next key would
    // replace unseen.
    Onglets->setFocusPolicy(Qt::StrongFocus);
    // A tool that redraws the graph hides its panel for a moment: the focus
    // waits on the strip, never in an entry box, and comes back to the tool.
    m_tools->setFocusParking(Onglets);
    // The view's list likewise: clicked, it takes the focus, which the
    // redrawing it asks for keeps there (see keepFocusThrough).
    vuegraphe->setFocusPolicy(Qt::StrongFocus);
    new BenchKeys(*this, *m_burette, *Onglets);
}

void feuilleP::orderKeyboardFocus()
{
    // Tab follows the eye: the page strip and the page in front, the burette
    // under the student's hand, the situations, the window's buttons, the
    // text. Hidden pages are skipped by Qt, so one chain serves all five.
    std::vector<QWidget*> order{Onglets,
                                Option1[0],
                                Option1[1],
                                m_mixturePanel->nature,
                                lbecher,
                                Text1[BoxConcentration],
                                command5};
    // A mixture's panel over the solute's lines: each solute and its
    // concentration, row by row, then the burette's solution in its column.
    // Hidden with the single solute's nature, and skipped then.
    for (int i = 0; i < kMaxMixSolutes; ++i) {
        order.push_back(m_mixturePanel->solutes[i]);
        order.push_back(m_mixturePanel->concentrations[i]);
    }
    order.push_back(m_mixturePanel->titrant);
    for (QWidget* w : {static_cast<QWidget*>(Text1[BoxVsol]),
                       static_cast<QWidget*>(Text1[BoxWater]), static_cast<QWidget*>(lindic),
                       static_cast<QWidget*>(Text1[BoxPoured])})
        order.push_back(w);
    // The graph page: the graph itself (a stop only while the two lines'
    // markers are shown), the Monte-Carlo button over it, the tools top to
    // bottom, then the view's list under them.
    order.push_back(Picture1);
    if (m_lines && m_lines->monteCarloButton()) order.push_back(m_lines->monteCarloButton());
    for (QPushButton* b : m_tools->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
        order.push_back(b);
    order.push_back(vuegraphe);
    order.push_back(MSFlexGrid1);
    // The parameters as they are shown, column by column in each group: the
    // instruments (conductimeter and burette, the pH-meter, the realism and
    // its seed), then the graph's two columns, the concentration's mask,
    // the step and, beside it, the solution and its temperature.
    const ParametresPage& p = *Picture3;
    for (QWidget* w : std::initializer_list<QWidget*>{
             p.optscema[1], p.optscema[0], p.phmetre, p.realistes, p.graine, p.Check1, p.Check2,
             p.corrdilution, p.conserver, p.masquer, p.UpDown1, p.reelles, p.temperature})
        order.push_back(w);
    order.push_back(Histo);
    for (QWidget* w : {static_cast<QWidget*>(Text1[BoxBurette]), static_cast<QWidget*>(Image3),
                       static_cast<QWidget*>(Image1), static_cast<QWidget*>(Command6),
                       static_cast<QWidget*>(Command13), static_cast<QWidget*>(Command14)})
        order.push_back(w);
    for (QRadioButton* b : Option2)
        order.push_back(b);
    for (QPushButton* b : m_commands->buttons())
        order.push_back(b);
    if (auto* fich = findChild<QWidget*>(QStringLiteral("fich"))) order.push_back(fich);
    order.push_back(supertext);
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // The student's text takes Tab as a move to the next control, so that
    // the keyboard never gets stuck in it (a tab stop in the text is rare).
    supertext->setTabChangesFocus(true);
    supertext->installEventFilter(this);
    // The first box of the page in front has the focus at start-up.
    Text1[BoxConcentration]->setFocus();
}

void feuilleP::keepNatureTabStop()
{
    // Tab enters a group of radio buttons on its checked one, the arrows move
    // within it. Qt moves that stop when a button takes the focus, not when
    // the program checks another (a situation loaded): the stop is put on
    // the checked button here.
    QRadioButton* natures[] = {Option1[0], Option1[1], m_mixturePanel->nature};
    const bool anyChecked = std::any_of(std::begin(natures), std::end(natures),
                                        [](QRadioButton* b) { return b->isChecked(); });
    for (QRadioButton* b : natures) {
        const Qt::FocusPolicy policy = b->focusPolicy();
        b->setFocusPolicy(b->isChecked() || !anyChecked
                              ? Qt::FocusPolicy(policy | Qt::TabFocus)
                              : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

} // namespace titrage
