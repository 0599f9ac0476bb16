// A tmpfs mounted for one test in a mount namespace of the test's own, invisible to the rest of
// the system: the second file system for moves and trashes across file systems. Mounting needs
// root (as in CI); elsewhere mounted() is false and why() says why.
#pragma once

#include <QByteArray>

class OtherFileSystem {
  public:
    explicit OtherFileSystem(const QByteArray& mountPoint);
    ~OtherFileSystem();
    OtherFileSystem(const OtherFileSystem&) = delete;
    OtherFileSystem& operator=(const OtherFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    const QByteArray& why() const { return why_; }

  private:
    QByteArray mountPoint_;
    bool mounted_ = false;
    QByteArray why_;
};
