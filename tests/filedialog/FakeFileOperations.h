// Stands in for the disk in the file dialog's tests: records every operation with its paths,
// in order, and acts on the real disk (DiskFileOperations), unless told to give an outcome
// instead. So a test builds real temporary folders and still makes, say, one copy fail.
// exists and isFolder always answer from the disk and are not recorded.
#pragma once

#include <map>
#include <optional>
#include <vector>

#include "DiskFileOperations.h"

class FakeFileOperations : public FileOperations {
  public:
    enum Operation { MoveToTrash, Move, Copy, Rename, MakeFolder, RemovePermanently, CopyToNew };
    struct Call {
        Operation operation;
        QByteArray path;
        QByteArray to;  // empty for the operations on one path
    };

    // The next call of this operation returns `result` and leaves the disk alone.
    void giveNext(Operation operation, int result = Failed);
    // The same for the next call of any operation; it goes before one given per operation.
    void giveNextCall(int result = Failed);

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<QByteArray> pathsOf(Operation operation) const;

    int moveToTrash(const QByteArray& path) override;
    int move(const QByteArray& from, const QByteArray& to) override;
    int copy(const QByteArray& from, const QByteArray& to) override;
    int copyToNew(const QByteArray& from, const QByteArray& to) override;
    int rename(const QByteArray& from, const QByteArray& to) override;
    int makeFolder(const QByteArray& path) override;
    int removePermanently(const QByteArray& path) override;
    bool exists(const QByteArray& path) const override { return disk_.exists(path); }
    bool isFolder(const QByteArray& path) const override { return disk_.isFolder(path); }

  private:
    // Records the call; the outcome given for it, if any, is taken and returned.
    std::optional<int> record(Operation operation, const QByteArray& path, const QByteArray& to);

    DiskFileOperations disk_;
    std::vector<Call> calls_;
    std::optional<int> nextCall_;
    std::map<Operation, int> nextOf_;
};
