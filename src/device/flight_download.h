#pragma once
// Copies a recorded flight out of the recorder: connect, read the four words that
// describe the recording, receive the sample memory in checksummed blocks, and put
// the pre-launch ring buffer into time order. The document is not touched here: the
// caller applies the description and, on OK, the samples (see download_commit.h),
// so the transfer can run on a worker thread.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "device/recorder_protocol.h"
#include "device/serial_link.h"
#include "flight/flight_record.h"

namespace tavo {

// A recorder that has sent nothing but bad blocks for more than this many whole
// seconds since its last good one will not get one through: the transfer ends.
constexpr std::int64_t kBadBlockInactivitySeconds = 5;

// The recording's description as far as it arrived; each part goes into the
// document whether the user then keeps the samples or not.
struct RecordingDescription {
    bool m_bHasSampleRate = false;
    int m_nSampleRate = 0; // 0 when the recorder's period was 0: no rate
    bool m_bHasPreLaunch = false;
    int m_nPreLaunchSetting = 0;
    bool m_bHasTwoGee = false;
    float m_fTwoGeeFile = 0.0f;
    bool m_bHasAccelOffset = false;
    int m_nAccelOffset = 0;

    // Stores the parts that arrived into the flight.
    void ApplyTo(FlightRecord& flight) const;
};

enum class DownloadOutcome { Downloaded, ConnectFailed, DescriptionFailed };

// Why a transfer ended. Only the maximum is asked for; each of the others ends a
// transfer before the recording's end unless that end had arrived already.
enum class TransferEnd { Maximum, Silence, PortLost, BadBlocks, Aborted };

// The sample word of erased recorder memory.
constexpr int kErasedSampleWord = 0xFFFF;

class FlightDownload {
public:
    explicit FlightDownload(SerialLink& link);

    // Told after every accepted block, on the transfer's thread.
    void SetProgress(std::function<void(int samples)> progress) {
        m_progress = std::move(progress);
    }

    // "Read EEPROM" after the overwrite question: connects, reads the description,
    // transfers, reorders, applies the offset rule and closes the port.
    DownloadOutcome DownloadFlight(int maxToReceive);
    // The block transfer alone, on an open, connected link.
    void TransferSamples();
    // ABORT: ends the transfer at the next test of the stop request. Any thread.
    void RequestStop() { m_stop.m_bStopRequest = true; }

    // What a whole transfer brings: the recorder's sample memory, or the block that the
    // user's maximum ends in when that comes first. The four description words do not
    // say how long the recording is; its end shows only in the memory itself.
    int SamplesExpected() const;
    // The last transfer ended before the recording did and short of the maximum: the
    // flight is partial.
    bool EndedEarly() const;
    // "Download incomplete: N of M samples read." with why below it; empty for a whole
    // download.
    std::string EarlyEndText() const;

    // Puts the pre-launch ring buffer (the first preLaunchSetting / 2 words) into time
    // order; the word whose low 12 bits are all ones marks the boundary.
    static void ReorderPreLaunch(std::vector<std::string>& received, int preLaunchSetting);
    // Removes the erased-memory words (65535) that follow the recording and returns how
    // many there were. They are no flight data: read as samples they would show -479 g
    // and flatten every curve. An erased word inside the recording stays.
    static int DropTrailingErasedWords(std::vector<std::string>& received);

    RecordingDescription m_description;
    std::vector<std::string> m_pReceived;
    int m_nSamplesReceived = 0;
    int m_nMaxToReceive = 0;
    // Erased words left out after the last transfer.
    int erasedLeftOut = 0;
    // The last transfer ended because the maximum was reached, not because the
    // recorder had nothing more: the recording may go on beyond what arrived.
    bool stoppedAtMaximum = false;
    // Why the last transfer ended, and whether the recording's end had arrived by then:
    // erased memory after the pre-launch ring, or the end of the memory.
    TransferEnd m_end = TransferEnd::Maximum;
    bool recordingEndSeen = false;
    TransferStop m_stop;

private:
    bool ReadBlockByte(std::uint8_t& byte);
    bool ReadDescription();
    // Ends the transfer for `cause`, unless another cause ended it first.
    void StopFor(TransferEnd cause);
    bool RecordingEndSeen() const;

    SerialLink& m_link;
    RecorderProtocol m_protocol;
    std::function<void(int)> m_progress;
    bool m_causeKnown = false;
    std::string m_lostReason;
};

// What the user should know about a finished transfer beyond the count: the recording
// read to its end (the erased memory after it left out), or cut short by the maximum.
// Empty when there is nothing to say.
std::string DownloadNote(const FlightDownload& download);

} // namespace tavo
