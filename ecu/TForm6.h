#pragma once
// The fault-code report window: one memo.

#include <QDialog>

class QPlainTextEdit;

namespace dp {

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
    QPlainTextEdit* sMemo1 = nullptr;
};

}  // namespace dp
