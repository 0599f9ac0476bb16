// The controls of one integer field, named after its setting (for "StartDelay": Label_StartDelay,
// Edit_StartDelay, UpDown_StartDelay, Label_StartDelayEinheit, Label_StartDelayWertebereich),
// laid out as a column: the label, the money green field of 96 pixels with its up-down control
// and the unit after it, and the grey range label below. Its check is made with it; the
// dialog connects the field's change handler to Check->Run().
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QString>

#include "IntegerFieldCheck.h"
#include "UpDownControl.h"

class IntegerFieldRow {
  public:
    static constexpr int FieldWidth = 96;
    static constexpr int FieldHeight = 21;

    struct Texts {
        QString label;  // "Signallaufzeit:"
        QString unit;   // "ms"
        QString range;  // "[0..16000]"
    };

    IntegerFieldRow(QWidget* parent, const QString& name, QPoint topLeft, int minimum, int maximum,
                    int initial, const Texts& texts, QAbstractButton* okButton, QWidget* dialog);

    QLabel* Label;
    QLineEdit* Edit;
    UpDownControl* UpDown;
    QLabel* Einheit;
    QLabel* Wertebereich;
    IntegerFieldCheck* Check;
};
