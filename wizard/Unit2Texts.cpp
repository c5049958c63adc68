#include "wizard/Unit2Texts.h"

namespace wizard {

namespace {

const char kBlankLine[] = " ";
constexpr int kLeadingBlankLines = 4;

std::vector<std::string> BlankThen(const char* line) {
  std::vector<std::string> lines(kLeadingBlankLines, kBlankLine);
  lines.emplace_back(line);
  return lines;
}

}  // namespace

std::vector<std::string> WelcomeLines(const std::string& version) {
  return {" ", " ", "This will install service software", "of security system control panel",
          " ", "Vorlen KORVAN", " ", "- Pultix -", " ", "version " + version + " Hungarian"};
}

std::string FolderUnusableMessage(const std::string& targetDir) {
  return "Unable to create folder: " + targetDir + ". \rChose another one.";
}

std::vector<std::string> CopyingText() { return BlankThen("Copy files to target folder..."); }

std::vector<std::string> SuccessText() { return BlankThen("PULTIX installed successfully."); }

std::vector<std::string> FailureLines(core::InstallResult result) {
  std::vector<std::string> lines;
  switch (result) {
    case core::kInstallLanguageFailed:
      lines.emplace_back("Errors encountered during installing language files.");
      break;
    case core::kInstallCopyingFailed:
      lines.emplace_back("Errors encountered during copying.");
      break;
    case core::kInstallRegistryFailed:
      lines.emplace_back("Errors encountered during creating registry keys.");
      break;
    case core::kInstallSucceeded:
      break;
  }
  lines.emplace_back("Setup failed.");
  return lines;
}

}  // namespace wizard
