#include "gui/shell/interest_window.h"

#include <QStatusBar>

#include "gui/widgets/date_edit.h"
#include "gui/widgets/masked_number_edit.h"

namespace quandrel {

namespace f = interest_field;

TcalcInterest::TcalcInterest(CalculatorContext& context, QWidget* parent)
    : TcalcWindow(std::make_unique<TbufInterest>(context.services), context, parent) {
  setObjectName(QStringLiteral("calcInterest"));
}

void TcalcInterest::ConnectFields() {
  auto* days = static_cast<TMaskedNumberEdit*>(FieldWidget(f::Days));
  connect(days, &TMaskedNumberEdit::valueEdited, this, [this] {
    if (!Transferring()) {
      DaysEdited();
    }
  });
  for (std::string_view id : {f::StartDate, f::EndDate}) {
    auto* date = static_cast<TDateEdit*>(FieldWidget(id));
    // A new valid date, typed and left, or stepped by the spinner or the keys.
    connect(date, &TDateEdit::dateChanged, this, [this] {
      if (!Transferring()) {
        DateEdited();
      }
    });
  }
}

void TcalcInterest::DaysEdited() {
  RunGuarded([this] {
    for (std::string_view id : {f::Days, f::StartDate, f::EndDate}) {
      FieldToRecord(id);
    }
    if (Interest().DaysChanged()) {
      RecordToField(f::StartDate);
      RecordToField(f::EndDate);
    } else {
      StatusBar()->showMessage(QStringLiteral("The dates would leave the calendar (1600 to 3999)."), 5000);
    }
  });
}

void TcalcInterest::DateEdited() {
  RunGuarded([this] {
    // A date field whose text is not a date is left alone.
    for (std::string_view id : {f::StartDate, f::EndDate}) {
      if (static_cast<TDateEdit*>(FieldWidget(id))->date() == BadDate) {
        return;
      }
    }
    FieldToRecord(f::StartDate);
    FieldToRecord(f::EndDate);
    Interest().DateChanged();
    RecordToField(f::Days);
  });
}

}  // namespace quandrel
