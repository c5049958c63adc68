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
#include "core/payload.h"

namespace fs = std::filesystem;

namespace {

constexpr uint16_t kRcData = 10;
constexpr uint16_t kMemoryFlags = 0x0030;  // moveable, pure

// The largest payload tried end to end (build, start-up and install under
// Wine): one file of 2 GiB in a payload of 2.04 GiB. Resource sizes, the
// image size and the installer's single WriteFile per file are 32-bit, and
// the whole image is mapped at start, so beyond this nothing was shown to work.
constexpr uintmax_t kMaxFileBytes = uintmax_t{1} << 31;
constexpr uintmax_t kMaxPayloadBytes = (uintmax_t{1} << 31) + (uintmax_t{1} << 26);

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

    uintmax_t total = manifest.size();
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
      const uintmax_t bytes = fs::file_size(file);
      total += bytes;
      if (bytes > kMaxFileBytes) {
        throw Failure{LineError(lineNo, name, "is " + std::to_string(bytes) +
                                                  " bytes, more than the 2 GiB a payload file may have")};
      }
      if (total > kMaxPayloadBytes) {
        throw Failure{LineError(lineNo, name, "brings the payload to " + std::to_string(total) +
                                                  " bytes, more than its limit of 2 GiB and 64 MiB")};
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
