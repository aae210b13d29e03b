#pragma once
// ZlibInflater: the Inflater port on zlib's streaming inflate (gzip members in a
// row, trailing bytes that are no gzip member ignored). Holds one input block.
#include <memory>
#include <vector>

#include "ports/Inflater.h"

namespace trakvella {

class ZlibInflater : public Inflater {
 public:
  ZlibInflater();
  ~ZlibInflater() override;
  ZlibInflater(const ZlibInflater&) = delete;
  ZlibInflater& operator=(const ZlibInflater&) = delete;

  void Begin(Source source) override;
  size_t Read(unsigned char* out, size_t size) override;

 private:
  struct Stream;
  bool Refill();
  std::unique_ptr<Stream> stream_;
  Source source_;
  std::vector<unsigned char> input_;
  bool sourceEnded_ = false;
  bool ended_ = true;
};

}  // namespace trakvella
