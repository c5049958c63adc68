#include "buildtools/res_writer.h"

#include "buildtools/common.h"

namespace payload_tool {

namespace {

constexpr uint16_t kRcData = 10;
constexpr uint16_t kMemoryFlags = 0x0030;  // moveable, pure

}  // namespace

ResWriter::ResWriter(const std::filesystem::path& path) : out_(path, std::ios::binary) {
  if (!out_) throw Failure{"cannot write " + path.string()};
  // A .res file opens with an empty entry.
  Entry(nullptr, {}, true);
}

void ResWriter::Close() {
  out_.close();
  if (!out_) throw Failure{"write error"};
}

void ResWriter::Pad(size_t n) {
  static const char zeros[4] = {};
  if (n % 4) Put(zeros, 4 - n % 4);
}

void ResWriter::Entry(const std::string* name, const std::string& data, bool empty) {
  // Header: sizes, type, name, then the fixed tail; all little-endian.
  const size_t nameBytes = empty ? 4 : (name->size() + 1) * 2;
  size_t header = 8 + 4 + nameBytes;
  header += (4 - header % 4) % 4;
  header += 16;
  U32(static_cast<uint32_t>(data.size()));
  U32(static_cast<uint32_t>(header));
  U16(0xFFFF);
  U16(empty ? 0 : kRcData);
  if (empty) {
    U16(0xFFFF);
    U16(0);
  } else {
    for (unsigned char c : *name) U16(c);
    U16(0);
  }
  Pad(12 + nameBytes);
  U32(0);                          // data version
  U16(empty ? 0 : kMemoryFlags);   // memory flags
  U16(0);                          // language: neutral
  U32(0);                          // version
  U32(0);                          // characteristics
  Put(data.data(), data.size());
  Pad(data.size());
}

}  // namespace payload_tool
