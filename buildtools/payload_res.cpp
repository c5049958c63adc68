// Build-time tool: checks a payload folder's manifest and writes every listed
// file, and the manifest itself, as RT_RCDATA entries of a .res file, plus a
// depfile naming the files it read.
//
//   payload_res [--unchecked] <payload-dir> <out.res> <out.d> <depfile-target>
//
// Checked mode stops at the first manifest line that could not be installed.
// Unchecked mode (test payloads) embeds what exists and skips the rest.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "buildtools/common.h"
#include "buildtools/depfile.h"
#include "buildtools/image_limit.h"
#include "buildtools/line_rules.h"
#include "buildtools/manifest_rules.h"
#include "buildtools/res_writer.h"
#include "core/names.h"
#include "core/payload.h"

using namespace payload_tool;

namespace {

// Nothing when the command line is not the one the header shows.
std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  int a = 1;
  if (a < argc && std::string(argv[a]) == "--unchecked") {
    args.checked = false;
    ++a;
  }
  if (argc - a != 4) return std::nullopt;
  args.dir = argv[a];
  args.resPath = argv[a + 1];
  args.depPath = argv[a + 2];
  args.depTarget = argv[a + 3];
  return args;
}

// The .res being written and the files it was made of, for the depfile.
struct Output {
  explicit Output(const fs::path& resPath) : res(resPath) {}
  void Add(const std::string& stored, const fs::path& file, const std::string& data) {
    res.Add(stored, data);
    inputs.push_back(fs::absolute(file).string());
  }
  ResWriter res;
  std::vector<std::string> inputs;
};

// Without a list, a test payload embeds every file of its folder (a .res
// without entries would not be accepted by the resource compiler).
void EmbedFolder(const fs::path& dir, Output& out) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    const std::string name = file.filename().string();
    if (core::NameProblem(name).empty())
      out.Add(StoredName(core::ResourceName(name)), file, ReadFile(file));
  }
}

// The manifest, then the file of each line that passes; checked mode stops
// at the first that does not.
void EmbedListed(const Arguments& args, const fs::path& manifestPath, Output& out) {
  const std::string text = ReadFile(manifestPath);
  const std::vector<std::string> lines = core::SplitLines(text);
  if (args.checked) CheckManifest({args.dir, text, lines});
  const std::string manifestRes = StoredName(core::ResourceName(core::kManifestFile));
  out.Add(manifestRes, manifestPath, text);

  uintmax_t image = kProgramImageBytes + ImageBytes(text.size(), manifestRes);
  Listing listing{args, lines, {{manifestRes, 0}}};
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string& name = lines[i];
    Line line{i + 1, name, StoredName(core::ResourceName(name)), PayloadPath(args.dir, name)};
    const std::string problem = LineProblem(listing, line);
    if (line.repeat) continue;
    if (!problem.empty()) {
      if (args.checked) throw Failure{LineError(line.number, name, problem)};
      continue;
    }
    listing.claimed.emplace(line.stored, line.number);
    GrowImage(image, line);
    out.Add(line.stored, line.file, ReadFile(line.file));
  }
}

int Run(int argc, char** argv) {
  const std::optional<Arguments> args = ParseArguments(argc, argv);
  if (!args) {
    std::fprintf(stderr,
                 "usage: payload_res [--unchecked] <payload-dir> <out.res> <out.d> <target>\n");
    return 2;
  }
  Output out(args->resPath);
  const fs::path manifestPath = args->dir / core::kManifestFile;
  if (fs::is_regular_file(manifestPath))
    EmbedListed(*args, manifestPath, out);
  else if (args->checked)
    throw Failure{"file.lst not found in " + args->dir.string()};
  else
    EmbedFolder(args->dir, out);
  out.res.Close();
  WriteDepfile(args->depPath, args->depTarget, out.inputs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const Failure& f) {
    std::fprintf(stderr, "payload: %s\n", f.message.c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "payload: %s\n", e.what());
  }
  return 1;
}
