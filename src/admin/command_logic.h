#pragma once
// The rules of the command console and of the calibration window, apart from their
// widgets. Both work on the Administer dialog's link and never open or close a port.

#include <string>

#include "device/recorder_protocol.h"
#include "device/serial_link.h"
#include "prompt/user_prompt.h"

namespace tavo {

constexpr const char* kWriteMemoryQuestion =
    "Are you sure you want to write to the memory?\nPermanent damage can occur.";
constexpr const char* kCommandHelp =
    "M = Report Model\nV = Report Version\nR = Write memory\nS = Read memory\n"
    "B = Buzz buzzer\nF = Fire Output\nA = Read sensor\n";

// The console's edits that Send checks, in the order it checks them.
enum class CommandField { None, Value, Address };

class CommandLogic {
public:
    // Questions and refusals go to `prompt`; the link reports through its own.
    CommandLogic(SerialLink& link, UserPrompt& prompt) : m_link(link), m_prompt(prompt) {}

    // Sends the command as typed, with the value (0 to 65535) and address (0 to 255)
    // it may need. A refused value or address is told and nothing is sent: a memory
    // write with a value other than the one on the screen could do lasting harm.
    bool Send(const std::string& command, const std::string& valueText,
              const std::string& addressText);
    // Takes the value and address fields as Send does, telling the first one refused.
    bool TakeFieldValues(const std::string& valueText, const std::string& addressText);
    // The command list, in a message box.
    void Help();

    const std::string& Reply() const { return m_reply; }
    CommandField RefusedField() const { return m_refused; }

private:
    SerialLink& m_link;
    UserPrompt& m_prompt;
    std::string m_reply;
    CommandField m_refused = CommandField::None;
    unsigned m_value = 0;
    unsigned m_address = 0;
};

class CalibrateLogic {
public:
    // Starts from the Administer dialog's two-G value.
    CalibrateLogic(RecorderProtocol& protocol, UserPrompt& prompt, int twoGeeValue)
        : m_protocol(protocol), m_prompt(prompt), m_nTwoGeeValue(twoGeeValue) {}

    // A READ button (0 the first, 1 the second): one sensor reading into that slot.
    void OnRead(int which);
    // The reading as shown: "%d", empty until read.
    std::string ReadingText(int which) const;
    int Reading(int which) const { return m_reading[which == 0 ? 0 : 1]; }
    // "%d" of the readings' absolute difference once both are read (0 means not read),
    // else empty.
    std::string DifferenceText() const;

    // OK with the two-G field's text: false (and told) when it is no whole number the
    // recorder's word can hold.
    bool OnOK(const std::string& twoGeeText);
    int TwoGeeValue() const { return m_nTwoGeeValue; }

private:
    RecorderProtocol& m_protocol;
    UserPrompt& m_prompt;
    int m_nTwoGeeValue;
    int m_reading[2] = {0, 0};
    bool m_shown[2] = {false, false};
};

} // namespace tavo
