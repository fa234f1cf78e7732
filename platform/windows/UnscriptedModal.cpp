#include "platform/windows/UnscriptedModal.h"

namespace {
UnscriptedModal::Reporter& CurrentReporter() {
    static UnscriptedModal::Reporter reporter;
    return reporter;
}
} // namespace

void UnscriptedModal::SetReporter(Reporter reporter) {
    CurrentReporter() = std::move(reporter);
}

bool UnscriptedModal::Report(const std::string& description) {
    if (!CurrentReporter()) return false;
    CurrentReporter()(description);
    return true;
}
