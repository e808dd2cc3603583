#pragma once

// Plain-text clipboard output of the calculators.

#include <string>

namespace quandrel {

// Empties the clipboard, then puts the UTF-8 text on it as plain text. Line
// ends are kept as given (the calculators end their lines with CR LF).
// Does nothing when the program has no gui application object.
void SetClipboardText(const std::string& text);

}  // namespace quandrel
