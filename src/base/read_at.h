#pragma once
// Positioned reads that go on after interruptions and partial reads, for the
// readers that pick blocks or records out of a file by their place.

#include <cstddef>
#include <cstdint>

namespace ostrel::base {

// Reads up to size bytes from offset. Returns the count read, less than size
// only at the end of the file, or -1 with errno set.
std::ptrdiff_t ReadAt(int fd, void* buffer, std::size_t size, std::uint64_t offset);

}  // namespace ostrel::base
