#include "gui/shell/app_services.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

#include "gui/platform/qt_locale_facts.h"

namespace quandrel {

AppServices::AppServices(const QString& settingsFile)
    : m_backend(std::make_unique<QSettingsBackend>(
          settingsFile.isEmpty() ? QSettingsBackend::DefaultFilePath() : settingsFile)),
      m_store(std::make_unique<TStRegIniEx>(*m_backend, m_systemFacts)),
      m_printerFont(std::make_unique<TFontEx>(*m_store)),
      m_facts(InstallLocaleFacts()),
      m_masks(m_facts) {}

AppServices::~AppServices() {
  Shutdown();
}

QString AppServices::DataFolder() {
  // The build puts the program in bin/ and the shipped data in data/ beside
  // it; an installation has bin/ and share/quandrel/.
  const QDir program(QCoreApplication::applicationDirPath());
  const QString candidates[] = {
      program.filePath(QStringLiteral("../data")),
      program.filePath(QStringLiteral("../share/quandrel")),
      program.filePath(QStringLiteral("data")),
  };
  for (const QString& candidate : candidates) {
    if (QFileInfo(candidate).isDir()) {
      return QDir::cleanPath(candidate);
    }
  }
  return QDir::cleanPath(candidates[0]);
}

QString AppServices::SettingsFileNotice() const {
  switch (m_backend->State()) {
    case QSettingsBackend::FileState::Ok:
      return {};
    case QSettingsBackend::FileState::MovedDamagedFileAside:
      return QStringLiteral(
                 "The settings file was damaged and has been moved to\n%1\n"
                 "Quandrel! starts with its default settings.")
          .arg(m_backend->DamagedFilePath());
    case QSettingsBackend::FileState::MemoryOnly:
      return QStringLiteral(
                 "The settings file\n%1\ncannot be written. "
                 "Settings changed in this session will not be kept.")
          .arg(m_backend->FilePath());
  }
  return {};
}

void AppServices::Shutdown() {
  try {
    m_store->Shutdown();
  } catch (const std::exception& e) {
    qWarning("Could not write the settings at exit: %s", e.what());
  }
}

}  // namespace quandrel
