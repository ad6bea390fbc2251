#include "exchange/ui/exchange_actions.h"

#include "app/tavokit_doc.h"
#include "exchange/exchange_flow.h"
#include "exchange/ui/qt_exchange_ui.h"

namespace tavo {

void OnFileExportCsv(QWidget* parent, const FlightRecord& flight) {
    QtExchangeUi ui(parent);
    RunCsvExport(ui, flight);
}

void OnFileExportThrustCurve(QWidget* parent, const FlightRecord& flight) {
    QtExchangeUi ui(parent);
    RunEngExport(ui, flight);
}

bool OnImportRdas(QWidget* parent, CTAVOkitDoc& doc) {
    QtExchangeUi ui(parent);
    RdasTable table;
    if (!RunRdasImport(ui, table))
        return false;
    doc.SetModifiedFlag(true);
    ApplyRdasTable(doc, std::move(table));
    return true;
}

} // namespace tavo
