#pragma once
// The active tests window. It only writes to the port the main window hands it.

#include <QDialog>

namespace dp {

class SerialPort;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
    SerialPort* TestPort = nullptr;  // the main window's port, set before showing
};

}  // namespace dp
