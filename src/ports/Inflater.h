#pragma once
// Inflater: reads gzip-compressed data as the bytes it stands for, block by
// block, so a reader never holds a whole file. The caller owns the inflater.
#include <cstddef>
#include <functional>

namespace trakvella {

// The first two bytes of every gzip member.
inline constexpr unsigned char kGzipMagic0 = 0x1f;
inline constexpr unsigned char kGzipMagic1 = 0x8b;

class Inflater {
 public:
  virtual ~Inflater() = default;
  // Hands out the compressed bytes: copies up to `size` of them into `out` and
  // returns how many; 0 when there are no more.
  using Source = std::function<size_t(unsigned char* out, size_t size)>;
  // Starts decoding the data `source` hands out (one gzip member or several in a row).
  virtual void Begin(Source source) = 0;
  // Up to `size` decoded bytes into `out`; 0 at the end of the data. Damaged or
  // cut data ends where it becomes unreadable: what came before it is handed out.
  virtual size_t Read(unsigned char* out, size_t size) = 0;
};

}  // namespace trakvella
