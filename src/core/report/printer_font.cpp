#include "core/report/printer_font.h"

namespace quandrel {
namespace {

constexpr int kLargestPrinterFont = 144;

}  // namespace

TFontEx::TFontEx(TStRegIniEx& settings) : m_settings(settings) {
  const FontSpec defaults;
  m_font.name = settings.PrinterFontName().empty() ? defaults.name : settings.PrinterFontName();
  const int size = settings.PrinterFontSize();
  m_font.size = size >= 1 && size <= kLargestPrinterFont ? size : defaults.size;
  m_font.bold = settings.PrinterFontBold();
  m_font.italic = settings.PrinterFontItalic();
  m_font.underline = settings.PrinterFontUnderline();
  m_font.strikeOut = settings.PrinterFontStrikeOut();
}

void TFontEx::Assign(const FontSpec& font) {
  m_settings.SetPrinterFontName(font.name);
  m_settings.SetPrinterFontSize(font.size);
  m_settings.SetPrinterFontBold(font.bold);
  m_settings.SetPrinterFontItalic(font.italic);
  m_settings.SetPrinterFontUnderline(font.underline);
  m_settings.SetPrinterFontStrikeOut(font.strikeOut);
  m_font = font;
}

}  // namespace quandrel
