#pragma once
// Makes a file unwritable for the life of the object, also for root: root ignores
// permission bits but not the immutable attribute, so that is set where it can be.

#include <QFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace dp::test {

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& path) : path_(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        immutable_ = SetImmutable(true);
    }
    ~ReadOnlyFile()
    {
        if (immutable_) SetImmutable(false);  // or the temporary directory cannot go
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // Whether even root is kept from writing (false where the file system cannot say so).
    bool enforced() const { return immutable_; }

private:
    bool SetImmutable(bool on)
    {
#ifdef Q_OS_LINUX
        const int fd = ::open(QFile::encodeName(path_).constData(), O_RDONLY);
        if (fd < 0) return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
#else
        (void)on;
        return false;
#endif
    }

    QString path_;
    bool immutable_ = false;
};

}  // namespace dp::test
