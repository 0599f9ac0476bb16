// Loads the preview's pictures on worker threads of its own, so that the GUI thread never waits
// for a decoder. The newest request wins: a request sets the flag of the one
// before it, which then stops where its reader allows, and a result that is no longer the
// newest is dropped. The finished picture reaches the GUI thread as a queued call to onLoaded;
// the worker keeps no reference to it. Made and used on the GUI thread.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSize>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "PictureLoader.h"

class PreviewLoader : public QObject {
    Q_OBJECT

  public:
    struct Request {
        QByteArray nativePath;
        QString extension;
        QSize thumbnailBox;
        bool withFull = false;

        bool operator==(const Request& other) const {
            return nativePath == other.nativePath && extension == other.extension &&
                   thumbnailBox == other.thumbnailBox && withFull == other.withFull;
        }
    };
    using Result = std::optional<PreviewPicture>;
    // Runs on the worker; cancelled is set when a newer request supersedes this one.
    using Work = std::function<Result(const Request&, const std::atomic<bool>& cancelled)>;
    using Delivery = std::function<void(const Result&)>;

    // onLoaded runs on the GUI thread with the newest request's result.
    explicit PreviewLoader(Delivery onLoaded, Work work = loadWithPictureLoader);
    // Waits for the worker, which stops early: its request is cancelled.
    ~PreviewLoader() override;

    // A request equal to the one still loading lets that one go on.
    void load(const Request& request);
    // Drops the request in progress: nothing is delivered for it.
    void cancel();
    bool isLoading() const { return loading_; }
    // Whether a worker still runs, also for a request no longer wanted.
    bool isWorking() const { return worker_.activeThreadCount() > 0; }

    static Result loadWithPictureLoader(const Request& request, const std::atomic<bool>& cancelled);

  private:
    void deliver(quint64 generation, const Result& result);

    Delivery onLoaded_;
    Work work_;
    QThreadPool worker_;
    quint64 generation_ = 0;
    bool loading_ = false;
    Request current_;
    std::shared_ptr<std::atomic<bool>> cancelled_;
};
