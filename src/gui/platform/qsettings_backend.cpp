#include "gui/platform/qsettings_backend.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <bit>
#include <limits>

namespace quandrel {

namespace {

const QString kKeyMarker = QStringLiteral(".key");
const QString kFormatEntry = QStringLiteral(".format");
const QString kUnnamedEntry = QStringLiteral(".default");
constexpr int kFormatVersion = 1;

bool IsPlainNameByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

int HexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= '0' && u <= '9') {
    return u - '0';
  }
  if (u >= 'A' && u <= 'F') {
    return u - 'A' + 10;
  }
  if (u >= 'a' && u <= 'f') {
    return u - 'a' + 10;
  }
  return -1;
}

QString Joined(const QString& group, const QString& entry) {
  return group.isEmpty() ? entry : group + QLatin1Char('/') + entry;
}

QString EntryName(std::string_view name) {
  return name.empty() ? kUnnamedEntry : QSettingsBackend::EncodeName(name);
}

std::optional<std::string> NameOfEntry(const QString& entry) {
  if (entry == kUnnamedEntry) {
    return std::string();
  }
  return QSettingsBackend::DecodeName(entry);
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString QSettingsBackend::EncodeName(std::string_view name) {
  static const char kHex[] = "0123456789ABCDEF";
  QString encoded;
  encoded.reserve(static_cast<qsizetype>(name.size()));
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    const bool innerBlank = c == ' ' && i != 0 && i + 1 != name.size();
    if (IsPlainNameByte(c) || innerBlank) {
      encoded += QLatin1Char(static_cast<char>(c));
    } else {
      encoded += QLatin1Char('%');
      encoded += QLatin1Char(kHex[c >> 4]);
      encoded += QLatin1Char(kHex[c & 0x0F]);
    }
  }
  return encoded;
}

std::optional<std::string> QSettingsBackend::DecodeName(const QString& encoded) {
  if (encoded.isEmpty()) {
    return std::nullopt;
  }
  std::string name;
  name.reserve(static_cast<std::size_t>(encoded.size()));
  for (qsizetype i = 0; i < encoded.size(); ++i) {
    const QChar c = encoded[i];
    if (c == QLatin1Char('%')) {
      if (i + 2 >= encoded.size()) {
        return std::nullopt;
      }
      const int high = HexValue(encoded[i + 1]);
      const int low = HexValue(encoded[i + 2]);
      if (high < 0 || low < 0) {
        return std::nullopt;
      }
      name += static_cast<char>(high * 16 + low);
      i += 2;
    } else if (c.unicode() < 0x80 &&
               (IsPlainNameByte(static_cast<unsigned char>(c.unicode())) || c == QLatin1Char(' '))) {
      name += static_cast<char>(c.unicode());
    } else {
      return std::nullopt;
    }
  }
  return name;
}

QString QSettingsBackend::DefaultFilePath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
         QStringLiteral("/settings.ini");
}

QSettingsBackend::QSettingsBackend(const QString& filePath)
    : m_filePath(QFileInfo(filePath).absoluteFilePath()) {
  QDir().mkpath(QFileInfo(m_filePath).absolutePath());
  if (!OpenFile()) {
    m_settings.reset();
    const QString aside = m_filePath + QStringLiteral(".corrupt");
    QFile::remove(aside);
    if (QFile::rename(m_filePath, aside)) {
      m_damagedFilePath = aside;
      m_state = FileState::MovedDamagedFileAside;
    }
    if (m_state != FileState::MovedDamagedFileAside || !OpenFile()) {
      m_settings.reset();
      m_state = FileState::MemoryOnly;
      m_memory = std::make_unique<MemorySettingsBackend>();
      return;
    }
  }
  if (!m_settings->contains(kFormatEntry)) {
    m_settings->setValue(kFormatEntry, kFormatVersion);
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
      // A new file in a folder that cannot be written: run on memory.
      m_settings.reset();
      m_state = FileState::MemoryOnly;
      m_memory = std::make_unique<MemorySettingsBackend>();
    }
  }
}

QSettingsBackend::~QSettingsBackend() = default;

bool QSettingsBackend::OpenFile() {
  m_settings = std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
  return !FileLooksDamaged();
}

bool QSettingsBackend::FileLooksDamaged() const {
  if (m_settings->status() != QSettings::NoError) {
    return true;
  }
  const QFileInfo info(m_filePath);
  return info.exists() && info.size() > 0 && !m_settings->contains(kFormatEntry);
}

void QSettingsBackend::Refresh() const {
  m_settings->sync();
}

void QSettingsBackend::Commit() {
  m_settings->sync();
  if (m_settings->status() == QSettings::AccessError) {
    throw ESettingsError("The settings file \"" + m_filePath.toStdString() + "\" could not be written.");
  }
}

QStringList QSettingsBackend::ChildGroups(const QString& group) const {
  if (group.isEmpty()) {
    return m_settings->childGroups();
  }
  m_settings->beginGroup(group);
  QStringList groups = m_settings->childGroups();
  m_settings->endGroup();
  return groups;
}

