#pragma once

// The process-wide objects, created once at start-up before any window and
// handed by reference to what needs them: the settings store with its file,
// the printer font, the locale facts and the masks.

#include <QString>
#include <memory>

#include "core/foundation/locale_facts.h"
#include "core/foundation/masks.h"
#include "core/foundation/settings_store.h"
#include "core/report/printer_font.h"
#include "gui/platform/qsettings_backend.h"
#include "gui/platform/system_facts_qt.h"

namespace quandrel {

class AppServices {
 public:
  // Opens the settings file (the per-user one when the path is empty), runs
  // the settings start-up sequence, reads the printer font right after it
  // and reads the locale.
  explicit AppServices(const QString& settingsFile = QString());
  AppServices(const AppServices&) = delete;
  AppServices& operator=(const AppServices&) = delete;
  ~AppServices();

  TStRegIniEx& Settings() { return *m_store; }
  TFontEx& PrinterFont() { return *m_printerFont; }
  const LocaleFacts& Facts() const { return m_facts; }
  const TMasks& Masks() const { return m_masks; }
  const QSettingsBackend& Backend() const { return *m_backend; }

  // The folder of the shipped data (tax tables, help, tips): "data" beside
  // the build's bin folder, or share/quandrel of an installation.
  static QString DataFolder();

  // A sentence for the user when the settings file could not be used as it
  // was (moved aside, or kept in memory only); empty when all is well.
  QString SettingsFileNotice() const;

  // Counts the run; called once after every window is gone. A failure to
  // write is reported, never thrown.
  void Shutdown();

 private:
  std::unique_ptr<QSettingsBackend> m_backend;
  SystemFactsQt m_systemFacts;
  std::unique_ptr<TStRegIniEx> m_store;
  std::unique_ptr<TFontEx> m_printerFont;
  LocaleFacts m_facts;
  TMasks m_masks;
};

}  // namespace quandrel
