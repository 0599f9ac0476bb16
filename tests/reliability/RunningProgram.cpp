#include "RunningProgram.h"

#include <QElapsedTimer>
#include <cstdio>

#include "ProcessingWait.h"
#include "TForm_Main.h"

void RunningProgram::TearDown() {
    if (windows_ != nullptr) {
        ExpectClosedInTime(CloseProgram());
    }
    units_.clear();
}

sim::SimulatedUnit& RunningProgram::AddUnit(sim::Options options, unsigned port) {
    units_.push_back(sandbox_.StartUnit(options, port));
    EXPECT_NE(units_.back(), nullptr);
    return *units_.back();
}

void RunningProgram::Open() {
    windows_ = std::make_unique<ProgramWindows>([](const QString&) {});
    QObject::connect(&windows_->Main(), &QWidget::windowTitleChanged,
                     [this](const QString& title) { captions_ << title; });
    windows_->Main().show();
}

qint64 RunningProgram::CloseProgram() {
    QElapsedTimer timer;
    timer.start();
    windows_->Main().close();
    windows_.reset();
    return timer.elapsed();
}

void RunningProgram::ExpectClosedInTime(qint64 milliseconds) {
    std::printf("closing took %lld ms\n", static_cast<long long>(milliseconds));
    EXPECT_LT(milliseconds, CloseDeadlineMs) << "closing took too long";
}

bool RunningProgram::Hears(const sim::SimulatedUnit& unit, std::size_t count) {
    return WaitUntil([&] { return unit.commands().size() >= count; }, 30000);
}

bool RunningProgram::WaitUntil(const std::function<bool()>& condition, int deadlineMs) {
    return WaitProcessingEvents(condition, deadlineMs);
}

bool RunningProgram::ConnectedVia(unsigned port) {
    const QString caption =
        QStringLiteral("Kalvio - Quenzel AG    [Verbunden über COM%1]").arg(port);
    return WaitUntil([&] { return windows_->Main().windowTitle() == caption; });
}

bool RunningProgram::Searching() const {
    return windows_->Main().windowTitle().contains(QStringLiteral("Verbindung suchen über"));
}

QLineEdit* RunningProgram::Field(const char* name) const {
    auto* field = windows_->Main().findChild<QLineEdit*>(QLatin1String(name));
    EXPECT_NE(field, nullptr) << name;
    return field;
}

bool RunningProgram::FieldShows(const char* name, const QString& text) {
    QLineEdit* field = Field(name);
    return field != nullptr && WaitUntil([&] { return field->text() == text; });
}

bool RunningProgram::StartPageShowsUnknown() const {
    QLineEdit* mode = Field("Edit_StartModus");
    return mode != nullptr && mode->text() == QStringLiteral("?");
}
