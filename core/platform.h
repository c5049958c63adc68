// The few operations the payload and installation logic need from the system.
// Win32 implements them in tools/, the host tests with an in-memory fake.
#pragma once

#include <cstddef>
#include <string>

namespace core {

struct Bytes {
  const unsigned char* data = nullptr;
  size_t size = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // Raw-data resource of the installer's own module, looked up ignoring case.
  // Raises "Resource %s not found". The bytes stay valid while the module lives.
  virtual Bytes ReadResource(const std::string& name) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // A file, not a folder.
  virtual bool FileExists(const std::string& path) = 0;
  // One folder level; false when it cannot be created or exists already.
  virtual bool CreateDir(const std::string& path) = 0;
  // Creates or truncates the file, opened without sharing, and writes the
  // bytes in one piece. Raises "Cannot create file %s" or
  // "Stream write error" (which may leave part of the file).
  virtual void WriteNewFile(const std::string& path, Bytes data) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  // Never overwrites: false when the target exists or the source is missing.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
  // Moves a file in the same folder onto `to`, replacing a file there, and
  // returns once the move is on disk; a file it replaces gives way only once
  // the new bytes are on disk too. False when `to` cannot be replaced: held
  // open, read-only or a folder.
  virtual bool ReplaceFile(const std::string& from, const std::string& to) = 0;
  // REG_SZ value under HKEY_CURRENT_USER\key, creating the key; false on failure.
  virtual bool WriteRegString(const std::string& key, const std::string& name,
                              const std::string& value) = 0;
  // The full path of an existing folder in its long form, as a program in it
  // sees its own path: "C:\PROGRA~1\X." is "C:\Program Files\X". The text
  // itself when it cannot be resolved.
  virtual std::string FullLongPath(const std::string& path) = 0;
};

}  // namespace core
