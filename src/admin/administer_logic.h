#pragma once
// The rules of the Administer dialog, apart from its widgets: connecting and
// identifying, reading, editing, defaulting and writing the recorder's settings, and
// closing. The dialog shows `View()` after every `onRefresh` and forwards each user
// action to the handler of the same name; messages, questions, status lines and the
// busy state go through the UserPrompt. The CLI's recorder commands run the same rules.

#include <array>
#include <atomic>
#include <functional>
#include <string>

#include "admin/setting_rules.h"
#include "device/port_directory.h"
#include "device/recorder_protocol.h"
#include "device/recorder_settings.h"
#include "device/serial_link.h"
#include "prompt/user_prompt.h"

namespace tavo {

// The entries of the two drop-down lists, in their order.
inline constexpr std::array<const char*, 13> kRateEntries{
    "4 Hz",   "8 Hz",   "10 Hz",  "20 Hz",  "25 Hz",  "40 Hz",  "50 Hz",
    "100 Hz", "125 Hz", "200 Hz", "250 Hz", "500 Hz", "1000 Hz"};
inline constexpr std::array<const char*, 7> kPreLaunchEntries{
    "64 samples",   "128 samples",  "256 samples", "512 samples",
    "1024 samples", "2048 samples", "4096 samples"};

// The first entry whose text begins with the decimal digits of `value` ("12" finds
// "128 samples"), as the lists select a value; -1 when none does.
int SelectByLeadingDigits(const char* const* entries, std::size_t count, int value);
template <std::size_t N>
int SelectByLeadingDigits(const std::array<const char*, N>& entries, int value) {
    return SelectByLeadingDigits(entries.data(), N, value);
}
// The number an entry starts with ("125 Hz" gives 125).
int EntryNumber(const char* entry);

// The edit fields whose text the dialog checks, in the order it checks them.
enum class AdminField { None, BurnOutNumber, EventDelay, ActionTime };

// Everything the dialog shows.
struct AdministerView {
    std::string m_strModel;
    std::string m_strVersion;
    std::string m_strSerialNumber;
    std::string m_strTwoGee;
    bool connected = false; // the Connect button reads "Disconnect"
    int rateIndex = -1;
    int preLaunchIndex = -1;
    int eventRadio = kEventApogee; // -1: none of the three
    std::string eventDelay;
    std::string actionTime;
    std::string burnOutNumber;
    bool breakwire = false;
    int contactRadio = 1; // 0 normally open, 1 normally closed
    // Enabled states. The firmware gate sets all three; the event radios move the
    // burn-out edit and the breakwire check moves the contact radios.
    bool burnOutEnabled = false;
    bool contactEnabled = false;
    bool launchDetectEnabled = true; // breakwire check, action time and its labels
};

class AdministerLogic {
public:
    AdministerLogic(PortDirectory& ports, UserPrompt& prompt);

    // The dialog opens: not connected, the port chosen by the device dialogs' rule,
    // the defaults shown, nothing sent.
    void Open(const std::string& portName, bool autoPort);
    // The port the next connect opens.
    void SetPort(const std::string& portName, bool autoPort);

    // Buttons. Each exchange shows the busy state while it runs. Connect (or
    // Disconnect, once connected) is true when it connected and read the values.
    bool OnConnect();
    // Connects and identifies the recorder without reading its settings, for callers
    // that show only who answered; true when connected.
    bool ConnectAndIdentify();
    void OnReadValues();
    // False when nothing was stored (a refused field, a failed exchange).
    bool OnWriteValues();
    void OnSetDefaults();
    // True when the dialog may close.
    bool OnOK();
    void OnCancel();
    // Calibrate and Command: true when connected, else "Please connect first.".
    bool RequireConnection();
    // The calibration window's OK.
    void ApplyCalibration(int twoGeeValue);

    // Control handlers.
    void OnEventRadio(int radio);
    void OnEventDelayChanged(const std::string& text);
    void OnBurnOutChanged(const std::string& text);
    void OnActionTimeLeft(const std::string& text);
    void OnRateChosen(int index);
    void OnPreLaunchChosen(int index);
    void OnBreakwire(bool checked);
    void OnContact(int radio);
    // The edits' texts as they stand, handed over before an exchange so that taking the
    // field values sees what the user typed; nothing is checked here.
    void SetFieldTexts(const std::string& burnOut, const std::string& eventDelay,
                       const std::string& actionTime);

    // Takes the field values: checks the three edits in order (a disabled one is left
    // alone) and tells the first one refused, remembered for the dialog to focus. False
    // when one was refused.
    bool TakeFieldValues();
    AdminField RefusedField() const { return m_refused; }

    // Changes the settings as the dialog's controls would, for the command-line program.
    void EditSettings(const std::function<void(RecorderSettings&)>& edit);

    const AdministerView& View() const { return m_view; }
    const RecorderSettings& Settings() const { return m_settings; }
    const RecorderIdentity& Identity() const { return m_identity; }
    bool IsModified() const { return m_bModified; }
    bool IsConnected() const { return m_protocol.m_bConnected; }
    bool FullFeatures() const { return m_protocol.m_bFullFeatures; }
    bool PortOpen() const { return m_link.m_bPortOpen; }
    SerialLink& Link() { return m_link; }
    RecorderProtocol& Protocol() { return m_protocol; }
    UserPrompt& Prompt() { return m_prompt; }

    // Closing the window in the middle of an exchange: the exchange ends at its next
    // whole command. Safe from any thread.
    void RequestStop() { m_bStop = true; }

    // Called whenever the controls should show View() again.
    std::function<void()> onRefresh;

private:
    bool Connect();
    bool AfterConnect();
    void Identify();
    bool ReadIntoDialog();
    void OnValueArrived(int address);
    void ShowSettings();
    void Refresh();

    UserPrompt& m_prompt;
    SerialLink m_link;
    RecorderProtocol m_protocol;
    RecorderSettings m_settings;
    RecorderIdentity m_identity;
    AdministerView m_view;
    bool m_bModified = false;
    AdminField m_refused = AdminField::None;
    std::atomic<bool> m_bStop{false};
};

} // namespace tavo
