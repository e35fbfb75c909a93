#pragma once
// One driver for the tests that work the bench window as a student does: it
// builds `feuilleP` in a fresh program folder, finds its controls by the
// names the program gives them ("Text1(5)", "LabelpH", "Command13",
// "Option2(3)", "MSFlexGrid1" ...), types into a box and validates it, pours,
// switches situations and pages, and reads what the student reads. Every
// message the bench asks goes to a recorder, answered without blocking.
//
// The driver only goes through object names and the window's public
// accessors, so the tests keep working however the window's code is split.

#include "bench/feuillep.h"
#include "platform/messages.h"
#include "tests/support/qstringprint.h"

#include <QByteArray>
#include <QColor>
#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>

class QAction;
class QLineEdit;

namespace titrage {

class ApparatusView;
class GraphView;
class ParametresPage;
class TabStrip;
class ValueTable;

namespace testing {

// Copies files shipped in data/ (`subfolder` of it) into `folder`.
bool copyShipped(const QString& folder, std::initializer_list<const char*> names,
                 const QString& subfolder = {});
// Record n (from 1) of the marker file TEMPQZ.TMP in `folder`: its bytes,
// empty when absent.
QByteArray markerRecord(const QString& folder, int n);
// Writes record n of that file, as the launcher leaves a request there; the
// file grows to n records when it is shorter.
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
    ~BenchDriver();
    BenchDriver(const BenchDriver&) = delete;
    BenchDriver& operator=(const BenchDriver&) = delete;

    feuilleP& window() { return *m_window; }
    feuilleP* operator->() { return m_window.get(); }
    // Shows the window (the launcher's request is taken then).
    void show();

    QString folder() const { return m_folder; }
    QString file(const QString& name) const;
    bool copyShipped(std::initializer_list<const char*> names, const QString& subfolder = {})
    {
        return testing::copyShipped(m_folder, names, subfolder);
    }
    QByteArray markerRecord(int n) const { return testing::markerRecord(m_folder, n); }

    MessageRecorder& messages() { return *m_messages; }

    // --- Controls, by object name; a missing one fails the test ---
    template <class T = QWidget> T& find(const QString& name) const
    {
        T* found = m_window->findChild<T*>(name);
        if (!found)
            throw std::logic_error("the bench has no " + std::string(T::staticMetaObject.className()) +
                                   " named \"" + name.toStdString() + '"');
        return *found;
    }
    QLineEdit& box(int i) const;
    ValueTable& table() const;
    GraphView& graph() const;
    ApparatusView& apparatus() const;
    TabStrip& tabs() const;
    ParametresPage& parameters() const;
    QAction& action(const QString& name) const;

    // What the student reads on a control: a box's or label's text, a button's
    // caption, a list's current item, a text area's plain text.
    QString text(const QString& name) const;
    // The text of box Text1(i).
    QString entry(int i) const;
    // The conductimeter's reading, as shown and as a number.
    QString conductimeter() const;
    std::optional<double> sigma() const;
    // The poured volume in mL, from its box.
    double poured() const;
    int rows() const;
    QString cell(int row, int column) const;
    QString lastVolumeRow() const { return cell(rows() - 1, 0); }
    // True when a pixel of `colour` lies within `radius` of logical (x, y) on the graph.
    bool graphHasColourNear(double x, double y, QColor colour, int radius = 2) const;
    bool timerActive(const QString& timer) const;

    // --- What the student does ---
    // Types `text` over the box's contents, without validating.
    void typeText(int box, const QString& text);
    // Types `text` over the box's contents and validates it with Enter.
    void type(int box, const QString& text);
    // A left click in the middle of a control.
    void click(const QString& name);
    // Holds the tap open for up to `ticks` ticks of the pouring timer, then
    // lets it go off the tap (no click's extra tenth).
    void holdTap(int ticks);
    // A click on the tap, as quick as it gets: 0,1 mL.
    void clickTap();
    // The drop button, and the ticks it takes to fall.
    void drop();
    void fastPlot() { click(QStringLiteral("Command13")); }
    // Picks the solute at `position` in the beaker's list, the indicator in its list.
    void solute(int position);
    void indicator(int position);
    // "Solution acide" (0) or "Solution basique" (1).
    void nature(int n);
    void situation(int k);
    // A click on the title of tab k (1..5).
    void page(int k);
    // One tick of a timer ("Timer1", the tap; "Timer2", the drop).
    void tick(const QString& timer);

private:
    void build(Start start, MessageRecorder* recorder);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
    std::unique_ptr<MessageRecorder> m_ownMessages;
    MessageRecorder* m_messages = nullptr;
    std::unique_ptr<feuilleP> m_window;
};

// A test fixture on a fresh, shown bench: `d` drives it, `w` is its window;
// the messages of the start are forgotten.
class BenchTest : public ::testing::Test {
protected:
    BenchTest() { d.messages().clear(); }

    BenchDriver d;
    feuilleP* const w = &d.window();
    MessageRecorder* const messages = &d.messages();
};

} // namespace testing
} // namespace titrage
