#pragma once

// The Windows version a run found, as a small value the stages and the analysis can be handed without the
// rest of a run's state.
struct WindowsVersion {
    int major = 0;
    int minor = 0;
    int build = 0;

    bool isWindows7() const { return major == 6 && minor == 1; }
    bool isWindows8OrLater() const { return (major == 6 && minor >= 2) || major >= 10; }
    bool isWindows10OrLater() const { return major >= 10; }
};
