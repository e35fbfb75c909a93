#pragma once
// A stand-in for the main window: it keeps a store, three check boxes and the
// bench's current contents, behaves as the interface says, and logs every call.

#include "config/configbench.h"
#include "tests/support/qstringprint.h"

#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

namespace titrage::testing {

class FakeBench : public ConfigBench {
public:
    FakeBench()
    {
        m_window.setWindowTitle(QStringLiteral("Titrage conductimétrique"));
        m_window.setGeometry(130, 90, 800, 600);
        m_window.show();
    }

    QWidget* benchWindow() override { return &m_window; }
    const SituationStore& situationStore() const override { return store; }

    void selectSituation(int k) override
    {
        note(QStringLiteral("select %1").arg(k));
        if (store.numsit != -1) store.sit[static_cast<std::size_t>(store.numsit)] = bench;
        store.numsit = static_cast<std::int16_t>(k);
        bench = store.sit[static_cast<std::size_t>(k)];
    }

    void restoreSituation(int k) override
    {
        note(QStringLiteral("restore %1").arg(k));
        store.numsit = static_cast<std::int16_t>(k);
        bench = store.sit[static_cast<std::size_t>(k)];
    }

    void replaceSituations(const std::array<Situation, kSituations>& situations) override
    {
        note(QStringLiteral("replace"));
        store.sit = situations;
    }

    bool isTicked(ConfigCheck box) const override
    {
        return isTickedState(checks[static_cast<std::size_t>(box)]);
    }

    void setTicked(ConfigCheck box, bool ticked) override
    {
        const Qt::CheckState state = ticked ? Qt::Checked : Qt::Unchecked;
        Qt::CheckState& current = checks[static_cast<std::size_t>(box)];
        if (current == state) return;
        current = state;
        note(QStringLiteral("tick %1 %2").arg(static_cast<int>(box)).arg(ticked ? 1 : 0));
        // As by hand: the masking box is part of the bench; the two graph boxes
        // re-select the current situation.
        if (box == ConfigCheck::Masquer)
            bench.optsit[4] = ticked;
        else
            selectSituation(store.numsit);
    }

    QString shippedFolder() const override { return shipped; }
    QString shipped;
    QString nomfichier() const override { return m_nomfichier; }
    void setNomfichier(const QString& path) override { m_nomfichier = path; }
    void setBenchTitle(const QString& title) override
    {
        note(QStringLiteral("title"));
        m_window.setWindowTitle(title);
    }
    QString title() const { return m_window.windowTitle(); }

    SituationStore store;
    Situation bench;
    // Called with each call's log line as the call is made: a test
    // makes something happen in the middle of a load.
    std::function<void(const QString&)> onCall;
    std::array<Qt::CheckState, 3> checks{Qt::Unchecked, Qt::Unchecked, Qt::Unchecked};
    QStringList log;

private:
    void note(const QString& call)
    {
        log << call;
        if (onCall) onCall(call);
    }

    QWidget m_window;
    QString m_nomfichier;
};

} // namespace titrage::testing
