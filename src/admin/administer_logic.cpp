#include "admin/administer_logic.h"

#include <cstring>

#include "admin/setting_rules.h"
#include "device/recorder_limits.h"

namespace tavo {
namespace {

// The busy state of one exchange, ended however the exchange ends.
class BusyScope {
public:
    explicit BusyScope(UserPrompt& prompt) : m_prompt(prompt) { m_prompt.SetBusy(true); }
    ~BusyScope() { m_prompt.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    UserPrompt& m_prompt;
};

const SettingLimit& LimitOf(AdminField field) {
    const char* key = field == AdminField::BurnOutNumber ? "burnOutNumber"
                      : field == AdminField::EventDelay  ? "eventDelay"
                                                         : "actionTime";
    return *FindSettingLimit(key);
}

// Reads one edit's text within its limits; on refusal `why` is the message to show.
bool ParseField(AdminField field, const std::string& text, int& value, std::string& why) {
    const SettingLimit& limit = LimitOf(field);
    return ReadIntegerWithin(text, limit.low, limit.high, value, why);
}

} // namespace

int SelectByLeadingDigits(const char* const* entries, std::size_t count, int value) {
    const std::string digits = std::to_string(value);
    for (std::size_t i = 0; i < count; ++i) {
        if (std::strncmp(entries[i], digits.c_str(), digits.size()) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

int EntryNumber(const char* entry) {
    int number = 0;
    for (const char* p = entry; *p >= '0' && *p <= '9'; ++p)
        number = number * 10 + (*p - '0');
    return number;
}

AdministerLogic::AdministerLogic(PortDirectory& ports, UserPrompt& prompt)
    : m_prompt(prompt), m_link(ports, prompt), m_protocol(m_link, ConnectReport::StatusList) {
    m_link.SetCancelFlag(&m_bStop);
    ShowSettings();
}

void AdministerLogic::Refresh() {
    m_view.connected = m_protocol.m_bConnected;
    if (onRefresh)
        onRefresh();
}

void AdministerLogic::Open(const std::string& portName, bool autoPort) {
    m_protocol.m_bConnected = false;
    m_bModified = false;
    SetPort(portName, autoPort);
    m_view.burnOutEnabled = false;
    m_view.contactEnabled = false;
    m_view.launchDetectEnabled = true;
    OnSetDefaults();
}

void AdministerLogic::SetPort(const std::string& portName, bool autoPort) {
    m_link.m_strPortName = portName;
    m_link.m_bAutoPort = autoPort;
}

void AdministerLogic::ShowSettings() {
    const RecorderSettings& s = m_settings;
    const int rate = SelectByLeadingDigits(kRateEntries, PeriodToRate(s.m_nSamplePeriod));
    if (rate >= 0)
        m_view.rateIndex = rate;
    const int pre = SelectByLeadingDigits(kPreLaunchEntries, s.m_nPreLaunchSamples);
    if (pre >= 0)
        m_view.preLaunchIndex = pre;
    m_view.eventRadio = EventRadioOf(s.m_nEventMode);
    m_view.eventDelay = std::to_string(s.m_nEventDelay);
    m_view.actionTime = std::to_string(s.m_nActionTime);
    m_view.burnOutNumber = std::to_string(s.m_nBurnOutNumber);
    m_view.m_strTwoGee = std::to_string(s.m_nTwoGeeValue);
    m_view.breakwire = s.m_bBreakwire;
    m_view.contactRadio = s.m_bNormallyClosed ? 1 : 0;
}

void AdministerLogic::OnSetDefaults() {
    m_settings = DefaultRecorderSettings();
    ShowSettings();
    Refresh();
    if (m_protocol.m_bConnected) {
        m_link.Status("Set to Defaults. TAVO not updated");
        m_bModified = true;
    }
}

bool AdministerLogic::Connect() {
    if (!m_protocol.ConnectRecorder()) {
        Refresh();
        return false;
    }
    return AfterConnect();
}

bool AdministerLogic::ConnectAndIdentify() {
    BusyScope busy(m_prompt);
    if (m_protocol.m_bConnected)
        return true;
    if (!m_protocol.ConnectRecorder()) {
        Refresh();
        return false;
    }
    Identify();
    return true;
}

bool AdministerLogic::AfterConnect() {
    Identify();
    m_bModified = false;
    return ReadIntoDialog();
}

void AdministerLogic::Identify() {
    m_link.Status("Connected");
    Refresh();
    m_protocol.IdentifyRecorder(m_identity);
    m_view.m_strModel = m_identity.m_strModel;
    m_view.m_strVersion = m_identity.m_strVersion;
    m_view.m_strSerialNumber = m_identity.m_strSerialNumber;
    const bool full = m_protocol.m_bFullFeatures;
    m_view.launchDetectEnabled = full;
    m_view.burnOutEnabled = full;
    m_view.contactEnabled = full;
    Refresh();
}

bool AdministerLogic::OnConnect() {
    BusyScope busy(m_prompt);
    if (m_protocol.m_bConnected) {
        m_protocol.DisconnectRecorder();
        Refresh();
        return false;
    }
    return Connect();
}

bool AdministerLogic::ReadIntoDialog() {
    const bool read = m_protocol.ReadSettings(
        m_settings, [this](int address) { OnValueArrived(address); }, false);
    Refresh();
    return read;
}

void AdministerLogic::OnValueArrived(int address) {
    RecorderSettings& s = m_settings;
    switch (address) {
    case address::kSamplePeriod: {
        // A period no entry stands for (0 included) leaves the list as it was.
        const int rate = SelectByLeadingDigits(kRateEntries, PeriodToRate(s.m_nSamplePeriod));
        if (rate >= 0)
            m_view.rateIndex = rate;
        break;
    }
    case address::kPreLaunch: {
        int pre = SelectByLeadingDigits(kPreLaunchEntries, s.m_nPreLaunchSamples);
        if (pre < 0) {
            m_link.Status("Pre-Launch buffer out of range! Setting to 64");
            m_link.Tell("Pre-Launch buffer out of range!\nSetting to 64");
            s.m_nPreLaunchSamples = kMinPreLaunchSamples;
            pre = SelectByLeadingDigits(kPreLaunchEntries, kMinPreLaunchSamples);
        }
        m_view.preLaunchIndex = pre;
        break;
    }
    case address::kEventMode:
        m_view.eventRadio = EventRadioOf(s.m_nEventMode);
        break;
    case address::kEventDelay:
        m_view.eventDelay = std::to_string(s.m_nEventDelay);
        break;
    case address::kTwoGee:
        m_view.m_strTwoGee = std::to_string(s.m_nTwoGeeValue);
        break;
    case address::kActionTime:
        m_view.actionTime = std::to_string(s.m_nActionTime);
        break;
    case address::kBurnOutNumber:
        m_view.burnOutNumber = std::to_string(s.m_nBurnOutNumber);
        break;
    case address::kFlags:
        m_view.breakwire = s.m_bBreakwire;
        m_view.contactRadio = s.m_bNormallyClosed ? 1 : 0;
        break;
    default:
        break;
    }
    Refresh();
}

void AdministerLogic::OnReadValues() {
    BusyScope busy(m_prompt);
    m_bModified = false;
    if (!m_protocol.m_bConnected)
        Connect();
    ReadIntoDialog();
}

bool AdministerLogic::OnWriteValues() {
    BusyScope busy(m_prompt);
    m_bModified = false;
    if (!m_protocol.m_bConnected)
        Connect();
    // A field the user cannot see written is not written: what was typed and refused
    // would otherwise be replaced, unseen, by the value before it.
    if (!TakeFieldValues())
        return false;
    const bool stored = m_protocol.WriteSettings(m_settings, false);
    // A buffer raised to 64 on the way out is shown as what the recorder now holds.
    const int pre = SelectByLeadingDigits(kPreLaunchEntries, m_settings.m_nPreLaunchSamples);
    if (pre >= 0)
        m_view.preLaunchIndex = pre;
    Refresh();
    return stored;
}

bool AdministerLogic::OnOK() {
    if (m_bModified && !m_prompt.AskOkCancel("Data modified but not saved.\nContinue to exit?",
                                             kAppTitle, Severity::Warning))
        return false;
    if (m_link.m_bPortOpen)
        m_link.ClosePort();
    // The port is closed: a dialog kept open by a refused field must not offer a
    // recorder it no longer talks to.
    m_protocol.m_bConnected = false;
    Refresh();
    return TakeFieldValues();
}

void AdministerLogic::OnCancel() {
    if (m_link.m_bPortOpen)
        m_link.ClosePort();
    m_protocol.m_bConnected = false;
}

bool AdministerLogic::RequireConnection() {
    if (m_protocol.m_bConnected)
        return true;
    m_prompt.ShowMessage("Please connect first.", kAppTitle, Severity::Warning);
    return false;
}

void AdministerLogic::ApplyCalibration(int twoGeeValue) {
    // A value confirmed in the calibration window is an edit like any other: OK asks
    // before it is dropped unwritten.
    if (twoGeeValue != m_settings.m_nTwoGeeValue)
        m_bModified = true;
    m_settings.m_nTwoGeeValue = twoGeeValue;
    m_view.m_strTwoGee = std::to_string(twoGeeValue);
    Refresh();
}

void AdministerLogic::OnEventRadio(int radio) {
    const int mode = EventModeOf(radio);
    if (mode < 0)
        return;
    m_settings.m_nEventMode = mode;
    m_view.eventRadio = radio;
    m_view.burnOutEnabled = radio == kEventBurnOut;
    m_bModified = true;
    Refresh();
}

// Every keystroke reaches these two; a text that is not yet a number within the limits
// (the user is still typing) leaves the setting as it was, and is told about when the
// field values are next taken.
void AdministerLogic::OnEventDelayChanged(const std::string& text) {
    m_view.eventDelay = text;
    std::string why;
    ParseField(AdminField::EventDelay, text, m_settings.m_nEventDelay, why);
    m_bModified = true;
}

void AdministerLogic::OnBurnOutChanged(const std::string& text) {
    m_view.burnOutNumber = text;
    std::string why;
    ParseField(AdminField::BurnOutNumber, text, m_settings.m_nBurnOutNumber, why);
    m_bModified = true;
}

void AdministerLogic::OnActionTimeLeft(const std::string& text) {
    m_view.actionTime = text;
    TakeFieldValues();
    std::string why;
    ParseField(AdminField::ActionTime, text, m_settings.m_nActionTime, why);
    m_bModified = true;
}

void AdministerLogic::OnRateChosen(int index) {
    if (index < 0 || index >= static_cast<int>(kRateEntries.size()))
        return;
    const int rate = EntryNumber(kRateEntries[index]);
    std::string why;
    if (!CheckSampleRate(rate, why))
        return;
    m_settings.m_nSamplePeriod = RateToPeriod(rate);
    m_view.rateIndex = index;
    m_bModified = true;
}

void AdministerLogic::OnPreLaunchChosen(int index) {
    if (index < 0 || index >= static_cast<int>(kPreLaunchEntries.size()))
        return;
    const int samples = EntryNumber(kPreLaunchEntries[index]);
    m_settings.m_nPreLaunchSamples =
        samples < kMinPreLaunchSamples ? kMinPreLaunchSamples : samples;
    m_view.preLaunchIndex = index;
    m_bModified = true;
}

void AdministerLogic::OnBreakwire(bool checked) {
    TakeFieldValues();
    m_settings.m_bBreakwire = checked;
    m_view.breakwire = checked;
    m_view.contactEnabled = checked;
    m_bModified = true;
    Refresh();
}

void AdministerLogic::OnContact(int radio) {
    TakeFieldValues();
    m_settings.m_bNormallyClosed = radio == 1;
    m_view.contactRadio = radio == 1 ? 1 : 0;
    m_bModified = true;
    Refresh();
}

void AdministerLogic::SetFieldTexts(const std::string& burnOut, const std::string& eventDelay,
                                    const std::string& actionTime) {
    m_view.burnOutNumber = burnOut;
    m_view.eventDelay = eventDelay;
    m_view.actionTime = actionTime;
}

bool AdministerLogic::TakeFieldValues() {
    m_refused = AdminField::None;
    const std::pair<AdminField, const std::string*> fields[] = {
        {AdminField::BurnOutNumber, &m_view.burnOutNumber},
        {AdminField::EventDelay, &m_view.eventDelay},
        {AdminField::ActionTime, &m_view.actionTime}};
    for (const auto& [field, text] : fields) {
        // A field the user cannot edit cannot be put right: it keeps the recorder's
        // value and is not held against the rest.
        if ((field == AdminField::BurnOutNumber && !m_view.burnOutEnabled) ||
            (field == AdminField::ActionTime && !m_view.launchDetectEnabled))
            continue;
        int value = 0;
        std::string why;
        if (!ParseField(field, *text, value, why)) {
            m_refused = field;
            m_prompt.ShowMessage(why, kAppTitle, Severity::Warning);
            return false;
        }
    }
    return true;
}

void AdministerLogic::EditSettings(const std::function<void(RecorderSettings&)>& edit) {
    edit(m_settings);
    ShowSettings();
    m_bModified = true;
    Refresh();
}

} // namespace tavo
