#pragma once
// A colour box: a drop-down of named colours, each with its sample, from ColorBoxEntries().

#include <QComboBox>
#include <cstdint>

namespace dp {

class ColorBoxWidget : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBoxWidget(QWidget* parent = nullptr);

    // The value of the selected entry (system colours as references, see Colors.h).
    uint32_t selectedColor() const;
    // Selects the entry with this value; false when the list has none.
    bool selectColor(uint32_t value);

    void showPopup() override;

protected:
    void changeEvent(QEvent* event) override;

private:
    void paintSamples();  // system colours follow the palette
};

}  // namespace dp
