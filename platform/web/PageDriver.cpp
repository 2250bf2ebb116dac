#include "PageDriver.h"

#include "../driver/Driver.h"
#include "../window_system/WindowManager.h"

namespace {

class DriverOnPage : public PageDriver {
public:
    DriverOnPage(std::string& answers, std::function<Point()> canvasOrigin)
        : m_driver([&answers](const std::string& line) {
              answers.append(line).push_back('\n');
              return true;
          }) {
        m_driver.Start();
        // Where a control (or its character INDEX) stands on the canvas, in device pixels: for the page's tests to click.
        m_driver.AddCommand("point", [canvasOrigin = std::move(canvasOrigin)](const Driver::Args& a) {
            if (a.empty() || a.size() > 2) throw DriverError("usage: point ID [INDEX]");
            HWND hWnd = Driver::Control(a[0]);
            const POINT client = ControlPoint(hWnd, a.size() == 2 ? Driver::ParseInt(a[1]) : -1);
            const Point origin = WindowManager::Instance().ClientOrigin(hWnd);
            const Point canvas = canvasOrigin();
            return std::to_string(origin.x + client.x - canvas.x) + " " + std::to_string(origin.y + client.y - canvas.y);
        });
        // Stops the program as a fault in it would, for the page's test of what a visitor then sees.
        m_driver.AddCommand("trap", [](const Driver::Args&) -> std::string { __builtin_trap(); });
    }
    bool RunNextEvent() override { return m_driver.RunNextEvent(); }
    void FlushAnswer() override { m_driver.FlushAnswer(); }
    void Execute(const std::string& line) override { m_driver.Execute(line); }

private:
    Driver m_driver;
};

}  // namespace

std::unique_ptr<PageDriver> MakePageDriver(std::string& answers, std::function<Point()> canvasOrigin) {
    return std::make_unique<DriverOnPage>(answers, std::move(canvasOrigin));
}
