#pragma once
// One driver for the tests that work the bench window as a student does: it
// builds `feuilleP` in a fresh program folder, finds its controls by the
// names the program gives them ("Text1(5)", "LabelpH", "Command13",
// "Option2(3)", "MSFlexGrid1" ...), types into a box and validates it, pours,
// switches situations and pages, and reads what the student reads. Every
// message the bench asks goes to a recorder, answered without blocking.
//
// The driver goes through object names and the window's public accessors
// only, so the tests keep working however the window's code is divided.

#include "bench/apparatusview.h"
#include "bench/feuillep.h"
#include "bench/tabstrip.h"
#include "graph/graphview.h"
#include "graph/valuetable.h"
#include "platform/messages.h"
#include "platform/core/numberformat.h"
#include "tests/support/qstringprint.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>

namespace titrage::testing {

// Copies files shipped in data/ (`subfolder` of it) into `folder`.
bool copyShipped(const QString& folder, std::initializer_list<const char*> names,
                 const QString& subfolder = {});
// Record n (from 1) of the marker file TEMPQZ.TMP in `folder`, empty when absent.
QByteArray markerRecord(const QString& folder, int n);
// Writes record n of that file as the launcher leaves a request there.
bool writeMarkerRecord(const QString& folder, int n, const QByteArray& bytes);

class BenchDriver {
public:
    enum class Start { Shown, Hidden };

    // The bench in a fresh temporary program folder.
    explicit BenchDriver(Start start = Start::Shown);
    // The bench on `programFolder` (files put there beforehand, or a folder
    // it cannot write to). Its messages go to `recorder` when given (a second
    // bench beside a first one), else to a recorder of its own.
    explicit BenchDriver(const QString& programFolder, Start start = Start::Shown,
                         MessageRecorder* recorder = nullptr);

    feuilleP& window() { return *m_window; }
    feuilleP* operator->() { return m_window.get(); }
    // Shows the window (the launcher's request is taken then).
    void show() { m_window->show(); }
    MessageRecorder& messages() { return *m_messages; }

    QString folder() const { return m_folder; }
    QString file(const QString& name) const { return m_folder + QLatin1Char('/') + name; }
    bool copyShipped(std::initializer_list<const char*> names, const QString& subfolder = {})
    {
        return testing::copyShipped(m_folder, names, subfolder);
    }
    QByteArray markerRecord(int n) const { return testing::markerRecord(m_folder, n); }

    // --- Controls, by object name; a missing one fails the test ---
    template <class T = QWidget> T& find(const QString& name) const
    {
        if (T* found = m_window->findChild<T*>(name)) return *found;
        throw std::logic_error("the bench has no " + std::string(T::staticMetaObject.className()) +
                               " named \"" + name.toStdString() + '"');
    }
    QLineEdit& box(int i) const { return find<QLineEdit>(QStringLiteral("Text1(%1)").arg(i)); }
    ValueTable& table() const { return find<ValueTable>("MSFlexGrid1"); }
    GraphView& graph() const { return find<GraphView>("Picture1"); }
    ApparatusView& apparatus() const { return find<ApparatusView>("picburette"); }
    TabStrip& tabs() const { return find<TabStrip>("Onglets"); }
    QAction& action(const QString& name) const { return find<QAction>(name); }

    // --- What the student reads ---
    // A box's or a label's text, a button's caption, a list's current item,
    // a text area's plain text.
    QString text(const QString& name) const;
    QString entry(int i) const { return box(i).text(); }
    QString conductimeter() const { return text("LabelpH"); }
    std::optional<double> sigma() const { return parseNumber(conductimeter().toStdString()); }
    // The poured volume in mL, read from its box.
    double poured() const { return parseNumber(entry(5).toStdString()).value_or(NAN); }
    int rows() const { return table().measurementRows(); }
    QString cell(int row, int column) const { return table().cellText(row, column); }
    // True when a pixel of `colour` lies within `radius` of logical (x, y) on the graph.
    bool graphHasColourNear(double x, double y, QColor colour, int radius = 2) const;
    bool timerActive(const QString& timer) const { return find<QTimer>(timer).isActive(); }

    // --- What the student does ---
    // Types `text` over the box's contents; type() validates it with Enter.
    void typeText(int box, const QString& text);
    void type(int box, const QString& text)
    {
        typeText(box, text);
        QTest::keyClick(&this->box(box), Qt::Key_Return);
    }
    // A left click in the middle of a control.
    void click(const QString& name) { QTest::mouseClick(&find<QWidget>(name), Qt::LeftButton); }
    // Holds the tap open for up to `ticks` ticks of the pouring timer, then
    // lets it go off the tap (no click's extra tenth of a mL).
    void holdTap(int ticks);
    void clickTap() { click("Image3"); }
    // The drop button, and the ticks the drop takes to fall.
    void drop();
    void fastPlot() { click("Command13"); }
    // The solute at `position` in the beaker's list, the indicator in its list.
    void solute(int position) { choose("lbecher", position); }
    void indicator(int position) { choose("lindic", position); }
    // "Solution acide" (0) or "Solution basique" (1).
    void nature(int n) { find<QAbstractButton>(QStringLiteral("Option1(%1)").arg(n)).click(); }
    void situation(int k) { click(QStringLiteral("Option2(%1)").arg(k)); }
    // A click on the title of tab k (1..5).
    void page(int k);
    // One tick of a timer ("Timer1", the tap's; "Timer2", the drop's).
    void tick(const QString& timer);

private:
    void choose(const QString& list, int position);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    std::unique_ptr<MessageRecorder> m_ownMessages;
    MessageRecorder* m_messages = nullptr;
    std::unique_ptr<feuilleP> m_window;
};

// A fixture on a fresh, shown bench: `d` drives it, `w` is its window; the
// messages of the start are forgotten.
class BenchTest : public ::testing::Test {
protected:
    BenchTest() { d.messages().clear(); }

    BenchDriver d;
    feuilleP* const w = &d.window();
    MessageRecorder* const messages = &d.messages();
};

} // namespace titrage::testing
