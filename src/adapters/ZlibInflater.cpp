// ZlibInflater: gzip members decoded one after the other through zlib.
#include "adapters/ZlibInflater.h"

#include <algorithm>
#include <climits>
#include <zlib.h>

namespace trakvella {

namespace {
constexpr size_t kInputBlock = 256 * 1024;
}

struct ZlibInflater::Stream {
  z_stream zs{};
  bool initialised = false;
  bool memberDone = false;  // a member ended; the next byte must start another
};

ZlibInflater::ZlibInflater() : stream_(std::make_unique<Stream>()), input_(kInputBlock) {
  // 16 + MAX_WBITS: gzip wrapper, largest window.
  stream_->initialised = inflateInit2(&stream_->zs, 16 + MAX_WBITS) == Z_OK;
}

ZlibInflater::~ZlibInflater() {
  if (stream_->initialised) inflateEnd(&stream_->zs);
}

void ZlibInflater::Begin(Source source) {
  source_ = std::move(source);
  sourceEnded_ = false;
  stream_->memberDone = false;
  ended_ = !stream_->initialised;
  if (stream_->initialised) inflateReset(&stream_->zs);
  stream_->zs.next_in = input_.data();
  stream_->zs.avail_in = 0;
}

bool ZlibInflater::Refill() {
  if (sourceEnded_ || !source_) return false;
  const size_t n = source_(input_.data(), input_.size());
  if (n == 0) {
    sourceEnded_ = true;
    return false;
  }
  stream_->zs.next_in = input_.data();
  stream_->zs.avail_in = static_cast<uInt>(std::min(n, input_.size()));
  return true;
}

size_t ZlibInflater::Read(unsigned char* out, size_t size) {
  if (ended_ || size == 0) return 0;
  z_stream& zs = stream_->zs;
  size = std::min<size_t>(size, UINT_MAX);
  zs.next_out = out;
  zs.avail_out = static_cast<uInt>(size);
  while (zs.avail_out > 0) {
    if (zs.avail_in == 0 && !Refill()) {  // the data ends, after a member or inside one
      ended_ = true;
      break;
    }
    if (stream_->memberDone) {
      // Bytes after a member that do not start another (padding, junk) are not data.
      if (zs.next_in[0] != kGzipMagic0) {
        ended_ = true;
        break;
      }
      stream_->memberDone = false;
    }
    const int rc = inflate(&zs, Z_NO_FLUSH);
    if (rc == Z_STREAM_END) {
      inflateReset(&zs);
      stream_->memberDone = true;
    } else if (rc == Z_BUF_ERROR && zs.avail_in == 0) {
      continue;  // wants more input
    } else if (rc != Z_OK) {
      ended_ = true;  // damaged data: what came before it stands
      break;
    }
  }
  return size - zs.avail_out;
}

}  // namespace trakvella
