// The X11 CLIPBOARD selection on a connection of our own, served by a thread
// of its own: other programs can paste what we copied at any time, asking
// whether text is there asks for the targets alone, a paste waits a bounded
// time (while the caller keeps its window drawn) and never takes the
// clipboard from its owner, and at exit a running clipboard manager is handed
// what we copied.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class X11Clipboard {
public:
    // Called again and again while an answer is awaited.
    using WhileWaiting = std::function<void()>;

    // Null when no X display answers.
    static std::unique_ptr<X11Clipboard> Open();
    ~X11Clipboard();
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    void SetText(const std::string& text);
    // Whether the clipboard offers text; false when it gives no answer in time.
    bool HasText(const WhileWaiting& whileWaiting);
    // The clipboard's text; none when it holds no text or gives no answer in time.
    std::optional<std::string> Text(const WhileWaiting& whileWaiting);

    // How long an owner has to answer.
    static constexpr int kAnswerMs = 500;

private:
    struct Connection;
    class Server;
    explicit X11Clipboard(std::unique_ptr<Connection> connection);
    void Serve();
    // Asks the owner for `target`; the property's bytes, or none.
    std::optional<std::vector<unsigned char>> Ask(const char* target, const WhileWaiting& whileWaiting);
    void Wake();

    std::unique_ptr<Connection> m_x;
    std::thread m_thread;

    // Shared with the serving thread.
    std::mutex m_mutex;
    std::condition_variable m_answered;
    std::string m_text;
    bool m_wantOwnership = false;
    bool m_own = false;
    bool m_stop = false;
    // The request in flight: its target, a number telling it from late answers, and its answer.
    std::string m_askTarget;
    unsigned m_askSerial = 0;
    bool m_askSent = true;
    bool m_answeredSerial = false;
    std::optional<std::vector<unsigned char>> m_answer;
};
