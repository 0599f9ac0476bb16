// Kalvio's own CPU share while it polls one page of a unit (or searches for one), measured in
// this process: the whole program's windows are made as the entry point makes them, the page
// is chosen, and after a settling time the process CPU time over a measuring window is divided
// by the wall time. The unit runs in its own process, so its work is not counted.
//
//   monitor_bench start|speed|unit|pc|search|captions SECONDS [COMMAND-LOG]
//
// With a command log (the simulated unit's --log file), polling cycles are the page's first
// query counted in the log during the window; while searching, a cycle is one port probed
// (one caption shown). "captions" is the floor the search stands on: a bare window of the same
// size, no threads, that only changes its caption as the search does, every 10 ms.
#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "ProgramWindows.h"

namespace {

struct PageChoice {
    const char* name;
    int index;               // -1: no unit, stay on the start page and count probes
    const char* firstQuery;  // the query that opens one polling cycle of this page
};

constexpr PageChoice Pages[] = {
    {"start", TForm_Main::PageStart, "START.CMD"},
    {"speed", TForm_Main::PageSpeed, "SPEED.CMD"},
    {"unit", TForm_Main::PageUnit, "VERSION.HW"},
    {"pc", TForm_Main::PagePc, "IO"},
    {"search", -1, nullptr},
    {"captions", -2, nullptr},
};

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// CPU time of each thread of this process, by thread name, in nanoseconds (the scheduler's
// own account, finer than the tick-based process times).
std::map<std::string, double> ThreadCpuNanoseconds() {
    std::map<std::string, double> byName;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (comm.open(QIODevice::ReadOnly) && schedstat.open(QIODevice::ReadOnly)) {
            const std::string name = comm.readAll().trimmed().toStdString();
            byName[name] += schedstat.readAll().split(' ').value(0).toDouble();
        }
    }
    return byName;
}

// Lines of the unit's command log that are exactly this command.
long CountInLog(const QString& path, const char* command) {
    QFile log(path);
    if (!log.open(QIODevice::ReadOnly)) {
        return -1;
    }
    long count = 0;
    while (!log.atEnd()) {
        const QByteArray line = log.readLine().trimmed();
        const int blank = line.indexOf(' ');
        if (blank >= 0 && line.mid(blank + 1) == command) {
            ++count;
        }
    }
    return count;
}

// Runs the program's event loop, as the entry point does, for the time given.
void RunFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void PrintShare(const char* name, double cycles, double cpu, double elapsed) {
    std::printf("%-8s cycles/s %7.1f   cpu %5.2f %% of one core\n", name, cycles / elapsed,
                100.0 * cpu / elapsed);
}

int MeasureCaptionsAlone(int seconds) {
    QWidget window;
    window.resize(673, 573);
    window.show();
    long captions = 0;
    QTimer everyPort;
    QObject::connect(&everyPort, &QTimer::timeout, [&] {
        window.setWindowTitle(
            QStringLiteral("Kalvio - Quenzel AG    [Verbindung suchen über COM%1]")
                .arg(++captions % 256 + 1));
    });
    everyPort.start(10);
    RunFor(2000);
    const long before = captions;
    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunFor(seconds * 1000);
    PrintShare("captions", double(captions - before), ProcessCpuSeconds() - cpuBefore,
               double(wall.nsecsElapsed()) / 1e9);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: monitor_bench start|speed|unit|pc|search|captions SECONDS [LOG]\n");
        return 2;
    }
    const PageChoice* page = nullptr;
    for (const PageChoice& choice : Pages) {
        if (std::strcmp(argv[1], choice.name) == 0) {
            page = &choice;
        }
    }
    const int seconds = std::atoi(argv[2]);
    if (page == nullptr || seconds <= 0) {
        std::fprintf(stderr, "unknown page or time\n");
        return 2;
    }
    const QString logPath = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (page->index == -2) {
        return MeasureCaptionsAlone(seconds);
    }
    ProgramWindows windows;
    TForm_Main& main = windows.Main();
    main.show();

    long captions = 0;
    QObject::connect(&main, &QWidget::windowTitleChanged, [&captions] { ++captions; });
    if (page->index >= 0) {
        QElapsedTimer waited;
        waited.start();
        while (!main.windowTitle().contains(main.ConnectedText) && waited.elapsed() < 30000) {
            RunFor(100);
        }
        if (!main.windowTitle().contains(main.ConnectedText)) {
            std::fprintf(stderr, "no unit found within 30 s\n");
            return 1;
        }
        main.PageControl_Kalvio->setCurrentIndex(page->index);
    }
    RunFor(2000);  // settle: the page's layout and first values are in

    const long logBefore = page->firstQuery ? CountInLog(logPath, page->firstQuery) : 0;
    const long captionsBefore = captions;
    const auto threadsBefore = ThreadCpuNanoseconds();
    const double cpuBefore = ProcessCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunFor(seconds * 1000);
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const auto threadsAfter = ThreadCpuNanoseconds();
    const long cycles = page->firstQuery ? CountInLog(logPath, page->firstQuery) - logBefore
                                         : captions - captionsBefore;

    PrintShare(page->name, logPath.isEmpty() && page->firstQuery ? -elapsed : double(cycles), cpu,
               elapsed);
    std::printf("          by thread:");
    for (const auto& [name, nanoseconds] : threadsAfter) {
        const auto before = threadsBefore.find(name);
        const double spent = nanoseconds - (before == threadsBefore.end() ? 0.0 : before->second);
        if (spent / 1e9 / elapsed >= 0.0005) {
            std::printf("  %s %.2f %%", name.c_str(), 100.0 * spent / 1e9 / elapsed);
        }
    }
    std::printf("\n");
    main.close();
    return 0;
}
