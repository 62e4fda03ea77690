// ByteSupply: where a text read a chunk at a time comes from (a file, or memory in the tests).
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/result.h"

namespace lyrics {

class ByteSupply {
public:
    virtual ~ByteSupply() = default;
    // Fills the buffer with the next bytes and returns how many, 0 at the end.
    virtual Result<std::size_t> Read(char* buffer, std::size_t room) = 0;
    // Moves past the next bytes when they are known to be zeros without being read (a hole in a
    // sparse file), as many as are known, a multiple of `unit`; returns how many, 0 when none.
    virtual std::uint64_t SkipZeros(std::size_t /*unit*/) { return 0; }
};

}  // namespace lyrics
