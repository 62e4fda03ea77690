// Prefetch: a hint that the memory at an address will be read soon, so that the processor starts
// loading it while other work goes on. Code that walks big tables in an order of its own (hash
// buckets, names scattered over a buffer) asks for an entry some steps before it reads it. Where the
// compiler has no such hint, it is nothing; results never depend on it.
#pragma once

namespace lyrics {

inline void Prefetch(const void* address) noexcept {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

}  // namespace lyrics
