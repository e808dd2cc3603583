#pragma once

// The facts of this machine and user for the settings store.
//
// The registered owner is the user's full name from the account database
// (the first comma-separated field of the GECOS entry); Linux has no
// registered organization, so that is always empty. The user data folder is
// the application's per-user data location.

#include "core/foundation/system_facts.h"

namespace quandrel {

class SystemFactsQt : public SystemFacts {
 public:
  std::string RegisteredOwner() const override;
  std::string RegisteredOrganization() const override;
  std::filesystem::path UserDataFolder() const override;
};

}  // namespace quandrel
