#include "sim/PtyServer.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "sim/SimClock.h"

namespace dp::sim {

namespace {

constexpr int kIdlePollMs = 100;

[[noreturn]] void Fail(const std::string& what)
{
    throw std::runtime_error(what + ": " + std::strerror(errno));
}

void SetFlags(int fd)
{
    const int fl = fcntl(fd, F_GETFL);
    if (fl < 0 || fcntl(fd, F_SETFL, fl | O_NONBLOCK) < 0) Fail("fcntl");
    if (fcntl(fd, F_SETFD, FD_CLOEXEC) < 0) Fail("fcntl");
}

void CloseFd(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// The unit's bytes go out as they fall due; when no client drains the terminal and its
// buffer is full, they are lost, as on a real line with nobody listening.
void WriteAvailable(int fd, const std::vector<uint8_t>& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += std::size_t(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return;
        }
    }
}

int PollFor(pollfd* fds, nfds_t count, int64_t waitUs)
{
#ifdef __linux__
    const timespec timeout{time_t(waitUs / 1'000'000), long(waitUs % 1'000'000) * 1000};
    return ppoll(fds, count, &timeout, nullptr);
#else
    return poll(fds, count, int((waitUs + 999) / 1000));
#endif
}

sigset_t TerminationSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

}  // namespace

PtyServer::PtyServer(EcuOptions options, int bitsPerSecond)
    : options_(options), bitRate_(bitsPerSecond > 0 ? bitsPerSecond : 9600)
{
    try {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0) Fail("posix_openpt");
        if (grantpt(master_) != 0) Fail("grantpt");
        if (unlockpt(master_) != 0) Fail("unlockpt");
        const char* name = ptsname(master_);
        if (!name) Fail("ptsname");
        slavePath_ = name;
        slave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY);
        if (slave_ < 0) Fail("open " + slavePath_);
        // Raw from the start: no echo or line editing before a client sets its own mode.
        termios tio{};
        if (tcgetattr(slave_, &tio) != 0) Fail("tcgetattr");
        cfmakeraw(&tio);
        if (tcsetattr(slave_, TCSANOW, &tio) != 0) Fail("tcsetattr");
        SetFlags(master_);
        SetFlags(slave_);
        int fds[2];
        if (pipe(fds) != 0) Fail("pipe");
        wakeRead_ = fds[0];
        wakeWrite_ = fds[1];
        SetFlags(wakeRead_);
        SetFlags(wakeWrite_);
    } catch (...) {
        CloseFd(wakeRead_);
        CloseFd(wakeWrite_);
        CloseFd(slave_);
        CloseFd(master_);
        throw;
    }
}

PtyServer::~PtyServer()
{
    stop();
    removeLink();
    CloseFd(wakeRead_);
    CloseFd(wakeWrite_);
    CloseFd(slave_);
    CloseFd(master_);
}

void PtyServer::makeLink(const std::string& path)
{
    if (path != link_) removeLink();
    struct stat st{};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) throw std::runtime_error(path + " exists and is not a symbolic link");
        if (unlink(path.c_str()) != 0) Fail("unlink " + path);
    }
    link_.clear();
    if (symlink(slavePath_.c_str(), path.c_str()) != 0) Fail("symlink " + path);
    link_ = path;
}

void PtyServer::removeLink()
{
    if (link_.empty()) return;
    // Only our own link: another server may have taken the name meanwhile.
    char target[4096];
    const ssize_t n = readlink(link_.c_str(), target, sizeof target - 1);
    if (n >= 0 && std::string(target, std::size_t(n)) == slavePath_) unlink(link_.c_str());
    link_.clear();
}

void PtyServer::start()
{
    if (thread_.joinable()) return;
    stopping_ = false;
    thread_ = std::thread([this] { serve(); });
}

void PtyServer::stop()
{
    if (!thread_.joinable()) return;
    stopping_ = true;
    wake();
    thread_.join();
}

void PtyServer::wake()
{
    const uint8_t b = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &b, 1);
}

void PtyServer::serve()
{
#ifdef __linux__
    // A byte is handed over when it falls due, not up to the kernel's default 50 µs later.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif
    SteadyClock clock;
    VirtualEcu ecu(options_, clock.nowUs());
    ecu.setBitRate(bitRate_);
    std::vector<uint8_t> out;
    uint8_t in[512];
    {
        const std::lock_guard lock(ecuMutex_);
        ecu_ = &ecu;
    }

    while (!stopping_) {
        // Woken to the microsecond when the next byte falls due, as a real line hands
        // each byte over when its stop bit is in, not at the next whole millisecond.
        int64_t waitUs = int64_t(kIdlePollMs) * 1000;
        {
            const std::lock_guard lock(ecuMutex_);
            out.clear();
            ecu.collect(clock.nowUs(), out);
            if (const auto next = ecu.nextArrivalUs()) waitUs = std::clamp<int64_t>(*next - clock.nowUs(), 0, waitUs);
        }
        WriteAvailable(master_, out);
        pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {master_, POLLIN, 0}};
        const int ready = PollFor(fds, 2, waitUs);
        if (ready < 0 && errno != EINTR) break;
        if (ready <= 0) continue;
        if (fds[0].revents) {
            while (::read(wakeRead_, in, sizeof in) > 0) {
            }
            continue;
        }
        if (fds[1].revents & POLLIN) {
            const ssize_t n = ::read(master_, in, sizeof in);
            const std::lock_guard lock(ecuMutex_);
            if (n > 0) ecu.receive(in, std::size_t(n), clock.nowUs());
        } else if (fds[1].revents) {
            // Hang-up or error on the master: wait out the interval rather than spin.
            PollFor(fds, 1, waitUs);
        }
    }
    const std::lock_guard lock(ecuMutex_);
    ecu_ = nullptr;
}

bool PtyServer::inspect(const std::function<void(const VirtualEcu&)>& f)
{
    const std::lock_guard lock(ecuMutex_);
    if (!ecu_) return false;
    f(*ecu_);
    return true;
}

void BlockTerminationSignals()
{
    const sigset_t set = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

int WaitForTerminationSignal()
{
    const sigset_t set = TerminationSignals();
    int sig = 0;
    sigwait(&set, &sig);
    return sig;
}

}  // namespace dp::sim
