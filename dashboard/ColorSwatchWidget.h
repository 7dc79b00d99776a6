#pragma once
// A colour swatch: a rounded square filled with a colour value.

#include <QWidget>
#include <cstdint>

namespace dp {

class ColorSwatchWidget : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatchWidget(QWidget* parent = nullptr);

    // Colour values 0x00BBGGRR (or system colours, see Colors.h).
    void setBrushColor(uint32_t value);
    uint32_t brushColor() const { return brushColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint32_t brushColor_ = 0xFFFFFF;
};

}  // namespace dp
