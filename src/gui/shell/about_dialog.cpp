#include "gui/shell/about_dialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStorageInfo>
#include <QStyle>
#include <QSysInfo>
#include <QThread>
#include <QVBoxLayout>
#include <QtGlobal>
#include <string>

#include "core/shell/machine_facts.h"
#include "gui/platform/system_facts_qt.h"
#include "gui/shell/app_services.h"
#include "gui/shell/app_title.h"

namespace quandrel {

namespace {

const QString kUnknown = QStringLiteral("Unknown");

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

std::string ReadProcFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    return {};
  }
  return file.readAll().toStdString();
}

QString ProcessorLine() {
  const auto model = ProcessorModelFromCpuInfo(ReadProcFile(QStringLiteral("/proc/cpuinfo")));
  const QString arch = QSysInfo::currentCpuArchitecture();
  if (!model) {
    return arch.isEmpty() ? kUnknown : arch;
  }
  return arch.isEmpty() ? Q(*model) : QStringLiteral("%1 (%2)").arg(Q(*model), arch);
}

QString MemoryText() {
  const auto memory = MemoryFromMemInfo(ReadProcFile(QStringLiteral("/proc/meminfo")));
  return memory ? Q(MemoryLine(*memory)) : kUnknown;
}

QString UserText() {
  QString login = qEnvironmentVariable("USER");
  if (login.isEmpty()) {
    login = QDir::home().dirName();
  }
  const QString name = Q(SystemFactsQt().RegisteredOwner());
  if (name.isEmpty() || name == login) {
    return login;
  }
  return QStringLiteral("%1 (%2)").arg(name, login);
}

QString DiskText() {
  const QStorageInfo storage(QDir::homePath());
  if (!storage.isValid() || !storage.isReady() || storage.bytesAvailable() < 0) {
    return kUnknown;
  }
  return QStringLiteral("%1 on %2")
      .arg(Q(FreeDiskLine(static_cast<std::uint64_t>(storage.bytesAvailable()))),
           QDir::toNativeSeparators(storage.rootPath()));
}

QString ScreenText(const QWidget* shownOn) {
  const QScreen* screen = shownOn != nullptr ? shownOn->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return kUnknown;
  }
  const QSize size = screen->size();
  const qreal ratio = screen->devicePixelRatio();
  QString text = QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
  if (ratio > 1.0) {
    text += QStringLiteral(" (scaled %1x)").arg(ratio);
  }
  return text;
}

QString CompilerText() {
#if defined(__clang__)
  return QStringLiteral("Clang %1.%2.%3").arg(__clang_major__).arg(__clang_minor__).arg(__clang_patchlevel__);
#elif defined(__GNUC__)
  return QStringLiteral("GCC %1.%2.%3").arg(__GNUC__).arg(__GNUC_MINOR__).arg(__GNUC_PATCHLEVEL__);
#else
  return kUnknown;
#endif
}

QWidget* LinesPage(const std::vector<AboutLine>& lines, QWidget* parent) {
  auto* page = new QWidget(parent);
  auto* form = new QFormLayout(page);
  form->setLabelAlignment(Qt::AlignLeft);
  form->setHorizontalSpacing(14);
  form->setVerticalSpacing(5);
  for (const auto& [label, value] : lines) {
    auto* valueLabel = new QLabel(value, page);
    valueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    valueLabel->setWordWrap(true);
    form->addRow(new QLabel(label, page), valueLabel);
  }
  return page;
}

}  // namespace

QString AboutVersionLine() {
  return QStringLiteral("Version: 5.7f     02/28/2009     %1-bit").arg(QSysInfo::WordSize);
}

std::vector<AboutLine> SystemInformationLines(const QWidget* shownOn) {
  return {
      {QStringLiteral("Operating System:"), QSysInfo::prettyProductName()},
      {QStringLiteral("Kernel:"),
       QStringLiteral("%1 %2").arg(QSysInfo::kernelType(), QSysInfo::kernelVersion())},
      {QStringLiteral("CPU:"), ProcessorLine()},
      {QStringLiteral("Free Memory:"), MemoryText()},
      {QStringLiteral("Screen Resolution:"), ScreenText(shownOn)},
      {QStringLiteral("User:"), UserText()},
      {QStringLiteral("Free Disk Space:"), DiskText()},
  };
}

std::vector<AboutLine> FurtherInformationLines() {
  const QLocale locale;
  return {
      {QStringLiteral("Build:"), QStringLiteral("%1, %2").arg(CompilerText(), QSysInfo::buildAbi())},
      {QStringLiteral("Qt Version:"),
       QStringLiteral("%1 (built with %2)")
           .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR))},
      {QStringLiteral("Logical Processors:"), QString::number(QThread::idealThreadCount())},
      {QStringLiteral("Host Name:"), QSysInfo::machineHostName()},
      {QStringLiteral("Locale:"),
       QStringLiteral("%1 (%2)").arg(locale.name(), QLocale::territoryToString(locale.territory()))},
      {QStringLiteral("Program Folder:"), QDir::toNativeSeparators(QCoreApplication::applicationDirPath())},
      {QStringLiteral("Shipped Data:"), QDir::toNativeSeparators(AppServices::DataFolder())},
  };
}

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About"));
  setModal(true);

  auto* icon = new QLabel(this);
  QIcon programIcon = QApplication::windowIcon();
  if (programIcon.isNull()) {
    programIcon = style()->standardIcon(QStyle::SP_ComputerIcon);
  }
  icon->setPixmap(programIcon.pixmap(48, 48));
  icon->setAlignment(Qt::AlignTop);

  auto* product = new QLabel(AppTitle(), this);
  product->setObjectName(QStringLiteral("lProduct"));
  QFont productFont = product->font();
  productFont.setBold(true);
  productFont.setPointSizeF(productFont.pointSizeF() * 1.25);
  product->setFont(productFont);
  auto* version = new QLabel(AboutVersionLine(), this);
  version->setObjectName(QStringLiteral("lVersion"));
  auto* comment = new QLabel(QStringLiteral("    Helping to make your financial decisions easier."), this);
  comment->setObjectName(QStringLiteral("lComment"));

  auto* headerText = new QVBoxLayout;
  headerText->addWidget(product);
  headerText->addWidget(version);
  headerText->addWidget(comment);
  auto* header = new QHBoxLayout;
  header->addWidget(icon);
  header->addSpacing(8);
  header->addLayout(headerText, 1);

  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);

  m_pages = new QStackedWidget(this);
  m_pages->addWidget(LinesPage(SystemInformationLines(parent), m_pages));
  m_pages->addWidget(LinesPage(FurtherInformationLines(), m_pages));

  m_more = new QPushButton(QStringLiteral("Mo&re"), this);
  m_more->setObjectName(QStringLiteral("btnMore"));
  auto* ok = new QPushButton(QStringLiteral("&OK"), this);
  ok->setObjectName(QStringLiteral("btnOK"));
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_more);
  buttons->addStretch(1);
  buttons->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(header);
  layout->addWidget(rule);
  layout->addWidget(m_pages);
  layout->addLayout(buttons);
  setMinimumWidth(520);

  connect(m_more, &QPushButton::clicked, this, [this] { TogglePage(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAbout::TogglePage() {
  const bool toSecond = m_pages->currentIndex() == 0;
  m_pages->setCurrentIndex(toSecond ? 1 : 0);
  m_more->setText(toSecond ? QStringLiteral("P&rior") : QStringLiteral("Mo&re"));
}

void ShowAboutBox(QWidget* parent) {
  TfrmAbout dialog(parent);
  dialog.exec();
}

}  // namespace quandrel
