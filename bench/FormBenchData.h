#pragma once

#include "table/EntryLabels.h"

// The 100,000 entry labels both selector fills use, so the editor's and the
// bare toolkit's figures are for the same strings.
const EntryLabels& FormBenchEntryLabels();

// Runs the event loop until nothing is pending: posted events, the repaint.
void FlushEvents();
