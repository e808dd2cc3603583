#pragma once

// The printer font: the one font every report prints with, kept under the
// settings' Printer key.

#include <string>

#include "core/foundation/settings_store.h"

namespace quandrel {

struct FontSpec {
  std::string name = "Courier New";
  int size = 10;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

class TFontEx {
 public:
  // Reads the font from the Printer key. A stored size outside 1..144 points
  // (a damaged setting) reads as 10, an empty name as "Courier New".
  explicit TFontEx(TStRegIniEx& settings);

  const FontSpec& Font() const { return m_font; }
  // Takes the font and writes all six values ("Font Name", "Font Size",
  // "fsBold", "fsItalic", "fsUnderline", "fsStrike Out").
  void Assign(const FontSpec& font);

 private:
  TStRegIniEx& m_settings;
  FontSpec m_font;
};

}  // namespace quandrel
