#pragma once

#include <QFrame>
#include <QImage>

class DiveDataControl;
class QAction;
class QMenu;

// The dive's picture on the General tab, shown scaled to fit, kept in the data control's current
// row (column PICTURE, the picture file's own bytes) until the row is saved. A double click chooses
// a bmp, gif, jpg or png file; a right click offers to remove the picture.
class DivePicture : public QFrame {
    Q_OBJECT
public:
    // The control shows and edits the current row of `dataControl`, following it as it moves.
    explicit DivePicture(DiveDataControl* dataControl, QWidget* parent = nullptr);

    // Shows the picture of the data control's current row; none without one, or when the stored
    // bytes are not a picture.
    void fill();

    bool hasPicture() const { return !m_image.isNull(); }
    const QImage& picture() const { return m_image; }

    // Lets the user choose a picture file. A file that is not a picture of the four formats gives
    // string 3006 and changes nothing.
    void pictureLocation_DblClick();
    // `button` 2 (the right one) opens the pop-up menu at `position`, in the control's coordinates.
    void pictureLocation_MouseDown(int button, const QPoint& position);
    void mnuPopupDeleteImage_Click();

    QMenu* mnuPopupImage;
    QAction* mnuPopupDeleteImage;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    DiveDataControl* m_data;
    QImage m_image;
};
