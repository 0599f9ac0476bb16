// An up-down control: two small arrow buttons beside an edit field. Its position is a 16-bit
// signed number held within Minimum..Maximum; a step is 1 and there is no wrap-around.
//
// Joined to an edit field (SetAssociate), a click or the Up/Down arrow key in the field moves
// the position one step and writes it into the field in decimal, without thousands
// separators; setting the position writes it too. Not joined, it only reports its clicks.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>

class QLineEdit;
class QToolButton;

class UpDownControl : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Width = 17;

    explicit UpDownControl(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

    int Position() const { return position_; }
    // Clamped to the range; a joined field is rewritten with the (clamped) position.
    void SetPosition(int position);
    // Only the number: the field is left as it is (the field check keeps both in step).
    void StorePosition(int position);

    // Joins the control to a field: it sits right beside it, takes over its arrow keys
    // and writes every new position into it.
    void SetAssociate(QLineEdit* field);
    QLineEdit* Associate() const { return associate_; }

    // One step, as a click on the upper (up) or lower button does.
    void Step(bool up);

    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

  signals:
    // A click on a button (also when not joined), before the position moves.
    void Clicked(bool up);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QToolButton* MakeButton(Qt::ArrowType arrow, const char* name);
    void WriteAssociate();
    int Clamped(int position) const;

    QToolButton* up_;
    QToolButton* down_;
    QPointer<QLineEdit> associate_;
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
};
