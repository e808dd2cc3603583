#include <QClipboard>
#include <QGuiApplication>
#include <QLocale>
#include <QtTest>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/masks.h"
#include "core/foundation/text_format.h"
#include "gui/platform/clipboard.h"
#include "gui/platform/qt_locale_facts.h"

using quandrel::CurrencyPosition;
using quandrel::LocaleFacts;
using quandrel::NegativeMoneyForm;

Q_DECLARE_METATYPE(CurrencyPosition)
Q_DECLARE_METATYPE(NegativeMoneyForm)

class LocaleFactsTest : public QObject {
  Q_OBJECT

 private slots:
  void cLocaleAndUnitedStatesGiveTheDesignedFacts() {
    QCOMPARE(quandrel::LocaleFactsFromQLocale(QLocale::c()), LocaleFacts::UnitedStates());
    const LocaleFacts us = quandrel::LocaleFactsFromQLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(us, LocaleFacts::UnitedStates());
    QCOMPARE(quandrel::FormatLine("%m", {-1234.56}, us), std::string("($1,234.56)"));
  }

  void factsOfALocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("thousands");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<CurrencyPosition>("position");
    QTest::addColumn<NegativeMoneyForm>("negative");
    QTest::addColumn<int>("currencyDecimals");
    QTest::addColumn<QString>("datePicture");
    QTest::addColumn<QString>("sunday");
    QTest::addColumn<int>("country");

    const QString euro = QStringLiteral("\u20AC");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << ","
                           << "." << euro << CurrencyPosition::AfterWithSpace << NegativeMoneyForm::MinusFirst
                           << 2 << "dd.mm.yyyy"
                           << "Sonntag" << 49;
    QTest::newRow("fr_FR") << QLocale(QLocale::French, QLocale::France) << "," << QStringLiteral("\u202F")
                           << euro << CurrencyPosition::AfterWithSpace << NegativeMoneyForm::Parentheses << 2
                           << "dd/mm/yyyy"
                           << "dimanche" << 33;
    QTest::newRow("nl_NL") << QLocale(QLocale::Dutch, QLocale::Netherlands) << ","
                           << "." << euro << CurrencyPosition::BeforeWithSpace
                           << NegativeMoneyForm::Parentheses << 2 << "dd-mm-yyyy"
                           << "zondag" << 31;
    // The sign is U+2212 in Swedish; the form is still a leading minus.
    QTest::newRow("sv_SE") << QLocale(QLocale::Swedish, QLocale::Sweden) << "," << QStringLiteral("\u00A0")
                           << "kr" << CurrencyPosition::AfterWithSpace << NegativeMoneyForm::MinusFirst << 2
                           << "yyyy-mm-dd" << QStringLiteral("s\u00F6ndag") << 46;
    QTest::newRow("de_CH") << QLocale(QLocale::German, QLocale::Switzerland) << "."
                           << QStringLiteral("\u2019") << "CHF" << CurrencyPosition::AfterWithSpace
                           << NegativeMoneyForm::MinusFirst << 2 << "dd.mm.yyyy"
                           << "Sonntag" << 41;
    QTest::newRow("ja_JP") << QLocale(QLocale::Japanese, QLocale::Japan) << "."
                           << "," << QStringLiteral("\uFFE5") << CurrencyPosition::Before
                           << NegativeMoneyForm::Parentheses << 0 << "yyyy/mm/dd"
                           << QStringLiteral("\u65E5\u66DC\u65E5") << 81;
    QTest::newRow("ko_KR") << QLocale(QLocale::Korean, QLocale::SouthKorea) << "."
                           << "," << QStringLiteral("\u20A9") << CurrencyPosition::Before
                           << NegativeMoneyForm::Parentheses << 0 << "yyyy.mm.dd"
                           << QStringLiteral("\uC77C\uC694\uC77C") << 82;
  }

  void factsOfALocale() {
    QFETCH(QLocale, locale);
    QFETCH(QString, decimal);
    QFETCH(QString, thousands);
    QFETCH(QString, symbol);
    QFETCH(CurrencyPosition, position);
    QFETCH(NegativeMoneyForm, negative);
    QFETCH(int, currencyDecimals);
    QFETCH(QString, datePicture);
    QFETCH(QString, sunday);
    QFETCH(int, country);

    const LocaleFacts facts = quandrel::LocaleFactsFromQLocale(locale);
    QCOMPARE(QString::fromStdString(facts.decimalSeparator), decimal);
    QCOMPARE(QString::fromStdString(facts.thousandsSeparator), thousands);
    QCOMPARE(QString::fromStdString(facts.currencySymbol), symbol);
    QCOMPARE(facts.currencyPosition, position);
    QCOMPARE(facts.negativeMoney, negative);
    QCOMPARE(facts.currencyDecimals, currencyDecimals);
    QCOMPARE(QString::fromStdString(facts.shortDatePicture), datePicture);
    QCOMPARE(QString::fromStdString(facts.weekdayNames[0]), sunday);
    QCOMPARE(int{facts.countryCode}, country);
  }

  void germanFactsDriveMasksAndMoney() {
    const LocaleFacts facts = quandrel::LocaleFactsFromQLocale(QLocale(QLocale::German, QLocale::Germany));
    const quandrel::TMasks masks(facts);
    QCOMPARE(masks.CurrencyMask, std::string("##,###,###.##CC"));
    QCOMPARE(quandrel::FormatLine("%14.2m", {-1234.5}, facts), std::string("   -1.234,50 \u20AC"));
    QCOMPARE(masks.DateText(quandrel::DateFromDMY(5, 1, 2024)), std::string("05.01.2024"));
  }

  void unknownTerritoryIsTheUnitedStatesCode() {
    QCOMPARE(int{quandrel::CountryCodeForTerritory(QLocale::Kenya)}, 1);
    QCOMPARE(int{quandrel::CountryCodeForTerritory(QLocale::AnyTerritory)}, 1);
    QCOMPARE(int{quandrel::CountryCodeForTerritory(QLocale::Canada)}, 2);
  }

  void installGivesTheWeekdayNamesToTheDateLayer() {
    const quandrel::DayNumber friday = quandrel::DateFromDMY(5, 1, 2024);
    quandrel::InstallLocaleFacts(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(quandrel::DayName(friday), std::string("Freitag"));
    quandrel::InstallLocaleFacts(QLocale::c());
    QCOMPARE(quandrel::DayName(friday), std::string("Friday"));
    quandrel::ResetWeekdayNames();
  }

  void clipboardKeepsTheTextAndItsLineEnds() {
    const std::string text = "Compound Interest\r\n\r\nBetrag:  1.234,50 \u20AC\r\n";
    quandrel::SetClipboardText(text);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromUtf8(text.c_str()));
    quandrel::SetClipboardText("");
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
  }
};

QTEST_MAIN(LocaleFactsTest)
#include "locale_facts_test.moc"
