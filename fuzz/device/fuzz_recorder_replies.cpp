// Feeds arbitrary bytes to the download as everything a recorder says: the handshake,
// the description words and the sample blocks. Whatever the bytes, the download must
// end (silence ends it on virtual time), keep whole blocks only, and never hold more
// words than the bytes could carry.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "device/flight_download.h"

namespace {

// A port whose device says exactly the fuzz input, whatever it is told, then nothing.
class ScriptedPort final : public tavo::SerialPort {
public:
    ScriptedPort(const std::uint8_t* data, std::size_t size, tavo::Clock& clock)
        : m_data(data), m_size(size), m_clock(clock) {}
    tavo::PortOpenResult Open(const std::string&) override { return tavo::PortOpenResult::Opened; }
    bool SetQueueSizes(std::size_t, std::size_t) override { return true; }
    bool GetLineSettings(tavo::PortLineSettings&) override { return true; }
    bool SetLineSettings(const tavo::PortLineSettings&) override { return true; }
    bool Purge() override { return true; }
    bool GetTimeouts(tavo::PortTimeouts&) override { return true; }
    bool SetTimeouts(const tavo::PortTimeouts&) override { return true; }
    bool Write(const std::uint8_t*, std::size_t) override { return true; }
    bool Flush() override { return true; }
    bool ReadByte(std::uint8_t& byte) override {
        if (m_pos < m_size) {
            byte = m_data[m_pos++];
            return true;
        }
        m_clock.SleepMillis(tavo::kSilenceMillis);
        return false;
    }
    void Close() override {}
    std::string ErrorReason() const override { return std::string(); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    tavo::Clock& m_clock;
};

class ScriptedDirectory final : public tavo::PortDirectory {
public:
    ScriptedDirectory(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::vector<std::string> Devices() override { return {"scripted"}; }
    std::unique_ptr<tavo::SerialPort> CreatePort(const std::string&) override {
        return std::make_unique<ScriptedPort>(m_data, m_size, m_clock);
    }
    tavo::Clock& PortClock() override { return m_clock; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    tavo::VirtualClock m_clock;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScriptedDirectory ports(data, size);
    tavo::AnsweringPrompt sink;
    tavo::SerialLink link(ports, sink);
    link.m_strPortName = "COM1";
    tavo::FlightDownload download(link);
    download.DownloadFlight(1 << 20);
    if (download.m_nSamplesReceived % 8 != 0 ||
        static_cast<std::size_t>(download.m_nSamplesReceived) > size / 2)
        std::abort();
    // The offset rule may add one word; the reorder only removes.
    if (download.m_pReceived.size() > static_cast<std::size_t>(download.m_nSamplesReceived) + 1)
        std::abort();
    for (const std::string& word : download.m_pReceived) {
        const int w = tavo::ParseSampleWord(word);
        if (w < 0 || w > 65535)
            std::abort();
    }
    return 0;
}
