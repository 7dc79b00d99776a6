#pragma once
// The colour settings dialog. It owns RedrawRequested, which the refresh timer reads.

#include <QDialog>

namespace dp {

struct TAppSettings;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
    // Asks the next refresh tick to draw the gauges again.
    bool RedrawRequested = false;
};

}  // namespace dp
