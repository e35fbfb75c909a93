#pragma once
// A point the student measured by pouring: where its cross stands on the graph
// and the row it added to the table of values.

#include "model/measurement.h"

namespace titrage {

struct MeasuredPoint {
    double volume = 0; // mL, as the cross is drawn
    double sigma = 0;  // S·m⁻¹
    TableRow row;
    bool imported = false; // from a class's file: only v and sigma are known
};

} // namespace titrage
