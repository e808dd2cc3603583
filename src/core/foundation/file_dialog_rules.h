#pragma once

// The rules of the open, save and folder dialogs, apart from the dialogs
// themselves (gui/platform/file_dialogs.h): the filter text, the starting
// file name and folder, and the extension a saved file is given.
//
// Paths are UTF-8 texts with "/" between folders, as the dialogs return them.

#include <string>
#include <string_view>

namespace quandrel {

// "description|*.ext|All files (*.*)|*.*": pairs of a description and its
// patterns, separated by "|". The description must not contain "|" and the
// extension must be one or more characters other than ".", "/", "\", "|",
// "*", "?" and blanks; anything else is a programming error
// (std::logic_error).
std::string FileDialogFilter(std::string_view description, std::string_view extension);

// The same filter as the dialogs of the toolkit spell it: one entry per
// pair, "description (patterns)", entries separated by ";;". A description
// that already ends in its own "(...)" keeps only the text before it, and the
// pattern "*.*" becomes "*", so that "All files" also shows files without an
// extension. A filter with an odd number of parts or an empty part is a
// programming error (std::logic_error).
std::string ToolkitFilter(std::string_view filter);

// "*." + extension: the name the open dialog starts with.
std::string InitialFileName(std::string_view extension);

// The folder a dialog starts in: the given one when it is not empty and
// exists, otherwise the fallback the caller names.
template <typename FolderExists>
std::string StartFolder(std::string_view given, std::string_view fallback, FolderExists folderExists) {
  if (!given.empty() && folderExists(std::string(given)))
    return std::string(given);
  return std::string(fallback);
}

// The file name part of a path (after the last "/").
std::string_view FileNamePart(std::string_view path);

// The extension of a file name as the save rule sees it: the text after the
// last ".", when that text is 1 to 8 ASCII letters and digits with at least
// one letter, and the dot is not the name's first character. So
// "archive.tar.gz" has "gz", ".npv" (a hidden file) and "my.loans/file" have
// none, and neither has "loan 3.5" (a number) nor "Smith, J. & Co" (a
// sentence): those dots belong to the name.
std::string_view FileExtension(std::string_view path);

// The chosen save name with its extension forced to `extension`: an
// existing extension is replaced ("loan.txt" -> "loan.npv", "a.tar.gz" ->
// "a.tar.npv"), otherwise "." and the extension are appended ("loan" ->
// "loan.npv", "loan 3.5" -> "loan 3.5.npv"). Trailing dots and blanks of the
// name are dropped first ("loan." -> "loan.npv"). A path without a file
// name (empty, ending in "/", or a name of only dots and blanks) gives an
// empty text: nothing was chosen. The extension must be valid as for
// FileDialogFilter.
std::string ForceExtension(std::string_view path, std::string_view extension);

}  // namespace quandrel
