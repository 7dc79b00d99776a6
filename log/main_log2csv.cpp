// dravikprobe-log2csv FILE.dgz [OUT.csv]: prints a log file as CSV, to OUT.csv or
// standard output. Records are converted as they are read, so a file of any size
// needs only a small buffer. A truncated file still gives its complete records
// before the error is reported.

#include "common/FileIo.h"
#include "log/CsvExport.h"
#include "log/LogFile.h"

#include <QString>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <new>

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

    try {
        dp::LogReader reader(inName);
        switch (reader.Open()) {
        case dp::LoadOutcome::Missing:
            return Fail(QStringLiteral("%1: no such file").arg(inName));
        case dp::LoadOutcome::WrongMagic:
            return Fail(QStringLiteral("%1: not a log file").arg(inName));
        case dp::LoadOutcome::Loaded:
            break;
        }

        std::ofstream file;
        if (argc == 3) {
            file.open(argv[2], std::ios::binary | std::ios::trunc);
            if (!file) return Fail(QStringLiteral("%1: cannot create file").arg(QString::fromLocal8Bit(argv[2])));
        }
        std::ostream& out = argc == 3 ? static_cast<std::ostream&>(file) : std::cout;
        out << dp::CsvHeader() << '\n';
        QString readError;
        try {
            dp::TEngineSample sample;
            while (reader.Next(sample)) out << dp::CsvRow(sample) << '\n';
        } catch (const dp::IoError& e) {
            // A cut-off last record: the complete ones are out, then the error.
            readError = QStringLiteral("%1: %2").arg(inName, QString::fromUtf8(e.what()));
        }
        out.flush();
        if (!out) return Fail(QStringLiteral("write error"));
        if (!readError.isEmpty()) return Fail(readError);
    } catch (const dp::IoError& e) {
        // Open errors already name the file; a file too short for the magic does not.
        const QString text = QString::fromUtf8(e.what());
        return Fail(text == QLatin1String(dp::kReadBeyondEnd) ? QStringLiteral("%1: %2").arg(inName, text) : text);
    } catch (const std::bad_alloc&) {
        return Fail(QStringLiteral("out of memory"));
    }
    return 0;
}
