#pragma once

// The help window: the pages of the help folder in a text browser, with a
// Contents tree, a keyword Index and a full-text Search beside them, and
// Back, Forward and Home buttons. It shows what the help system tells it;
// the help system owns it.

#include <QString>
#include <QWidget>
#include <vector>

#include "core/shell/help_catalog.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace quandrel {

class THelpBrowser : public QWidget {
  Q_OBJECT

 public:
  // `folder` holds the pages; `catalog` names them. A missing folder or page
  // shows a note in the window, never an error box.
  THelpBrowser(const QString& folder, const THelpCatalog& catalog, QWidget* parent = nullptr);

  // Shows a page of the folder (a catalogued file name) and marks it in the
  // contents.
  void ShowPage(const QString& page);
  void ShowContentsTab();
  // The index, with `keyword` typed into its filter.
  void ShowIndexTab(const QString& keyword);
  void ShowSearchTab();

  // The page shown: its file name, empty while a note is shown.
  QString CurrentPage() const;
  QTextBrowser* TextView() const { return m_view; }
  QTabWidget* Tabs() const { return m_tabs; }

  // Runs the search of the Search tab and lists the pages found.
  void Search(const QString& query);
  QListWidget* SearchResults() const { return m_results; }
  QListWidget* IndexList() const { return m_index; }

 private:
  void BuildContents();
  void BuildIndex();
  void FilterIndex(const QString& text);
  void OpenIndexItem();
  void OnSourceChanged();
  QString PagePath(const QString& page) const;
  const std::vector<std::string>& PlainTexts();

  QString m_folder;
  const THelpCatalog& m_catalog;
  QTabWidget* m_tabs = nullptr;
  QTreeWidget* m_contents = nullptr;
  QLineEdit* m_indexFilter = nullptr;
  QListWidget* m_index = nullptr;
  QLineEdit* m_query = nullptr;
  QListWidget* m_results = nullptr;
  QTextBrowser* m_view = nullptr;
  std::vector<QTreeWidgetItem*> m_topicItems;  // by catalog position
  std::vector<std::string> m_plainTexts;       // by catalog position, read on the first search
  bool m_textsRead = false;
};

}  // namespace quandrel
