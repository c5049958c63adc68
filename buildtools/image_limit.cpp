#include "buildtools/image_limit.h"

#include <filesystem>

#include "buildtools/common.h"

namespace payload_tool {

void GrowImage(uintmax_t& image, const Line& line) {
  image += ImageBytes(std::filesystem::file_size(line.file), line.stored);
  if (image > kMaxImageBytes) {
    throw Failure{LineError(line.number, line.name,
                            "brings the installer's image to about " + std::to_string(image) +
                                " bytes, more than its limit of 1 GiB")};
  }
}

}  // namespace payload_tool
