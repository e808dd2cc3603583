#pragma once

// The open, save and folder dialogs of the calculators. The rules they follow
// (filter text, start folder, forced extension) are in
// core/foundation/file_dialog_rules.h. Every dialog is application modal:
// the program's other windows take no input while it is open.

#include <QString>
#include <optional>

class QWidget;

namespace quandrel {

// The folder a dialog starts in when the caller names none, or names one
// that does not exist: the per-user data folder when it exists, else the
// home folder.
QString DefaultDialogFolder();

// A file-open dialog filtered on "description (*.extension)" and "All files",
// starting in `folder`; the file and its path must exist. Returns the chosen
// file, or an empty text when the user cancels.
QString OpenFileDialog(QWidget* parent, const QString& description, const QString& extension,
                       const QString& folder);

// A file-save dialog with `extension` as default extension, starting in
// `folder`, asking before it overwrites a file. Returns the chosen name with
// its extension forced to `extension`; when forcing turns the name into
// that of another existing file, the user is asked again before it is
// replaced. A name whose folder does not exist is refused with a message and
// the dialog shown again. Returns an empty text when nothing was chosen.
QString SaveFileDialog(QWidget* parent, const QString& extension, const QString& description,
                       const QString& folder);

// The folder picker, showing folders only, titled `title`, preselecting
// `startFolder` when it exists. Returns the chosen folder, or nothing when
// the user cancels.
std::optional<QString> BrowseForFolder(QWidget* parent, const QString& title, const QString& startFolder);

}  // namespace quandrel
