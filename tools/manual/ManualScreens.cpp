#include "ManualScreens.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "EnvironmentOverride.h"
#include "ProcessingWait.h"
#include "ProgramWindows.h"
#include "SimulatedUnit.h"
#include "StateFile.h"

namespace manual {

namespace {

constexpr int DeadlineMs = 20000;

bool WaitFor(const std::function<bool()>& condition) {
    return WaitProcessingEvents(condition, DeadlineMs);
}

class CurrentFolderOverride {
  public:
    explicit CurrentFolderOverride(const QString& folder) : previous_(QDir::currentPath()) {
        QDir::setCurrent(folder);
    }
    ~CurrentFolderOverride() { QDir::setCurrent(previous_); }
    CurrentFolderOverride(const CurrentFolderOverride&) = delete;
    CurrentFolderOverride& operator=(const CurrentFolderOverride&) = delete;

  private:
    QString previous_;
};

// Settings that show values on both signal pages (the factory settings switch both off).
sim::Settings ShownSettings() {
    sim::Settings settings;
    settings.startMode = 1;
    settings.startHighMs = 250;
    settings.startLowMs = 750;
    settings.speedMode = 1;
    settings.speedGenerator = 500;
    return settings;
}

struct Page {
    int index;
    const char* file;
};

const Page Pages[] = {
    {TForm_Main::PageStart, "startsignal.png"},
    {TForm_Main::PageSpeed, "geschwindigkeit.png"},
    {TForm_Main::PageUnit, "orvatronic.png"},
    {TForm_Main::PagePc, "pc.png"},
};
constexpr const char* DialogFile = "dialog-generator.png";

bool NoUnknownValueShown(QWidget* page) {
    for (const QLineEdit* field : page->findChildren<QLineEdit*>()) {
        if (field->isVisibleTo(page) && field->text() == QLatin1String("?")) {
            return false;
        }
    }
    return true;
}

}  // namespace

QStringList ScreenNames() {
    QStringList names;
    for (const Page& page : Pages) {
        names << QLatin1String(page.file);
    }
    names << QLatin1String(DialogFile);
    return names;
}

bool TakeScreens(const QString& folder, QString* error) {
    QTemporaryDir root;
    if (!root.isValid() || !QDir(root.path()).mkpath(QStringLiteral("BIN")) ||
        !QDir(root.path()).mkpath(QStringLiteral("ports"))) {
        *error = QStringLiteral("cannot make a temporary folder");
        return false;
    }
    const QString base = QDir(root.path()).canonicalPath();
    // Another running Kalvio keeps its single-instance lock elsewhere.
    EnvironmentOverride runtime("XDG_RUNTIME_DIR", QFile::encodeName(base));
    EnvironmentOverride ports("KALVIO_DOSDEVICES", QFile::encodeName(base + "/ports"));
    // The program lays out its data folders beside its start folder.
    CurrentFolderOverride startFolder(base + "/BIN");

    const std::string stateFile = QFile::encodeName(base + "/unit-state").toStdString();
    if (!sim::StateFile(stateFile).save(ShownSettings())) {
        *error = QStringLiteral("cannot write the simulated unit's settings");
        return false;
    }
    sim::Options options;
    options.folder = QFile::encodeName(base + "/ports").toStdString();
    options.portNumber = 5;
    options.stateFile = stateFile;
    sim::SimulatedUnit unit(options);
    if (!unit.start()) {
        *error = QStringLiteral("simulated unit: ") + QString::fromStdString(unit.errorText());
        return false;
    }

    QString refusal;
    ProgramWindows windows([&refusal](const QString& message) { refusal = message; });
    if (!refusal.isEmpty()) {
        *error = QStringLiteral("the program refused to start: ") + refusal;
        return false;
    }
    TForm_Main& main = windows.Main();
    main.show();
    if (!WaitFor([&main] { return main.windowTitle().contains(main.ConnectedText); })) {
        *error = QStringLiteral("no connection to the simulated unit: ") + main.windowTitle();
        return false;
    }
    for (const Page& page : Pages) {
        main.PageControl_Kalvio->setCurrentIndex(page.index);
        QWidget* sheet = main.PageControl_Kalvio->widget(page.index);
        // Every value read, then a dozen more queries: more than a whole polling cycle of any
        // page, so the line states have arrived as well.
        if (!WaitFor([sheet] { return NoUnknownValueShown(sheet); })) {
            *error = QStringLiteral("page %1 shows no values").arg(page.index);
            return false;
        }
        unit.clearCommands();
        if (!WaitFor([&unit] { return unit.commands().size() >= 12; })) {
            *error = QStringLiteral("the unit is not polled on page %1").arg(page.index);
            return false;
        }
        if (!main.grab().save(folder + QLatin1Char('/') + QLatin1String(page.file))) {
            *error = QStringLiteral("cannot write ") + QLatin1String(page.file);
            return false;
        }
    }

    main.PageControl_Kalvio->setCurrentIndex(TForm_Main::PageStart);
    QWidget* dialog = ProgramWindows::Find(QStringLiteral("FormStartGenerator"));
    if (dialog == nullptr ||
        !WaitFor([&main] { return NoUnknownValueShown(main.PageControl_Kalvio->widget(0)); })) {
        *error = QStringLiteral("no generator dialog");
        return false;
    }
    dialog->show();  // pre-fills from the values just read
    QApplication::processEvents();
    const bool saved = dialog->grab().save(folder + QLatin1Char('/') + QLatin1String(DialogFile));
    dialog->hide();
    if (!saved) {
        *error = QStringLiteral("cannot write ") + QLatin1String(DialogFile);
        return false;
    }
    return true;
}

}  // namespace manual
