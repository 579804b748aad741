// A hint that memory will soon be read, for loops that visit data scattered
// over a large set. It changes no result: on a compiler without the hint it
// does nothing.

#ifndef DRAVELIN_COMPARE_PREFETCH_H_
#define DRAVELIN_COMPARE_PREFETCH_H_

namespace dravelin {

inline void PrefetchForRead(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#else
  (void)address;
#endif
}

}  // namespace dravelin

#endif  // DRAVELIN_COMPARE_PREFETCH_H_
