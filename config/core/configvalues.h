#pragma once
// The entry texts of a configuration pass the bench's own entry rules before
// they reach the bench, as if the student had typed them: a file may hold
// anything ("-0,01", "3,4e38", "-21", letters), and the bench must only ever
// compute with values it would have accepted.

#include "model/entryvalidation.h"
#include "model/situations.h"

#include <vector>

namespace titrage {

// Corrects the six stored entry texts of `situation` with validateEntry: the
// beaker volume against the added water, the water against the corrected
// beaker volume, as the boxes do, then the beaker volume again so that the
// pair always ends within 20 to 200 mL. A text that already reads as the value the
// rules give is kept byte for byte ("0,010" stays); any other is replaced by
// the corrected text. Returns the notices the volume corrections give, in
// order, each text once (concentrations and the pKa are corrected silently).
std::vector<Notice> correctSituation(Situation& situation);

} // namespace titrage