QStringList QSettingsBackend::ChildKeys(const QString& group) const {
  if (group.isEmpty()) {
    return m_settings->childKeys();
  }
  m_settings->beginGroup(group);
  QStringList keys = m_settings->childKeys();
  m_settings->endGroup();
  return keys;
}

std::optional<QString> QSettingsBackend::FindGroup(std::string_view key) const {
  QString group;
  for (const std::string& part : settings_path::Split(key)) {
    std::optional<QString> found;
    for (const QString& child : ChildGroups(group)) {
      const std::optional<std::string> name = DecodeName(child);
      if (name && settings_path::SameName(*name, part)) {
        found = child;
        break;
      }
    }
    if (!found) {
      return std::nullopt;
    }
    group = Joined(group, *found);
  }
  return group;
}

QString QSettingsBackend::MakeGroup(std::string_view key) {
  QString group;
  for (const std::string& part : settings_path::Split(key)) {
    std::optional<QString> found;
    for (const QString& child : ChildGroups(group)) {
      const std::optional<std::string> name = DecodeName(child);
      if (name && settings_path::SameName(*name, part)) {
        found = child;
        break;
      }
    }
    group = Joined(group, found ? *found : EncodeName(part));
    if (!m_settings->contains(Joined(group, kKeyMarker))) {
      m_settings->setValue(Joined(group, kKeyMarker), 1);
    }
  }
  return group;
}

std::optional<QString> QSettingsBackend::FindEntry(const QString& group, std::string_view name) const {
  for (const QString& entry : ChildKeys(group)) {
    const std::optional<std::string> decoded = NameOfEntry(entry);
    if (decoded && settings_path::SameName(*decoded, name)) {
      return entry;
    }
  }
  return std::nullopt;
}

QSettingsBackend::Stored QSettingsBackend::ReadStored(std::string_view key, std::string_view name) const {
  Refresh();
  const std::optional<QString> group = FindGroup(key);
  if (!group) {
    return {};
  }
  const std::optional<QString> entry = FindEntry(*group, name);
  if (!entry) {
    return {};
  }
  const QVariant raw = m_settings->value(Joined(*group, *entry));
  if (raw.typeId() != QMetaType::QString) {
    return {};
  }
  const QString text = raw.toString();
  if (text.size() < 2 || text[1] != QLatin1Char(':')) {
    return {};
  }
  const QString payload = text.mid(2);
  switch (text[0].unicode()) {
    case 'i':
      return {SettingsValueType::Integer, payload};
    case 'b':
      return {SettingsValueType::Boolean, payload};
    case 'r':
      return {SettingsValueType::Real, payload};
    case 's':
      return {SettingsValueType::String, payload};
    default:
      return {};
  }
}

void QSettingsBackend::WriteStored(std::string_view key, std::string_view name, const QString& text) {
  Refresh();
  const QString group = MakeGroup(key);
  const QString entry = FindEntry(group, name).value_or(EntryName(name));
  m_settings->setValue(Joined(group, entry), text);
  Commit();
}

bool QSettingsBackend::KeyExists(std::string_view key) const {
  if (m_memory) {
    return m_memory->KeyExists(key);
  }
  Refresh();
  return FindGroup(key).has_value();
}

void QSettingsBackend::CreateKey(std::string_view key) {
  if (m_memory) {
    m_memory->CreateKey(key);
    return;
  }
  Refresh();
  if (!FindGroup(key)) {
    MakeGroup(key);
    Commit();
  }
}

void QSettingsBackend::DeleteKey(std::string_view key) {
  if (m_memory) {
    m_memory->DeleteKey(key);
    return;
  }
  Refresh();
  const std::optional<QString> group = FindGroup(key);
  if (!group || group->isEmpty()) {
    return;  // missing, or the hive itself
  }
  m_settings->remove(*group);
  Commit();
}

std::vector<std::string> QSettingsBackend::SubKeyNames(std::string_view key) const {
  if (m_memory) {
    return m_memory->SubKeyNames(key);
  }
  Refresh();
  std::vector<std::string> names;
  if (const std::optional<QString> group = FindGroup(key)) {
    for (const QString& child : ChildGroups(*group)) {
      if (std::optional<std::string> name = DecodeName(child)) {
        names.push_back(std::move(*name));
      }
    }
  }
  return names;
}

std::vector<std::string> QSettingsBackend::ValueNames(std::string_view key) const {
  if (m_memory) {
    return m_memory->ValueNames(key);
  }
  Refresh();
  std::vector<std::string> names;
  if (const std::optional<QString> group = FindGroup(key)) {
    for (const QString& entry : ChildKeys(*group)) {
      if (std::optional<std::string> name = NameOfEntry(entry)) {
        names.push_back(std::move(*name));
      }
    }
  }
  return names;
}

