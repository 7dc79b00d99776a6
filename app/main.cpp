// DravikProbe: creates the seven windows in order and runs the event loop.

#include <QApplication>
#include <QFont>

#include "app/AppIcon.h"
#include "app/Skin.h"
#include "app/TForm1.h"
#include "app/TForm3.h"
#include "app/TForm7.h"
#include "dashboard/TForm5.h"
#include "ecu/TForm4.h"
#include "ecu/TForm6.h"
#include "log/SampleLog.h"
#include "log/TForm2.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("DravikProbe"));
    QApplication::setQuitOnLastWindowClosed(false);  // the main window's close ends the program
    // The forms are laid out for this face; on systems without it DejaVu Sans keeps the metrics close.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    app.setStyleSheet(dp::ApplicationStyleSheet());
    QApplication::setWindowIcon(dp::AppIcon());

    dp::SampleLog log;  // the log unit's state, shared by the main window and the viewer
    dp::TForm1 form1(log);
    dp::TForm2 form2(log);
    dp::TForm3 form3(form1.Settings, &form1);
    dp::TForm4 form4(&form1);
    dp::TForm5 form5({form1.Settings.NeedleColor, form1.Settings.TitleColor, form1.Settings.DigitColor,
                      form1.Settings.ScaleColor},
                     &form1);
    dp::TForm6 form6(&form1);
    dp::TForm7 form7(&form1);
    form1.attachWindows({&form2, &form3, &form4, &form5, &form6, &form7});
    form1.showMaximized();
    return app.exec();
}
