#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>
#include <memory>
#include <optional>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/locale_facts.h"
#include "gui/widgets/date_edit.h"
#include "gui/widgets/masked_number_edit.h"

using quandrel::BadDate;
using quandrel::DateFromDMY;
using quandrel::DayNumber;
using quandrel::LocaleFacts;
using quandrel::TDateEdit;
using quandrel::TMaskedNumberEdit;

namespace {

LocaleFacts Germany() {
  LocaleFacts f;
  f.decimalSeparator = ",";
  f.thousandsSeparator = ".";
  f.currencySymbol = "\u20AC";
  f.currencyPosition = quandrel::CurrencyPosition::AfterWithSpace;
  f.negativeMoney = quandrel::NegativeMoneyForm::MinusFirst;
  f.countryCode = 49;
  return f;
}

// A window with the field under test and a second field to move the focus to.
struct Form {
  QWidget window;
  QLineEdit* other = nullptr;

  explicit Form(QWidget* field) {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(field);
    other = new QLineEdit(&window);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
  }
  bool ready() { return QTest::qWaitForWindowActive(&window); }
  void leave() { other->setFocus(Qt::TabFocusReason); }
};

}  // namespace

class FieldWidgetsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    quandrel::ResetWeekdayNames();
    quandrel::SetFixedToday(DateFromDMY(5, 1, 2026));
  }
  void cleanupTestCase() { quandrel::ClearFixedToday(); }

  void numberFieldsTakeWhatTheirMaskAllows_data() {
    QTest::addColumn<QString>("mask");
    QTest::addColumn<bool>("german");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("typed");  // the text after typing: refused keys missing
    QTest::addColumn<QString>("shown");  // after leaving the field
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("money") << "$###,###,###.##" << false << "1234.567"
                           << "1234.56"
                           << "$1,234.56" << true << 1234.56;
    QTest::newRow("money negative, letter refused") << "$###,###,###.##" << false << "-12a3"
                                                    << "-123"
                                                    << "($123.00)" << true << -123.0;
    QTest::newRow("money ten digits") << "$###,###,###.##" << false << "12345678901"
                                      << "123456789"
                                      << "$123,456,789.00" << true << 123456789.0;
    QTest::newRow("money emptied") << "$###,###,###.##" << false << ""
                                   << ""
                                   << "$0.00" << true << 0.0;
    QTest::newRow("money lone sign") << "$###,###,###.##" << false << "-"
                                     << "-"
                                     << "-" << false << 0.0;
    QTest::newRow("rate") << "##.####" << false << "8.25$"
                          << "8.25"
                          << "8.2500" << true << 8.25;
    QTest::newRow("rate two whole digits") << "##.####" << false << "123"
                                           << "12"
                                           << "12.0000" << true << 12.0;
    QTest::newRow("fine rate") << "##.#########" << false << "0.0136986301"
                               << "0.013698630"
                               << "0.013698630" << true << 0.01369863;
    QTest::newRow("count") << "iii,iii" << false << "-1,234.5"
                           << "-1,2345"
                           << "-1,2345" << false << 0.0;
    QTest::newRow("count grouped") << "iii,iii" << false << "-1234"
                                   << "-1234"
                                   << "-1,234" << true << -1234.0;
    QTest::newRow("unsigned count") << "999,999" << false << "-5"
                                    << "5"
                                    << "5" << true << 5.0;
    QTest::newRow("locale money") << "##,###,###.##CC" << true << "1234,5."
                                  << "1234,5" << QStringLiteral("1.234,50 \u20AC") << true << 1234.5;
  }

  void numberFieldsTakeWhatTheirMaskAllows() {
    QFETCH(QString, mask);
    QFETCH(bool, german);
    QFETCH(QString, keys);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, isNumber);
    QFETCH(double, value);

    auto* field = new TMaskedNumberEdit(mask.toStdString(), german ? Germany() : LocaleFacts{});
    Form form(field);
    QVERIFY(form.ready());
    field->setFocus(Qt::TabFocusReason);
    field->clear();
    QTest::keyClicks(field, keys);
    QCOMPARE(field->text(), typed);
    form.leave();
    QCOMPARE(field->text(), shown);
    QCOMPARE(field->value().has_value(), isNumber);
    if (isNumber)
      QCOMPARE(*field->value(), value);
  }

  void heldValueKeepsItsPrecisionUntilEdited() {
    auto* field = new TMaskedNumberEdit("$###,###,###.##", LocaleFacts{});
    Form form(field);
    QVERIFY(form.ready());
    QSignalSpy edited(field, &TMaskedNumberEdit::valueEdited);
    field->setValue(1234.5678);
    QCOMPARE(field->text(), QString("$1,234.57"));
    QCOMPARE(field->value(), std::optional<double>(1234.5678));
    // Leaving without an edit keeps the held value.
    field->setFocus(Qt::TabFocusReason);
    form.leave();
    QCOMPARE(field->value(), std::optional<double>(1234.5678));
    QCOMPARE(edited.count(), 0);
    // An edit replaces it with what was typed.
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClicks(field, "99.5");
    form.leave();
    QCOMPARE(field->value(), std::optional<double>(99.5));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.at(0).at(0).toDouble(), 99.5);
    // Return commits as leaving does.
    field->setFocus(Qt::TabFocusReason);
    field->selectAll();
    QTest::keyClicks(field, "-7");
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(field->text(), QString("($7.00)"));
  }

  void maskAndLocaleCanBeReplaced() {
    auto* field = new TMaskedNumberEdit("$###,###,###.##", LocaleFacts{});
    Form form(field);
    field->setValue(-1234.5);
    field->setLocaleFacts(Germany());
    field->setMask("##,###,###.##CC");
    QCOMPARE(field->text(), QStringLiteral("-1.234,50 \u20AC"));
    QCOMPARE(field->value(), std::optional<double>(-1234.5));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, field->setMask("mm/dd/yyyy"));
  }

  void keypadDecimalTypesTheLocaleSeparator() {
    auto* field = new TMaskedNumberEdit("##.####", Germany());
    Form form(field);
    QVERIFY(form.ready());
    field->setFocus(Qt::TabFocusReason);
    field->clear();
    QTest::keyClick(field, Qt::Key_8);
    QTest::keyClick(field, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(field, "25");
    QCOMPARE(field->text(), QString("8,25"));
    // The main keyboard's "." is the German thousands separator: refused.
    QTest::keyClick(field, '.');
    QCOMPARE(field->text(), QString("8,25"));
  }

  void resultFieldsCanBeCopiedButNotEdited() {
    auto* result = new TMaskedNumberEdit("$###,###,###.##", LocaleFacts{});
    Form form(result);
    QVERIFY(form.ready());
    const QColor entryBackground = result->palette().color(QPalette::Base);
    result->setReadOnly(true);
    result->setValue(1050);
    QVERIFY(result->palette().color(QPalette::Base) != entryBackground);
    QCOMPARE(result->palette().color(QPalette::Base), result->palette().color(QPalette::Window));
    QVERIFY(result->property("resultField").toBool());
    result->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(result, "9");
    QTest::keyClick(result, Qt::Key_Backspace);
    QCOMPARE(result->text(), QString("$1,050.00"));
    result->selectAll();
    QCOMPARE(result->selectedText(), QString("$1,050.00"));
    result->setReadOnly(false);
    QCOMPARE(result->palette().color(QPalette::Base), entryBackground);
  }

  void dateFieldsReadTwoDigitYearsInTheirWindow_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("date");
    QTest::addColumn<QString>("weekday");

    QTest::newRow("start date") << 1950 << "1/5/26"
                                << "01/05/2026" << DateFromDMY(5, 1, 2026) << "Monday";
    QTest::newRow("start date 49") << 1950 << "12/31/49"
                                   << "12/31/2049" << DateFromDMY(31, 12, 2049) << "Friday";
    QTest::newRow("end date 79") << 1980 << "12/31/79"
                                 << "12/31/2079" << DateFromDMY(31, 12, 2079) << "Sunday";
    QTest::newRow("end date 80") << 1980 << "1/1/80"
                                 << "01/01/1980" << DateFromDMY(1, 1, 1980) << "Tuesday";
    QTest::newRow("letters refused") << 1980 << "1/x1/2026"
                                     << "01/01/2026" << DateFromDMY(1, 1, 2026) << "Thursday";
  }

  void dateFieldsReadTwoDigitYearsInTheirWindow() {
    QFETCH(int, window);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, date);
    QFETCH(QString, weekday);

    auto* field = new TDateEdit;
    field->setTwoDigitYearWindow(window);
    Form form(field);
    QVERIFY(form.ready());
    QSignalSpy changed(field, &TDateEdit::dateChanged);
    QSignalSpy finished(field, &TDateEdit::editingFinished);
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(field->lineEdit(), keys);
    // The weekday follows the text while it is typed.
    QCOMPARE(field->weekdayName(), weekday);
    form.leave();
    QCOMPARE(field->lineEdit()->text(), shown);
    QCOMPARE(field->date(), date);
    QCOMPARE(field->weekdayLabel()->text(), weekday);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toInt(), date);
    QCOMPARE(finished.count(), 1);
  }

  void invalidDateGivesBadDateAndNoWeekday() {
    auto* field = new TDateEdit;
    Form form(field);
    QVERIFY(form.ready());
    field->setDate(DateFromDMY(5, 1, 2026));
    QSignalSpy changed(field, &TDateEdit::dateChanged);
    field->setFocus(Qt::TabFocusReason);
    field->lineEdit()->selectAll();
    QTest::keyClicks(field->lineEdit(), "2/30/2026");
    form.leave();
    QCOMPARE(field->lineEdit()->text(), QString("2/30/2026"));  // left for correction
    QCOMPARE(field->date(), BadDate);
    QCOMPARE(field->weekdayName(), QString());
    QCOMPARE(changed.count(), 0);

    field->setDate(BadDate);
    QCOMPARE(field->lineEdit()->text(), QString());
    QCOMPARE(field->weekdayName(), QString());
    field->setDate(quandrel::kLastDayNumber + 1);
    QCOMPARE(field->date(), BadDate);
  }

  void spinnerAndKeysStepOneDay() {
    auto* field = new TDateEdit;
    Form form(field);
    QVERIFY(form.ready());
    field->setDate(DateFromDMY(5, 1, 2026));
    QSignalSpy changed(field, &TDateEdit::dateChanged);

    QTest::mouseClick(field->upButton(), Qt::LeftButton);
    QCOMPARE(field->lineEdit()->text(), QString("01/06/2026"));
    QCOMPARE(field->weekdayName(), QString("Tuesday"));
    QTest::mouseClick(field->downButton(), Qt::LeftButton);
    QTest::mouseClick(field->downButton(), Qt::LeftButton);
    QCOMPARE(field->date(), DateFromDMY(4, 1, 2026));
    QCOMPARE(field->weekdayName(), QString("Sunday"));
    QCOMPARE(changed.count(), 3);

    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field->lineEdit(), Qt::Key_Up);
    QTest::keyClick(field->lineEdit(), Qt::Key_Up);
    QCOMPARE(field->date(), DateFromDMY(6, 1, 2026));
    QTest::keyClick(field->lineEdit(), Qt::Key_PageDown);
    QCOMPARE(field->date(), DateFromDMY(5, 1, 2026));
    QTest::keyClick(field->lineEdit(), Qt::Key_PageUp);
    QCOMPARE(field->date(), DateFromDMY(6, 1, 2026));
    // Across a month and a leap day.
    field->setDate(DateFromDMY(28, 2, 2024));
    field->stepBy(1);
    QCOMPARE(field->lineEdit()->text(), QString("02/29/2024"));
    field->stepBy(1);
    QCOMPARE(field->lineEdit()->text(), QString("03/01/2024"));
  }

  void steppingStaysInTheCalendarAndStartsFromToday() {
    auto* field = new TDateEdit;
    Form form(field);
    field->setDate(quandrel::kLastDayNumber);
    QTest::mouseClick(field->upButton(), Qt::LeftButton);
    QCOMPARE(field->lineEdit()->text(), QString("12/31/3999"));
    field->setDate(0);
    QTest::mouseClick(field->downButton(), Qt::LeftButton);
    QCOMPARE(field->lineEdit()->text(), QString("01/01/1600"));
    QCOMPARE(field->weekdayName(), QString("Saturday"));
    // Without a date the spinner starts from today (fixed to 5 January 2026).
    field->setDate(BadDate);
    QTest::mouseClick(field->upButton(), Qt::LeftButton);
    QCOMPARE(field->lineEdit()->text(), QString("01/06/2026"));
  }

  void labelsAndWeekdayNameFocusTheDate() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* caption = new QLabel("&Start Date?:", &window);
    auto* other = new QLineEdit(&window);
    auto* field = new TDateEdit(&window);
    field->setObjectName("oedStartDate");
    caption->setBuddy(field);
    layout->addWidget(caption);
    layout->addWidget(other);
    layout->addWidget(field);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(window.findChild<TDateEdit*>("oedStartDate"), field);

    other->setFocus();
    QTest::keyClick(&window, Qt::Key_S, Qt::AltModifier);
    QTRY_VERIFY(field->lineEdit()->hasFocus());

    other->setFocus();
    QTest::mouseClick(field->weekdayLabel(), Qt::LeftButton);
    QVERIFY(field->lineEdit()->hasFocus());
  }

  void pictureCanBeReplaced() {
    auto* field = new TDateEdit;
    Form form(field);
    field->setDate(DateFromDMY(5, 1, 2026));
    field->setDatePicture("dd.mm.yyyy");
    QCOMPARE(field->lineEdit()->text(), QString("05.01.2026"));
    QCOMPARE(field->date(), DateFromDMY(5, 1, 2026));
  }
};

QTEST_MAIN(FieldWidgetsTest)
#include "field_widgets_test.moc"
