#include "UpDownControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>
#include <limits>

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
    up_ = MakeButton(Qt::UpArrow, "UpButton");
    down_ = MakeButton(Qt::DownArrow, "DownButton");
    connect(up_, &QToolButton::clicked, this, [this] { Step(true); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(false); });
    resize(Width, 21);
}

QToolButton* UpDownControl::MakeButton(Qt::ArrowType arrow, const char* name) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void UpDownControl::resizeEvent(QResizeEvent*) {
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}

// Positions are 16-bit; a range beyond that is narrowed to it.
void UpDownControl::SetRange(int minimum, int maximum) {
    constexpr int lowest = std::numeric_limits<int16_t>::min();
    constexpr int highest = std::numeric_limits<int16_t>::max();
    minimum_ = std::clamp(minimum, lowest, highest);
    maximum_ = std::clamp(std::max(minimum, maximum), lowest, highest);
    position_ = Clamped(position_);
}

int UpDownControl::Clamped(int position) const {
    return std::clamp(position, minimum_, maximum_);
}

void UpDownControl::SetPosition(int position) {
    position_ = Clamped(position);
    WriteAssociate();
}

void UpDownControl::StorePosition(int position) {
    position_ = Clamped(position);
}

void UpDownControl::SetAssociate(QLineEdit* field) {
    if (associate_ != nullptr) {
        associate_->removeEventFilter(this);
    }
    associate_ = field;
    if (field != nullptr) {
        setParent(field->parentWidget());
        setGeometry(field->geometry().right() + 1, field->y(), Width, field->height());
        field->installEventFilter(this);
    }
}

void UpDownControl::Step(bool up) {
    emit Clicked(up);
    const int next = Clamped(position_ + (up ? 1 : -1));
    if (associate_ == nullptr) {
        position_ = next;
        return;
    }
    SetPosition(next);
}

void UpDownControl::WriteAssociate() {
    if (associate_ != nullptr) {
        associate_->setText(QString::number(position_));
    }
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    // The event type first: while the field is being destroyed it still sends events here, and
    // it is no longer a QLineEdit that the guarded pointer could be compared as.
    if (event->type() == QEvent::KeyPress && watched == associate_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && isEnabled() &&
            !associate_->isReadOnly()) {
            Step(key == Qt::Key_Up);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
