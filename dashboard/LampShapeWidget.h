#pragma once
// An indicator lamp: a rounded rectangle filled with its brush colour.

#include <QWidget>
#include <cstdint>

namespace dp {

class LampShapeWidget : public QWidget {
    Q_OBJECT
public:
    explicit LampShapeWidget(QWidget* parent = nullptr);

    // Colour values 0x00BBGGRR (or system colours, see Colors.h).
    void setBrushColor(uint32_t value);
    uint32_t brushColor() const { return brushColor_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint32_t brushColor_;
};

}  // namespace dp
