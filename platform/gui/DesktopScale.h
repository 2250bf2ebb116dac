// The scale the desktop asks for, before any window is made: DOTWISE_SCALE,
// then the X resource database's Xft.dpi (what GNOME, KDE and Xfce set for a
// dense screen), then GDK_SCALE. None when nothing says.
#pragma once

#include <optional>
#include <string_view>

std::optional<double> DesktopScale();
// The scale an Xft.dpi line of an X resource database gives, in quarter steps; none without one.
std::optional<double> ScaleFromResources(std::string_view resources);
