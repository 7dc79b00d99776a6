#include "ecu/SerialPort.h"

namespace dp {

int BaudRateForCode(int code)
{
    static constexpr int kRates[16] = {9600, 110,   300,   600,   1200,  2400,   4800,   9600,
                                       14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    return code >= 0 && code < 16 ? kRates[code] : 9600;
}

}  // namespace dp
