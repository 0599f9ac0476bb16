#include "FakeFileOperations.h"

void FakeFileOperations::giveNext(Operation operation, int result) {
    nextOf_[operation] = result;
}

void FakeFileOperations::giveNextCall(int result) {
    nextCall_ = result;
}

std::vector<QByteArray> FakeFileOperations::pathsOf(Operation operation) const {
    std::vector<QByteArray> paths;
    for (const Call& call : calls_) {
        if (call.operation == operation) {
            paths.push_back(call.path);
        }
    }
    return paths;
}

std::optional<int> FakeFileOperations::record(Operation operation, const QByteArray& path,
                                              const QByteArray& to) {
    calls_.push_back({operation, path, to});
    std::optional<int> given;
    if (nextCall_) {
        given.swap(nextCall_);
    } else if (const auto entry = nextOf_.find(operation); entry != nextOf_.end()) {
        given = entry->second;
        nextOf_.erase(entry);
    }
    return given;
}

int FakeFileOperations::moveToTrash(const QByteArray& path) {
    const std::optional<int> given = record(MoveToTrash, path, {});
    return given ? *given : disk_.moveToTrash(path);
}

int FakeFileOperations::move(const QByteArray& from, const QByteArray& to) {
    const std::optional<int> given = record(Move, from, to);
    return given ? *given : disk_.move(from, to);
}

int FakeFileOperations::copy(const QByteArray& from, const QByteArray& to) {
    const std::optional<int> given = record(Copy, from, to);
    return given ? *given : disk_.copy(from, to);
}

int FakeFileOperations::rename(const QByteArray& from, const QByteArray& to) {
    const std::optional<int> given = record(Rename, from, to);
    return given ? *given : disk_.rename(from, to);
}

int FakeFileOperations::makeFolder(const QByteArray& path) {
    const std::optional<int> given = record(MakeFolder, path, {});
    return given ? *given : disk_.makeFolder(path);
}

int FakeFileOperations::removePermanently(const QByteArray& path) {
    const std::optional<int> given = record(RemovePermanently, path, {});
    return given ? *given : disk_.removePermanently(path);
}

int FakeFileOperations::copyToNew(const QByteArray& from, const QByteArray& to) {
    const std::optional<int> given = record(CopyToNew, from, to);
    return given ? *given : disk_.copyToNew(from, to);
}
