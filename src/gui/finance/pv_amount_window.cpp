#include "gui/finance/pv_amount_window.h"

#include <QStatusBar>

#include "gui/widgets/date_edit.h"
#include "gui/widgets/masked_number_edit.h"

namespace quandrel {

namespace f = pv_amount_field;

TcalcPVAmount::TcalcPVAmount(CalculatorContext& context, QWidget* parent)
    : TcalcWindow(std::make_unique<TbufPVAmount>(context.services), context, parent) {
  setObjectName(QStringLiteral("calcPVAmount"));
}

void TcalcPVAmount::ConnectFields() {
  auto* days = static_cast<TMaskedNumberEdit*>(FieldWidget(f::Days));
  connect(days, &TMaskedNumberEdit::valueEdited, this, [this] {
    if (!Transferring()) {
      DaysEdited();
    }
  });
  for (std::string_view id : {f::PresentDate, f::FutureDate}) {
    auto* date = static_cast<TDateEdit*>(FieldWidget(id));
    // A new valid date, typed and left, or stepped by the spinner or the keys.
    connect(date, &TDateEdit::dateChanged, this, [this] {
      if (!Transferring()) {
        DateEdited();
      }
    });
  }
}

void TcalcPVAmount::DaysEdited() {
  RunGuarded([this] {
    for (std::string_view id : {f::Days, f::PresentDate, f::FutureDate}) {
      FieldToRecord(id);
    }
    if (Buffer().DaysChanged()) {
      RecordToField(f::PresentDate);
      RecordToField(f::FutureDate);
    } else {
      StatusBar()->showMessage(QStringLiteral("The dates would leave the calendar (1600 to 3999)."), 5000);
    }
  });
}

void TcalcPVAmount::DateEdited() {
  RunGuarded([this] {
    // A date field whose text is not a date is left alone.
    for (std::string_view id : {f::PresentDate, f::FutureDate}) {
      if (static_cast<TDateEdit*>(FieldWidget(id))->date() == BadDate) {
        return;
      }
    }
    FieldToRecord(f::PresentDate);
    FieldToRecord(f::FutureDate);
    // Dates too far apart for the day count raise an error; the days stay.
    Buffer().DateChanged();
    RecordToField(f::Days);
  });
}

}  // namespace quandrel
