#pragma once

#include <QWidget>

class QLabel;

// The window shown while the program starts: a picture and the version.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* lblVersion;
};

// The splash picture, drawn by the program.
QPixmap splashPicture(const QSize& size);
