// The manifest as a whole: what would make the installer misread it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace payload_tool {

struct Manifest {
  const std::filesystem::path& dir;
  const std::string& text;
  const std::vector<std::string>& lines;
};

// Raises Failure with the first rule's reason to refuse the manifest.
void CheckManifest(const Manifest& manifest);

}  // namespace payload_tool
