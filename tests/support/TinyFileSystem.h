#pragma once
// A small file system that really fills up: a tmpfs of a few kilobytes mounted over a
// fresh temporary folder. Mounting needs the right to (root, as in CI); where it is
// refused, mounted() is false and whyNot() says why, for the test to skip with.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#endif

namespace dp::test {

class TinyFileSystem {
public:
    explicit TinyFileSystem(int kilobytes)
    {
#ifdef Q_OS_LINUX
        const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
        if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, options.constData()) == 0) {
            mounted_ = true;
        } else {
            whyNot_ = QStringLiteral("cannot mount a tmpfs here: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        }
#else
        (void)kilobytes;
        whyNot_ = QStringLiteral("needs Linux to mount a tmpfs");
#endif
    }
    ~TinyFileSystem()
    {
#ifdef Q_OS_LINUX
        if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
#endif
    }
    TinyFileSystem(const TinyFileSystem&) = delete;
    TinyFileSystem& operator=(const TinyFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    const QString& whyNot() const { return whyNot_; }
    QString filePath(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QString path() const { return dir_.path(); }

    // Takes up every byte left with a file named "filler", then frees the last
    // leaveKilobytes of it again.
    void Fill(int leaveKilobytes = 0)
    {
        QFile filler(filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return;
        const QByteArray block(1024, 'f');
        while (filler.write(block) > 0) {
        }
        while (filler.write(block.constData(), 1) > 0) {
        }
        if (leaveKilobytes > 0) filler.resize(std::max<qint64>(0, filler.size() - 1024 * qint64(leaveKilobytes)));
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString whyNot_;
};

}  // namespace dp::test
