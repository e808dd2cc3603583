#include "gui/shell/printer_dialogs.h"

#include <QFontDialog>

#include "core/report/printer_font.h"
#include "gui/shell/message_boxes.h"

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

bool ShowPrinterSetup(QWidget* parent, TStRegIniEx&) {
  ShowInformationBox(parent, QStringLiteral("Printer set-up is not available yet in this version of Quandrel!."));
  return false;
}

}  // namespace quandrel
