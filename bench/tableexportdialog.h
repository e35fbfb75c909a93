#pragma once
// "Exporter le tableau…": the table of values and the situation's parameters
// written to a CSV file for a spreadsheet, chosen in a save dialog.

#include "model/tableexport.h"

#include <QString>

class QWidget;

namespace titrage {

class ValueTable;

// Asks for the file and writes it whole or not at all. Returns the path
// written, empty when the student cancelled or the disk refused (a message
// then says so).
QString exportTable(QWidget& parent, const ExportSituation& situation, const ValueTable& table);

} // namespace titrage
