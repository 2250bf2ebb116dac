#include "HeadlessBackend.h"

#include <string>

#include "../driver/StreamAnswers.h"

int FixedTextMetrics::TextWidth(std::string_view utf8) const {
    int width = 0;
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80)
            width += 6;
        else if ((u & 0xC0) != 0x80)
            width += 12;
    }
    return width;
}

HeadlessBackend::HeadlessBackend(std::istream& in, std::ostream& out) : m_in(in), m_driver(AnswersTo(out)) { m_driver.Start(); }

bool HeadlessBackend::PumpInput() {
    // One queued event at a time, so that the loop in charge runs posted
    // messages between them and a nested loop takes the events that follow.
    if (m_driver.RunNextEvent()) return true;
    m_driver.FlushAnswer();
    // Nobody reads the answers any more: stop as at the end of input.
    if (m_driver.OutputFailed()) m_ended = true;
    if (m_ended) return false;
    std::string line;
    if (!std::getline(m_in, line)) {
        m_ended = true;
        return false;
    }
    m_driver.Execute(line);
    return true;
}
