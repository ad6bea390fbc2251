#include "pty_server.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#if defined(__linux__)
#include <sys/prctl.h>
#endif
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

#include "device/clock.h"
#include "flight/atomic_file.h"

namespace tavo {

PtyServer::~PtyServer() {
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyServer::Open(std::string& error) {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = SystemErrorText(errno);
        return false;
    }
    const char* name = ::ptsname(m_master);
    if (name == nullptr) {
        error = SystemErrorText(errno);
        return false;
    }
    m_path = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0) {
        error = SystemErrorText(errno);
        return false;
    }
    // Raw bytes both ways until the host sets its own line settings.
    termios tio{};
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B19200);
        ::cfsetospeed(&tio, B19200);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    return true;
}

bool PtyServer::Serve(const std::atomic<bool>& stop, std::string& error) {
#if defined(__linux__)
    // Bytes leave at their due times; the default 50 us of timer slack would add
    // to every paced byte's lateness.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    Clock& clock = RealClock::Instance();
    const std::int64_t byteMicros = m_recorder.Options().byteMicros;
    // A telemetry receiver streams once the host purges its port: packet mode tells
    // the master side of the host's flushes, ahead of its data.
    int packet = m_recorder.Options().telemetry ? 1 : 0;
    if (packet != 0 && ::ioctl(m_master, TIOCPKT, &packet) != 0) {
        error = SystemErrorText(errno);
        return false;
    }
    std::vector<std::uint8_t> pending;
    std::uint8_t buffer[512];
    while (!stop) {
        std::int64_t now = clock.NowMicros();
        std::int64_t at = 0;
        while (m_recorder.NextOutputTime(now, at) && at <= now)
            pending.push_back(m_recorder.TakeOutput());
        if (!pending.empty()) {
            const ssize_t n = ::write(m_master, pending.data(), pending.size());
            if (n > 0)
                pending.erase(pending.begin(), pending.begin() + n);
            else if (n < 0 && errno != EAGAIN && errno != EINTR) {
                error = SystemErrorText(errno);
                return false;
            }
            // A full line with nobody reading loses bytes, as a real receiver would.
            if (pending.size() > 4096) {
                m_dropped += static_cast<long long>(pending.size());
                pending.clear();
            }
        }
        std::int64_t wait = 50000;
        if (!pending.empty())
            wait = 1000;
        else if (m_recorder.NextOutputTime(now, at))
            wait = std::clamp<std::int64_t>(at - now, 0, wait);
        pollfd fd{m_master, POLLIN, 0};
        const timespec timeout{static_cast<time_t>(wait / 1000000),
                               static_cast<long>((wait % 1000000) * 1000)};
        const int ready = ::ppoll(&fd, 1, &timeout, nullptr);
        if (ready < 0 && errno != EINTR) {
            error = SystemErrorText(errno);
            return false;
        }
        if (ready > 0 && (fd.revents & POLLIN) != 0) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n < 0 && errno != EAGAIN && errno != EINTR && errno != EIO) {
                error = SystemErrorText(errno);
                return false;
            }
            now = clock.NowMicros();
            ssize_t first = 0;
            if (packet != 0 && n > 0) {
                if ((buffer[0] & (TIOCPKT_FLUSHREAD | TIOCPKT_FLUSHWRITE)) != 0) {
                    m_recorder.DropOutput();
                    pending.clear();
                }
                first = 1;
            }
            for (ssize_t i = first; i < n; ++i)
                m_recorder.Receive(buffer[i], now + byteMicros * (i - first + 1));
        }
    }
    return true;
}

} // namespace tavo
