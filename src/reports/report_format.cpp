#include "reports/report_format.h"

#include "exchange/text_format.h"

namespace tavo {

std::string FormatFixed(double value, int decimals) {
    std::string text;
    AppendFixed(text, value, decimals);
    return text;
}

} // namespace tavo
