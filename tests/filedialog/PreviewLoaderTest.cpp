#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>
#include <atomic>
#include <vector>

#include "PreviewLoader.h"

namespace {

// A superseded load that finishes after the newer one is dropped, and was told to stop.
TEST(PreviewLoader, TheNewestRequestWins) {
    std::atomic<bool> firstStarted{false};
    std::atomic<bool> releaseFirst{false};
    std::atomic<bool> firstSawCancel{false};
    std::vector<QSize> delivered;
    // The first request's work waits for the test, ignoring its flag, so that it ends last.
    auto work = [&](const PreviewLoader::Request& request, const std::atomic<bool>& cancelled) {
        if (request.extension == QLatin1String(".jpg")) {
            firstStarted = true;
            while (!releaseFirst) {
                QThread::yieldCurrentThread();
            }
            firstSawCancel = cancelled.load();
            return PreviewLoader::Result(PreviewPicture{QSize(1, 1), QImage(), QImage()});
        }
        return PreviewLoader::Result(PreviewPicture{QSize(2, 2), QImage(), QImage()});
    };
    PreviewLoader loader(
        [&](const PreviewLoader::Result& result) { delivered.push_back(result->size); }, work);

    loader.load({"a.jpg", ".jpg", QSize(102, 22), false});
    ASSERT_TRUE(QTest::qWaitFor([&] { return firstStarted.load(); }, 10000));
    loader.load({"b.bmp", ".bmp", QSize(102, 22), false});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loader.isLoading(); }, 10000));
    releaseFirst = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loader.isWorking(); }, 10000));
    QCoreApplication::sendPostedEvents();

    EXPECT_EQ(delivered, std::vector<QSize>{QSize(2, 2)});
    EXPECT_TRUE(firstSawCancel);
}

}  // namespace
