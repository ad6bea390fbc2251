#include "admin/command_logic.h"

#include <cstdlib>

#include "admin/setting_rules.h"
#include "device/console_command.h"
#include "flight/number_text.h"

namespace tavo {
namespace {

constexpr int kMaxWord = 65535;
constexpr int kMaxAddress = 255;

} // namespace

bool CommandLogic::TakeFieldValues(const std::string& valueText, const std::string& addressText) {
    m_refused = CommandField::None;
    int value = 0;
    if (!ParseIntegerField(valueText, value) || value < 0) {
        m_refused = CommandField::Value;
        m_prompt.ShowMessage("Please enter a positive integer.", kAppTitle, Severity::Warning);
        return false;
    }
    if (value > kMaxWord) {
        m_refused = CommandField::Value;
        m_prompt.ShowMessage(IntegerBetweenText(0, kMaxWord), kAppTitle, Severity::Warning);
        return false;
    }
    int address = 0;
    if (!ParseIntegerField(addressText, address) || address < 0 || address > kMaxAddress) {
        m_refused = CommandField::Address;
        m_prompt.ShowMessage(IntegerBetweenText(0, kMaxAddress), kAppTitle, Severity::Warning);
        return false;
    }
    m_value = static_cast<unsigned>(value);
    m_address = static_cast<unsigned>(address);
    return true;
}

bool CommandLogic::Send(const std::string& command, const std::string& valueText,
                        const std::string& addressText) {
    if (!TakeFieldValues(valueText, addressText))
        return false;
    m_reply = SendConsoleCommand(m_link, command, m_value, m_address, [this] {
        return m_prompt.AskOkCancel(kWriteMemoryQuestion, kAppTitle, Severity::Warning);
    });
    return true;
}

void CommandLogic::Help() {
    m_prompt.ShowMessage(kCommandHelp, "Help", Severity::Plain);
}

void CalibrateLogic::OnRead(int which) {
    const int slot = which == 0 ? 0 : 1;
    m_reading[slot] = m_protocol.ReadSensor();
    m_shown[slot] = true;
}

std::string CalibrateLogic::ReadingText(int which) const {
    const int slot = which == 0 ? 0 : 1;
    return m_shown[slot] ? std::to_string(m_reading[slot]) : std::string();
}

std::string CalibrateLogic::DifferenceText() const {
    // A reading of 0 is what a silent recorder gives: it counts as not read.
    if (m_reading[0] == 0 || m_reading[1] == 0)
        return std::string();
    return std::to_string(std::abs(m_reading[0] - m_reading[1]));
}

bool CalibrateLogic::OnOK(const std::string& twoGeeText) {
    int value = 0;
    if (!ParseIntegerField(twoGeeText, value)) {
        m_prompt.ShowMessage(kEnterInteger, kAppTitle, Severity::Warning);
        return false;
    }
    // The recorder keeps the value in one word: anything else would be stored wrapped.
    if (value < 0 || value > kMaxWord) {
        m_prompt.ShowMessage(IntegerBetweenText(0, kMaxWord), kAppTitle, Severity::Warning);
        return false;
    }
    m_nTwoGeeValue = value;
    return true;
}

} // namespace tavo
