#pragma once
// One open port to the recorder: opening by name or by automatic detection, the line
// settings and time-outs the recorder needs, writing commands and reading replies and
// values. It knows nothing of what the bytes mean.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/port_directory.h"
#include "device/serial_port.h"
#include "prompt/user_prompt.h"

namespace tavo {

// The download's stop state, shared with its reply reader. The stop request may be
// set from another thread (ABORT); the activity time belongs to the transfer thread.
struct TransferStop {
    std::atomic<bool> m_bStopRequest{false};
    std::int64_t m_timeLastActivity = 0; // whole seconds of the link's clock
};

// Longest reply either reader collects: a device that never falls silent must not
// hang the program or exhaust its memory.
constexpr std::size_t kMaxReplyBytes = 1024;
// Driver queue sizes asked for on every open.
constexpr std::size_t kPortQueueBytes = 2048;
// The pause after an open and between the parts of a command: the recorder reads its
// port between other work and needs this long to take one byte before the next.
constexpr int kPauseMillis = 100;
// The console's pause after "B" and "X", which the recorder takes longer to act on
// than a byte of a command.
constexpr int kSlowCommandPauseMillis = 500;

// Read time-outs of every open: a read of one byte returns as soon as the byte
// arrives, or empty after kSilenceMillis, the silence that ends a reply.
constexpr int kReadIntervalMillis = 100;
constexpr int kReadTotalPerByteMillis = 1;
constexpr int kReadTotalConstantMillis = 100;
constexpr int kSilenceMillis = kReadTotalPerByteMillis + kReadTotalConstantMillis;
// Write time-outs of the automatic probe, so a port with nothing behind it cannot hold
// the probe; a manual open keeps the driver's own.
constexpr int kProbeWritePerByteMillis = 1;
constexpr int kProbeWriteConstantMillis = 100;

// A download whose recorder has said nothing for more than this many whole seconds
// (since its last accepted block or reply byte) is over: the recorder is gone.
constexpr std::int64_t kInactivitySeconds = 2;
// Silent reads spent waiting for the buzz's answer or the end of a transfer (about a
// second), before the recorder is taken not to answer.
constexpr int kReplyAttempts = 10;

class SerialLink {
public:
    // The link reports through `prompt`: a status line for each step and a message box
    // (captioned with the application's title) for each failure.
    SerialLink(PortDirectory& ports, UserPrompt& prompt);
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    // Opens and configures the port by name or automatically; true when open.
    bool OpenPort();
    // Closes the port and reports "Comm port closed".
    void ClosePort();
    // Writes every byte of `text` and flushes; false (and the port closed) on failure.
    bool WriteString(const std::string& text);
    // The reply until the line falls silent (at most kMaxReplyBytes).
    std::string ReadReply();
    // The download's reader: ends after 'K' or a newline, and on silence only once the
    // stop request is set (the inactivity rule may set it).
    std::string ReadReplyTerminated(TransferStop& stop);
    // Reads two bytes, low first; the word, or only the first byte.
    int ReadValue(bool word);
    // One read of one byte under the time-outs. On a closed link it waits the read
    // time-out and finds nothing, as a silent line would.
    bool ReadByte(std::uint8_t& byte);
    // Nothing can come any more: the device went away under the open port, or a failed
    // write closed it. `reason` is a sentence for the user naming the port and which.
    bool PortLost(std::string& reason) const;

    // The steps of automatic detection.
    void EnumeratePorts();
    bool OpenFirstFreePort();
    bool ProbePort(const std::string& name);

    // Pauses on the link's clock.
    void Pause(int millis) { m_clock.SleepMillis(millis); }
    // A window that closes in the middle of an exchange raises `flag`: the search for a
    // port and the protocol's longer transactions end at their next whole command, so
    // the recorder is never left inside a half-sent frame.
    void SetCancelFlag(const std::atomic<bool>* flag) { m_pCancel = flag; }
    bool Cancelled() const { return m_pCancel != nullptr && m_pCancel->load(); }
    Clock& LinkClock() { return m_clock; }
    // The port last opened or tried, as the user knows it, with the device behind a
    // "COMn" name: "COM1: (/dev/ttyS0)", "/dev/pts/3". Messages name it so a user can
    // see at once that the program went to another port than meant.
    const std::string& PortLabel() const { return m_strPortLabel; }
    UserPrompt& Prompt() { return m_prompt; }
    // A line for the owner's status list.
    void Status(const std::string& line) { m_prompt.AppendStatus(line); }
    // A device message box, captioned with the application's title.
    void Tell(const std::string& text) { m_prompt.ShowMessage(text, kAppTitle, Severity::Warning); }

    std::string m_strPortName = "COM1:";
    bool m_bAutoPort = false;
    bool m_bPortOpen = false;
    std::vector<unsigned> m_arrPortNumbers;
    std::vector<unsigned> m_arrPortBusy;

private:
    // Opens `name` and applies queue sizes, line settings, purge and time-outs. On a
    // failure reports `prefix` + the step's text and leaves nothing open.
    std::unique_ptr<SerialPort> OpenAndConfigure(const std::string& name, bool probe,
                                                 const std::string& prefix);
    // Why automatic detection found no recorder: the ports it tried and the busy ones,
    // and what the user can check.
    std::string AutoPortHint() const;
    void Fail(const std::string& prefix, const std::string& text, const std::string& reason,
              bool statusToo);

    PortDirectory& m_ports;
    Clock& m_clock;
    UserPrompt& m_prompt;
    std::unique_ptr<SerialPort> m_hPort;
    const std::atomic<bool>* m_pCancel = nullptr;
    std::string m_strPortLabel;
};

} // namespace tavo
