#pragma once

// The production settings backend: one per-user INI file written through
// QSettings.
//
// File layout. Each key of the logical hive is a group, one path component
// per key name; each value is an entry in its key's group. Key and value names
// are encoded reversibly before QSettings sees them (see EncodeName), so that
// '/', '\', '%', '&', '?', ':' and blanks at either end survive exactly. Every
// key carries an entry ".key" so that an empty key exists too, and the file
// carries ".format" at its top; neither can clash with an encoded name, which
// never holds a '.'. Values are text with a type tag:
//   i:<decimal int32>   b:0 | b:1   s:<text>   r:<16 hex digits of the IEEE
//   double's bit pattern>
// so that every type reads back as itself and reals bit for bit.
//
// Each change is synced to the file at once. QSettings locks the file while
// syncing and merges the changes of this process into what is on disk, so a
// second instance writing other values at the same time loses nothing; reads
// sync first, so they see what the other instance wrote.
//
// A file that QSettings cannot read or parse, or that is not empty but lacks
// the format entry, is moved aside to "<file>.corrupt" (replacing an older
// copy) and the program starts from an empty store. If even that fails (a
// folder that cannot be written), the backend keeps the settings of this run
// in memory; State() says which of these happened so the caller can tell the
// user.

#include <QString>
#include <memory>
#include <optional>

#include "core/foundation/memory_settings_backend.h"
#include "core/foundation/settings_backend.h"

class QSettings;

namespace quandrel {

class QSettingsBackend : public SettingsBackend {
 public:
  enum class FileState { Ok, MovedDamagedFileAside, MemoryOnly };

  // The settings file at filePath; its folder is created when missing.
  explicit QSettingsBackend(const QString& filePath);
  ~QSettingsBackend() override;
  QSettingsBackend(const QSettingsBackend&) = delete;
  QSettingsBackend& operator=(const QSettingsBackend&) = delete;

  // "settings.ini" in the per-user configuration folder of the application.
  static QString DefaultFilePath();

  FileState State() const { return m_state; }
  const QString& FilePath() const { return m_filePath; }
  // Where a damaged file was moved to (empty when none was).
  const QString& DamagedFilePath() const { return m_damagedFilePath; }

  // Every character outside A-Z, a-z, 0-9, '_', '-' and inner blanks becomes
  // %XX per UTF-8 byte.
  static QString EncodeName(std::string_view name);
  // The inverse; nothing for text that no name encodes to.
  static std::optional<std::string> DecodeName(const QString& encoded);

  bool KeyExists(std::string_view key) const override;
  void CreateKey(std::string_view key) override;
  void DeleteKey(std::string_view key) override;
  std::vector<std::string> SubKeyNames(std::string_view key) const override;
  std::vector<std::string> ValueNames(std::string_view key) const override;

  bool ValueExists(std::string_view key, std::string_view name) const override;
  SettingsValueType ValueType(std::string_view key, std::string_view name) const override;
  void DeleteValue(std::string_view key, std::string_view name) override;

  std::optional<std::int32_t> ReadInteger(std::string_view key, std::string_view name) const override;
  std::optional<bool> ReadBoolean(std::string_view key, std::string_view name) const override;
  std::optional<double> ReadReal(std::string_view key, std::string_view name) const override;
  std::optional<std::string> ReadString(std::string_view key, std::string_view name) const override;

  void WriteInteger(std::string_view key, std::string_view name, std::int32_t value) override;
  void WriteBoolean(std::string_view key, std::string_view name, bool value) override;
  void WriteReal(std::string_view key, std::string_view name, double value) override;
  void WriteString(std::string_view key, std::string_view name, std::string_view value) override;

 private:
  struct Stored {
    SettingsValueType type = SettingsValueType::None;
    QString payload;
  };

  bool OpenFile();
  bool FileLooksDamaged() const;
  void Refresh() const;
  void Commit();
  // The QSettings group of an existing key, or nothing.
  std::optional<QString> FindGroup(std::string_view key) const;
  // The group of a key, creating it and the keys above it.
  QString MakeGroup(std::string_view key);
  QStringList ChildGroups(const QString& group) const;
  QStringList ChildKeys(const QString& group) const;
  // The entry of a value within its group: the spelling already in the file
  // when there is one, else the encoded name.
  std::optional<QString> FindEntry(const QString& group, std::string_view name) const;
  Stored ReadStored(std::string_view key, std::string_view name) const;
  void WriteStored(std::string_view key, std::string_view name, const QString& text);

  QString m_filePath;
  QString m_damagedFilePath;
  FileState m_state = FileState::Ok;
  std::unique_ptr<QSettings> m_settings;
  std::unique_ptr<MemorySettingsBackend> m_memory;  // set only in FileState::MemoryOnly
};

}  // namespace quandrel
