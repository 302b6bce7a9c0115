#pragma once

// Prints DeleteOrReplace timings over a text dense with occurrences, with the
// ratio for a text twice as long and the ratio to a memcpy of the text.
void RunEditBench();
