#include "ScratchFile.h"

#include <QFile>
#include <QTemporaryDir>

#include "PropertyCheck.h"

namespace dp::fuzz {

QString ScratchPath(const char* name)
{
    static const QTemporaryDir dir;  // one per process; removed at exit
    DP_PROPERTY(dir.isValid());
    return dir.filePath(QString::fromLatin1(name));
}

void WriteScratch(const QString& path, const uint8_t* data, std::size_t size)
{
    QFile f(path);
    DP_PROPERTY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    DP_PROPERTY(f.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size));
}

}  // namespace dp::fuzz
