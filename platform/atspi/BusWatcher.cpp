#include "BusWatcher.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

BusWatcher::BusWatcher(void (*wake)()) : m_wake(wake) {
    if (pipe2(m_interrupt, O_CLOEXEC | O_NONBLOCK) != 0) m_interrupt[0] = m_interrupt[1] = -1;
    m_thread = std::thread([this] { Watch(); });
}

BusWatcher::~BusWatcher() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_armed.notify_one();
    Interrupt();
    m_thread.join();
    for (int fd : m_interrupt)
        if (fd >= 0) close(fd);
}

void BusWatcher::Interrupt() const {
    // A full pipe already says the same.
    if (m_interrupt[1] >= 0 && write(m_interrupt[1], "x", 1) < 0) return;
}

void BusWatcher::Serve() {
    GMainContext* context = g_main_context_default();
    if (!g_main_context_acquire(context)) return;
    // As g_main_context_iteration without blocking, keeping the descriptors of the round that found nothing.
    for (int round = 0; round < 64; ++round) {
        gint priority = 0;
        g_main_context_prepare(context, &priority);
        gint timeout = -1;
        gint count = 0;
        while ((count = g_main_context_query(context, priority, &timeout, m_fds.data(), static_cast<gint>(m_fds.size()))) >
               static_cast<gint>(m_fds.size()))
            m_fds.resize(static_cast<std::size_t>(count));
        m_fds.resize(static_cast<std::size_t>(count));
        m_due = timeout;
        g_poll(m_fds.data(), static_cast<guint>(m_fds.size()), 0);
        const bool ready = g_main_context_check(context, priority, m_fds.data(), count) != 0;
        if (ready) g_main_context_dispatch(context);
        if (!ready) break;
        m_due = 0;  // still busy after 64 rounds: come back at once
    }
    g_main_context_release(context);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_watched = m_fds;
        for (GPollFD& fd : m_watched) fd.revents = 0;
        m_watching = true;
    }
    m_armed.notify_one();
    Interrupt();
}

void BusWatcher::Watch() {
    std::vector<pollfd> fds;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_armed.wait(lock, [this] { return m_watching || m_stopping; });
            if (m_stopping) return;
            fds.clear();
            fds.push_back({m_interrupt[0], POLLIN, 0});
            for (const GPollFD& fd : m_watched) fds.push_back({fd.fd, static_cast<short>(fd.events), 0});
        }
        if (poll(fds.data(), fds.size(), -1) < 0) continue;
        if (fds[0].revents != 0) {
            // A new set, or the end: drain the pipe and read the set again.
            char drained[64];
            while (read(m_interrupt[0], drained, sizeof drained) > 0) {
            }
            continue;
        }
        bool readable = false;
        for (std::size_t i = 1; i < fds.size(); ++i) readable = readable || fds[i].revents != 0;
        if (!readable) continue;
        // The main thread reads what came; until it has, the same descriptors would wake us again.
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_watching = false;
        }
        m_wake();
    }
}
