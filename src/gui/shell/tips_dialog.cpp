#include "gui/shell/tips_dialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <random>

#include "core/foundation/settings_store.h"
#include "gui/shell/app_services.h"
#include "gui/shell/message_boxes.h"

namespace quandrel {

TfrmTips::TfrmTips(const QString& tipsFile, TStRegIniEx& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
  setObjectName(QStringLiteral("frmTips"));
  setWindowTitle(QStringLiteral("Tip of the Day"));
  setModal(true);

  QFile file(tipsFile);
  if (file.open(QIODevice::ReadOnly)) {
    m_tips = TTipList::Parse(file.readAll().toStdString());
  }

  auto* icon = new QLabel(this);
  icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(40, 40));
  icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  auto* heading = new QLabel(QStringLiteral("Did you know..."), this);
  QFont headingFont = heading->font();
  headingFont.setBold(true);
  headingFont.setPointSizeF(headingFont.pointSizeF() * 1.3);
  heading->setFont(headingFont);

  m_tip = new QLabel(this);
  m_tip->setObjectName(QStringLiteral("lTip"));
  m_tip->setWordWrap(true);
  m_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_tip->setMinimumSize(380, 110);
  m_tip->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setBackgroundRole(QPalette::Base);
  panel->setAutoFillBackground(true);
  auto* text = new QVBoxLayout;
  text->addWidget(heading);
  text->addWidget(m_tip, 1);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(icon);
  panelLayout->addLayout(text, 1);

  m_showAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
  m_showAtStartup->setChecked(m_settings.ShowTips());

  auto* next = new QPushButton(QStringLiteral("&Next Tip"), this);
  next->setObjectName(QStringLiteral("btnNextTip"));
  auto* more = new QPushButton(QStringLiteral("&More Tips..."), this);
  more->setObjectName(QStringLiteral("btnMoreTips"));
  more->hide();  // no topics are assigned to these two
  auto* help = new QPushButton(QStringLiteral("&Help"), this);
  help->setObjectName(QStringLiteral("btnHelp"));
  help->hide();
  auto* close = new QPushButton(QStringLiteral("&Close"), this);
  close->setObjectName(QStringLiteral("btnClose"));
  close->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_showAtStartup);
  buttons->addStretch(1);
  buttons->addWidget(more);
  buttons->addWidget(help);
  buttons->addWidget(next);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel, 1);
  layout->addLayout(buttons);

  connect(next, &QPushButton::clicked, this, [this] { NextTip(); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  next->setEnabled(m_tips.Count() > 1);

  if (m_tips.Empty()) {
    m_tip->setText(QStringLiteral("No tips were found in %1.").arg(QDir::toNativeSeparators(tipsFile)));
  } else {
    std::random_device seed;
    std::mt19937 generator(seed());
    ShowTip(m_tips.RandomIndex(generator));
  }
}

void TfrmTips::ShowTip(std::size_t index) {
  if (index >= m_tips.Count()) {
    return;
  }
  m_index = index;
  m_tip->setText(QString::fromStdString(m_tips.Tip(index)));
}

void TfrmTips::NextTip() {
  ShowTip(m_tips.NextIndex(m_index));
}

QString TfrmTips::TipText() const {
  return m_tip->text();
}

QPushButton* TfrmTips::Button(const QString& objectName) const {
  return findChild<QPushButton*>(objectName);
}

void TfrmTips::done(int result) {
  try {
    m_settings.SetShowTips(m_showAtStartup->isChecked());
  } catch (const std::exception& e) {
    ShowErrorBox(this, QString::fromStdString(e.what()));
  }
  QDialog::done(result);
}

bool ShowTipsDialog(QWidget* parent, TStRegIniEx& settings) {
  TfrmTips dialog(QDir(AppServices::DataFolder()).filePath(QStringLiteral("tips.txt")), settings, parent);
  dialog.exec();
  return settings.ShowTips();
}

}  // namespace quandrel
