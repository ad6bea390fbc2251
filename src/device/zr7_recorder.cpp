#include "device/zr7_recorder.h"

#include <algorithm>
#include <cmath>

#include "device/recorder_settings.h"

namespace tavo {
namespace {

constexpr std::uint16_t kRingMarker = 0x0FFF;
constexpr std::uint16_t kErasedWord = 0xFFFF;
constexpr std::uint8_t kBabbleByte = 0x55;
// Telemetry lines a host left unread for longer than this were lost in its driver.
constexpr std::int64_t kStreamBacklogMicros = 1000000;
// The recorder's mean reading at rest with no flight loaded.
constexpr int kIdlePadReading = 512;

std::uint16_t ClampWord(int value) {
    return static_cast<std::uint16_t>(std::clamp(value, 0, 65535));
}

} // namespace

Zr7Recorder::Zr7Recorder(Zr7Options options) : m_options(std::move(options)) {
    ResetSettings();
}

void Zr7Recorder::ResetSettings() {
    std::fill(std::begin(m_memory), std::end(m_memory), std::uint8_t{0});
    const RecorderSettings factory = DefaultRecorderSettings();
    SetWord(address::kSerialNumber, static_cast<std::uint16_t>(m_options.serialNumber));
    SetWord(address::kSamplePeriod, ClampWord(factory.m_nSamplePeriod));
    SetWord(address::kEventMode, ClampWord(factory.m_nEventMode));
    SetWord(address::kEventDelay, ClampWord(factory.m_nEventDelay));
    SetWord(address::kTwoGee, ClampWord(factory.m_nTwoGeeValue));
    SetWord(address::kPreLaunch, ClampWord(PreLaunchToWord(factory.m_nPreLaunchSamples)));
    SetWord(address::kAccelOffset, ClampWord(PadReading()));
    SetWord(address::kActionTime, ClampWord(factory.m_nActionTime));
    SetWord(address::kBurnOutNumber, ClampWord(factory.m_nBurnOutNumber));
    SetWord(address::kFlags,
            ClampWord(FlagsToWord(factory.m_bBreakwire, factory.m_bNormallyClosed)));
}

void Zr7Recorder::SetFlight(std::vector<std::uint16_t> words, int sampleRateHz, int twoGee) {
    m_flight = std::move(words);
    m_flightRate = sampleRateHz > 0 ? sampleRateHz : 0;
    if (sampleRateHz > 0)
        SetWord(address::kSamplePeriod,
                static_cast<std::uint16_t>(std::clamp(RateToPeriod(sampleRateHz), 1, 65535)));
    SetWord(address::kTwoGee, ClampWord(twoGee));
    // Armed on the pad, the recorder keeps its reading at rest as the zero reference.
    SetWord(address::kAccelOffset, ClampWord(PadReading()));
}

int Zr7Recorder::PadReading() const {
    return m_flight.empty() ? kIdlePadReading : (m_flight.front() & 0xFFF);
}

std::uint16_t Zr7Recorder::Word(int address) const {
    const int a = address & 0xFF;
    return static_cast<std::uint16_t>(m_memory[a] | (m_memory[(a + 1) & 0xFF] << 8));
}

void Zr7Recorder::SetWord(int address, std::uint16_t value) {
    const int a = address & 0xFF;
    m_memory[a] = static_cast<std::uint8_t>(value & 0xFF);
    m_memory[(a + 1) & 0xFF] = static_cast<std::uint8_t>(value >> 8);
}

int Zr7Recorder::PreLaunchSamples() const {
    const int p = std::min(WordToPreLaunch(Word(address::kPreLaunch)), kZr7MemorySamples);
    return p < 2 ? 0 : p;
}

std::vector<std::uint16_t> Zr7Recorder::MemoryImage() const {
    const int p = PreLaunchSamples();
    const int n = static_cast<int>(m_flight.size());
    std::vector<std::uint16_t> image;
    image.reserve(kZr7MemorySamples);
    int postStart = 0;
    if (p > 0) {
        const int pre = std::min(n, p - 2);
        image.assign(static_cast<std::size_t>(p), 0);
        const bool wrapped = m_options.ringMarker != 0 && n >= p - 2;
        if (wrapped) {
            // The ring went round: the oldest sample follows the marker, the newest
            // ends just before it, and the slot in front of the marker holds a sample
            // being overwritten when launch was detected.
            const int m = m_options.ringMarker < 0 ? std::max(1, p / 3)
                                                   : std::clamp(m_options.ringMarker, 1, p - 1);
            int s = 0;
            for (int i = m + 1; i < p; ++i)
                image[static_cast<std::size_t>(i)] = m_flight[static_cast<std::size_t>(s++)];
            for (int i = 0; i <= m - 2; ++i)
                image[static_cast<std::size_t>(i)] = m_flight[static_cast<std::size_t>(s++)];
            std::uint16_t stale = pre > 0 ? m_flight[static_cast<std::size_t>(pre - 1)] : 1;
            if (stale == 0 || (stale & 0xFFF) == 0xFFF)
                stale = 1;
            image[static_cast<std::size_t>(m - 1)] = stale;
            image[static_cast<std::size_t>(m)] = kRingMarker;
        } else {
            // Launched before the ring was full: a zero word first, the samples in
            // order, then the marker; the rest of the ring was never written.
            for (int i = 0; i < pre; ++i)
                image[static_cast<std::size_t>(i + 1)] = m_flight[static_cast<std::size_t>(i)];
            image[static_cast<std::size_t>(pre + 1)] = kRingMarker;
        }
        postStart = pre;
    }
    for (int i = postStart; i < n && static_cast<int>(image.size()) < kZr7MemorySamples; ++i)
        image.push_back(m_flight[static_cast<std::size_t>(i)]);
    // The memory beyond the recording was erased when the recorder was armed; it sends
    // up to the end of the first block of it, so a host sees where the recording ends
    // even when the recording fills its last block.
    if (static_cast<int>(image.size()) < kZr7MemorySamples)
        image.push_back(kErasedWord);
    while (image.size() % 8 != 0)
        image.push_back(kErasedWord);
    return image;
}

void Zr7Recorder::Send(std::uint8_t byte, std::int64_t t) {
    const std::int64_t at = std::max(t, m_lineFreeAt) + m_options.byteMicros;
    m_lineFreeAt = at;
    m_out.push_back({byte, at});
}

void Zr7Recorder::SendText(const std::string& text, std::int64_t t) {
    for (char c : text)
        Send(static_cast<std::uint8_t>(c), t);
}

void Zr7Recorder::SendWord(int value, std::int64_t t) {
    Send(static_cast<std::uint8_t>(value & 0xFF), t);
    Send(static_cast<std::uint8_t>((value >> 8) & 0xFF), t);
}

void Zr7Recorder::Receive(std::uint8_t byte, std::int64_t t) {
    ++m_bytesReceived;
    if (m_options.telemetry)
        return; // a streaming receiver does not listen
    switch (m_state) {
    case State::Idle:
        Command(byte, t);
        break;
    case State::ReadAddress:
        m_state = State::Idle;
        SendWord(Word(byte), t);
        SendText(Refuses(byte) ? "E" : "K", t);
        break;
    case State::WriteLow:
        m_writeLow = byte;
        m_state = State::WriteHigh;
        break;
    case State::WriteHigh:
        m_writeHigh = byte;
        m_state = State::WriteAddress;
        break;
    case State::WriteAddress:
        m_state = State::Idle;
        if (Refuses(byte)) {
            SendText("E", t);
            break;
        }
        SetWord(byte, static_cast<std::uint16_t>(m_writeLow | (m_writeHigh << 8)));
        SendText("K", t);
        break;
    case State::Transfer:
        TransferByte(byte, t);
        break;
    }
}

bool Zr7Recorder::Refuses(int address) const {
    const auto& refused = m_options.refusedAddresses;
    return std::find(refused.begin(), refused.end(), address) != refused.end();
}

void Zr7Recorder::Command(std::uint8_t byte, std::int64_t t) {
    if (m_options.neverSilent) {
        if (!m_babbling)
            m_babbleNext = t;
        m_babbling = true;
        return;
    }
    switch (byte) {
    case 'B':
        for (int i = 0; i < m_options.nulsBeforeBuzzReply; ++i)
            Send(0, t);
        SendText(m_options.buzzReply, t);
        break;
    case 'M':
        SendText(m_options.modelReply, t);
        break;
    case 'V':
        SendWord(m_options.firmwareVersion, t);
        SendText("K", t);
        break;
    case 'S':
        m_state = State::ReadAddress;
        break;
    case 'R':
        m_state = State::WriteLow;
        break;
    case 'A':
        SendWord(PadReading(), t);
        SendText("K", t);
        break;
    case 'P':
        SendWord(static_cast<int>(std::min<std::size_t>(m_flight.size(), 65535)), t);
        SendText("K", t);
        break;
    case 'T':
        if (m_options.recordAtRate) {
            const int rate = PeriodToRate(Word(address::kSamplePeriod));
            if (rate > 0 && rate != m_flightRate) {
                m_flight = m_options.recordAtRate(rate);
                m_flightRate = rate;
            }
        }
        m_image = MemoryImage();
        m_block = 0;
        m_badSent.clear();
        m_silent = false;
        m_state = State::Transfer;
        SendBlock(t, false);
        break;
    case 'F':
    case '1':
    case '2':
    case 'X':
        SendText("K", t);
        break;
    default:
        SendText("E", t);
        break;
    }
}

void Zr7Recorder::TransferByte(std::uint8_t byte, std::int64_t t) {
    switch (byte) {
    case 'K':
        ++m_block;
        SendBlock(t, false);
        break;
    case 'E':
        SendBlock(t, true);
        break;
    case 'A':
        // "A" ends the transfer and is then obeyed as the sensor command.
        m_state = State::Idle;
        Command(byte, t);
        break;
    default:
        break;
    }
}

void Zr7Recorder::SendBlock(std::int64_t t, bool resend) {
    const int blocks = static_cast<int>(m_image.size() / 8);
    if (m_silent || m_block >= blocks)
        return;
    if (!resend && m_options.silentAfterBlocks >= 0 &&
        m_blocksSent >= m_options.silentAfterBlocks) {
        m_silent = true;
        return;
    }
    unsigned sum = 0;
    for (int i = 0; i < 8; ++i) {
        const std::uint16_t w = m_image[static_cast<std::size_t>(m_block * 8 + i)];
        Send(static_cast<std::uint8_t>(w & 0xFF), t);
        Send(static_cast<std::uint8_t>(w >> 8), t);
        sum += (w & 0xFFu) + (w >> 8);
    }
    if (resend)
        ++m_blocksResent;
    else
        ++m_blocksSent;
    if (m_block == m_options.lostByteBlock) {
        m_silent = true;
        return;
    }
    std::uint8_t checksum = static_cast<std::uint8_t>(sum & 0xFF);
    const auto bad = m_options.badChecksums.find(m_block);
    if (bad != m_options.badChecksums.end() &&
        (bad->second < 0 || m_badSent[m_block] < bad->second)) {
        ++m_badSent[m_block];
        checksum = static_cast<std::uint8_t>(checksum + 1);
    }
    Send(checksum, t);
}

void Zr7Recorder::StreamMore(std::int64_t now) {
    if (!m_out.empty())
        return;
    if (m_babbling) {
        Send(kBabbleByte, std::max(now, m_babbleNext));
        m_babbleNext = m_lineFreeAt;
        return;
    }
    if (!m_streaming || m_flight.empty())
        return;
    if (m_options.telemetryLines >= 0 &&
        static_cast<std::int64_t>(m_streamIndex) >= m_options.telemetryLines)
        return;
    const int period = std::max<int>(Word(address::kSamplePeriod), 1);
    // A host that stopped reading for long lost those lines in its driver.
    if (m_streamNext == 0 || m_streamNext < now - kStreamBacklogMicros)
        m_streamNext = now;
    const std::uint16_t w = m_flight[m_streamIndex++ % m_flight.size()];
    if (m_options.telemetryFormat == TelemetryFormat::Digits) {
        const int d = TelemetryDigits(w, PadReading(), Word(address::kTwoGee));
        Send(static_cast<std::uint8_t>('0' + d / 10), m_streamNext);
        Send(static_cast<std::uint8_t>('0' + d % 10), m_streamNext);
    } else {
        Send(static_cast<std::uint8_t>(w & 0xFF), m_streamNext);
        Send(static_cast<std::uint8_t>(w >> 8), m_streamNext);
    }
    Send(13, m_streamNext);
    m_streamNext += static_cast<std::int64_t>(period) * 1000;
}

bool Zr7Recorder::NextOutputTime(std::int64_t now, std::int64_t& t) {
    StreamMore(now);
    if (m_out.empty())
        return false;
    t = m_out.front().at;
    return true;
}

std::uint8_t Zr7Recorder::TakeOutput() {
    if (m_out.empty())
        return 0;
    const std::uint8_t b = m_out.front().byte;
    m_out.pop_front();
    ++m_bytesSent;
    return b;
}

void Zr7Recorder::DropOutput() {
    m_out.clear();
    if (m_options.telemetry)
        m_streaming = true;
}

std::vector<std::uint16_t> GenerateTestFlight(int samples, int rate, int padReading, int twoGee) {
    std::vector<std::uint16_t> words;
    if (samples <= 0)
        return words;
    words.reserve(static_cast<std::size_t>(samples));
    const double countsPerG = twoGee / 2.0;
    const int safeRate = rate > 0 ? rate : 1;
    const int padSamples = safeRate; // one second on the pad
    const double burn = 1.5, coast = 5.0;
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i - padSamples) / safeRate;
        double g = 0.0; // acceleration felt by the sensor, in g, on top of gravity
        int flags = 0;
        if (t >= 0 && t < burn) {
            g = 8.0 * std::sin(3.14159265358979 * t / burn) + 1.0;
            flags = i == padSamples ? 0x1 : 0;
        } else if (t >= burn && t < burn + coast) {
            g = -0.3 * (1.0 - (t - burn) / coast);
            flags = i == padSamples + static_cast<int>(burn * safeRate) ? 0x2 : 0;
        } else if (t >= burn + coast) {
            g = 0.0;
            flags = i == padSamples + static_cast<int>((burn + coast) * safeRate) ? 0x4 : 0;
        }
        // Small deterministic ripple so neighbouring samples differ.
        const int ripple = (i * 7919) % 5 - 2;
        const long reading = std::lround(padReading + g * countsPerG) + ripple;
        const int clamped = static_cast<int>(std::clamp<long>(reading, 1, 4094));
        words.push_back(static_cast<std::uint16_t>(clamped | (flags << 12)));
    }
    return words;
}

int TelemetryDigits(std::uint16_t word, int padReading, int twoGee) {
    if (twoGee <= 0)
        return 15;
    const double gees = ((word & 0xFFF) - padReading) / (twoGee / 2.0);
    return static_cast<int>(std::clamp(std::lround(15.0 + gees * 7.5), 0L, 99L));
}

} // namespace tavo
