#include "gui/platform/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStandardPaths>

#include "core/foundation/file_dialog_rules.h"

namespace quandrel {
namespace {

std::string Utf8(const QString& text) {
  return text.toUtf8().toStdString();
}
QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString StartIn(const QString& folder) {
  const auto exists = [](const std::string& path) { return QDir(QString::fromUtf8(path.c_str())).exists(); };
  return FromUtf8(StartFolder(Utf8(folder), Utf8(DefaultDialogFolder()), exists));
}

QString Filter(const QString& description, const QString& extension) {
  return FromUtf8(ToolkitFilter(FileDialogFilter(Utf8(description), Utf8(extension))));
}

}  // namespace

QString DefaultDialogFolder() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (!data.isEmpty() && QDir(data).exists())
    return data;
  return QDir::homePath();
}

QString OpenFileDialog(QWidget* parent, const QString& description, const QString& extension,
                       const QString& folder) {
  QFileDialog dialog(parent, QString(), StartIn(folder), Filter(description, extension));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted)
    return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

QString SaveFileDialog(QWidget* parent, const QString& extension, const QString& description,
                       const QString& folder) {
  QFileDialog dialog(parent, QString(), StartIn(folder), Filter(description, extension));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(extension);
  const QString title = QGuiApplication::applicationDisplayName();
  while (dialog.exec() == QDialog::Accepted) {
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
      return {};
    const QString chosen = files.first();
    const QString saved = FromUtf8(ForceExtension(Utf8(chosen), Utf8(extension)));
    if (saved.isEmpty())
      return {};
    const QFileInfo info(saved);
    if (!info.absoluteDir().exists()) {
      QMessageBox::warning(
          &dialog, title,
          QStringLiteral("The folder %1 does not exist.").arg(QDir::toNativeSeparators(info.absolutePath())));
      continue;
    }
    // The dialog asked about the name it returned; ask again when forcing the
    // extension named another file that already exists.
    if (saved != chosen && info.exists()) {
      const auto answer = QMessageBox::question(
          &dialog, title,
          QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(info.fileName()),
          QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
      if (answer != QMessageBox::Yes) {
        dialog.selectFile(saved);
        continue;
      }
    }
    return saved;
  }
  return {};
}

std::optional<QString> BrowseForFolder(QWidget* parent, const QString& title, const QString& startFolder) {
  QFileDialog dialog(parent, title);
  if (!startFolder.isEmpty() && QDir(startFolder).exists())
    dialog.setDirectory(startFolder);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  if (dialog.exec() != QDialog::Accepted)
    return std::nullopt;
  const QStringList folders = dialog.selectedFiles();
  if (folders.isEmpty() || folders.first().isEmpty())
    return std::nullopt;
  return folders.first();
}

}  // namespace quandrel
