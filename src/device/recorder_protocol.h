#pragma once
// The recorder's command protocol over a SerialLink: the connect handshake, the
// identification with its firmware gate, memory reads and writes, the sensor reading
// and the two settings transactions.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "device/recorder_settings.h"
#include "device/serial_link.h"

namespace tavo {

// Where a device dialog reports a failed handshake: the Administer dialog in its
// status list, the download dialog in a message box.
enum class ConnectReport { StatusList, MessageBox };

// The identification as shown: model, firmware version and serial number.
struct RecorderIdentity {
    std::string m_strModel;
    std::string m_strVersion;
    std::string m_strSerialNumber;
    int m_nVersion = 0;
    int m_nSerialNumber = 0;
};

constexpr const char* kFirmwareMessage =
    "Some unsupported features will be disabled due to your firmware version.";

// Writes a command and the bytes that follow it, each byte its own write after the
// pause the recorder needs to take the one before. A failed write is reported by the
// link, which closes; the rest of the frame then goes nowhere.
void WriteCommandFrame(SerialLink& link, const std::string& command,
                       std::initializer_list<std::uint8_t> bytes);
// The memory write frame ("R"): the value's low byte, its high byte, then the address.
void WriteMemoryFrame(SerialLink& link, const std::string& command, long value, long address);

class RecorderProtocol {
public:
    RecorderProtocol(SerialLink& link, ConnectReport report) : m_link(link), m_report(report) {}

    // Replies are read with the download's terminated reader while `stop` is set.
    void UseTerminatedReader(TransferStop* stop) { m_pTerminated = stop; }

    // Opens the link and buzzes the recorder; true when it answered "E" or "K".
    bool ConnectRecorder();
    // Closes the link and reports "Disconnected".
    void DisconnectRecorder();
    // Reads model, serial number and firmware version into `identity` and applies the
    // firmware gate to m_bFullFeatures. A model reply other than "ZR7K" leaves the
    // model text as it was.
    void IdentifyRecorder(RecorderIdentity& identity);
    // Reads the word at `address` (two bytes are always read; `word` false keeps the
    // low byte). True when the recorder acknowledged.
    bool ReadMemory(int address, bool word, int& value);
    // Writes a word; true when the recorder acknowledged.
    bool WriteMemory(int address, long value);
    // One acceleration sensor reading.
    int ReadSensor();
    // Reads the eight settings words in the recorder's order; `onValue` hears each
    // address as soon as its value is stored, so a dialog can show it at once. Values
    // read before a failure stay. Without `connectFirst` a caller that has already
    // tried to connect is not connected twice: the reads then fail and report.
    bool ReadSettings(RecorderSettings& settings,
                      const std::function<void(int address)>& onValue = {},
                      bool connectFirst = true);
    // Writes the eight settings words; a pre-launch buffer under 64 samples is raised
    // to 64 first.
    bool WriteSettings(RecorderSettings& settings, bool connectFirst = true);

    bool m_bConnected = false;
    bool m_bFullFeatures = false;

private:
    std::string Reply();

    SerialLink& m_link;
    ConnectReport m_report;
    TransferStop* m_pTerminated = nullptr;
};

} // namespace tavo
