// Build-time tool: checks a payload folder's manifest and writes every listed
// file, and the manifest itself, as RT_RCDATA entries of a .res file, plus a
// depfile naming the files it read.
//
//   payload_res [--unchecked] <payload-dir> <out.res> <out.d> <depfile-target>
//
// Checked mode stops at the first manifest line that could not be installed.
// Unchecked mode (test payloads) embeds what exists and skips the rest.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/names.h"
#include "core/path.h"
#include "core/payload.h"

namespace fs = std::filesystem;

namespace {

constexpr uint16_t kRcData = 10;
constexpr uint16_t kMemoryFlags = 0x0030;  // moveable, pure

// The installer is a 32-bit program whose whole image, payload included, is
// mapped into its address space at start. 32-bit Windows gives a process
// 2 GiB, in which the system's DLLs, the heaps and the stacks are placed
// before and around the image; half of it for the image leaves the other half
// to them, wherever address-space layout randomisation puts them.
constexpr uintmax_t kMaxImageBytes = uintmax_t{1} << 30;
// The program's own sections (about 350 KB) and what may grow there.
constexpr uintmax_t kProgramImageBytes = uintmax_t{1} << 20;
// A file's share of the image: its bytes, 8-aligned, and its directory
// entries with the UTF-16 name.
uintmax_t ImageBytes(uintmax_t fileBytes, const std::string& resourceName) {
  return (fileBytes + 7) / 8 * 8 + 64 + 2 * resourceName.size();
}

struct Failure {
  std::string message;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure{"cannot read " + path.string()};
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Resource names are stored upper-case; FindResource upper-cases the name it
// is asked for. Only ASCII has the same upper case on every code page.
std::string StoredName(const std::string& resName) { return core::AsciiUpper(resName); }

class ResWriter {
 public:
  explicit ResWriter(const fs::path& path) : out_(path, std::ios::binary) {
    if (!out_) throw Failure{"cannot write " + path.string()};
    // A .res file opens with an empty entry.
    Entry(nullptr, {}, true);
  }
  void Add(const std::string& name, const std::string& data) { Entry(&name, data, false); }
  void Close() {
    out_.close();
    if (!out_) throw Failure{"write error"};
  }

 private:
  void U16(uint16_t v) { Put(&v, 2); }
  void U32(uint32_t v) { Put(&v, 4); }
  void Put(const void* p, size_t n) { out_.write(static_cast<const char*>(p), n); }
  void Pad(size_t n) {
    static const char zeros[4] = {};
    if (n % 4) Put(zeros, 4 - n % 4);
  }
  void Entry(const std::string* name, const std::string& data, bool empty) {
    // Header: sizes, type, name, then the fixed tail; all little-endian.
    const size_t nameBytes = empty ? 4 : (name->size() + 1) * 2;
    size_t header = 8 + 4 + nameBytes;
    header += (4 - header % 4) % 4;
    header += 16;
    U32(static_cast<uint32_t>(data.size()));
    U32(static_cast<uint32_t>(header));
    U16(0xFFFF);
    U16(empty ? 0 : kRcData);
    if (empty) {
      U16(0xFFFF);
      U16(0);
    } else {
      for (unsigned char c : *name) U16(c);
      U16(0);
    }
    Pad(12 + nameBytes);
    U32(0);                          // data version
    U16(empty ? 0 : kMemoryFlags);   // memory flags
    U16(0);                          // language: neutral
    U32(0);                          // version
    U32(0);                          // characteristics
    Put(data.data(), data.size());
    Pad(data.size());
  }
  std::ofstream out_;
};

std::string DepEscape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

std::string LineError(size_t line, const std::string& name, const std::string& why) {
  std::ostringstream s;
  s << "file.lst line " << line << ": \"" << name << "\" " << why;
  return s.str();
}

// A payload folder's file that the manifest names; `name` uses '\\'.
fs::path PayloadPath(const fs::path& dir, std::string name) {
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return dir / name;
}

struct Arguments {
  bool checked = true;
  fs::path dir;
  fs::path resPath;
  fs::path depPath;
  std::string depTarget;
};

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

struct Manifest {
  const fs::path& dir;
  const std::string& text;
  const std::vector<std::string>& lines;
};

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

void CheckManifest(const Manifest& manifest) {
  for (ManifestRule rule : kManifestRules) {
    std::string problem = rule(manifest);
    if (!problem.empty()) throw Failure{std::move(problem)};
  }
}

// One manifest line on its way into the .res.
struct Line {
  size_t number;
  const std::string& name;
  std::string stored;   // its resource name
  fs::path file;        // in the payload folder
  bool repeat = false;  // names a file embedded already: left out without a word
};

// The lines read so far.
struct Listing {
  const Arguments& args;
  const std::vector<std::string>& lines;
  std::map<std::string, size_t> claimed;  // stored resource name -> its line, 0 for file.lst
};

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

// The first rule's reason to refuse the line; empty when it passes them all
// or repeats an earlier one.
std::string LineProblem(const Listing& listing, Line& line) {
  for (LineRule rule : kLineRules) {
    std::string problem = rule(listing, line);
    if (!problem.empty() || line.repeat) return problem;
  }
  return {};
}

// Adds a line's file to the image size; past the limit the build stops,
// checked or not.
void GrowImage(uintmax_t& image, const Line& line) {
  image += ImageBytes(fs::file_size(line.file), line.stored);
  if (image > kMaxImageBytes) {
    throw Failure{LineError(line.number, line.name,
                            "brings the installer's image to about " + std::to_string(image) +
                                " bytes, more than its limit of 1 GiB")};
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

void WriteDepfile(const fs::path& path, const std::string& target,
                  const std::vector<std::string>& inputs) {
  std::ofstream dep(path, std::ios::binary);
  dep << DepEscape(target) << ":";
  for (const std::string& in : inputs) dep << " \\\n  " << DepEscape(in);
  dep << "\n";
  if (!dep) throw Failure{"cannot write " + path.string()};
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
