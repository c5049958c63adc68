#include "fake_platform.h"

#include <algorithm>

#include "core/error.h"

namespace testing_fake {

namespace {

// The folder a path lives in, as Windows resolves it ("C:\\x" counts as "C:\x").
std::string ParentDir(const std::string& path) {
  std::string dir = core::FolderOf(path);
  while (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
  return dir;
}

std::string Normalise(std::string path) {
  // Windows collapses doubled separators inside a path.
  std::string out;
  for (char c : path) {
    if (c == '\\' && !out.empty() && out.back() == '\\') continue;
    out += c;
  }
  if (out.size() > 3 && out.back() == '\\') out.pop_back();
  return out;
}

}  // namespace

FakePlatform::FakePlatform() {
  dirs_.insert("C:");
  dirs_.insert("C:\\");
}

void FakePlatform::AddResource(const std::string& name, const std::string& data) {
  resources_[Key(name)] = data;
}

void FakePlatform::RemoveResource(const std::string& name) { resources_.erase(Key(name)); }

void FakePlatform::AddFile(const std::string& path, const std::string& data) {
  files_[Key(Normalise(path))] = File{Normalise(path), data};
}

std::string FakePlatform::FileData(const std::string& path) const {
  auto it = files_.find(Key(Normalise(path)));
  return it == files_.end() ? std::string() : it->second.data;
}

std::vector<std::string> FakePlatform::FileNames() const {
  std::vector<std::string> names;
  for (const auto& f : files_) names.push_back(f.second.name);
  return names;
}

core::Bytes FakePlatform::ReadResource(const std::string& name) {
  auto it = resources_.find(Key(name));
  if (name.empty() || it == resources_.end())
    throw core::Error(core::Format("Resource %s not found", name.c_str()));
  return {reinterpret_cast<const unsigned char*>(it->second.data()), it->second.size()};
}

bool FakePlatform::DirectoryExists(const std::string& path) {
  return dirs_.count(Key(Normalise(path))) != 0;
}

bool FakePlatform::FileExists(const std::string& path) {
  return files_.count(Key(Normalise(path))) != 0;
}

bool FakePlatform::Change() {
  if (changesLeft_ == 0) return false;
  if (changesLeft_ > 0) --changesLeft_;
  ++changes_;
  return true;
}

bool FakePlatform::CreateDir(const std::string& path) {
  if (!Change()) return false;
  const std::string p = Normalise(path);
  const std::string k = Key(p);
  if (dirs_.count(k) || files_.count(k) || refusedDirs_.count(k)) return false;
  if (!dirs_.count(Key(ParentDir(p)))) return false;
  dirs_.insert(k);
  return true;
}

core::FileResult FakePlatform::WriteNewFile(const std::string& path, core::Bytes data,
                                            bool durable) {
  if (beforeCreate_) beforeCreate_(path);
  if (!Change()) return core::FileResult::kFailed;
  writes_.push_back(path);
  if (durable) durableWrites_.push_back(path);
  const std::string p = Normalise(path);
  const std::string k = Key(p);
  if (files_.count(k) || dirs_.count(k) || !dirs_.count(Key(ParentDir(p))))
    return core::FileResult::kFailed;
  const long long size = static_cast<long long>(data.size);
  if (freeSpace_ >= 0 && size > freeSpace_) return core::FileResult::kFailed;
  if (freeSpace_ >= 0) freeSpace_ -= size;
  files_[k] = File{p, std::string(reinterpret_cast<const char*>(data.data), data.size)};
  return core::FileResult::kDone;
}

bool FakePlatform::Remove(const std::string& path, bool evenReadOnly) {
  const std::string k = Key(Normalise(path));
  if (!IsPlainFile(path) || (readOnly_.count(k) && !evenReadOnly) || !Change()) return false;
  readOnly_.erase(k);
  if (freeSpace_ >= 0) freeSpace_ += static_cast<long long>(files_[k].data.size());
  return files_.erase(k) != 0;
}

bool FakePlatform::RemoveFile(const std::string& path) { return Remove(path, false); }

bool FakePlatform::RemoveLeftover(const std::string& path) { return Remove(path, true); }

bool FakePlatform::IsPlainFile(const std::string& path) {
  const std::string k = Key(Normalise(path));
  return files_.count(k) && !notPlain_.count(k);
}

std::vector<std::string> FakePlatform::FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  const std::string dir = Key(Normalise(folder));
  for (const auto& f : files_) {
    if (Key(ParentDir(f.first)) == dir) names.push_back(f.second.name.substr(ParentDir(f.first).size() + 1));
  }
  return names;
}

core::FileResult FakePlatform::Move(const std::string& from, const std::string& to, bool replace) {
  const std::string kf = Key(Normalise(from));
  const std::string kt = Key(Normalise(to));
  auto it = files_.find(kf);
  if (it == files_.end() || dirs_.count(kt)) return core::FileResult::kFailed;
  if (replace ? readOnly_.count(kt) != 0 : files_.count(kt) != 0) return core::FileResult::kFailed;
  for (const std::string& k : {kf, kt}) {
    auto held = held_.find(k);
    if (held != held_.end() && held->second > 0) {
      --held->second;
      return core::FileResult::kHeld;
    }
  }
  if (!Change()) return core::FileResult::kFailed;
  File moved{Normalise(to), it->second.data};
  files_.erase(it);
  files_[kt] = moved;
  notPlain_.erase(kt);
  return core::FileResult::kDone;
}

bool FakePlatform::RenameFile(const std::string& from, const std::string& to) {
  return Move(from, to, false) == core::FileResult::kDone;
}

core::FileResult FakePlatform::ReplaceFile(const std::string& from, const std::string& to) {
  return Move(from, to, true);
}

namespace {

class FakeHeldFolder : public core::HeldFolder {
 public:
  FakeHeldFolder(std::multiset<std::string>& held, std::string key)
      : held_(held), it_(held.insert(std::move(key))) {}
  ~FakeHeldFolder() override { held_.erase(it_); }

