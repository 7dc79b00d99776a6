#pragma once
// The About window.

#include <QDialog>
#include <QPoint>

class QLabel;

namespace dp {

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    static constexpr QPoint kDesignedPos{520, 230};
    QLabel* sImage1 = nullptr;
    QLabel* sLabel1 = nullptr;
    QLabel* sLabel2 = nullptr;
};

}  // namespace dp
