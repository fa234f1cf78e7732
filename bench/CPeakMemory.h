#pragma once

// This process's peak resident size from the moment of construction on.
// The allocator's free pages go back to the system and the kernel's
// high-water mark is reset first (Linux 4.0 and later), so an earlier
// benchmark, or an earlier run of the same one, leaves neither its peak nor
// reusable pages behind. Fragments the allocator cannot return still hide a
// little growth; bench/run.py runs every benchmark in a fresh process.
class CPeakMemory {
public:
    CPeakMemory();

    // False when the mark could not be reset; the figures are then
    // meaningless.
    bool IsValid() const { return m_reset; }
    double PeakMiB() const;
    // The peak above the resident size at construction.
    double GrowthMiB() const;

private:
    bool m_reset = false;
    double m_startMiB = 0;
};
