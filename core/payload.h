// Reading the embedded manifest and writing the payload to disk.
#pragma once

#include <string>
#include <vector>

#include "core/gauge.h"
#include "core/platform.h"

namespace core {

// The manifest resource; it lists itself under this file name.
inline constexpr const char* kManifestResource = "file_lst";
inline constexpr const char* kManifestFile = "file.lst";

// Lines of a text resource; raises "Resource %s not found".
std::vector<std::string> LoadResourceList(Platform& platform, const std::string& resName);

// Creates a folder and its missing parents. Raises "Unable to create directory"
// for an empty path, or for a relative one whose first level cannot be made.
bool ForceDirectories(Platform& platform, std::string dir);

// Writes one payload resource to dir + fileName (dir ends with '\') under
// the partial name first, replacing the earlier file only when complete. A
// partial file a killed run left is removed first; anything else at that
// name is left alone and fails the file. Any failure gives false and leaves
// the earlier file and no partial one of this run.
bool ExtractResourceFile(Platform& platform, const std::string& dir,
                         const std::string& resName, const std::string& fileName);

// Writes every file the manifest lists into dir, advancing the gauge per
// file. True only if every file was written.
bool ExtractPayload(Platform& platform, const std::string& dir, Gauge& gauge);

}  // namespace core
