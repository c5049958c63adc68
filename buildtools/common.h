// What every job of the payload tool shares: its one error, the payload
// folder's files and the messages that name a manifest line.
#pragma once

#include <filesystem>
#include <string>

namespace payload_tool {

namespace fs = std::filesystem;

// Ends the tool with this message.
struct Failure {
  std::string message;
};

std::string ReadFile(const fs::path& path);

// Resource names are stored upper-case; FindResource upper-cases the name it
// is asked for. Only ASCII has the same upper case on every code page.
std::string StoredName(const std::string& resName);

std::string LineError(size_t line, const std::string& name, const std::string& why);

// A payload folder's file that the manifest names; `name` uses '\\'.
fs::path PayloadPath(const fs::path& dir, std::string name);

}  // namespace payload_tool
