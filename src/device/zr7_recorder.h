#pragma once
// A ZR7 recorder in software: the settings memory, every command, the block transfer
// of the sample memory with checksums and resends, the live telemetry stream and a
// set of faults to inject. It is driven by time-stamped bytes from the host and hands
// out its own bytes with the time each one is fully on the line, so the same core
// serves an in-process port on any clock and a pseudo-terminal paced in real time.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "device/recorder_limits.h"

namespace tavo {

// How a telemetry line carries a sample: the word's two bytes, low byte first, or two
// decimal digits of the acceleration (TelemetryDigits), which is what TAVOkit reads a
// line's text as.
enum class TelemetryFormat { Word, Digits };

struct Zr7Options {
    int firmwareVersion = 210;
    int serialNumber = 1234;
    std::string modelReply = "ZR7K";
    // The answer to the buzz command "B".
    std::string buzzReply = "K";
    // NUL bytes sent ahead of the buzz answer.
    int nulsBeforeBuzzReply = 0;
    // Time one byte takes on the line; 0 sends instantly. At 19,200 baud with a start
    // and a stop bit a byte takes 10/19200 s.
    std::int64_t byteMicros = 0;

    // Faults. Block index -> how many times that block is sent with a wrong checksum
    // before a good copy (-1: always wrong).
    std::map<int, int> badChecksums;
    // The recorder falls silent after sending this many blocks (-1: never).
    int silentAfterBlocks = -1;
    // This block loses its checksum byte and the recorder falls silent (-1: none).
    int lostByteBlock = -1;
    // Every command is answered with an endless stream of bytes.
    bool neverSilent = false;
    // Streams telemetry lines instead of obeying commands, from the moment the host
    // purges its port (as a capture does once its port is set up), so no line goes
    // to a host that is not there yet.
    bool telemetry = false;
    TelemetryFormat telemetryFormat = TelemetryFormat::Word;
    // The stream ends after this many lines (-1: never).
    std::int64_t telemetryLines = -1;
    // Reads and writes of these addresses are answered "E".
    std::vector<int> refusedAddresses;

    // Position of the pre-launch marker in the ring buffer; -1 picks one a third of the
    // way in. 0 lays the ring out as a recorder that never filled it.
    int ringMarker = -1;

    // The flight as this recorder would have recorded it at another sample rate (Hz).
    // Given, a transfer serves the flight at the rate the recorder is set to, so a
    // rate written before the flight is the rate of the flight downloaded after it.
    std::function<std::vector<std::uint16_t>(int rateHz)> recordAtRate;
};

// 10 bits per byte at 19,200 baud, rounded to the microsecond.
constexpr std::int64_t kByteMicros19200 = 521;
// The recorder's sample memory.
constexpr int kZr7MemorySamples = kRecorderMemorySamples;

class Zr7Recorder {
public:
    explicit Zr7Recorder(Zr7Options options = {});

    // The flight to serve, in time order, and its sample rate. The sample period, the
    // two-G value and the acceleration offset follow it.
    void SetFlight(std::vector<std::uint16_t> words, int sampleRateHz, int twoGee);
    const std::vector<std::uint16_t>& Flight() const { return m_flight; }

    // The settings memory, by byte address of its 16-bit words.
    std::uint16_t Word(int address) const;
    void SetWord(int address, std::uint16_t value);
    // The defaults a new recorder leaves the factory with.
    void ResetSettings();

    // A byte from the host, fully received at time t.
    void Receive(std::uint8_t byte, std::int64_t t);
    // When the next byte of the recorder is fully on the line, asked at time `now`;
    // false while the recorder is silent.
    bool NextOutputTime(std::int64_t now, std::int64_t& t);
    // Takes that byte.
    std::uint8_t TakeOutput();
    // Drops everything not yet sent (the host purged its port); a telemetry receiver
    // starts streaming.
    void DropOutput();

    // The sample memory as the transfer sends it: the pre-launch ring buffer, the
    // samples after launch, then erased words to the end of that block (a whole erased
    // block when the recording fills its last one), unless the memory is full.
    std::vector<std::uint16_t> MemoryImage() const;

    // Counters for tests and the simulator's log.
    int BlocksSent() const { return m_blocksSent; }
    int BlocksResent() const { return m_blocksResent; }
    std::int64_t BytesSent() const { return m_bytesSent; }
    std::int64_t BytesReceived() const { return m_bytesReceived; }
    std::int64_t LinesStreamed() const { return static_cast<std::int64_t>(m_streamIndex); }

    Zr7Options& Options() { return m_options; }

private:
    enum class State { Idle, ReadAddress, WriteLow, WriteHigh, WriteAddress, Transfer };

    void Command(std::uint8_t byte, std::int64_t t);
    void TransferByte(std::uint8_t byte, std::int64_t t);
    void Send(std::uint8_t byte, std::int64_t t);
    void SendText(const std::string& text, std::int64_t t);
    void SendWord(int value, std::int64_t t);
    void SendBlock(std::int64_t t, bool resend);
    void StreamMore(std::int64_t now);
    bool Refuses(int address) const;
    int PreLaunchSamples() const;
    int PadReading() const;

    Zr7Options m_options;
    std::uint8_t m_memory[256] = {};
    std::vector<std::uint16_t> m_flight;
    int m_flightRate = 0; // the rate m_flight was recorded at; 0 unknown
    State m_state = State::Idle;
    int m_writeLow = 0;
    int m_writeHigh = 0;

    struct Out {
        std::uint8_t byte;
        std::int64_t at;
    };
    std::deque<Out> m_out;
    std::int64_t m_lineFreeAt = 0;

    std::vector<std::uint16_t> m_image; // laid out when a transfer starts
    int m_block = 0;
    int m_blocksSent = 0;
    int m_blocksResent = 0;
    std::map<int, int> m_badSent;
    bool m_silent = false;
    bool m_babbling = false;
    std::int64_t m_babbleNext = 0;
    std::size_t m_streamIndex = 0;
    std::int64_t m_streamNext = 0;
    bool m_streaming = false;
    std::int64_t m_bytesSent = 0;
    std::int64_t m_bytesReceived = 0;
};

// A sample's acceleration as a two-digit telemetry value: 15 at the pad's reading and
// 7.5 per g (the counts per g of a document's first-run two-G value of 15), held to
// 0..99, so a fresh document draws the flight's shape from the digits.
int TelemetryDigits(std::uint16_t word, int padReading, int twoGee);

// A plain flight for tests and the simulator when no flight is given: a second on
// the pad, a burn, coast to apogee and a slow descent, at `rate` Hz.
std::vector<std::uint16_t> GenerateTestFlight(int samples, int rate = 200, int padReading = 512,
                                              int twoGee = 40);

} // namespace tavo
