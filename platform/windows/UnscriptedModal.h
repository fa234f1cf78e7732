#pragma once

#include <functional>
#include <string>

// What happens when a modal interaction comes up with no hook installed.
// Normally the real box or dialog is shown. A test process installs a
// reporter instead: the interaction is then reported (the test fails) and
// answered at once with its cancel answer, so a test never blocks on a
// window nobody will close.
class UnscriptedModal {
public:
    using Reporter = std::function<void(const std::string& description)>;

    // An empty reporter restores the real dialogs.
    static void SetReporter(Reporter reporter);
    // Calls the reporter; returns true when one is installed, so the caller
    // must not show anything.
    static bool Report(const std::string& description);
};
