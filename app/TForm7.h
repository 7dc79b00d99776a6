#pragma once
// The About window.

#include <QDialog>

class QLabel;

namespace dp {

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    QLabel* sImage1 = nullptr;
    QLabel* sLabel1 = nullptr;
    QLabel* sLabel2 = nullptr;
};

}  // namespace dp
