#pragma once
// The port settings dialog: port, speed, refresh rate and the continuous stream, written
// into TAppSettings on "Применить". The boxes keep their contents and selections
// between showings.

#include <QDialog>
#include <functional>
#include <vector>

#include "app/PortChoice.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace dp {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    using PortLister = std::function<std::vector<PortListEntry>()>;
    explicit TForm3(TAppSettings& settings, QWidget* parent = nullptr, PortLister listPorts = AvailablePorts);

    QLabel *sLabel1 = nullptr, *sLabel2 = nullptr, *sLabel3 = nullptr;
    QComboBox *sComboBox1 = nullptr, *sComboBox2 = nullptr, *sComboBox3 = nullptr;
    QCheckBox* sCheckBox1 = nullptr;  // "Непрерывный поток"
    QPushButton *sButton1 = nullptr, *sButton2 = nullptr;

    void FormShow();
    void sButton1Click();
    void sButton2Click();

    // The boxes as they stand now.
    PortBoxes Boxes() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillPortList();

    TAppSettings& settings_;
    PortLister listPorts_;
};

}  // namespace dp
