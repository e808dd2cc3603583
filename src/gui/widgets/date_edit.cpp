#include "gui/widgets/date_edit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/foundation/date_arithmetic.h"
#include "core/foundation/mask_format.h"
#include "core/foundation/masks.h"
#include "gui/widgets/mask_validators.h"

namespace quandrel {

TDateEdit::TDateEdit(QWidget* parent)
    : QWidget(parent),
      m_picture(kDesignedDatePicture),
      m_windowStart(kTwoDigitYearWindowStart),
      m_weekday(new QLabel(this)),
      m_edit(new QLineEdit(this)),
      m_up(new QToolButton(this)),
      m_down(new QToolButton(this)),
      m_validator(new TDateTextValidator(m_picture, m_windowStart, this)) {
  m_weekday->setObjectName(QStringLiteral("weekday"));
  m_edit->setObjectName(QStringLiteral("dateText"));
  m_up->setObjectName(QStringLiteral("stepUp"));
  m_down->setObjectName(QStringLiteral("stepDown"));

  m_weekday->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  m_weekday->installEventFilter(this);
  m_edit->setValidator(m_validator);
  m_edit->installEventFilter(this);
  for (QToolButton* button : {m_up, m_down}) {
    button->setFocusPolicy(Qt::NoFocus);  // the focus stays in the text
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
  }
  m_up->setArrowType(Qt::UpArrow);
  m_down->setArrowType(Qt::DownArrow);
  m_up->setToolTip(tr("Next day"));
  m_down->setToolTip(tr("Previous day"));
  connect(m_up, &QToolButton::clicked, this, [this] { stepBy(1); });
  connect(m_down, &QToolButton::clicked, this, [this] { stepBy(-1); });
  connect(m_edit, &QLineEdit::textChanged, this, &TDateEdit::refreshWeekday);

  auto* spinner = new QVBoxLayout;
  spinner->setContentsMargins(0, 0, 0, 0);
  spinner->setSpacing(0);
  spinner->addWidget(m_up);
  spinner->addWidget(m_down);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  row->addWidget(m_weekday);
  row->addWidget(m_edit, 1);
  row->addLayout(spinner);

  setFocusProxy(m_edit);
  setFocusPolicy(m_edit->focusPolicy());
  fitWidths();
}

DayNumber TDateEdit::date() const {
  const std::optional<DayNumber> typed =
      ParseDateText(m_edit->text().toStdString(), m_picture, m_windowStart);
  return typed.value_or(BadDate);
}

void TDateEdit::setDate(DayNumber date) {
  if (!IsValidDate(date))
    date = BadDate;
  showDate(date);
  noteDate(date);
}

QString TDateEdit::weekdayName() const {
  return m_weekday->text();
}

void TDateEdit::setTwoDigitYearWindow(int windowStart) {
  m_windowStart = windowStart;
  m_validator->setTwoDigitYearWindow(windowStart);
  refreshWeekday();
}

void TDateEdit::setDatePicture(std::string_view picture) {
  const DayNumber current = date();
  m_picture = std::string(picture);
  m_validator->setPicture(m_picture);
  if (current != BadDate)
    showDate(current);
  else
    refreshWeekday();
  fitWidths();
}

void TDateEdit::stepBy(int days) {
  if (isReadOnly())
    return;
  DayNumber from = date();
  if (from == BadDate)
    from = Today();
  if (from == BadDate)
    return;
  const long long stepped =
      std::clamp<long long>(static_cast<long long>(from) + days, kFirstDayNumber, kLastDayNumber);
  const auto next = static_cast<DayNumber>(stepped);
  showDate(next);
  noteDate(next);
}

void TDateEdit::setReadOnly(bool readOnly) {
  m_edit->setReadOnly(readOnly);
  m_up->setEnabled(!readOnly);
  m_down->setEnabled(!readOnly);
}

bool TDateEdit::isReadOnly() const {
  return m_edit->isReadOnly();
}

void TDateEdit::showDate(DayNumber date) {
  m_edit->setText(date == BadDate ? QString() : QString::fromStdString(DateText(m_picture, date)));
  refreshWeekday();
}

void TDateEdit::noteDate(DayNumber date) {
  if (date == BadDate || date == m_date)
    return;
  m_date = date;
  emit dateChanged(date);
}

void TDateEdit::commitText() {
  const DayNumber typed = date();
  if (typed == BadDate)
    return;  // not a date: left as typed
  showDate(typed);
  noteDate(typed);
}

void TDateEdit::refreshWeekday() {
  const DayNumber typed = date();
  m_weekday->setText(typed == BadDate ? QString() : QString::fromStdString(DayName(typed)));
}

void TDateEdit::fitWidths() {
  // Room for the longest weekday name and for a full date in the picture.
  const QFontMetrics metrics(font());
  int nameWidth = 0;
  for (DayNumber day = 0; day < 7; ++day)
    nameWidth = std::max(nameWidth, metrics.horizontalAdvance(QString::fromStdString(DayName(day))));
  m_weekday->setMinimumWidth(nameWidth + 4);
  const QString widest = QString::fromStdString(DateText(m_picture, DateFromDMY(28, 12, 2088)));
  const int frame = 2 * m_edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_edit);
  m_edit->setMinimumWidth(metrics.horizontalAdvance(widest) + frame + 12);
  const int buttonWidth = std::max(12, metrics.height());
  m_up->setFixedWidth(buttonWidth);
  m_down->setFixedWidth(buttonWidth);
}

void TDateEdit::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange)
    fitWidths();
}

bool TDateEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_weekday && event->type() == QEvent::MouseButtonPress) {
    m_edit->setFocus(Qt::MouseFocusReason);
    return true;
  }
  if (watched == m_edit) {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_PageUp:
          stepBy(1);
          return true;
        case Qt::Key_Down:
        case Qt::Key_PageDown:
          stepBy(-1);
          return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
          commitText();
          emit editingFinished();
          return false;  // the window's default button still sees it
        default:
          break;
      }
    } else if (event->type() == QEvent::FocusOut) {
      const auto* focus = static_cast<QFocusEvent*>(event);
      if (focus->reason() != Qt::PopupFocusReason) {
        commitText();
        emit editingFinished();
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace quandrel
