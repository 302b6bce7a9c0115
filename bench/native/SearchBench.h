#pragma once
#include "Corpus.h"

// Prints a full keyword search of the corpus written under root by the core as
// a ratio to grep -rlF over the same files, grep's list of files going to
// listPath (outside root); false when grep cannot run.
bool RunSearchBench(const Corpus& corpus, const std::string& root, const std::string& listPath);
