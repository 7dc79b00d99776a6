#pragma once
// Serves a virtual ECU on a pseudo-terminal, paced like a real line, so that ordinary
// serial software can talk to it through the terminal's path. The only place that
// speaks to the operating system directly; UNIX only.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "sim/VirtualEcu.h"

namespace dp::sim {

class PtyServer {
public:
    // Opens the terminal and sets it raw; throws std::runtime_error when it cannot.
    PtyServer(EcuOptions options, int bitsPerSecond);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // The path clients open, e.g. /dev/pts/5.
    const std::string& slavePath() const { return slavePath_; }

    // A symbolic link at path to the terminal, replacing an older link there (but never
    // a file). Removed again by the destructor. Throws std::runtime_error.
    void makeLink(const std::string& path);
    void removeLink();

    // Serves on a background thread until stop() or destruction. The ECU lives on that
    // thread; only inspect() reaches it from outside, under a lock.
    void start();
    void stop();

    // Lets f look at the unit between two rounds of serving, for tests that check what
    // the engine does. False when the unit is not being served.
    bool inspect(const std::function<void(const VirtualEcu&)>& f);

private:
    void serve();
    void wake();

    EcuOptions options_;
    int bitRate_;
    int master_ = -1;
    int slave_ = -1;  // kept open so the master never sees a hang-up between clients
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::string slavePath_;
    std::string link_;
    std::atomic<bool> stopping_{false};
    std::mutex ecuMutex_;
    const VirtualEcu* ecu_ = nullptr;  // while served; guarded by ecuMutex_
    std::thread thread_;
};

// For a program that serves until told to end: blocks SIGINT and SIGTERM in the calling
// thread and the threads it starts afterwards, then (second call) waits for one of them.
void BlockTerminationSignals();
int WaitForTerminationSignal();

}  // namespace dp::sim
