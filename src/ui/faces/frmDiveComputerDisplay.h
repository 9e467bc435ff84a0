#pragma once

#include <QWidget>

class DiveComputerDisplay;

// The floating face: the face of the current model in a small window that stays above the others
// without taking the focus, for every host to show its dive on. There is one for the program; it
// is loaded on first use, hidden and shown by the hosts, and unloaded by its close box (which
// stores its place) or at the end of the program.
class frmDiveComputerDisplay : public QWidget {
    Q_OBJECT
public:
    // The loaded window, or nullptr.
    static frmDiveComputerDisplay* loaded();
    // The window, loaded (and placed) when it was not; shown without taking the focus.
    static frmDiveComputerDisplay* showFloating();

    // The face of the model code at the time the window loaded; nullptr for a code without a face.
    DiveComputerDisplay* diveComputerDisplay() const { return m_face; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    frmDiveComputerDisplay();

    DiveComputerDisplay* m_face = nullptr;
};
