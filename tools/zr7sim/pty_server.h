#pragma once
// Serves a simulated recorder on a pseudo-terminal: the host opens the printed
// device path as it would open a serial port. The recorder's bytes leave at the times
// it gives them, so a paced recorder runs at its line rate in real time.

#include <atomic>
#include <string>

#include "device/zr7_recorder.h"

namespace tavo {

class PtyServer {
public:
    explicit PtyServer(Zr7Recorder& recorder) : m_recorder(recorder) {}
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Creates the pseudo-terminal; false with the reason when it cannot.
    bool Open(std::string& error);
    // The device path the host opens (/dev/pts/N).
    const std::string& DevicePath() const { return m_path; }
    // Serves until `stop` is set; false with the reason on an I/O error.
    bool Serve(const std::atomic<bool>& stop, std::string& error);
    // Bytes thrown away because nobody read them.
    long long BytesDropped() const { return m_dropped; }

private:
    Zr7Recorder& m_recorder;
    int m_master = -1;
    int m_slave = -1; // held open so the line survives hosts coming and going
    std::string m_path;
    long long m_dropped = 0;
};

} // namespace tavo
