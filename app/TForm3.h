#pragma once
// The port settings dialog: port, speed and refresh rate, written into TAppSettings.

#include <QDialog>

namespace dp {

struct TAppSettings;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(TAppSettings& settings, QWidget* parent = nullptr);

private:
    TAppSettings& settings_;
};

}  // namespace dp
