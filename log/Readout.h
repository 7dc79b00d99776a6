#pragma once
// The viewer's number texts: the time label and the four channel readouts.

#include "log/Channels.h"

#include <QChar>
#include <QString>

namespace dp {

// Four significant digits, no trailing zeros; fixed notation for magnitudes from
// 0.0001 up to four integer digits, else "d.dddE<e>" (12346 gives "1.235E4").
QString ReadoutNumber(double value, QChar decimalPoint);

// A value channel as ReadoutNumber, unscaled and without unit; a flag as "ON" or "OFF".
QString ChannelReadout(const Channel& channel, const TEngineSample& sample, QChar decimalPoint);

}  // namespace dp
