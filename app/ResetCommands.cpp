#include "ResetCommands.h"

#include <algorithm>

ResetCommands::ResetCommands(Writer writer, Redisplay redisplay, QObject* parent)
    : QObject(parent), writer_(std::move(writer)), redisplay_(std::move(redisplay)) {
    takenCheck_.setInterval(TakenCheckMs);
    connect(&takenCheck_, &QTimer::timeout, this, &ResetCommands::RedisplayOnceTaken);
}

void ResetCommands::PlaceOnClick(QToolButton* button, const char* resetCommand) {
    connect(button, &QToolButton::clicked, this,
            [this, button, resetCommand] { Place(button, resetCommand); });
}

void ResetCommands::Place(QToolButton* button, const char* resetCommand) {
    Thread_Write* writer = writer_();
    if (writer == nullptr) {
        return;
    }
    button->setEnabled(false);
    writer->SetSlot1(resetCommand);
    writer->SetSlot2("KONFIG.SAVE");
    writer->SetSlot3("RESET");
    takenCheck_.start();
}

// The mode usually reads the same after a reset, so the reader would not hand it over again
// by itself; a new display epoch makes it, and the mode display enables the button.
void ResetCommands::RedisplayOnceTaken() {
    Thread_Write* writer = writer_();
    if (writer != nullptr) {
        const auto held = writer->SlotsSnapshot();
        if (!std::all_of(held.begin(), held.end(),
                         [](const std::string& slot) { return slot.empty(); })) {
            return;
        }
    }
    takenCheck_.stop();
    redisplay_();
}
