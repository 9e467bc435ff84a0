#include "QtSeams.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("S.O.N.A 2"));
    installQtSeams();

    QMainWindow window;
    window.setObjectName(QStringLiteral("frmMain"));
    window.setWindowTitle(QApplication::applicationName());
    window.resize(1024, 720);
    window.show();
    return app.exec();
}
