#include "dashboard/DashboardLayout.h"

#include <algorithm>

namespace dp {

const std::array<GaugeSpec, 12> kGauges = {{
    {1, "RPM", &TEngineSample::EngineSpeed, 0, 9000, "Обороты двигателя"},
    {2, "Throtle", &TEngineSample::ThrottleSensor, 0, 6, "Положения дросселя"},
    {3, "MAF", &TEngineSample::MafSensor, 0, 6, "Датчик потока воздуха"},
    {4, "Inject", &TEngineSample::InjectionTime, 0, 40, "Время впрыска"},
    {5, "Speed", &TEngineSample::VehicleSpeed, 0, 200, "Скорость"},
    {6, "Ignit", &TEngineSample::IgnitionAdvance, 0, 70, "Угол опережения зажигания"},
    {7, "A/F", &TEngineSample::AirFuel, 50, 150, "Состав смеси"},
    {8, "A/F SL", &TEngineSample::AirFuelLearnt, 50, 150, "Состав смеси  (результат самообучения)"},
    {9, "Water temp", &TEngineSample::CoolantTemp, -50, 150, "Температура охлаждающей жидкости"},
    {10, "O2", &TEngineSample::O2Sensor, 0, 100, "Показания кислородного датчика"},
    {11, "AAC", &TEngineSample::IdleValve, 0, 100, "Положения клапана холостого хода"},
    {12, "Batery", &TEngineSample::Battery, 4, 16, "Заряд аккумулятора"},
}};

const std::array<LampSpec, 8> kLamps = {{
    {1, "Steering", 1, &TEngineSample::SteeringFlag, {552, 4}, {564, 8}},
    {2, "Neutral", 2, &TEngineSample::NeutralFlag, {636, 4}, {652, 8}},
    {3, "Fuel pump", 3, &TEngineSample::FuelPumpFlag, {720, 4}, {724, 8}},
    {4, "WG", 7, &TEngineSample::WgFlag, {804, 4}, {832, 8}},
    {5, "Start", 4, &TEngineSample::StartFlag, {552, 32}, {576, 36}},
    {6, "VTC", 5, &TEngineSample::VtcFlag, {636, 32}, {660, 36}},
    {7, "Fan", 6, &TEngineSample::FanFlag, {720, 32}, {748, 36}},
    {8, "EGR", 8, &TEngineSample::EgrFlag, {804, 32}, {828, 36}},
}};

DashboardGeometry DashboardGeometryFor(int clientWidth, int clientHeight, int panelHeight)
{
    // Integer division truncates towards zero, as the layout rules require.
    const int c = std::max(clientWidth / 4, 0);
    const int l = std::max(clientWidth - 3 * c - 1, 0);
    const int r = std::max((clientHeight - panelHeight - 3) / 3, 0);
    const int s = std::min(c, r);
    const int s4 = std::min(s, l);

    DashboardGeometry g;
    for (int row = 0; row < 3; ++row) {
        const int top = row == 0 ? 0 : row * r + 1;
        for (int col = 0; col < 4; ++col) {
            const int left = col == 0 ? 0 : col * c + 1;
            const int size = col == 3 ? s4 : s;
            g.images[std::size_t(row * 4 + col)] = QRect(left, top, size, size);
        }
    }
    g.panelTop = 3 * r + 1;
    g.panelWidth = std::max(clientWidth - 1, 0);
    return g;
}

}  // namespace dp
