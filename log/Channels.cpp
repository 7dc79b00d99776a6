#include "log/Channels.h"

namespace dp {

namespace {

using S = TEngineSample;
constexpr Channel Scaled(int i, const char* name, float S::*field, ChartColor color, float divisor, float offset = 0)
{
    return {i, name, name, ChannelKind::Value, field, nullptr, color, PlotRule::Scaled, offset, divisor};
}
constexpr Channel Shifted(int i, const char* name, float S::*field, ChartColor color, float offset)
{
    return {i, name, name, ChannelKind::Value, field, nullptr, color, PlotRule::Shifted, offset, 1};
}
constexpr Channel Unscaled(int i, const char* name, float S::*field, ChartColor color)
{
    return {i, name, name, ChannelKind::Value, field, nullptr, color, PlotRule::Unscaled, 0, 1};
}
constexpr Channel Flag(int i, const char* name, const char* caption, uint8_t S::*field, ChartColor color)
{
    return {i, name, caption, ChannelKind::Flag, nullptr, field, color, PlotRule::FlagByte, 0, 1};
}

}  // namespace

// The flags do not follow record order: "Start" comes before "Steering".
constinit const std::array<Channel, kChannelCount> kChannels = {
    Scaled(0, "RPM", &S::EngineSpeed, {255, 0, 0}, 9000),
    Scaled(1, "Speed", &S::VehicleSpeed, {0, 128, 0}, 200),
    Scaled(2, "Throtle", &S::ThrottleSensor, {255, 255, 0}, 6),
    Scaled(3, "MAF", &S::MafSensor, {0, 0, 255}, 6),
    Scaled(4, "W temp", &S::CoolantTemp, {255, 255, 255}, 200, 50),
    Scaled(5, "Inject", &S::InjectionTime, {128, 255, 255}, 40),
    Scaled(6, "Ignit", &S::IgnitionAdvance, {255, 0, 255}, 70),
    Shifted(7, "A/F", &S::AirFuel, {0, 128, 128}, -50),
    Unscaled(8, "O2", &S::O2Sensor, {0, 0, 128}),
    Scaled(9, "Batery", &S::Battery, {128, 0, 0}, 16),
    Shifted(10, "A/F SL", &S::AirFuelLearnt, {0, 255, 0}, -50),
    Unscaled(11, "AAC", &S::IdleValve, {159, 159, 0}),
    Flag(12, "Start", "Start", &S::StartFlag, {128, 0, 128}),
    Flag(13, "Steering", "Steer", &S::SteeringFlag, {192, 192, 192}),
    Flag(14, "Neutral", "Neutral", &S::NeutralFlag, {0, 255, 255}),
    Flag(15, "VTC", "VTC", &S::VtcFlag, {0, 0, 0}),
    Flag(16, "Fuel pump", "Fuel p", &S::FuelPumpFlag, {255, 0, 0}),
    Flag(17, "Fan", "Fan", &S::FanFlag, {255, 128, 255}),
    Flag(18, "WG", "WG", &S::WgFlag, {255, 128, 128}),
    Flag(19, "EGR", "EGR", &S::EgrFlag, {64, 0, 64}),
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
