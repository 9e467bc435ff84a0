#pragma once

// How the process gives freed memory back to the system.
//
//   int main(int argc, char** argv) {
//       HeapPolicy::keepFreedMemory();
//       QApplication app(argc, argv);
namespace HeapPolicy {

// Keeps freed heap memory for reuse up to a bound, instead of handing it back as soon as the top of
// the heap is free. Loading dives, printing a page and the statistics make and free megabytes of
// buffers; handed back each time, every page of them was faulted in and zeroed again by the next
// run, which took half again to twice as long as the work itself. Call once at start-up; where
// the C library has no such setting it does nothing.
void keepFreedMemory();

} // namespace HeapPolicy
