#pragma once

// How the process gives freed memory back to the system.
//
//   int main(int argc, char** argv) {
//       HeapPolicy::keepFreedMemory();
//       QApplication app(argc, argv);
namespace HeapPolicy {

// Keeps freed heap memory for reuse up to a bound, instead of handing it back as soon as the top of
// the heap is free. Loading the dives of a logbook makes and frees megabytes of profile buffers;
// handed back after each load, every page of them was faulted in and zeroed again by the next
// load, which took four times as long as the reading itself. Call once at start-up; where the C
// library has no such setting it does nothing.
void keepFreedMemory();

} // namespace HeapPolicy
