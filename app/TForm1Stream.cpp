// The main window's share in the unit's continuous stream: stopping it before anything
// else uses the port, and saying when the unit refused it.

#include <QLabel>

#include "app/TForm1.h"

namespace dp {

void TForm1::PauseStream()
{
    Guarded([this] { source_.Pause(); });
}

void TForm1::PauseStreamQuietly()
{
    try {
        source_.Pause();
    } catch (const SerialError&) {
    }
}

void TForm1::ShowStreamStatus()
{
    const QString text = source_.refused() ? QStringLiteral("Поток отклонён, обмен по запросам") : QString();
    if (StreamStatusLabel->text() != text) StreamStatusLabel->setText(text);
}

}  // namespace dp
