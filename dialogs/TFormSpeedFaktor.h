// The speed factor dialog: the factor by which the unit multiplies its measured input speed
// ("SPEED.FAKTOR", thousandths, -99.999 to 99.999). Either the factor is entered and the
// output speed it gives for the current input speed is shown, or the wanted output speed is
// entered and the factor computed from it. The input speed is live: the speed page hands every
// new measured value over (ShowInputSpeed), and the dialog recomputes, also while it is open.
//
//     The launcher:        FormSpeedFaktor->ShowModalCovered();
//     The speed page:      FormSpeedFaktor->ShowInputSpeed(QString::number(state.SpeedInput));
//                          or ShowInputSpeed("?") while the input speed is unknown.
//
// Factors are shown and read with the decimal separator of the default locale at creation;
// a typed text with another separator is not a number.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cstdint>

#include "IntegerFieldRow.h"
#include "ParameterDialogFrame.h"
#include "UpDownControl.h"

class TFormSpeedFaktor : public ParameterDialogFrame {
    Q_OBJECT
  public:
    static constexpr int ClientWidth = 517;

    TFormSpeedFaktor(QWidget* mainWindow, DeviceStateRecord& deviceState, Thread_Write* writer);

    // The speed page's hand-over of the measured input speed: its decimal form or "?". Only a
    // changed text recomputes; the computation itself takes the number from the device state.
    void ShowInputSpeed(const QString& text);

    char DecimalSeparator() const { return decimalSeparator_; }
    bool InFactorMode() const { return RadioButton_SpeedFaktorFaktor->isChecked(); }
    // What OK places into slot 1.
    std::string SettingCommand() const;

    // The factor in thousandths that OK sends.
    int32_t FaktorValue = 0;
    // False while the dialog writes a field itself, so that its own writes are not checked.
    bool ChecksOn = true;

    QLabel* Label_SpeedIst;
    QLineEdit* Edit_SpeedIst;
    QLabel* Label1;
    QLabel* Label_SpeedFaktorRechnung;
    QRadioButton* RadioButton_SpeedFaktorFaktor;
    QLabel* Label_SpeedFaktor;
    QLineEdit* Edit_SpeedFaktor;
    UpDownControl* UpDown_SpeedFaktor;
    QLabel* Label_SpeedFaktorWertebereich;
    QRadioButton* RadioButton_SpeedFaktorSoll;
    QLabel* Label_SpeedSoll;
    QLineEdit* Edit_SpeedSoll;
    UpDownControl* UpDown_SpeedSoll;
    QLabel* Label_SpeedSollEinheit;
    QLabel* Label_SpeedSollWertebereich;

    void RadioButton_SpeedFaktorFaktorClick();
    void RadioButton_SpeedFaktorSollClick();
    void UpDown_SpeedFaktorClick(bool up);
    // True when the key was a factor step and must not reach the field.
    bool Edit_SpeedFaktorKeyDown(const QKeyEvent* event);
    void Edit_SpeedFaktorChange();
    void Edit_SpeedSollChange();
    void Edit_SpeedIstChange();

  protected:
    void FormShow() override;
    void PlaceCommands() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildInputColumn();
    void BuildFactorColumn();
    void BuildOutputColumn();
    void BuildCalculationSigns();
    void ConnectHandlers();

    void SetChecksOn(bool on);
    void WriteUnchecked(QLineEdit* field, const QString& text);
    QString FactorText(int32_t thousandths) const;
    void StepFactor(int32_t delta);
    void RecomputeOutput();
    void RecomputeFactor();
    void UpdateOk();
    bool IsRed(const QLineEdit* field) const;

    char decimalSeparator_;
    IntegerFieldRow outputRow_;
};

// The program's one TFormSpeedFaktor; null until the entry point has made it.
extern TFormSpeedFaktor* FormSpeedFaktor;
