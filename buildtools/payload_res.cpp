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
#include <sstream>
#include <string>
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

// Text that Windows tools may save but the installer would misread.
void CheckManifestText(const std::string& manifest) {
  for (const char* bom : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"}) {
    if (manifest.rfind(bom, 0) == 0)
      throw Failure{"file.lst line 1: begins with a byte-order mark; save it as 8-bit text "
                    "without one"};
  }
  const size_t nul = manifest.find('\0');
  if (nul != std::string::npos) {
    const std::string before = manifest.substr(0, nul);
    size_t line = core::SplitLines(before).size();
    if (line == 0 || before.back() == '\r' || before.back() == '\n') ++line;
    std::ostringstream s;
    s << "file.lst line " << line << ": has a NUL byte, which ends the list (saved as UTF-16?); "
      << "save it as 8-bit text";
    throw Failure{s.str()};
  }
}

// A payload folder's file that the manifest names; `name` uses '\\'.
fs::path PayloadPath(const fs::path& dir, std::string name) {
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return dir / name;
}

// The last line is shown as the version and never installed: a file name
// there means the version line is missing and the last file would be lost.
void CheckVersionLine(const fs::path& dir, const std::vector<std::string>& lines) {
  const std::string& version = lines.back();
  if (version.find_first_not_of(" \t") == std::string::npos)
    throw Failure{LineError(lines.size(), version,
                            "is the version line but empty or blank (a stray line at the end?)")};
  std::error_code error;
  if (core::StaysInsideTarget(version) && fs::is_regular_file(PayloadPath(dir, version), error))
    throw Failure{LineError(lines.size(), version,
                            "is the version line but names a file of the payload folder: is the "
                            "version line missing?")};
}

int Run(int argc, char** argv) {
  bool checked = true;
  int a = 1;
  if (a < argc && std::string(argv[a]) == "--unchecked") {
    checked = false;
    ++a;
  }
  if (argc - a != 4) {
    std::fprintf(stderr,
                 "usage: payload_res [--unchecked] <payload-dir> <out.res> <out.d> <target>\n");
    return 2;
  }
  const fs::path dir = argv[a];
  const fs::path resPath = argv[a + 1];
  const fs::path depPath = argv[a + 2];
  const std::string depTarget = argv[a + 3];

  std::vector<std::string> inputs;
  ResWriter res(resPath);
  const fs::path manifestPath = dir / core::kManifestFile;
  if (!fs::is_regular_file(manifestPath)) {
    if (checked) throw Failure{"file.lst not found in " + dir.string()};
    // Without a list, a test payload embeds every file of its folder (a
    // .res without entries would not be accepted by the resource compiler).
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      const std::string name = file.filename().string();
      if (!core::NameProblem(name).empty()) continue;
      res.Add(StoredName(core::ResourceName(name)), ReadFile(file));
      inputs.push_back(fs::absolute(file).string());
    }
  } else {
    const std::string manifest = ReadFile(manifestPath);
    inputs.push_back(fs::absolute(manifestPath).string());
    if (checked) CheckManifestText(manifest);
    const std::vector<std::string> lines = core::SplitLines(manifest);
    if (checked && lines.empty()) throw Failure{"file.lst has no lines: the version line is missing"};
    if (checked) CheckVersionLine(dir, lines);
    if (checked && lines.size() - 1 > core::kMaxFileLines)
      throw Failure{"file.lst line 65536: more than 65535 file lines"};
    const std::string manifestRes = StoredName(core::ResourceName(core::kManifestFile));
    res.Add(manifestRes, manifest);

    uintmax_t total = kProgramImageBytes + ImageBytes(manifest.size(), manifestRes);
    // Stored resource name -> manifest line that claimed it.
    std::map<std::string, size_t> claimed{{manifestRes, 0}};
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
      const std::string& name = lines[i];
      const size_t lineNo = i + 1;
      // Test payloads may list names the installer must refuse at run time,
      // but nothing is read from outside the payload folder.
      std::string problem = checked ? core::NameProblem(name)
                            : core::StaysInsideTarget(name) ? std::string()
                                                            : std::string("is outside");
      const std::string stored = problem.empty() ? StoredName(core::ResourceName(name)) : "";
      fs::path file = dir;
      if (problem.empty()) {
        file = PayloadPath(dir, name);
        auto it = claimed.find(stored);
        if (it != claimed.end()) {
          const bool manifest = it->second == 0;
          const std::string other = manifest ? core::kManifestFile : lines[it->second - 1];
          const bool sameFile = core::WindowsFileKey(other) == core::WindowsFileKey(name);
          // The same file named twice is harmless; two files that Windows
          // takes for one, or two files with one resource, are not.
          if (other == name || (manifest && sameFile)) continue;
          std::ostringstream s;
          if (sameFile)
            s << "names the same file as line " << it->second << ", " << other
              << ", once Windows ignores case";
          else
            s << "gives the resource name " << stored << ", as " << other << " does";
          problem = s.str();
        } else if (!fs::is_regular_file(file)) {
          problem = "is not a file in " + dir.string();
        }
      }
      if (!problem.empty()) {
        if (checked) throw Failure{LineError(lineNo, name, problem)};
        continue;
      }
      claimed.emplace(stored, lineNo);
      total += ImageBytes(fs::file_size(file), stored);
      if (total > kMaxImageBytes) {
        throw Failure{LineError(lineNo, name, "brings the installer's image to about " +
                                                  std::to_string(total) +
                                                  " bytes, more than its limit of 1 GiB")};
      }
      res.Add(stored, ReadFile(file));
      inputs.push_back(fs::absolute(file).string());
    }
  }
  res.Close();

  std::ofstream dep(depPath, std::ios::binary);
  dep << DepEscape(depTarget) << ":";
  for (const std::string& in : inputs) dep << " \\\n  " << DepEscape(in);
  dep << "\n";
  if (!dep) throw Failure{"cannot write " + depPath.string()};
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
