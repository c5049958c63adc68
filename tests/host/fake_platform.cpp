#include "fake_platform.h"

#include <algorithm>

#include "core/error.h"

namespace testing_fake {

namespace {

// The folder a path lives in, as Windows resolves it ("C:\\x" counts as "C:\x").
std::string ParentDir(const std::string& path) {
  std::string dir = core::ExtractFilePath(path);
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

bool FakePlatform::CreateDir(const std::string& path) {
  const std::string p = Normalise(path);
  const std::string k = Key(p);
  if (dirs_.count(k) || files_.count(k) || refusedDirs_.count(k)) return false;
  if (!dirs_.count(Key(ParentDir(p)))) return false;
  dirs_.insert(k);
  return true;
}

void FakePlatform::WriteNewFile(const std::string& path, core::Bytes data, bool durable) {
  if (beforeCreate_) beforeCreate_(path);
  writes_.push_back(path);
  if (durable) durableWrites_.push_back(path);
  const std::string p = Normalise(path);
  const std::string k = Key(p);
  if (files_.count(k) || dirs_.count(k) || !dirs_.count(Key(ParentDir(p))))
    throw core::Error(core::Format("Cannot create file %s", path.c_str()));
  const long long size = static_cast<long long>(data.size);
  if (freeSpace_ >= 0 && size > freeSpace_) throw core::Error("Stream write error");
  if (freeSpace_ >= 0) freeSpace_ -= size;
  files_[k] = File{p, std::string(reinterpret_cast<const char*>(data.data), data.size)};
}

bool FakePlatform::Remove(const std::string& path, bool evenReadOnly) {
  const std::string k = Key(Normalise(path));
  if (readOnly_.count(k) && !evenReadOnly) return false;
  readOnly_.erase(k);
  return files_.erase(k) != 0;
}

bool FakePlatform::RemoveFile(const std::string& path) { return Remove(path, false); }

bool FakePlatform::RemoveLeftover(const std::string& path) { return Remove(path, true); }

bool FakePlatform::Move(const std::string& from, const std::string& to, bool replace) {
  const std::string kf = Key(Normalise(from));
  const std::string kt = Key(Normalise(to));
  auto it = files_.find(kf);
  if (it == files_.end() || dirs_.count(kt)) return false;
  if (replace ? readOnly_.count(kt) != 0 : files_.count(kt) != 0) return false;
  File moved{Normalise(to), it->second.data};
  files_.erase(it);
  files_[kt] = moved;
  return true;
}

bool FakePlatform::RenameFile(const std::string& from, const std::string& to) {
  return Move(from, to, false);
}

bool FakePlatform::ReplaceFile(const std::string& from, const std::string& to) {
  return Move(from, to, true);
}

bool FakePlatform::WriteRegString(const std::string& key, const std::string& name,
                                  const std::string& value) {
  if (registryFails_) return false;
  registry_[Key(key) + "|" + Key(name)] = value;
  return true;
}

std::string FakePlatform::FullLongPath(const std::string& path) {
  auto it = fullLongPaths_.find(Key(path));
  return it == fullLongPaths_.end() ? path : it->second;
}

}  // namespace testing_fake
