#include "gui/shell/help_browser.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/shell/app_title.h"

namespace quandrel {

namespace {

constexpr int kTopicRole = Qt::UserRole;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

THelpBrowser::THelpBrowser(const QString& folder, const THelpCatalog& catalog, QWidget* parent)
    : QWidget(parent, Qt::Window), m_folder(folder), m_catalog(catalog) {
  setObjectName(QStringLiteral("HelpBrowser"));
  setWindowTitle(QStringLiteral("Quandrel! Help"));
  resize(960, 640);

  auto* back = new QToolButton(this);
  back->setText(QStringLiteral("< &Back"));
  auto* forward = new QToolButton(this);
  forward->setText(QStringLiteral("&Forward >"));
  auto* home = new QToolButton(this);
  home->setText(QStringLiteral("&Home"));
  auto* tools = new QHBoxLayout;
  tools->addWidget(back);
  tools->addWidget(forward);
  tools->addWidget(home);
  tools->addStretch(1);

  m_tabs = new QTabWidget(this);
  m_contents = new QTreeWidget(m_tabs);
  m_contents->setObjectName(QStringLiteral("HelpContents"));
  m_contents->setHeaderHidden(true);
  m_tabs->addTab(m_contents, QStringLiteral("&Contents"));

  auto* indexPage = new QWidget(m_tabs);
  auto* indexLayout = new QVBoxLayout(indexPage);
  m_indexFilter = new QLineEdit(indexPage);
  m_indexFilter->setPlaceholderText(QStringLiteral("Type a keyword"));
  m_indexFilter->setClearButtonEnabled(true);
  m_index = new QListWidget(indexPage);
  m_index->setObjectName(QStringLiteral("HelpIndex"));
  auto* display = new QPushButton(QStringLiteral("&Display"), indexPage);
  indexLayout->addWidget(m_indexFilter);
  indexLayout->addWidget(m_index, 1);
  indexLayout->addWidget(display, 0, Qt::AlignRight);
  m_tabs->addTab(indexPage, QStringLiteral("&Index"));

  auto* searchPage = new QWidget(m_tabs);
  auto* searchLayout = new QVBoxLayout(searchPage);
  m_query = new QLineEdit(searchPage);
  m_query->setPlaceholderText(QStringLiteral("Words to find"));
  m_query->setClearButtonEnabled(true);
  auto* find = new QPushButton(QStringLiteral("&List Topics"), searchPage);
  m_results = new QListWidget(searchPage);
  m_results->setObjectName(QStringLiteral("HelpSearchResults"));
  searchLayout->addWidget(m_query);
  searchLayout->addWidget(find, 0, Qt::AlignRight);
  searchLayout->addWidget(m_results, 1);
  m_tabs->addTab(searchPage, QStringLiteral("&Search"));

  m_view = new QTextBrowser(this);
  m_view->setObjectName(QStringLiteral("HelpPage"));
  m_view->setSearchPaths({m_folder});
  m_view->setOpenExternalLinks(true);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(m_tabs);
  splitter->addWidget(m_view);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({320, 640});

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(splitter, 1);

  BuildContents();
  BuildIndex();

  connect(back, &QToolButton::clicked, m_view, &QTextBrowser::backward);
  connect(forward, &QToolButton::clicked, m_view, &QTextBrowser::forward);
  connect(m_view, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
  connect(m_view, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(home, &QToolButton::clicked, this, [this] {
    const HelpTopic* topic = m_catalog.DefaultTopic();
    ShowPage(topic == nullptr ? QStringLiteral("index.html") : Q(topic->page));
  });
  connect(m_view, &QTextBrowser::sourceChanged, this, [this] { OnSourceChanged(); });
  connect(m_contents, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { ShowPage(item->data(0, kTopicRole).toString()); });
  connect(m_contents, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item) { ShowPage(item->data(0, kTopicRole).toString()); });
  connect(m_indexFilter, &QLineEdit::textChanged, this, [this](const QString& text) { FilterIndex(text); });
  connect(m_indexFilter, &QLineEdit::returnPressed, this, [this] { OpenIndexItem(); });
  connect(m_index, &QListWidget::itemActivated, this, [this] { OpenIndexItem(); });
  connect(display, &QPushButton::clicked, this, [this] { OpenIndexItem(); });
  connect(m_query, &QLineEdit::returnPressed, this, [this] { Search(m_query->text()); });
  connect(find, &QPushButton::clicked, this, [this] { Search(m_query->text()); });
  connect(m_results, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { ShowPage(item->data(kTopicRole).toString()); });
  connect(m_results, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowPage(item->data(kTopicRole).toString()); });
}

void THelpBrowser::BuildContents() {
  std::vector<std::pair<int, QTreeWidgetItem*>> parents;  // level, item
  for (const HelpTopic& topic : m_catalog.Topics()) {
    while (!parents.empty() && parents.back().first >= topic.level) {
      parents.pop_back();
    }
    auto* item =
        parents.empty() ? new QTreeWidgetItem(m_contents) : new QTreeWidgetItem(parents.back().second);
    item->setText(0, Q(topic.title));
    item->setData(0, kTopicRole, Q(topic.page));
    parents.emplace_back(topic.level, item);
    m_topicItems.push_back(item);
  }
  m_contents->expandAll();
}

void THelpBrowser::BuildIndex() {
  for (const HelpIndexEntry& entry : m_catalog.IndexEntries()) {
    auto* item = new QListWidgetItem(Q(entry.keyword), m_index);
    item->setData(kTopicRole, Q(m_catalog.Topics()[entry.topic].page));
    item->setToolTip(Q(m_catalog.Topics()[entry.topic].title));
  }
}

QString THelpBrowser::PagePath(const QString& page) const {
  return QDir(m_folder).filePath(page);
}

void THelpBrowser::ShowPage(const QString& page) {
  const QString path = PagePath(page);
  if (page.isEmpty() || !QFileInfo(path).isFile()) {
    m_view->setHtml(QStringLiteral("<h2>%1</h2><p>The help page <b>%2</b> was not found in the folder "
                                   "<b>%3</b>.</p><p>Reinstalling Quandrel! restores its help pages.</p>")
                        .arg(AppTitle().toHtmlEscaped(), page.toHtmlEscaped(),
                             QDir::toNativeSeparators(m_folder).toHtmlEscaped()));
    return;
  }
  m_view->setSource(QUrl::fromLocalFile(path));
}

QString THelpBrowser::CurrentPage() const {
  const QUrl source = m_view->source();
  return source.isEmpty() ? QString() : QFileInfo(source.toLocalFile()).fileName();
}

void THelpBrowser::OnSourceChanged() {
  const QString page = CurrentPage();
  for (QTreeWidgetItem* item : m_topicItems) {
    if (item->data(0, kTopicRole).toString() == page) {
      m_contents->setCurrentItem(item);
      break;
    }
  }
  const QString title = m_view->documentTitle();
  setWindowTitle(title.isEmpty() ? QStringLiteral("Quandrel! Help")
                                 : QStringLiteral("Quandrel! Help - %1").arg(title));
}

void THelpBrowser::ShowContentsTab() {
  m_tabs->setCurrentIndex(0);
}

void THelpBrowser::ShowIndexTab(const QString& keyword) {
  m_tabs->setCurrentIndex(1);
  m_indexFilter->setText(keyword);
  m_indexFilter->setFocus();
}

void THelpBrowser::ShowSearchTab() {
  m_tabs->setCurrentIndex(2);
  m_query->setFocus();
}

void THelpBrowser::FilterIndex(const QString& text) {
  // Jumps to the first keyword that begins with the typed text.
  for (int i = 0; i < m_index->count(); ++i) {
    if (m_index->item(i)->text().startsWith(text.trimmed(), Qt::CaseInsensitive)) {
      m_index->setCurrentRow(i);
      m_index->scrollToItem(m_index->item(i), QAbstractItemView::PositionAtTop);
      return;
    }
  }
}

void THelpBrowser::OpenIndexItem() {
  if (QListWidgetItem* item = m_index->currentItem()) {
    ShowPage(item->data(kTopicRole).toString());
  }
}

const std::vector<std::string>& THelpBrowser::PlainTexts() {
  if (!m_textsRead) {
    m_textsRead = true;
    for (const HelpTopic& topic : m_catalog.Topics()) {
      QFile file(PagePath(Q(topic.page)));
      QString text;
      if (file.open(QIODevice::ReadOnly)) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        text = document.toPlainText();
      }
      m_plainTexts.push_back(text.toStdString());
    }
  }
  return m_plainTexts;
}

void THelpBrowser::Search(const QString& query) {
  ShowSearchTab();
  if (m_query->text() != query) {
    m_query->setText(query);
  }
  m_results->clear();
  const std::vector<std::size_t> found = SearchTexts(PlainTexts(), query.toStdString());
  for (std::size_t position : found) {
    const HelpTopic& topic = m_catalog.Topics()[position];
    auto* item = new QListWidgetItem(Q(topic.title), m_results);
    item->setData(kTopicRole, Q(topic.page));
  }
  if (found.empty() && !query.trimmed().isEmpty()) {
    auto* item = new QListWidgetItem(QStringLiteral("No topics contain every word."), m_results);
    item->setFlags(Qt::NoItemFlags);
  }
}

}  // namespace quandrel
