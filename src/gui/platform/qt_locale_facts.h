#pragma once

// Reads the locale facts of text output from a QLocale.

#include <QLocale>
#include <cstdint>

#include "core/foundation/locale_facts.h"

namespace quandrel {

// The facts of a locale. The C locale (no language of its own) gives the
// United States facts. The currency symbol's position, the negative money
// form and the currency decimals are read from how the locale writes 1 and
// -1 in its currency.
LocaleFacts LocaleFactsFromQLocale(const QLocale& locale);

// The telephone-style country code of a territory (1 United States, 2
// Canada, 49 Germany, ...); 1 for a territory not in the table.
std::uint16_t CountryCodeForTerritory(QLocale::Territory territory);

// Start-up: reads the facts of `locale` and gives its weekday names to the
// date layer. Returns the facts for the masks and the text-format engine.
LocaleFacts InstallLocaleFacts(const QLocale& locale = QLocale::system());

}  // namespace quandrel
