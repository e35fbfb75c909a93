#pragma once
// What saving and loading a configuration need from the bench. The main window
// implements this; the save and open dialogs and lireconfig speak only to it.
//
// Loading (lireconfig) calls it in this order, and the order matters:
//   1. selectSituation(9) unless situation 10 is already current;
//   2. setTicked(...) for masquer, Check1 and Check2, with their usual effects
//      (ticking Check1 re-selects the current situation, which stores the
//      bench into slot 9);
//   3. replaceSituations(...) with the ten situations read from the file, AFTER the
//      check boxes, so that nothing stores the bench over them afterwards;
//   4. restoreSituation(0), which does not store the bench into slot 9;
//   5. setBenchTitle(benchTitleFor(nomfichier())).
// Saving reads situationStore() and isTicked() only; the save button first
// calls selectSituation(numsit) so that the store holds the bench as it is.

#include "model/situations.h"

#include <QString>
#include <Qt>

#include <array>

class QWidget;

namespace titrage {

// The three check boxes a configuration saves.
enum class ConfigCheck {
    Masquer, // "Masquer la concentration de la solution introduite dans le bécher"
    Check1,  // "Superposer les courbes"
    Check2,  // "Tracer en gras"
};

// A check box counts as ticked only in its checked state: the grey third
// state is saved as not ticked.
inline bool isTickedState(Qt::CheckState state)
{
    return state == Qt::Checked;
}

class ConfigBench {
public:
    virtual ~ConfigBench() = default;

    // The main window: parent of the dialogs and of every message, and the
    // corner the dialogs are placed from.
    virtual QWidget* benchWindow() = 0;

    // The ten situations and numsit, as the history holds them now.
    virtual const SituationStore& situationStore() const = 0;

    // Exactly what a click on Option2(k) does: when numsit is not -1, store
    // the bench into slot numsit; numsit := k; restore slot k on the bench
    // (controls, reinitialise, curves). Called with k = numsit it stores the
    // bench and redraws.
    virtual void selectSituation(int k) = 0;

    // numsit := k and restore slot k on the bench as selectSituation does,
    // WITHOUT storing the bench into the slot that was current: the situations
    // just loaded from a file must stay as read.
    virtual void restoreSituation(int k) = 0;

    // Replaces the ten situations of the history, numsit unchanged, with no effect
    // on the bench (restoreSituation follows). Each slot's textesit(6) is the
    // value that slot already held; list positions may lie outside the lists
    // (a file may hold any 16-bit number): the bench must cope when it
    // restores them, as it does with positions out of range.
    virtual void replaceSituations(const std::array<Situation, kSituations>& situations) = 0;

    // True when the box is in its checked state (isTickedState).
    virtual bool isTicked(ConfigCheck box) const = 0;

    // Ticks or unticks the box with the effects the same change made by hand
    // has (masquer hides or shows the concentration; Check1 and Check2
    // re-select the current situation). No effect when the box already is in
    // that state; a grey box set to unticked does change.
    virtual void setTicked(ConfigCheck box, bool ticked) = 0;

    // nomfichier: the full path of the current configuration file, empty at
    // start, offered by the save dialog. Set by a successful save, by the open
    // dialog and by the exercise window before they call lireconfig.
    virtual QString nomfichier() const = 0;
    virtual void setNomfichier(const QString& path) = 0;

    // The folder of the files shipped with the program; the save dialog
    // never starts there nor offers a file inside it. Empty: none.
    virtual QString shippedFolder() const { return {}; }

    // Sets the main window's title (benchTitleFor in lireconfig.h builds
    // "Titrage conductimétrique - " followed by the file's path).
    virtual void setBenchTitle(const QString& title) = 0;
};

} // namespace titrage
