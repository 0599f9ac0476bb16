// What the start and speed pages share: the mode row, the diagram's box with the mode's name and
// picture, the rotary switch and Reset; the common half of the layout routine, the mode display
// and the value display. Each page adds its lines, its value rows and which of them each mode
// shows. Its routines run on the GUI thread.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "DeviceStateRecord.h"
#include "RotarySwitch.h"
#include "ShapeWidget.h"

class SignalPage {
  public:
    virtual ~SignalPage();

    // Arranges the page for mode m (a number the page has no picture for counts as 0).
    void Layout(int mode);
    // The mode's name, or "?" for a mode not read; a new mode number lays the page out anew.
    void ModeDisplay(int mode, const QString& text);
    // The page's part of the page reset: "?" in the mode field, layout of mode 0.
    void Reset();

    // The page's part of the input/output display.
    void ShowLinesUnknown();
    void ShowSwitchInUse(uint32_t word1);
    void ShowSwitchUnused();

    // The shared controls; each page also names them as its own (Edit_StartModus, ...).
    QLineEdit* Edit_Modus;
    QToolButton* SpeedButton_Modus;
    ShapeWidget* Shape_Uebersicht;
    QLabel* Label_Modus;
    QLabel* Image_Uebersicht;
    QToolButton* SpeedButton_Reset;

  protected:
    using Picture = std::function<QPixmap(int mode, qreal devicePixelRatio)>;
    // Names its controls <kind>_<signal>Modus and so on, as the page's others are named.
    SignalPage(QWidget* tabSheet, const QString& signal, const QColor& boxFill, Picture picture,
               int modeCount, std::atomic<int32_t>& modeShown, DeviceStateRecord& deviceState);

    // One value row under the box: labels, read-only fields, the button that edits the value.
    struct ValueRow {
        std::vector<QLabel*> labels;
        std::vector<QLineEdit*> fields;
        QToolButton* button;
    };
    // The elements a mode shows (true) or hides (false), one flag a mode, mode 0 first.
    struct Shown {
        std::vector<QWidget*> elements;
        std::vector<bool> inMode;
    };
    static constexpr bool X = true;   // shown
    static constexpr bool o = false;  // hidden
    static constexpr int LabelRowTop = 169;
    static constexpr int FieldRowTop = 185;

    // Called once the page has made its rows and lines; the layout routine works on them.
    // lines go black in a new layout and gray when their state is unknown, when lineLabels
    // lose their "1" or "0"; diagramLabels lose their text in a new layout.
    void TakeParts(std::vector<ValueRow> rows, std::vector<ShapeWidget*> lines,
                   std::vector<QLabel*> lineLabels, std::vector<QLabel*> diagramLabels);
    // A value row centred under the box: its label over the box's width, the money green field
    // and its button; named Label_<value>, Edit_<value>, SpeedButton_<value>.
    std::tuple<QLabel*, QLineEdit*, QToolButton*> CentredValueRow(const QString& value,
                                                                  const QString& caption,
                                                                  int buttonLeft);
    // The money green value field; the button edits the value unless it is "?".
    static void ShowValue(QLineEdit* field, const QString& text, QToolButton* button = nullptr);
    void ShowLinesKnown();
    bool UnitIs(const char* type) const;

    // The page's own part of the layout for a mode already in range.
    virtual std::vector<Shown> ShownInMode() const = 0;
    virtual void PlaceForMode(int mode);

    QGroupBox* diagram_;
    std::unique_ptr<RotarySwitch> rotarySwitch_;

  private:
    void ClearValues();
    void ApplyShown(int mode);

    const int modeCount_;
    std::atomic<int32_t>& modeShown_;
    DeviceStateRecord& deviceState_;
    std::vector<QLabel*> modePictures_;
    std::vector<ValueRow> rows_;
    std::vector<ShapeWidget*> lines_;
    std::vector<QLabel*> lineLabels_;
    std::vector<QLabel*> diagramLabels_;
};
