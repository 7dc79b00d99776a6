#pragma once
// The colour settings dialog: four rows of caption, colour box, "Свой" and swatch. The
// swatches are its working state; "Применить" stores them and sets RedrawRequested,
// which the refresh timer reads.

#include <QDialog>
#include <array>
#include <cstdint>

#include "dashboard/ColorPicker.h"

class QLabel;
class QPushButton;

namespace dp {

class ColorBoxWidget;
class ColorSwatchWidget;

// Where the four colours the dialog edits are kept (the settings record's fields).
struct DashboardColorFields {
    uint32_t& NeedleColor;
    uint32_t& TitleColor;
    uint32_t& DigitColor;
    uint32_t& ScaleColor;
};

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(DashboardColorFields colors, QWidget* parent = nullptr);
    // Asks the next refresh tick to draw the gauges again.
    bool RedrawRequested = false;

    // Rows 1 to 4: needles, titles, digits, scales.
    std::array<QLabel*, 4> sLabel{};               // sLabel1 .. sLabel4
    std::array<ColorBoxWidget*, 4> sColorBox{};    // sColorBox1 .. sColorBox4
    std::array<ColorSwatchWidget*, 4> Shape{};     // Shape1 .. Shape4
    QPushButton* sButton1 = nullptr;               // "Свой", rows 1 to 4
    QPushButton* sButton4 = nullptr;
    QPushButton* sButton5 = nullptr;
    QPushButton* sButton6 = nullptr;
    QPushButton* sButton2 = nullptr;               // "Применить"
    QPushButton* sButton3 = nullptr;               // "Отмена"
    ColorPicker sColorDialog1;

    void FormShow();
    void sColorBox1Change() { TakeBoxColor(0); }
    void sColorBox2Change() { TakeBoxColor(1); }
    void sColorBox3Change() { TakeBoxColor(2); }
    void sColorBox4Change() { TakeBoxColor(3); }
    void sButton1Click() { TakePickedColor(0); }
    void sButton4Click() { TakePickedColor(1); }
    void sButton5Click() { TakePickedColor(2); }
    void sButton6Click() { TakePickedColor(3); }
    void sButton2Click();
    void sButton3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TakeBoxColor(std::size_t row);
    void TakePickedColor(std::size_t row);

    std::array<uint32_t*, 4> fields_;  // by row
};

}  // namespace dp
