// Reading the embedded manifest and writing the payload to disk.
#pragma once

#include <string>
#include <vector>

#include "core/gauge.h"
#include "core/platform.h"
#include "core/run.h"

namespace core {

// The manifest resource; it lists itself under this file name.
inline constexpr const char* kManifestResource = "file_lst";
inline constexpr const char* kManifestFile = "file.lst";

// Lines of a text resource; raises "Resource %s not found".
std::vector<std::string> LoadResourceList(Platform& platform, const std::string& resName);

// Writes one payload resource to dir + fileName (dir ends with '\') under
// the partial name first, replacing the earlier file only when complete;
// the folder it goes into is held by the run from then on. Anything at the
// partial name is left alone and fails the file. A file another program
// holds for a moment is waited for. Any failure gives false and leaves the
// earlier file and no partial one of this run.
bool ExtractResourceFile(Run& run, const std::string& dir, const std::string& resName,
                         const std::string& fileName);

// Writes every file the manifest lists into dir, advancing the gauge per
// file, after removing the partial files of the listed names that a killed
// run left. True only if every file was written.
bool ExtractPayload(Run& run, const std::string& dir, Gauge& gauge);

}  // namespace core