 private:
  std::multiset<std::string>& held_;
  std::multiset<std::string>::iterator it_;
};

}  // namespace

std::unique_ptr<core::HeldFolder> FakePlatform::HoldFolder(const std::string& path) {
  const std::string k = Key(Normalise(path));
  if (!dirs_.count(k) || refusedDirs_.count(k)) return nullptr;
  return std::make_unique<FakeHeldFolder>(heldFolders_, k);
}

bool FakePlatform::WriteRegString(const std::string& key, const std::string& name,
                                  const std::string& value) {
  if (registryFails_ || !Change()) return false;
  registry_[Key(key) + "|" + Key(name)] = value;
  return true;
}

std::string FakePlatform::FullLongPath(const std::string& path) {
  auto it = fullLongPaths_.find(Key(path));
  return it == fullLongPaths_.end() ? path : it->second;
}

void FakePlatform::CreateShortcut(const std::string&, const std::string&, const std::string&,
                                  const std::string&, bool onDesktop) {
  if (onDesktop && desktopLinkFails) throw core::Error("Cannot create file");
  links.push_back(onDesktop);
}

bool FakePlatform::ChangeCurrentDirectory(const std::string& path) {
  // "X:" is the drive's own current directory.
  const std::string p = path.size() == 2 ? DriveCurrentDirectory(path[0]) : Normalise(path);
  if (p.empty() || !DirectoryExists(p) || refusedDirs_.count(Key(p))) return false;
  currentDir_ = p;
  return true;
}

std::string FakePlatform::DriveCurrentDirectory(char letter) {
  if (Key({&letter, 1}) == Key(currentDir_.substr(0, 1))) return currentDir_;
  auto it = driveDirectories.find(letter);
  return it != driveDirectories.end() ? it->second : Key({&letter, 1}) + ":\\";
}

}  // namespace testing_fake
