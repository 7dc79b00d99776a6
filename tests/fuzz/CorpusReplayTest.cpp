// Every seed and every kept finding of the fuzz targets, run through the same property
// checks in the ordinary (and sanitizer) test runs. A broken property aborts; the
// input's name is the last one printed.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdio>

#include "PropertyCheck.h"

namespace dp::fuzz {
namespace {

struct Target {
    const char* name;  // also the corpus folder
    void (*check)(const uint8_t*, std::size_t);
};

void PrintTo(const Target& t, std::ostream* os) { *os << t.name; }

class CorpusReplay : public ::testing::TestWithParam<Target> {};

TEST_P(CorpusReplay, EveryInputKeepsTheProperties)
{
    const QDir dir(QStringLiteral(DP_FUZZ_CORPUS_DIR "/") + QLatin1String(GetParam().name));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << dir.path().toStdString();
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = f.readAll();
        std::fprintf(stderr, "input %s\n", qPrintable(name));
        GetParam().check(reinterpret_cast<const uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay,
                         ::testing::Values(Target{"log_file", CheckLogFileInput},
                                           Target{"settings_file", CheckSettingsFileInput},
                                           Target{"link_replies", CheckLinkRepliesInput}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace dp::fuzz
