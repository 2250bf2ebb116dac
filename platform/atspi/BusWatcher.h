// Serves the accessibility bus as soon as a screen reader asks something.
// The program sleeps in its window's wait; the bus's sockets are GLib's,
// which that wait does not know. A thread of ours watches them while the
// program sleeps and wakes it when one has something to read, so a
// question is answered at once and not at the next poll.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <glib.h>

class BusWatcher {
public:
    // `wake` is called from the watcher's thread and must be safe there.
    explicit BusWatcher(void (*wake)());
    ~BusWatcher();
    BusWatcher(const BusWatcher&) = delete;
    BusWatcher& operator=(const BusWatcher&) = delete;

    // Runs what the main context has ready, without blocking, then watches
    // its sources' descriptors until the next call. Main thread only.
    void Serve();
    // Milliseconds until a source of the main context is due by its clock; -1 when none is.
    int Due() const { return m_due; }

private:
    void Watch();
    void Interrupt() const;

    void (*m_wake)();
    std::vector<GPollFD> m_fds;  // the main thread's, from the last round that found nothing ready
    int m_due = -1;
    int m_interrupt[2] = {-1, -1};  // tells a watch in progress that the set changed

    std::mutex m_mutex;
    std::condition_variable m_armed;
    std::vector<GPollFD> m_watched;  // what the thread is to watch, under m_mutex
    bool m_watching = false;
    bool m_stopping = false;
    std::thread m_thread;
};
