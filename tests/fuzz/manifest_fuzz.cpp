// Fuzzes the manifest rules and the extraction loop: no crash, hang or leak,
// and no file is ever written outside the target folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/names.h"
#include "core/path.h"
#include "core/payload.h"
#include "../host/fake_platform.h"

namespace {

const char kTarget[] = "C:\\T";

// Independent statement of "stays inside": relative, no drive or stream, and
// no component that Windows would resolve to "..".
bool StaysInside(std::string_view name) {
  if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
  if (name.find(':') != std::string_view::npos) return false;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = name.size();
    std::string_view part = name.substr(start, end - start);
    std::string_view trimmed = part;
    while (!trimmed.empty() && (trimmed.back() == '.' || trimmed.back() == ' ')) trimmed.remove_suffix(1);
    if (trimmed.empty() && part.find("..") != std::string_view::npos) return false;
    start = end + 1;
  }
  return true;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto lines = core::SplitLines(text);
  size_t total = 0;
  for (const auto& line : lines) {
    total += line.size();
    Check(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    Check(core::ResourceName(line).size() == line.size());
    Check(core::FileNameStem(line).size() <= line.size());
    if (core::IsSafePayloadName(line)) Check(StaysInside(line));
  }
  Check(total <= size);

  // Every line gets a resource, so only the name rules keep files inside.
  testing_fake::FakePlatform fake;
  fake.AddDir(kTarget);
  fake.AddResource("FILE_LST", text);
  for (const auto& line : lines) fake.AddResource(core::ResourceName(line), "x");
  testing_fake::RecordingGauge gauge;
  core::Run run(fake);
  core::ExtractPayload(run, kTarget, gauge);
  for (const auto& path : fake.Writes()) {
    Check(path.rfind("C:\\T\\", 0) == 0);
    Check(StaysInside(path.substr(5)));
  }
  return 0;
}
