#pragma once
// Loading a configuration file into the bench, and the texts both the loader
// and the save dialog show.

#include "config/configbench.h"

#include <QString>

class QWidget;

namespace titrage {

// "Titrage conductimétrique - " followed by the file's path.
QString benchTitleFor(const QString& nomfichier);

// Loads the file named by bench.nomfichier() (the caller sets it first):
//   - situation 10 is selected (storing the bench) unless it is current;
//   - a file that cannot be opened, or whose first record cannot be read,
//     gets "Lecture impossible sur disque" and then, like a file whose first
//     record is not "OMRIX", "Ce fichier ne correspond pas à cette
//     application"; loading stops there and the title is left alone;
//   - otherwise the three check boxes are set, then the ten situations are
//     replaced, then situation 1 is restored without storing the bench, and
//     the title names the file. The entry texts of every file, the
//     program's own included, go through the bench's entry rules first
//     (config/core/configvalues.h), each distinct volume correction shown once.
//     A record that cannot be read further on gets "Lecture impossible sur
//     disque" once; the fields from that record on keep their values and
//     loading runs on to its end.
// A termination signal pending (platform/terminationsignals.h) before the
// file changes anything gives the load up; one that comes later lets it run
// to its end without any message.
// `openDialog`, when loading from the open dialog, is repainted first so
// that its loading panel shows, and is the parent of the messages; the
// dialog closes itself afterwards.
void lireconfig(ConfigBench& bench, QWidget* openDialog = nullptr);

} // namespace titrage
