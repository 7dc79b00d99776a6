// dravikprobe-log2csv FILE.dgz [OUT.csv]: prints a log file as CSV, to OUT.csv or
// standard output. A truncated file still gives its complete records before the
// error is reported.

#include "common/FileIo.h"
#include "log/CsvExport.h"
#include "log/LogFile.h"

#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <fstream>
#include <iostream>

namespace {

int Fail(const QString& text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fputs("usage: dravikprobe-log2csv FILE.dgz [OUT.csv]\n", stderr);
        return 2;
    }
    std::ios::sync_with_stdio(false);  // a million rows go out through cout
    const QString inName = QString::fromLocal8Bit(argv[1]);

    dp::SampleLog log;
    QString loadError;
    try {
        switch (dp::LoadLog(log, inName)) {
        case dp::LoadOutcome::Missing:
            return Fail(QStringLiteral("%1: no such file").arg(inName));
        case dp::LoadOutcome::WrongMagic:
            return Fail(QStringLiteral("%1: not a log file").arg(inName));
        case dp::LoadOutcome::Loaded:
            break;
        }
    } catch (const dp::IoError& e) {
        const QString text = QString::fromUtf8(e.what());
        const bool shortRead = text == QLatin1String(dp::kReadBeyondEnd);
        // Open errors already name the file; a short read does not.
        loadError = shortRead ? QStringLiteral("%1: %2").arg(inName, text) : text;
        // Only a cut-off record after a good magic leaves a table worth printing; a
        // file too short for the magic, or one that cannot be opened, is no log.
        if (!shortRead || QFileInfo(inName).size() < qint64(sizeof dp::kLogMagic)) return Fail(loadError);
    }

    std::ofstream file;
    if (argc == 3) {
        file.open(argv[2], std::ios::binary | std::ios::trunc);
        if (!file) return Fail(QStringLiteral("%1: cannot create file").arg(QString::fromLocal8Bit(argv[2])));
    }
    std::ostream& out = argc == 3 ? static_cast<std::ostream&>(file) : std::cout;
    dp::WriteCsv(log, out);
    out.flush();
    if (!out) return Fail(QStringLiteral("write error"));

    if (!loadError.isEmpty()) return Fail(loadError);
    return 0;
}
