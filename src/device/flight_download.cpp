#include "device/flight_download.h"

#include <algorithm>

#include "device/recorder_limits.h"
#include "flight/text_format.h"

namespace tavo {

void RecordingDescription::ApplyTo(FlightRecord& flight) const {
    if (m_bHasSampleRate)
        flight.m_nSampleRate = m_nSampleRate;
    if (m_bHasPreLaunch)
        flight.m_nPreLaunchSetting = m_nPreLaunchSetting;
    if (m_bHasTwoGee)
        flight.m_fTwoGeeFile = m_fTwoGeeFile;
    if (m_bHasAccelOffset)
        flight.m_nAccelOffset = m_nAccelOffset;
}

FlightDownload::FlightDownload(SerialLink& link)
    : m_link(link), m_protocol(link, ConnectReport::MessageBox) {
    m_protocol.UseTerminatedReader(&m_stop);
}

bool FlightDownload::ReadDescription() {
    const int order[] = {address::kSamplePeriod, address::kPreLaunch, address::kTwoGee,
                         address::kAccelOffset};
    for (int addr : order) {
        int value = 0;
        if (!m_protocol.ReadMemory(addr, true, value)) {
            m_link.Tell("FAILED getting TAVO data!");
            return false;
        }
        switch (addr) {
        case address::kSamplePeriod:
            // A period of 0 has no rate; the flight keeps rate 0 rather than dividing.
            m_description.m_nSampleRate = PeriodToRate(value);
            m_description.m_bHasSampleRate = true;
            break;
        case address::kPreLaunch:
            m_description.m_nPreLaunchSetting = value;
            m_description.m_bHasPreLaunch = true;
            break;
        case address::kTwoGee:
            m_description.m_fTwoGeeFile = static_cast<float>(value);
            m_description.m_bHasTwoGee = true;
            break;
        case address::kAccelOffset:
            m_description.m_nAccelOffset = value;
            m_description.m_bHasAccelOffset = true;
            break;
        }
    }
    return true;
}

DownloadOutcome FlightDownload::DownloadFlight(int maxToReceive) {
    m_stop.m_bStopRequest = false;
    m_stop.m_timeLastActivity = m_link.LinkClock().WholeSeconds();
    m_pReceived.clear();
    m_nSamplesReceived = 0;
    m_description = RecordingDescription{};
    m_nMaxToReceive = maxToReceive;
    erasedLeftOut = 0;
    m_end = TransferEnd::Maximum;
    recordingEndSeen = false;
    if (!m_protocol.ConnectRecorder())
        return DownloadOutcome::ConnectFailed;
    if (!ReadDescription())
        return DownloadOutcome::DescriptionFailed;
    TransferSamples();
    ReorderPreLaunch(m_pReceived, m_description.m_nPreLaunchSetting);
    const int offset = m_description.m_nAccelOffset;
    if (offset > 300 && offset < 700) {
        // The recorder's reading at rest on the pad becomes the flight's first sample,
        // the zero reference of every curve.
        if (m_pReceived.empty())
            m_pReceived.push_back(std::to_string(offset));
        else
            m_pReceived.front() = std::to_string(offset);
    }
    erasedLeftOut = DropTrailingErasedWords(m_pReceived);
    m_link.ClosePort();
    return DownloadOutcome::Downloaded;
}

void FlightDownload::StopFor(TransferEnd cause) {
    if (!m_causeKnown) {
        m_end = cause;
        m_causeKnown = true;
    }
    m_stop.m_bStopRequest = true;
}

bool FlightDownload::ReadBlockByte(std::uint8_t& byte) {
    Clock& clock = m_link.LinkClock();
    for (;;) {
        if (m_link.ReadByte(byte))
            return true;
        if (m_stop.m_bStopRequest)
            return false;
        // A device that is gone answers every read at once: waiting out the silence
        // rule would only spin.
        if (m_link.PortLost(m_lostReason))
            StopFor(TransferEnd::PortLost);
        else if (clock.WholeSeconds() - m_stop.m_timeLastActivity > kInactivitySeconds)
            StopFor(TransferEnd::Silence);
        if (m_stop.m_bStopRequest)
            return false;
    }
}

void FlightDownload::TransferSamples() {
    Clock& clock = m_link.LinkClock();
    m_stop.m_bStopRequest = false;
    m_nSamplesReceived = 0;
    stoppedAtMaximum = false;
    m_causeKnown = false;
    m_end = TransferEnd::Aborted; // unless the transfer itself finds a cause
    m_link.WriteString("T");
    m_link.Pause(kPauseMillis);
    for (;;) {
        std::uint8_t block[17] = {};
        const bool first = ReadBlockByte(block[0]);
        if (m_nSamplesReceived > m_nMaxToReceive) {
            // Reaching the maximum is what the user asked for, whatever else happened.
            m_causeKnown = false;
            StopFor(TransferEnd::Maximum);
            // Only a recorder still sending was cut short.
            stoppedAtMaximum = first;
        }
        if (m_stop.m_bStopRequest || !first)
            break;
        bool complete = true;
        for (int i = 1; i < 17 && complete; ++i)
            complete = ReadBlockByte(block[i]);
        if (!complete) {
            // The recorder fell silent inside the block: a checksum over bytes that
            // never came means nothing, so the block is neither kept nor answered.
            break;
        }
        unsigned sum = 0;
        for (int i = 0; i < 16; ++i)
            sum += block[i];
        if ((sum & 0xFFu) == block[16]) {
            m_link.WriteString("K");
            for (int i = 0; i < 16; i += 2)
                m_pReceived.push_back(std::to_string(block[i] + 256 * block[i + 1]));
            m_nSamplesReceived += 8;
            if (m_progress)
                m_progress(m_nSamplesReceived);
            m_stop.m_timeLastActivity = clock.WholeSeconds();
        } else {
            m_link.WriteString("E");
            if (clock.WholeSeconds() - m_stop.m_timeLastActivity > kBadBlockInactivitySeconds)
                StopFor(TransferEnd::BadBlocks);
        }
    }
    recordingEndSeen = RecordingEndSeen();
    if (m_causeKnown && m_end == TransferEnd::PortLost) {
        // Nothing reaches a device that is gone; writing to it would only add a
        // second message to the one that tells why the download ended.
        m_link.ClosePort();
        return;
    }
    m_link.WriteString("A");
    for (int i = 0; i < kReplyAttempts; ++i) {
        if (!m_link.ReadReplyTerminated(m_stop).empty())
            break;
    }
    m_link.ReadReplyTerminated(m_stop);
}

bool FlightDownload::RecordingEndSeen() const {
    if (m_nSamplesReceived >= kRecorderMemorySamples)
        return true;
    // Erased words inside the pre-launch ring may be slots never written; after it they
    // are the memory beyond the recording.
    const int ring = std::max(0, m_description.m_nPreLaunchSetting / 2);
    return m_nSamplesReceived > ring && !m_pReceived.empty() &&
           ParseSampleWord(m_pReceived.back()) == kErasedSampleWord;
}

int FlightDownload::SamplesExpected() const {
    if (m_nMaxToReceive < 0)
        return 0;
    // The transfer stops at the first whole block beyond the maximum.
    const long long blockEnd = (static_cast<long long>(m_nMaxToReceive) / 8 + 1) * 8;
    return static_cast<int>(std::min<long long>(blockEnd, kRecorderMemorySamples));
}

bool FlightDownload::EndedEarly() const {
    return m_end != TransferEnd::Maximum && !recordingEndSeen;
}

std::string FlightDownload::EarlyEndText() const {
    if (!EndedEarly())
        return std::string();
    std::string why;
    switch (m_end) {
    case TransferEnd::Silence:
        why = "The recorder stopped sending: nothing came for more than " +
              std::to_string(kInactivitySeconds) + " seconds.";
        break;
    case TransferEnd::PortLost:
        why = m_lostReason + ".";
        break;
    case TransferEnd::BadBlocks:
        why = "No block checked out for more than " + std::to_string(kBadBlockInactivitySeconds) +
              " seconds.";
        break;
    case TransferEnd::Aborted:
    case TransferEnd::Maximum:
        why = "ABORT was pressed.";
        break;
    }
    return WithReason("Download incomplete: " + std::to_string(m_nSamplesReceived) + " of " +
                          std::to_string(SamplesExpected()) + " samples read.",
                      why);
}

std::string DownloadNote(const FlightDownload& download) {
    std::string note;
    if (download.stoppedAtMaximum)
        note = "Stopped at the maximum of " + std::to_string(download.m_nMaxToReceive) +
               " samples; the recording goes on. Raise \"Max samples\" and read again to get "
               "all of it.";
    // The memory after the recording's end reads as erased words: no flight data, and
    // nothing the flyer needs to know of beyond that the recording was read to its end.
    if (download.erasedLeftOut > 0) {
        if (!note.empty())
            note += "\n";
        note += "The whole recording was read; the recorder's memory after it was empty.";
    }
    return note;
}

int FlightDownload::DropTrailingErasedWords(std::vector<std::string>& received) {
    int dropped = 0;
    while (!received.empty() && ParseSampleWord(received.back()) == kErasedSampleWord) {
        received.pop_back();
        ++dropped;
    }
    return dropped;
}

void FlightDownload::ReorderPreLaunch(std::vector<std::string>& received, int preLaunchSetting) {
    if (preLaunchSetting <= 1)
        return;
    const std::size_t p = static_cast<std::size_t>(preLaunchSetting / 2);
    if (received.size() < p)
        return;
    std::size_t m = p;
    for (std::size_t i = 0; i < p; ++i) {
        if (SampleReading(ParseSampleWord(received[i])) == 0xFFF) {
            m = i;
            break;
        }
    }
    if (m == p)
        return;
    std::vector<std::string> result;
    result.reserve(received.size());
    if (ParseSampleWord(received[0]) == 0) {
        // Never wrapped: the samples run from just after the zero word to the marker.
        for (std::size_t i = 1; i < m; ++i)
            result.push_back(std::move(received[i]));
    } else {
        // Wrapped: the oldest sample follows the marker; the one just before the
        // marker was being overwritten and is left out with it.
        for (std::size_t i = m + 1; i < p; ++i)
            result.push_back(std::move(received[i]));
        for (std::size_t i = 0; i + 1 < m; ++i)
            result.push_back(std::move(received[i]));
    }
    for (std::size_t i = p; i < received.size(); ++i)
        result.push_back(std::move(received[i]));
    received.swap(result);
}

} // namespace tavo
