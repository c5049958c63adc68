// The depfile that tells the build which files the .res was made of.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace payload_tool {

void WriteDepfile(const std::filesystem::path& path, const std::string& target,
                  const std::vector<std::string>& inputs);

}  // namespace payload_tool
