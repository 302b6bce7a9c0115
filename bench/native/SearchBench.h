#pragma once
#include "Corpus.h"

// Prints a full keyword search of the corpus written under root by the core as
// a ratio to grep -rlF over the same files, grep's list of files going to
// listPath (outside root); false when grep cannot run.
bool RunSearchBench(const Corpus& corpus, const std::string& root, const std::string& listPath);

// Prints the search as the DLL runs it, each memo read block by block through
// MemoScanner, over the CP932 corpus and over the one with half its memos in
// UTF-8, each as a ratio to a bare read of the same files, and the mixed one
// as a ratio to grep -rlF as well; false when grep cannot run.
bool RunMixedSearchBench(const Corpus& cp932, const Corpus& mixed, const std::string& mixedRoot, const std::string& listPath);
