#pragma once
// The heap of the command-line tool, set up for what its commands do: megabytes of pixels and file bytes
// taken and given back many times over a run of a fraction of a second.

namespace vantle {

// Keeps freed memory in the heap for the next buffer instead of giving it back to the system (and
// having its pages cleared and mapped again one by one), in one heap for every thread, reserved at once
// with transparent huge pages asked for. Where the C library is not glibc on Linux, nothing.
void prepareToolHeap();

} // namespace vantle
