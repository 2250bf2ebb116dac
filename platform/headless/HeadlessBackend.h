// The back end with no display: input comes from driver commands, and text
// has fixed advances.
#pragma once

#include <istream>
#include <ostream>

#include "../window_system/Backend.h"
#include "../driver/Driver.h"

// Fixed advances: 6 pixels for a one-byte character, 12 for any other, 12
// pixels of line height; the metrics of the dialog font the program was drawn with.
class FixedTextMetrics : public TextMetrics {
public:
    int TextWidth(std::string_view utf8) const override;
    int Height() const override { return 12; }
    int AverageCharWidth() const override { return 6; }
};

class HeadlessBackend : public Backend {
public:
    HeadlessBackend(std::istream& in, std::ostream& out);
    const TextMetrics& Metrics() const override { return m_metrics; }
    bool PumpInput() override;
    void Shutdown() override { m_driver.FlushAnswer(); }
    Driver& GetDriver() { return m_driver; }

private:
    std::istream& m_in;
    FixedTextMetrics m_metrics;
    Driver m_driver;
    bool m_ended = false;
};
