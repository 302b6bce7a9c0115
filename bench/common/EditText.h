// The text the delete-or-replace benchmarks edit, natively and under Wine.
#pragma once
#include <cstddef>
#include <string>

// The word the benchmarks delete or replace: four bytes.
extern const char EditWord[];

// Six bytes of text, then EditWord: ten bytes a unit. Some fillers end in a
// character whose second byte is 5C, or hold CR LF.
std::string MakeEditText(size_t units);

// Keeps the compiler from dropping work whose result is never read.
inline void Consume(const void* p) { asm volatile("" : : "r"(p) : "memory"); }
