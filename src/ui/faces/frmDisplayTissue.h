#pragma once

#include <QWidget>

class DisplayTissue;

// The floating tissue display: the tissue bars of the dive a host gave it, in a sizable window
// that stays above the others without taking the focus. One for the program, loaded on first use,
// hidden and shown by the hosts, unloaded by its close box or at the end of the program; it keeps
// its place and size.
class frmDisplayTissue : public QWidget {
    Q_OBJECT
public:
    static frmDisplayTissue* loaded();
    static frmDisplayTissue* showFloating();

    DisplayTissue* DisplayTissue1;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    frmDisplayTissue();
};
