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
  // The calls that take a temporary name (WriteNewFile, RemoveFile,
  // RemoveLeftover, ReplaceFile's `from`) take it longer than 259
  // characters too: it is longer than the name of its file, which fits.

  // Creates the file, which must not exist: a name that exists, a link of
  // any kind included, is neither opened nor followed. Writes the bytes in
  // one piece, without sharing, and with `durable` returns only once they
  // are on disk. Raises "Cannot create file %s" or "Stream write error"; a
  // file it created is removed again when the write fails.
  virtual void WriteNewFile(const std::string& path, Bytes data, bool durable) = 0;
  // Deletes a plain file: no link or reparse point, no second name, not
  // read-only. False, and nothing touched, for anything else.
  virtual bool RemoveFile(const std::string& path) = 0;
  // RemoveFile, clearing a read-only attribute first: for the installer's
  // own temporary names, which a killed run may have left.
  virtual bool RemoveLeftover(const std::string& path) = 0;
  // Never overwrites: false when the target exists or the source is missing.
  virtual bool RenameFile(const std::string& from, const std::string& to) = 0;
  // Moves a file in the same folder onto `to`, replacing the name there
  // (never writing through it), and returns once the move is on disk. False
  // when `to` cannot be replaced: held open, read-only or a folder.
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
