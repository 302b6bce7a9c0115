#pragma once

// Prints opening and saving a memo with a full pane of text (200,000 bytes in
// CP932) kept in UTF-8, each as a ratio to the same for the text kept in CP932,
// and what detection costs a CP932 memo.
void RunEncodingBench();
