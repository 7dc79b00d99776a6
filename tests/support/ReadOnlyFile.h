#pragma once
// Makes a file unwritable, or a folder refuse new files, for the life of the object,
// also for root: root ignores permission bits but not the immutable attribute, so
// that is set where it can be.

#include <QDir>
#include <QFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace dp::test {

inline bool SetImmutable(const QString& path, bool on)
{
#ifdef Q_OS_LINUX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return ok;
#else
    (void)path;
    (void)on;
    return false;
#endif
}

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& path) : path_(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        immutable_ = SetImmutable(path, true);
    }
    ~ReadOnlyFile()
    {
        if (immutable_) SetImmutable(path_, false);  // or the temporary directory cannot go
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Whether even root is kept from writing (false where the file system cannot say so).
    bool enforced() const { return immutable_; }

private:
    QString path_;
    bool immutable_ = false;
};

// A folder that takes no new file, while the files already in it may still be written
// (the immutable attribute of a folder guards its entries, not their contents).
class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString& path) : path_(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                        QFile::ReadOther | QFile::ExeOther);
        immutable_ = SetImmutable(path, true);
        // Whatever the means, what counts is whether a new file is refused.
        QFile probe(QDir(path).filePath(QStringLiteral("probe")));
        enforced_ = !probe.open(QIODevice::WriteOnly);
        if (!enforced_) probe.remove();
    }
    ~UnwritableFolder()
    {
        if (immutable_) SetImmutable(path_, false);
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    bool enforced() const { return enforced_; }

private:
    QString path_;
    bool immutable_ = false;
    bool enforced_ = false;
};

}  // namespace dp::test
