// Pure text rules for manifests and resource names.
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

// True when a manifest name stays inside the target folder: relative, no
// drive or stream (':'), no '..' component, not empty.
bool StaysInsideTarget(std::string_view name);

// StaysInsideTarget, and no part of it names a device.
bool IsSafePayloadName(std::string_view name);

// True for a name part that Windows opens as a device (NUL, CON, COM1,
// CONIN$...), whatever its case, extension or trailing dots and blanks.
bool IsDeviceName(std::string_view part);

// Why Windows could not write a manifest name as the file it names under the
// default target folder, or empty text if it can. Stricter than
// IsSafePayloadName: the build refuses what the run would stop at or write
// elsewhere.
std::string NameProblem(std::string_view name);

// The name two manifest names share on Windows when they name one file.
std::string WindowsFileKey(std::string_view name);

// A payload file is written under its name plus this suffix, then renamed.
inline constexpr const char kPartialSuffix[] = ".~setup";
inline constexpr size_t kPartialSuffixLength = sizeof kPartialSuffix - 1;

// The folder offered first; every payload path must fit below it.
inline constexpr const char kDefaultTargetDir[] = "c:\\Program Files\\Vorlen\\KORVAN";
// Longest path the ANSI file functions take, without the terminating NUL.
constexpr size_t kMaxPathLength = 259;
constexpr size_t kMaxComponentLength = 255;

// Longest file name and most file lines the extraction accepts.
constexpr size_t kMaxNameLength = 65535;
constexpr size_t kMaxFileLines = 65535;

}  // namespace core
