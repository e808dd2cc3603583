#pragma once

// What the settings store needs to know about the machine and the user: the
// owner and organization the first run fills in, and the per-user folder that
// takes the place of the program's own folder for the files that belong to
// the user (data files, the account database, last calculations).

#include <filesystem>
#include <string>

namespace quandrel {

class SystemFacts {
 public:
  virtual ~SystemFacts() = default;
  virtual std::string RegisteredOwner() const = 0;
  virtual std::string RegisteredOrganization() const = 0;
  virtual std::filesystem::path UserDataFolder() const = 0;
};

// Fixed answers: for tests and the command-line runner.
class FixedSystemFacts : public SystemFacts {
 public:
  FixedSystemFacts(std::string owner, std::string organization, std::filesystem::path userDataFolder);

  std::string RegisteredOwner() const override { return m_owner; }
  std::string RegisteredOrganization() const override { return m_organization; }
  std::filesystem::path UserDataFolder() const override { return m_userDataFolder; }

 private:
  std::string m_owner;
  std::string m_organization;
  std::filesystem::path m_userDataFolder;
};

}  // namespace quandrel
