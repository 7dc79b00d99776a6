#include "app/PortChoice.h"

#include <QSerialPortInfo>
#include <QStringList>

#include "sim/SimPort.h"

namespace dp {
namespace {

bool Holds(int entry, std::size_t count) { return entry >= 0 && std::size_t(entry) < count; }

}  // namespace

int SpeedEntryForCode(int code)
{
    for (std::size_t i = 0; i < kSpeedEntries.size(); ++i)
        if (kSpeedEntries[i].code == code) return int(i);
    return -1;
}

int RateEntryForRate(int32_t rate)
{
    for (std::size_t i = 0; i < kRateEntries.size(); ++i)
        if (kRateEntries[i] == rate) return int(i);
    return -1;
}

void ApplyBoxes(const PortBoxes& boxes, TAppSettings& settings)
{
    if (boxes.portEntry >= 0) settings.PortName = boxes.portText.left(kPortNameMax).toStdString();
    if (Holds(boxes.speedEntry, kSpeedEntries.size()))
        settings.BaudIndex = kSpeedEntries[std::size_t(boxes.speedEntry)].code;
    if (Holds(boxes.rateEntry, kRateEntries.size()))
        settings.UpdatesPerSecond = kRateEntries[std::size_t(boxes.rateEntry)];
    settings.ContinuousStream = boxes.continuousStream;
}

QString PortToolTip(const QString& device, const QString& description, const QString& manufacturer,
                    const QString& serialNumber)
{
    QStringList lines;
    const std::pair<const char*, const QString*> facts[] = {{"Устройство", &device},
                                                            {"Описание", &description},
                                                            {"Производитель", &manufacturer},
                                                            {"Серийный номер", &serialNumber}};
    for (const auto& [label, value] : facts)
        if (!value->trimmed().isEmpty()) lines << QStringLiteral("%1: %2").arg(QString::fromUtf8(label), *value);
    return lines.join(QLatin1Char('\n'));
}

std::vector<PortListEntry> AvailablePorts()
{
    std::vector<PortListEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.push_back({info.portName(), PortToolTip(info.systemLocation(), info.description(),
                                                       info.manufacturer(), info.serialNumber())});
    ports.push_back({QString::fromLatin1(sim::kVirtualPortName),
                     QStringLiteral("Встроенный имитатор ЭБУ: работает без адаптера и автомобиля")});
    return ports;
}

}  // namespace dp
