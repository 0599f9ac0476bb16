#include "IntegerFieldCheck.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <algorithm>

#include "StateColours.h"
#include "UpDownControl.h"

namespace {

bool Trimmable(QChar c) {
    return c.unicode() <= 0x20 || c.unicode() == 0x7F;
}

// A signed decimal number: an optional sign and at least one ASCII digit, nothing else.
// Its magnitude is capped far beyond every range, so it always fits.
bool ReadDecimal(const QString& text, long long& value) {
    int index = 0;
    bool negative = false;
    if (index < text.size() && (text[index] == '-' || text[index] == '+')) {
        negative = text[index] == '-';
        ++index;
    }
    if (index == text.size()) {
        return false;
    }
    long long magnitude = 0;
    for (; index < text.size(); ++index) {
        const char16_t c = text[index].unicode();
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = std::min(magnitude * 10 + (c - '0'), 1000000000000LL);
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

QString IntegerFieldCheck::Stripped(const QString& text) {
    int first = 0;
    int last = int(text.size());
    while (first < last && Trimmable(text[first])) {
        ++first;
    }
    while (last > first && Trimmable(text[last - 1])) {
        --last;
    }
    return text.mid(first, last - first);
}

IntegerFieldCheck::Verdict IntegerFieldCheck::Judge(const QString& text, int minimum, int maximum,
                                                    int lastAccepted) {
    const QString taken = Stripped(text);
    if (taken.isEmpty() || (minimum < 0 && taken == QLatin1String("-"))) {
        return Verdict{};
    }
    long long read = lastAccepted;
    if (!ReadDecimal(taken, read)) {
        read = lastAccepted;
    }
    Verdict verdict;
    verdict.valid = true;
    verdict.value = int(std::clamp<long long>(read, minimum, maximum));
    verdict.rewrite = QString::number(verdict.value) != taken;
    return verdict;
}

IntegerFieldCheck::IntegerFieldCheck(QLineEdit* field, UpDownControl* upDown,
                                     QAbstractButton* okButton, QWidget* dialog)
    : QObject(field),
      field_(field),
      upDown_(upDown),
      okButton_(okButton),
      dialog_(dialog),
      acceptedColour_(state_colours::MoneyGreen) {}

void IntegerFieldCheck::Run() {
    if (rewriting_ || field_ == nullptr || upDown_ == nullptr) {
        return;
    }
    ran_ = true;
    if (!checksOn_ || dialog_ == nullptr || !dialog_->isVisible()) {
        Accept(true);
        return;
    }
    const Verdict verdict =
        Judge(field_->text(), upDown_->Minimum(), upDown_->Maximum(), upDown_->Position());
    if (!verdict.valid) {
        Reject();
        return;
    }
    state_colours::SetFieldColour(field_, state_colours::Field::Input, acceptedColour_);
    upDown_->StorePosition(verdict.value);
    if (verdict.rewrite) {
        Rewrite(verdict.value);
    }
    Accept(partner_ == nullptr || partner_->IsValid());
    if (afterAccept_) {
        afterAccept_();
    }
}

void IntegerFieldCheck::Prefill(int value) {
    ran_ = false;
    upDown_->SetPosition(value);
    if (!ran_) {
        Run();
    }
}

bool IntegerFieldCheck::IsValid() const {
    return field_ != nullptr && state_colours::FieldColour(field_) != state_colours::Red;
}

void IntegerFieldCheck::Accept(bool enableOk) {
    state_colours::SetFieldColour(field_, state_colours::Field::Input, acceptedColour_);
    if (okButton_ != nullptr) {
        okButton_->setEnabled(enableOk);
    }
}

void IntegerFieldCheck::Reject() {
    state_colours::SetFieldColour(field_, state_colours::Field::Input, state_colours::Red);
    if (okButton_ != nullptr) {
        okButton_->setEnabled(false);
    }
}

// The rewritten text is the accepted one: checking it again would find nothing to change.
void IntegerFieldCheck::Rewrite(int value) {
    rewriting_ = true;
    field_->setText(QString::number(value));
    rewriting_ = false;
}
