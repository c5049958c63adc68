#include "buildtools/line_rules.h"

#include <sstream>

#include "core/names.h"
#include "core/payload.h"

namespace payload_tool {

namespace {

namespace fs = std::filesystem;

// A line's rules: each gives why the line cannot be embedded, or nothing.
using LineRule = std::string (*)(const Listing&, Line&);

// Test payloads may list names the installer must refuse at run time, but
// nothing is read from outside the payload folder.
std::string NameRule(const Listing& listing, Line& line) {
  if (listing.args.checked) return core::NameProblem(line.name);
  return core::StaysInsideTarget(line.name) ? "" : "is outside";
}

std::string DuplicateRule(const Listing& listing, Line& line) {
  auto it = listing.claimed.find(line.stored);
  if (it == listing.claimed.end()) return {};
  const bool manifest = it->second == 0;
  const std::string other = manifest ? core::kManifestFile : listing.lines[it->second - 1];
  const bool sameFile = core::WindowsFileKey(other) == core::WindowsFileKey(line.name);
  // The same file named twice is harmless; two files that Windows takes for
  // one, or two files with one resource, are not.
  if (other == line.name || (manifest && sameFile)) {
    line.repeat = true;
    return {};
  }
  std::ostringstream s;
  if (sameFile)
    s << "names the same file as line " << it->second << ", " << other
      << ", once Windows ignores case";
  else
    s << "gives the resource name " << line.stored << ", as " << other << " does";
  return s.str();
}

std::string FileRule(const Listing& listing, Line& line) {
  return fs::is_regular_file(line.file) ? "" : "is not a file in " + listing.args.dir.string();
}

const LineRule kLineRules[] = {NameRule, DuplicateRule, FileRule};

}  // namespace

std::string LineProblem(const Listing& listing, Line& line) {
  for (LineRule rule : kLineRules) {
    std::string problem = rule(listing, line);
    if (!problem.empty() || line.repeat) return problem;
  }
  return {};
}

}  // namespace payload_tool
