#pragma once

// The date field of the calculator windows: the weekday name (display only),
// the date text under the date picture, and a spinner of one day.
//
// - The text accepts what the picture allows (mask_format.h): "1/5/26",
//   "01/05/2026" or "01052026" under "mm/dd/yyyy". A one- or two-digit year
//   is placed by the field's two-digit-year window (1980 unless set).
// - Leaving the text or pressing Return shows a valid date in full
//   ("01/05/2026"); text that is not a date stays as typed, date() is then
//   BadDate and the weekday name is empty.
// - The weekday name follows the text as it is typed: the name of the date
//   the text reads as, or nothing.
// - The up and down buttons, the Up and Down keys and PageUp and PageDown
//   step one day later or earlier, within 1 January 1600 .. 31 December
//   3999. A field without a date steps from today.
// - Clicking the weekday name, or the accelerator of a label whose buddy is
//   this field, focuses the date text.

#include <QString>
#include <QWidget>
#include <string>
#include <string_view>

#include "core/foundation/global_types.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace quandrel {

class TDateTextValidator;

class TDateEdit : public QWidget {
  Q_OBJECT

 public:
  explicit TDateEdit(QWidget* parent = nullptr);

  // The date of the text, or BadDate.
  DayNumber date() const;
  // Shows the date (a day number outside the calendar, BadDate included,
  // empties the field).
  void setDate(DayNumber date);
  // The weekday name shown: the date's name, or empty without a date.
  QString weekdayName() const;

  void setTwoDigitYearWindow(int windowStart);
  int twoDigitYearWindow() const { return m_windowStart; }
  // Replaces the date picture (the window's locale rule); the date is shown
  // again under the new picture.
  void setDatePicture(std::string_view picture);
  const std::string& datePicture() const { return m_picture; }

  // Moves the date by `days` (the spinner does it by one).
  void stepBy(int days);

  void setReadOnly(bool readOnly);
  bool isReadOnly() const;

  QLineEdit* lineEdit() const { return m_edit; }
  QLabel* weekdayLabel() const { return m_weekday; }
  QToolButton* upButton() const { return m_up; }
  QToolButton* downButton() const { return m_down; }

 signals:
  // The date held changed to another valid date: by setDate, a step, or the
  // user leaving the text with a new date.
  void dateChanged(int date);
  // The user left the date text or pressed Return in it, whatever the text.
  void editingFinished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void commitText();
  void showDate(DayNumber date);
  void refreshWeekday();
  void noteDate(DayNumber date);
  void fitWidths();

  std::string m_picture;
  int m_windowStart;
  DayNumber m_date = BadDate;  // the last valid date held
  QLabel* m_weekday;
  QLineEdit* m_edit;
  QToolButton* m_up;
  QToolButton* m_down;
  TDateTextValidator* m_validator;
};

}  // namespace quandrel
