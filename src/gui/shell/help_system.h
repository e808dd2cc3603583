#pragma once

// The program's help: every help request of the windows passes through
// HandleRequest, which turns the classic help requests into actions of our
// own help window (pages by context number, contents, index, search), and
// field help ("What's This") from the popup text file. The help system that
// the main window creates is the program's help router: dialogs that have no
// reference to it reach it through RequestHelpTopic.
//
// The help folder (data/help of the shipped data) holds the pages (HTML),
// "topics.txt" (the catalog: pages, contents, context numbers, index
// keywords) and "CSHelp.txt" (the popup texts); core/shell/help_catalog.h
// describes both files. A context without a page opens the contents page.

#include <QString>
#include <cstdint>
#include <memory>

#include "core/shell/help_catalog.h"

class QWidget;

namespace quandrel {

class THelpBrowser;

class THelpSystem {
 public:
  // `dataFolder` is the shipped data folder; the help is its "help" folder.
  // Becomes the program's help router until it is destroyed.
  explicit THelpSystem(const QString& dataFolder);
  THelpSystem(const THelpSystem&) = delete;
  THelpSystem& operator=(const THelpSystem&) = delete;
  ~THelpSystem();

  // The help router: the help system created last that still exists, or null.
  static THelpSystem* Active();

  // A classic help request (helprequest:: in core/shell/help_catalog.h) with
  // its data; always handled, so true.
  bool HandleRequest(int request, std::int64_t data, QWidget* from);

  // The page of a context number (the contents page when it has none).
  void ShowTopic(int context, QWidget* from);
  // The default topic with the contents beside it ("Contents...").
  void ShowContents(QWidget* from);
  // The index with a keyword typed into its filter.
  void ShowIndex(const QString& keyword, QWidget* from);
  void CloseAll();

  // Gives every field and button of `window` its popup text: widgets with a
  // "helpContext" property, and the standard buttons by their object names
  // (btnCalc, btnCopy, btnPrint, btnHelp, btnReset, btnUndo, btnClose).
  // Shift+F1 in the window then turns the pointer into the field-help
  // pointer; a click on a field shows its text.
  void InstallFieldHelp(QWidget* window);

  // The popup text of a context, empty when there is none.
  QString PopupText(int context) const;
  // The page a context opens: its own, or the contents page.
  QString PageForContext(int context) const;
  QString HelpFolder() const { return m_folder; }
  // The help window once it has been shown, else null.
  THelpBrowser* Browser() const { return m_browser.get(); }

 private:
  THelpBrowser& OpenBrowser(QWidget* from);

  QString m_folder;
  THelpCatalog m_catalog;
  THelpPopups m_popups;
  std::unique_ptr<THelpBrowser> m_browser;
};

// Opens a help topic through the program's help router; without one, an
// information box says that help is not available.
void RequestHelpTopic(int context, QWidget* from);

}  // namespace quandrel
