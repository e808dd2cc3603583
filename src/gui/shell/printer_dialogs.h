#pragma once

// The printer font dialog and the "Set Quandrel!'s Default Printer" dialog,
// as the main window's menu opens them.

#include <functional>

class QWidget;

namespace quandrel {

class TFontEx;
class TStRegIniEx;

// The font dialog preset with the printer font; OK assigns (and so saves)
// the chosen font, Cancel changes nothing. True when a font was chosen.
bool EditPrinterFont(QWidget* parent, TFontEx& font);

// The printer set-up dialog (modal). True when OK stored a printer.
bool ShowPrinterSetup(QWidget* parent, TStRegIniEx& settings,
                      std::function<void(int topic, QWidget* from)> showHelp = {});

}  // namespace quandrel
