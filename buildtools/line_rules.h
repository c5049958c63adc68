// One manifest line at a time: whether its file can be embedded.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace payload_tool {

// The command line.
struct Arguments {
  bool checked = true;
  std::filesystem::path dir;
  std::filesystem::path resPath;
  std::filesystem::path depPath;
  std::string depTarget;
};

// One manifest line on its way into the .res.
struct Line {
  size_t number;
  const std::string& name;
  std::string stored;   // its resource name
  std::filesystem::path file;  // in the payload folder
  bool repeat = false;  // names a file embedded already: left out without a word
};

// The lines read so far.
struct Listing {
  const Arguments& args;
  const std::vector<std::string>& lines;
  std::map<std::string, size_t> claimed;  // stored resource name -> its line, 0 for file.lst
};

// The first rule's reason to refuse the line; empty when it passes them all
// or repeats an earlier one.
std::string LineProblem(const Listing& listing, Line& line);

}  // namespace payload_tool
