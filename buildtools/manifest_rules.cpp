#include "buildtools/manifest_rules.h"

#include <sstream>
#include <system_error>

#include "buildtools/common.h"
#include "core/names.h"
#include "core/payload.h"

namespace payload_tool {

namespace {

namespace fs = std::filesystem;

// The manifest as a whole: each rule gives why the installer would misread
// it, or nothing. They run in order; a later one may rely on the earlier.
using ManifestRule = std::string (*)(const Manifest&);

// Text that Windows tools may save.
std::string ByteOrderMark(const Manifest& m) {
  for (const char* bom : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    if (m.text.rfind(bom, 0) == 0)
      return "file.lst line 1: begins with a byte-order mark; save it as 8-bit text without one";
  }
  return {};
}

std::string NulByte(const Manifest& m) {
  const size_t nul = m.text.find('\0');
  if (nul == std::string::npos) return {};
  const std::string before = m.text.substr(0, nul);
  size_t line = core::SplitLines(before).size();
  if (line == 0 || before.back() == '\r' || before.back() == '\n') ++line;
  std::ostringstream s;
  s << "file.lst line " << line << ": has a NUL byte, which ends the list (saved as UTF-16?); "
    << "save it as 8-bit text";
  return s.str();
}

std::string NoLines(const Manifest& m) {
  return m.lines.empty() ? "file.lst has no lines: the version line is missing" : "";
}

// The last line is shown as the version and never installed: a file name
// there means the version line is missing and the last file would be lost.
std::string BlankVersion(const Manifest& m) {
  const std::string& version = m.lines.back();
  if (version.find_first_not_of(" \t") != std::string::npos) return {};
  return LineError(m.lines.size(), version,
                   "is the version line but empty or blank (a stray line at the end?)");
}

std::string VersionNamesFile(const Manifest& m) {
  const std::string& version = m.lines.back();
  std::error_code error;
  if (!core::StaysInsideTarget(version)) return {};
  if (!fs::is_regular_file(PayloadPath(m.dir, version), error)) return {};
  return LineError(m.lines.size(), version,
                   "is the version line but names a file of the payload folder: is the version "
                   "line missing?");
}

std::string TooManyLines(const Manifest& m) {
  if (m.lines.size() - 1 <= core::kMaxFileLines) return {};
  return "file.lst line 65536: more than 65535 file lines";
}

const ManifestRule kManifestRules[] = {
    ByteOrderMark, NulByte, NoLines, BlankVersion, VersionNamesFile, TooManyLines,
};

}  // namespace

void CheckManifest(const Manifest& manifest) {
  for (ManifestRule rule : kManifestRules) {
    std::string problem = rule(manifest);
    if (!problem.empty()) throw Failure{std::move(problem)};
  }
}

}  // namespace payload_tool
