// The DOTWISE_LOCALE_* variables on Windows: each replaces the answer the
// system's GetLocaleInfoA gives for its value, so that the same scripts run
// with the same number formats on every build.
#pragma once

// Puts the replacing function in the program's own import of GetLocaleInfoA.
void InstallLocaleOverride();
