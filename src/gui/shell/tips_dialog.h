#pragma once

// "Tip of the Day": a random tip when it opens, "&Next Tip" for the next in
// list order (the first after the last), and "&Show Tips at Startup", preset
// from the "Tips" setting and written back to it when the dialog closes.
// The tips come from "tips.txt" in the shipped data folder.

#include <QDialog>
#include <cstddef>

#include "core/shell/tip_list.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace quandrel {

class TStRegIniEx;

class TfrmTips : public QDialog {
  Q_OBJECT

 public:
  // Reads the tips from `tipsFile`; a missing or empty file shows a note in
  // place of a tip.
  TfrmTips(const QString& tipsFile, TStRegIniEx& settings, QWidget* parent = nullptr);

  const TTipList& Tips() const { return m_tips; }
  std::size_t TipIndex() const { return m_index; }
  void ShowTip(std::size_t index);
  void NextTip();
  QString TipText() const;
  QCheckBox* ShowAtStartup() const { return m_showAtStartup; }
  QPushButton* Button(const QString& objectName) const;

  // Every way of closing writes the check box to "Tips".
  void done(int result) override;

 private:
  TStRegIniEx& m_settings;
  TTipList m_tips;
  std::size_t m_index = 0;
  QLabel* m_tip = nullptr;
  QCheckBox* m_showAtStartup = nullptr;
};

// Shows the dialog (modal) with the shipped tips. Returns the "Tips" setting
// as the dialog left it.
bool ShowTipsDialog(QWidget* parent, TStRegIniEx& settings);

}  // namespace quandrel
