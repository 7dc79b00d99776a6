#pragma once
// The fault-code report window: one memo, filled by the main window's "Ошибки".

#include <QDialog>
#include <QPoint>

class QPlainTextEdit;

namespace dp {

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    static constexpr QPoint kDesignedPos{489, 281};
    QPlainTextEdit* sMemo1 = nullptr;
};

}  // namespace dp
