#include "TerminationSignals.h"

#include <QSocketNotifier>

TerminationSignals::TerminationSignals() {
    if (stop_.Descriptor() < 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(stop_.Descriptor(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        stop_.Drain();
        emit Requested();
    });
}

TerminationSignals::~TerminationSignals() = default;
