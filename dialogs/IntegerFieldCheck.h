// The check of an integer field: an edit joined to an up-down control whose minimum and
// maximum are the field's range. It runs on every change of the field's text (typing,
// pasting, an up-down click, the arrow keys, or a write by the dialog itself):
//
//   - dialog not visible: the field is valid (accepted colour) and OK enabled;
//   - empty text, or "-" alone where the range includes negative numbers: red, OK disabled,
//     the text left as it is so the user can go on typing;
//   - otherwise the text is read as a signed decimal number (not a number: the last accepted
//     position), clamped to the range and, where its decimal form differs from the text
//     (out of range, not a number, leading zeros, a plus sign), the text is rewritten;
//     the position takes the value and OK is enabled (with a partner field, only while the
//     partner is valid too).
//
// How a dialog uses it (see IntegerFieldRow for the controls):
//
//     check_ = new IntegerFieldCheck(Edit_StartDelay, UpDown_StartDelay, BitBtn_OK, this);
//     connect(Edit_StartDelay, &QLineEdit::textChanged, this, &X::Edit_StartDelayChange);
//     void X::Edit_StartDelayChange() { check_->Run(); }
//     void X::FormShow() { check_->Prefill(DeviceState().StartDelayMS); }
//     OK: UpDown_StartDelay->Position() is the accepted value.
//
// A dialog that writes the field itself without a check (the factor dialog's output) turns
// the checks off around its write (SetChecksOn), chooses the colour of an accepted field
// (SetAcceptedColour) and is told after every accepted text (SetAfterAccept).
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

#include "UpDownControl.h"

class IntegerFieldCheck : public QObject {
    Q_OBJECT
  public:
    // What the check makes of one text; the part without widgets.
    struct Verdict {
        bool valid = false;    // false: red, OK disabled, text kept
        int value = 0;         // the accepted number, within the range
        bool rewrite = false;  // the text differs from value's decimal form
    };
    static Verdict Judge(const QString& text, int minimum, int maximum, int lastAccepted);
    // The text without leading and trailing blanks and control characters.
    static QString Stripped(const QString& text);

    IntegerFieldCheck(QLineEdit* field, UpDownControl* upDown, QAbstractButton* okButton,
                      QWidget* dialog);

    // The two-field rule: after this field is accepted, OK follows the partner's validity.
    void SetPartner(const IntegerFieldCheck* partner) { partner_ = partner; }
    void SetChecksOn(bool on) { checksOn_ = on; }
    bool ChecksOn() const { return checksOn_; }
    void SetAcceptedColour(const QColor& colour) { acceptedColour_ = colour; }
    void SetAfterAccept(std::function<void()> afterAccept) {
        afterAccept_ = std::move(afterAccept);
    }

    // The check itself; the field's change handler calls it.
    void Run();
    // Pre-filling on show: the value goes through the up-down control into the field and
    // is checked, also when the field already showed that text.
    void Prefill(int value);

    // Not red.
    bool IsValid() const;
    QLineEdit* Field() const { return field_; }
    UpDownControl* UpDown() const { return upDown_; }

  private:
    void Accept(bool enableOk);
    void Reject();
    void Rewrite(int value);

    QPointer<QLineEdit> field_;
    QPointer<UpDownControl> upDown_;
    QPointer<QAbstractButton> okButton_;
    QPointer<QWidget> dialog_;
    const IntegerFieldCheck* partner_ = nullptr;
    QColor acceptedColour_;
    std::function<void()> afterAccept_;
    bool checksOn_ = true;
    bool rewriting_ = false;
    bool ran_ = false;
};
