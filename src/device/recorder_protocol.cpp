#include "device/recorder_protocol.h"

#include "flight/text_format.h"

namespace tavo {

void WriteCommandFrame(SerialLink& link, const std::string& command,
                       std::initializer_list<std::uint8_t> bytes) {
    link.WriteString(command);
    for (const std::uint8_t byte : bytes) {
        link.Pause(kPauseMillis);
        link.WriteString(std::string(1, static_cast<char>(byte)));
    }
}

void WriteMemoryFrame(SerialLink& link, const std::string& command, long value, long address) {
    WriteCommandFrame(link, command, {LowByte(value), HighByte(value), LowByte(address)});
}

std::string RecorderProtocol::Reply() {
    return m_pTerminated != nullptr ? m_link.ReadReplyTerminated(*m_pTerminated)
                                    : m_link.ReadReply();
}

namespace {

// A reply as it can be shown in a message: printable ASCII as it came, every other
// byte as \xNN, and a babbling device cut short.
std::string ShownReply(const std::string& reply) {
    constexpr std::size_t kShownBytes = 24;
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (std::size_t i = 0; i < reply.size() && i < kShownBytes; ++i) {
        const auto byte = static_cast<unsigned char>(reply[i]);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            shown.push_back(static_cast<char>(byte));
        } else {
            shown += "\\x";
            shown.push_back(kHex[byte >> 4]);
            shown.push_back(kHex[byte & 0xF]);
        }
    }
    if (reply.size() > kShownBytes)
        shown += "...";
    return shown;
}

} // namespace

bool RecorderProtocol::ConnectRecorder() {
    m_bConnected = false;
    if (m_link.m_bPortOpen)
        m_link.ClosePort();
    if (!m_link.OpenPort())
        return false;
    auto failed = [this](const std::string& why) {
        if (m_report == ConnectReport::StatusList) {
            // The status list keeps its line, and the next one says why.
            m_link.Status("Connect failed!");
            m_link.Status(why);
        } else
            m_link.Tell(WithReason("Connect failed!", why));
        if (m_link.m_bPortOpen)
            m_link.ClosePort();
        return false;
    };
    if (!m_link.WriteString("B"))
        return failed("The handshake could not be sent on " + m_link.PortLabel() + ".");
    std::string reply;
    for (int i = 0; i < kReplyAttempts && reply.empty() && !m_link.Cancelled(); ++i)
        reply = Reply();
    if (reply.empty())
        return failed("No answer on " + m_link.PortLabel() +
                      ". Check that the recorder is connected to this port and switched on.");
    if (reply != "E" && reply != "K")
        return failed(m_link.PortLabel() + " answered \"" + ShownReply(reply) +
                      "\", not the recorder's K or E.");
    m_bConnected = true;
    return true;
}

void RecorderProtocol::DisconnectRecorder() {
    m_link.ClosePort();
    m_bConnected = false;
    m_link.Status("Disconnected");
}

void RecorderProtocol::IdentifyRecorder(RecorderIdentity& identity) {
    m_link.WriteString("M");
    if (Reply() == "ZR7K")
        identity.m_strModel = "ZR7";
    int serial = 0;
    ReadMemory(address::kSerialNumber, true, serial);
    identity.m_nSerialNumber = serial;
    identity.m_strSerialNumber = std::to_string(serial);
    m_link.WriteString("V");
    identity.m_nVersion = m_link.ReadValue(true);
    identity.m_strVersion = std::to_string(identity.m_nVersion);
    Reply();
    m_bFullFeatures = identity.m_nVersion >= kFirstFullFeatureFirmware;
    if (!m_bFullFeatures)
        m_link.Tell(kFirmwareMessage);
}

bool RecorderProtocol::ReadMemory(int address, bool word, int& value) {
    WriteCommandFrame(m_link, "S", {LowByte(address)});
    value = m_link.ReadValue(true);
    if (!word)
        value &= 0xFF;
    return Reply() == "K";
}

bool RecorderProtocol::WriteMemory(int address, long value) {
    WriteMemoryFrame(m_link, "R", value, address);
    return Reply() == "K";
}

int RecorderProtocol::ReadSensor() {
    m_link.WriteString("A");
    m_link.Pause(kPauseMillis);
    const int reading = m_link.ReadValue(true);
    Reply();
    return reading;
}

bool RecorderProtocol::ReadSettings(RecorderSettings& s,
                                    const std::function<void(int address)>& onValue,
                                    bool connectFirst) {
    if (!m_bConnected && connectFirst)
        ConnectRecorder();
    struct Row {
        int address;
        bool word;
    };
    static constexpr Row kOrder[] = {
        {address::kSamplePeriod, true},   {address::kPreLaunch, true},
        {address::kEventMode, false},     {address::kEventDelay, true},
        {address::kTwoGee, false},        {address::kActionTime, false},
        {address::kBurnOutNumber, false}, {address::kFlags, false}};
    for (const Row& row : kOrder) {
        if (m_link.Cancelled())
            return false;
        int value = 0;
        if (!ReadMemory(row.address, row.word, value)) {
            m_link.Status("FAILED getting TAVO data!");
            m_link.Tell("FAILED getting TAVO data!");
            return false;
        }
        switch (row.address) {
        case address::kSamplePeriod:
            s.m_nSamplePeriod = value;
            break;
        case address::kPreLaunch:
            s.m_nPreLaunchSamples = WordToPreLaunch(value);
            break;
        case address::kEventMode:
            s.m_nEventMode = value;
            break;
        case address::kEventDelay:
            s.m_nEventDelay = value;
            break;
        case address::kTwoGee:
            s.m_nTwoGeeValue = value;
            break;
        case address::kActionTime:
            s.m_nActionTime = value;
            break;
        case address::kBurnOutNumber:
            s.m_nBurnOutNumber = value;
            break;
        case address::kFlags:
            WordToFlags(value, s.m_bBreakwire, s.m_bNormallyClosed);
            break;
        }
        if (onValue)
            onValue(row.address);
    }
    m_link.Status("Loaded data from TAVO");
    return true;
}

bool RecorderProtocol::WriteSettings(RecorderSettings& s, bool connectFirst) {
    if (!m_bConnected && connectFirst)
        ConnectRecorder();
    auto failed = [this] {
        m_link.Status("FAILED setting TAVO data!");
        m_link.Tell("FAILED setting TAVO data!");
        return false;
    };
    if (m_link.Cancelled())
        return false;
    if (!WriteMemory(address::kSamplePeriod, s.m_nSamplePeriod))
        return failed();
    if (s.m_nPreLaunchSamples < kMinPreLaunchSamples) {
        m_link.Status("Pre-launch buffer under range! Setting to 64");
        m_link.Tell("Pre-launch buffer under range!\nSetting to 64");
        s.m_nPreLaunchSamples = kMinPreLaunchSamples;
    }
    const std::pair<int, long> writes[] = {
        {address::kPreLaunch, PreLaunchToWord(s.m_nPreLaunchSamples)},
        {address::kEventMode, s.m_nEventMode},
        {address::kEventDelay, s.m_nEventDelay},
        {address::kTwoGee, s.m_nTwoGeeValue},
        {address::kActionTime, s.m_nActionTime},
        {address::kBurnOutNumber, s.m_nBurnOutNumber},
        {address::kFlags, FlagsToWord(s.m_bBreakwire, s.m_bNormallyClosed)}};
    for (const auto& [addr, value] : writes) {
        if (m_link.Cancelled())
            return false;
        if (!WriteMemory(addr, value))
            return failed();
    }
    m_link.Status("Stored data to TAVO");
    return true;
}

} // namespace tavo
