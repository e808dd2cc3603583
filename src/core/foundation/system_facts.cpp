#include "core/foundation/system_facts.h"

#include <utility>

namespace quandrel {

FixedSystemFacts::FixedSystemFacts(std::string owner, std::string organization,
                                   std::filesystem::path userDataFolder)
    : m_owner(std::move(owner)),
      m_organization(std::move(organization)),
      m_userDataFolder(std::move(userDataFolder)) {}

}  // namespace quandrel
