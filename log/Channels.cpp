#include "log/Channels.h"

namespace dp {

namespace {

using S = TEngineSample;
constexpr Channel Value(int i, const char* name, const char* caption, float S::*field)
{
    return {i, name, caption, ChannelKind::Value, field, nullptr};
}
constexpr Channel Flag(int i, const char* name, const char* caption, uint8_t S::*field)
{
    return {i, name, caption, ChannelKind::Flag, nullptr, field};
}

}  // namespace

// The flags do not follow record order: "Start" comes before "Steering".
constinit const std::array<Channel, kChannelCount> kChannels = {
    Value(0, "RPM", "RPM", &S::EngineSpeed),
    Value(1, "Speed", "Speed", &S::VehicleSpeed),
    Value(2, "Throtle", "Throtle", &S::ThrottleSensor),
    Value(3, "MAF", "MAF", &S::MafSensor),
    Value(4, "W temp", "W temp", &S::CoolantTemp),
    Value(5, "Inject", "Inject", &S::InjectionTime),
    Value(6, "Ignit", "Ignit", &S::IgnitionAdvance),
    Value(7, "A/F", "A/F", &S::AirFuel),
    Value(8, "O2", "O2", &S::O2Sensor),
    Value(9, "Batery", "Batery", &S::Battery),
    Value(10, "A/F SL", "A/F SL", &S::AirFuelLearnt),
    Value(11, "AAC", "AAC", &S::IdleValve),
    Flag(12, "Start", "Start", &S::StartFlag),
    Flag(13, "Steering", "Steer", &S::SteeringFlag),
    Flag(14, "Neutral", "Neutral", &S::NeutralFlag),
    Flag(15, "VTC", "VTC", &S::VtcFlag),
    Flag(16, "Fuel pump", "Fuel p", &S::FuelPumpFlag),
    Flag(17, "Fan", "Fan", &S::FanFlag),
    Flag(18, "WG", "WG", &S::WgFlag),
    Flag(19, "EGR", "EGR", &S::EgrFlag),
};

float ChannelValue(const Channel& channel, const TEngineSample& sample)
{
    return channel.Kind == ChannelKind::Value ? sample.*channel.ValueField
                                              : float(sample.*channel.FlagField);
}

bool ChannelOn(const Channel& channel, const TEngineSample& sample)
{
    return channel.Kind == ChannelKind::Value ? sample.*channel.ValueField != 0
                                              : sample.*channel.FlagField != 0;
}

}  // namespace dp
