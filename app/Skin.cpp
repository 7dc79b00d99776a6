#include "app/Skin.h"

namespace dp {

QString ApplicationStyleSheet()
{
    return QStringLiteral(R"(
QWidget { background-color: #505050; color: #e8e8e8; }
QToolTip { background-color: #303030; color: #f0f0f0; border: 1px solid #8a8a8a; padding: 2px; }
QMenuBar { background-color: #3c3c3c; color: #e8e8e8; }
QMenuBar::item:selected, QMenu::item:selected { background-color: #6a6a6a; }
QMenuBar::item:disabled, QMenu::item:disabled { color: #8a8a8a; }
QMenu { background-color: #3c3c3c; border: 1px solid #6a6a6a; }
QFrame#sPanel1 { background-color: #454545; border-top: 1px solid #686868; }
QPushButton {
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6e6e6e, stop:1 #4e4e4e);
    border: 1px solid #2e2e2e; border-radius: 3px; padding: 1px; color: #f0f0f0;
}
QPushButton:hover { background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #7c7c7c, stop:1 #5a5a5a); }
QPushButton:pressed, QPushButton:checked {
    background-color: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2f2f2f, stop:1 #444444);
    border: 1px solid #1c1c1c; color: #9fe09f;
}
QPushButton:disabled { color: #8a8a8a; background-color: #4a4a4a; border-color: #3a3a3a; }
QLabel { background: transparent; }
QLabel[lampCaption="true"] { color: #ffffff; font-weight: bold; font-size: 13px; }
QComboBox, QLineEdit, QPlainTextEdit, QSpinBox, QDoubleSpinBox {
    background-color: #3a3a3a; border: 1px solid #2a2a2a; border-radius: 2px; color: #f0f0f0;
    selection-background-color: #6a6a6a;
}
QGroupBox { border: 1px solid #6a6a6a; border-radius: 4px; margin-top: 8px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }
QCheckBox::indicator { width: 13px; height: 13px; }
)");
}

}  // namespace dp
