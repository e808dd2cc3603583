#include "gui/platform/system_facts_qt.h"

#include <QStandardPaths>
#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <pwd.h>
#include <unistd.h>

#include <vector>
#endif

namespace quandrel {

std::string SystemFactsQt::RegisteredOwner() const {
#if defined(Q_OS_UNIX)
  long bufferSize = sysconf(_SC_GETPW_R_SIZE_MAX);
  if (bufferSize <= 0) {
    bufferSize = 16384;
  }
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize));
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr ||
      found->pw_gecos == nullptr) {
    return {};
  }
  std::string gecos(found->pw_gecos);
  return gecos.substr(0, gecos.find(','));
#else
  return {};
#endif
}

// There is no registered organization on Linux.
std::string SystemFactsQt::RegisteredOrganization() const {
  return {};
}

std::filesystem::path SystemFactsQt::UserDataFolder() const {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (folder.isEmpty()) {
    return {};
  }
  return std::filesystem::path(folder.toStdString());
}

}  // namespace quandrel
