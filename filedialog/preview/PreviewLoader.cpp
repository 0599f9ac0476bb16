#include "PreviewLoader.h"

PreviewLoader::PreviewLoader(Delivery onLoaded, Work work)
    : onLoaded_(std::move(onLoaded)), work_(std::move(work)) {
    // Two, so that a new picture need not wait for one that stops only slowly (a metafile's
    // conversion cannot be interrupted); a stopped load's result is dropped.
    worker_.setMaxThreadCount(2);
    worker_.setObjectName(QStringLiteral("PreviewLoader"));
}

PreviewLoader::~PreviewLoader() {
    cancel();
    worker_.clear();
    worker_.waitForDone();
}

void PreviewLoader::load(const Request& request) {
    if (loading_ && request == current_) {
        return;
    }
    cancel();
    current_ = request;
    loading_ = true;
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    const quint64 generation = ++generation_;
    // The worker gets its own copies; only the flag is shared, and only through atomics.
    worker_.start([this, request, generation, work = work_, cancelled = cancelled_] {
        if (cancelled->load()) {
            return;
        }
        Result result = work(request, *cancelled);
        // Whether it is still the newest is decided on the GUI thread, where requests are made.
        QMetaObject::invokeMethod(
            this, [this, generation, result = std::move(result)] { deliver(generation, result); },
            Qt::QueuedConnection);
    });
}

void PreviewLoader::cancel() {
    if (cancelled_) {
        cancelled_->store(true);
    }
    ++generation_;
    loading_ = false;
}

void PreviewLoader::deliver(quint64 generation, const Result& result) {
    if (generation != generation_) {
        return;
    }
    loading_ = false;
    onLoaded_(result);
}

PreviewLoader::Result PreviewLoader::loadWithPictureLoader(const Request& request,
                                                           const std::atomic<bool>& cancelled) {
    return PictureLoader::loadPreview(request.nativePath, request.extension, request.thumbnailBox,
                                      request.withFull, &cancelled);
}
