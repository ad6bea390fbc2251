// Feeds arbitrary bytes to the RDAS reader: it must read or refuse them without a crash,
// a hang or undefined behaviour, refuse without touching the table, and take from each
// line no more than a value a line can hold.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "doc/tavokit_doc.h"
#include "exchange/commands/exchange_flow.h"
#include "exchange/rdas_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    tavo::ReadRdasRate(text, size);

    tavo::RdasTable table{77, {"kept"}};
    std::string reason;
    if (!tavo::ParseRdasText(text, size, table, reason)) {
        if (table.sampleRate != 77 || table.values.size() != 1 || reason.empty())
            std::abort();
        return 0;
    }
    std::size_t lines = 1;
    for (std::size_t i = 0; i < size; ++i)
        lines += data[i] == '\n';
    if (table.values.empty() || table.values.size() > lines)
        std::abort();
    for (const std::string& v : table.values) {
        if (v.size() > tavo::kRdasLineChars ||
            v.find_first_of(std::string(" \n\0", 3)) != std::string::npos)
            std::abort();
    }
    // The imported words must go through the whole computation.
    const std::size_t count = table.values.size();
    const int rate = table.sampleRate;
    tavo::CTAVOkitDoc doc;
    tavo::ApplyRdasTable(doc, std::move(table));
    if (doc.Record().m_pSamples.size() != count || doc.Record().m_nSampleRate != rate ||
        doc.Curves().m_arrAccel.size() != count)
        std::abort();
    return 0;
}
