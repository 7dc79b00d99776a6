#include "log/Readout.h"

#include "common/NumberFormat.h"

namespace dp {

QString ReadoutNumber(double value, QChar decimalPoint) { return FormatGeneral(value, 4, decimalPoint); }

QString ChannelReadout(const Channel& channel, const TEngineSample& sample, QChar decimalPoint)
{
    if (channel.Kind == ChannelKind::Flag) {
        return sample.*channel.FlagField != 0 ? QStringLiteral("ON") : QStringLiteral("OFF");
    }
    return ReadoutNumber(double(sample.*channel.ValueField), decimalPoint);
}

}  // namespace dp
