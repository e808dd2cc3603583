#pragma once

// "Set Quandrel!'s Default Printer": which installed printer the reports go
// to. OK stores the chosen printer as "Selected Printer"; Cancel changes
// nothing.

#include <QDialog>
#include <functional>

class QLabel;
class QListWidget;

namespace quandrel {

class TStRegIniEx;

class TfrmSetPrinter : public QDialog {
  Q_OBJECT

 public:
  // `printers` are the installed printers' names, `systemDefault` the
  // system's default printer; `showHelp` opens a help topic.
  TfrmSetPrinter(TStRegIniEx& settings, const QStringList& printers, const QString& systemDefault,
                 std::function<void(int topic, QWidget* from)> showHelp = {}, QWidget* parent = nullptr);

  QListWidget* Printers() const { return m_list; }

  void accept() override;

 private:
  TStRegIniEx& m_settings;
  QListWidget* m_list;
};

}  // namespace quandrel
