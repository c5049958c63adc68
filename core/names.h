// Pure text rules for manifests, resource names and paths.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

// Splits 8-bit text into lines: CR LF, lone CR and lone LF each end a line
// (LF CR is two ends), a final break adds no empty line, NUL ends the text,
// nothing is trimmed.
std::vector<std::string> SplitLines(std::string_view text);

// The resource name of a payload file: space, '-', '.' and '\' become '_'.
std::string ResourceName(std::string_view fileName);

// File name of a path without directory and extension.
std::string FileNameStem(std::string_view path);

// Everything up to and including the last '\' or ':' (empty if none).
std::string ExtractFilePath(std::string_view path);

// True when a manifest name stays inside the target folder: relative, no
// drive or stream (':'), no '..' component, not empty.
bool IsSafePayloadName(std::string_view name);

// Appends a name that begins with '\' to a folder; a folder that already ends
// with '\' (a drive root) does not get a second separator.
std::string JoinPath(std::string_view dir, std::string_view name);

// Longest file name and most file lines the extraction accepts.
constexpr size_t kMaxNameLength = 65535;
constexpr size_t kMaxFileLines = 65535;

}  // namespace core