bool QSettingsBackend::ValueExists(std::string_view key, std::string_view name) const {
  if (m_memory) {
    return m_memory->ValueExists(key, name);
  }
  Refresh();
  const std::optional<QString> group = FindGroup(key);
  return group && FindEntry(*group, name).has_value();
}

SettingsValueType QSettingsBackend::ValueType(std::string_view key, std::string_view name) const {
  if (m_memory) {
    return m_memory->ValueType(key, name);
  }
  const Stored stored = ReadStored(key, name);
  switch (stored.type) {
    case SettingsValueType::Integer:
      return ReadInteger(key, name) ? stored.type : SettingsValueType::None;
    case SettingsValueType::Boolean:
      return ReadBoolean(key, name) ? stored.type : SettingsValueType::None;
    case SettingsValueType::Real:
      return ReadReal(key, name) ? stored.type : SettingsValueType::None;
    default:
      return stored.type;
  }
}

void QSettingsBackend::DeleteValue(std::string_view key, std::string_view name) {
  if (m_memory) {
    m_memory->DeleteValue(key, name);
    return;
  }
  Refresh();
  const std::optional<QString> group = FindGroup(key);
  if (!group) {
    return;
  }
  if (const std::optional<QString> entry = FindEntry(*group, name)) {
    m_settings->remove(Joined(*group, *entry));
    Commit();
  }
}

std::optional<std::int32_t> QSettingsBackend::ReadInteger(std::string_view key, std::string_view name) const {
  if (m_memory) {
    return m_memory->ReadInteger(key, name);
  }
  const Stored stored = ReadStored(key, name);
  if (stored.type == SettingsValueType::Boolean) {
    const std::optional<bool> b = ReadBoolean(key, name);
    return b ? std::optional<std::int32_t>(*b ? 1 : 0) : std::nullopt;
  }
  if (stored.type != SettingsValueType::Integer) {
    return std::nullopt;
  }
  bool ok = false;
  const qlonglong value = stored.payload.toLongLong(&ok, 10);
  if (!ok || value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

std::optional<bool> QSettingsBackend::ReadBoolean(std::string_view key, std::string_view name) const {
  if (m_memory) {
    return m_memory->ReadBoolean(key, name);
  }
  const Stored stored = ReadStored(key, name);
  if (stored.type == SettingsValueType::Integer) {
    const std::optional<std::int32_t> i = ReadInteger(key, name);
    return i ? std::optional<bool>(*i != 0) : std::nullopt;
  }
  if (stored.type != SettingsValueType::Boolean) {
    return std::nullopt;
  }
  if (stored.payload == QLatin1String("1")) {
    return true;
  }
  if (stored.payload == QLatin1String("0")) {
    return false;
  }
  return std::nullopt;
}

std::optional<double> QSettingsBackend::ReadReal(std::string_view key, std::string_view name) const {
  if (m_memory) {
    return m_memory->ReadReal(key, name);
  }
  const Stored stored = ReadStored(key, name);
  if (stored.type != SettingsValueType::Real || stored.payload.size() != 16) {
    return std::nullopt;
  }
  std::uint64_t bits = 0;
  for (const QChar c : stored.payload) {
    const int digit = HexValue(c);
    if (digit < 0) {
      return std::nullopt;
    }
    bits = bits << 4 | static_cast<std::uint64_t>(digit);
  }
  return std::bit_cast<double>(bits);
}

std::optional<std::string> QSettingsBackend::ReadString(std::string_view key, std::string_view name) const {
  if (m_memory) {
    return m_memory->ReadString(key, name);
  }
  const Stored stored = ReadStored(key, name);
  if (stored.type != SettingsValueType::String) {
    return std::nullopt;
  }
  return stored.payload.toStdString();
}

void QSettingsBackend::WriteInteger(std::string_view key, std::string_view name, std::int32_t value) {
  if (m_memory) {
    m_memory->WriteInteger(key, name, value);
    return;
  }
  WriteStored(key, name, QStringLiteral("i:") + QString::number(value));
}

void QSettingsBackend::WriteBoolean(std::string_view key, std::string_view name, bool value) {
  if (m_memory) {
    m_memory->WriteBoolean(key, name, value);
    return;
  }
  WriteStored(key, name, value ? QStringLiteral("b:1") : QStringLiteral("b:0"));
}

void QSettingsBackend::WriteReal(std::string_view key, std::string_view name, double value) {
  if (m_memory) {
    m_memory->WriteReal(key, name, value);
    return;
  }
  const auto bits = std::bit_cast<std::uint64_t>(value);
  WriteStored(key, name,
              QStringLiteral("r:") + QStringLiteral("%1").arg(bits, 16, 16, QLatin1Char('0')).toUpper());
}

void QSettingsBackend::WriteString(std::string_view key, std::string_view name, std::string_view value) {
  if (m_memory) {
    m_memory->WriteString(key, name, value);
    return;
  }
  WriteStored(key, name, QStringLiteral("s:") + ToQString(value));
}

}  // namespace quandrel
