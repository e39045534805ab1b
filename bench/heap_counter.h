#pragma once
// Counts the bytes the program holds on the heap and in blocks of large
// pages while a measurement asks for it, and the highest count since, so that a benchmark can print the memory a
// track takes and the peak of loading it. Off, the count costs one test per
// allocation.

#include <cstdint>

namespace heap_counter {
// Starts counting from zero.
void Start();
// Stops counting; the figures stay as they were.
void Stop();
// Bytes allocated minus bytes freed from Start to Stop (blocks allocated
// before it and freed after it count negative).
std::int64_t Live();
std::int64_t Peak();
}  // namespace heap_counter
