#include "ecu/FaultCodes.h"

#include <algorithm>

namespace dp {

QStringList FaultReportLines(std::span<const uint8_t> frame)
{
    QStringList lines;
    if (frame.size() < 2) return lines;
    const std::size_t payload = std::min<std::size_t>(frame[1], frame.size() - 2);
    for (std::size_t k = 2; k + 1 < payload + 2; k += 2) {
        const QString code = QString::number(int(frame[k]), 16).toUpper().rightJustified(2, QLatin1Char('0'));
        lines << QStringLiteral("Error: %1 from: %2 engine start").arg(code, QString::number(int(frame[k + 1])));
    }
    return lines;
}

QStringList ReadFaultCodes(EcuLink& link)
{
    link.DrainInput();
    link.SendCommand(kFaultCodeRequest.data(), int(kFaultCodeRequest.size()));
    link.AwaitInput();
    const bool complete = link.ReadReplyFrame();
    link.SendStop();  // also after silence: the unit may still be about to stream
    if (!complete) return {};
    return FaultReportLines(std::span<const uint8_t>(link.FrameBuffer.data(), std::size_t(link.FrameLength()) + 2));
}

void ClearFaultCodes(EcuLink& link) { link.SendCommand(kClearFaultCodes.data(), int(kClearFaultCodes.size())); }

void ResetSelfLearning(EcuLink& link)
{
    link.SendCommand(kSelfLearningReset.data(), int(kSelfLearningReset.size()));
}

}  // namespace dp
