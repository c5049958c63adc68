#include "wizard/LicencjaETexts.h"

#include "resources/resource_ids.h"

namespace wizard {

std::string AgreementText(core::Platform& platform) {
  const core::Bytes bytes = platform.ProgramResource(IDR_AGREEMENT);
  if (!bytes.data) return "The licence agreement text is missing.";
  const std::string text(reinterpret_cast<const char*>(bytes.data), bytes.size);
  return text.substr(0, text.find('\0'));
}

}  // namespace wizard
