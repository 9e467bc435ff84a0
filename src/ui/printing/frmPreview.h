#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <memory>

class PrinterManager;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QToolBar;

// Shows a print job as it will come out of the printer. The job draws its page once, at printer
// scale, on a page picture of the printer page's size; the window shows a stretched copy of it,
// zoomed by a list of percentages and moved by two scroll bars. Its print button sends the same
// job to the printer through the printing monitor, the preview staying open.
class frmPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmPreview(QWidget* parent = nullptr);
    ~frmPreview() override;

    // Keeps the job and has it draw the page picture.
    void setPrinterManager(std::shared_ptr<PrinterManager> pManager);
    // Shows the page picture stretched to the zoom list's percentage.
    void makeZoom();
    void Toolbar1_ButtonClick(const QString& key);
    void VScroll1_Change();
    void HScroll1_Change();

    // The check of a zoom text: 0 when it is a percentage, else the string to show.
    static qint32 zoomTextError(const QString& text);

    qint16 iPosition = 1;

    QToolBar* Toolbar1;
    QHash<QString, QAction*> toolbarButtons;
    QComboBox* cmbZoom;
    QLineEdit* txtZoom;
    QWidget* PIC_CONTAINER;
    QLabel* PIC_ZOOM;
    QScrollBar* VScroll1;
    QScrollBar* HScroll1;

    // The page as the job drew it, and the job.
    const QImage& pagePicture() const { return m_page; }
    const std::shared_ptr<PrinterManager>& printerManager() const { return m_previewPM; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void placeZoomPicture();

    std::shared_ptr<PrinterManager> m_previewPM;
    QImage m_page;
};
