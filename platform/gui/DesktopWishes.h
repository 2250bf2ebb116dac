// What the desktop asks of programs through the session bus, read once at
// start on one connection: whether a screen reader wants programs on the
// accessibility bus, and whether the user chose high contrast. Nothing that
// is not running is started to answer.
#pragma once

#include <optional>
#include <string>

struct DesktopWishes {
    bool accessibility = false;
    std::string accessibilityReason;  // what decided it
    // From the settings portal: org.freedesktop.appearance's contrast, else
    // GNOME's org.gnome.desktop.a11y.interface high-contrast; none where no portal answers.
    std::optional<bool> highContrast;
};

// DOTWISE_ACCESSIBILITY=1 or 0 decides the first outright; NO_AT_BRIDGE=1
// says no, as it does to GTK programs. Otherwise org.a11y.Status's IsEnabled
// decides, where an accessibility bus runs.
DesktopWishes ReadDesktopWishes();
