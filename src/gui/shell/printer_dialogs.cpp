#include "gui/shell/printer_dialogs.h"

#include <QFontDialog>

#include <QPrinterInfo>
#include "core/report/printer_font.h"

#include "gui/shell/printer_setup_form.h"

namespace quandrel {

bool EditPrinterFont(QWidget* parent, TFontEx& font) {
  const FontSpec& current = font.Font();
  QFont preset(QString::fromStdString(current.name), current.size);
  preset.setBold(current.bold);
  preset.setItalic(current.italic);
  preset.setUnderline(current.underline);
  preset.setStrikeOut(current.strikeOut);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, preset, parent, QStringLiteral("Printer Font"));
  if (!ok) {
    return false;
  }
  FontSpec spec;
  spec.name = chosen.family().toStdString();
  spec.size = chosen.pointSize() > 0 ? chosen.pointSize() : current.size;
  spec.bold = chosen.bold();
  spec.italic = chosen.italic();
  spec.underline = chosen.underline();
  spec.strikeOut = chosen.strikeOut();
  font.Assign(spec);
  return true;
}

bool ShowPrinterSetup(QWidget* parent, TStRegIniEx& settings, std::function<void(int, QWidget*)> showHelp) {
  TfrmSetPrinter dialog(settings, QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName(),
                        std::move(showHelp), parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace quandrel
