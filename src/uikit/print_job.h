#pragma once
// One printer serves every window (Print Setup sets it once for all), yet each print
// is the window's own: the job carries its name, and a print going to a file, as the
// last one did, proposes the window's own file, never the one another window printed.

#include <string>

#include <QString>

class QPrinter;

namespace tavo {

// The name a flight's files are made from: its title without ".flt".
QString FlightFileStem(const std::string& title);

// Readies `printer` for a window's print dialog or preview: the job is named `jobName`;
// when the printer prints to a PDF file, the file proposed is `fileStem`.pdf in the
// folder of the file printed last.
void PreparePrintJob(QPrinter& printer, const QString& jobName, const QString& fileStem);

} // namespace tavo
