#pragma once

// The about box: the product and version lines, then the facts of this
// machine (operating system, processor, memory, screen, user, free disk
// space); "Mo&re" shows a second page about the build and the program's
// folders, "P&rior" returns; "&OK" closes.

#include <QDialog>
#include <QString>
#include <utility>
#include <vector>

class QPushButton;
class QStackedWidget;

namespace quandrel {

// A label and its value, as the about box shows them.
using AboutLine = std::pair<QString, QString>;

// The lines of the first page: what this machine really has.
std::vector<AboutLine> SystemInformationLines(const QWidget* shownOn);
// The lines of the second page: the build, the toolkit and the folders.
std::vector<AboutLine> FurtherInformationLines();
// "Version: 5.7f     02/28/2009     64-bit", with the build's word size.
QString AboutVersionLine();

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

  QPushButton* MoreButton() const { return m_more; }
  QStackedWidget* Pages() const { return m_pages; }
  void TogglePage();

 private:
  QStackedWidget* m_pages = nullptr;
  QPushButton* m_more = nullptr;
};

void ShowAboutBox(QWidget* parent);

}  // namespace quandrel
