#pragma once

#include "SimulationEngine.h"
#include "SimulatorDisplays.h"

#include <QWidget>
#include <memory>

class Dive;
class QAction;
class QFrame;
class QLabel;
class QSlider;
class QTimer;
class QToolBar;
class QToolButton;

// The window in which the user dives a simulated profile live: a timer ticks the simulation
// engine, the recorder toolbar plays, pauses, stops, undoes and replays, the command toolbar
// saves, sets the parameters, edits the profile on the graph and floats the face and the tissue
// bars. Graph, face and tissue bars follow every sample.
//
// Opened by the main window (new dive) or its profile panel (setCurrentDive with the panel's dive,
// before the window is built: the simulator continues that very object).
class frmSimulator : public QWidget {
    Q_OBJECT

public:
    // `dive` is continued in place; a new dive of the current model when null. The displays of the
    // program's build unless others are given.
    explicit frmSimulator(std::shared_ptr<Dive> dive = nullptr, QWidget* owner = nullptr,
                          std::unique_ptr<SimulatorDisplays> displays = nullptr);
    ~frmSimulator() override;

    bool bSimulationSaved = false;
    QString logbookID;
    QString diveID;
    QString diveLabel;

    void setMainForm(QWidget* mainForm) { m_mainForm = mainForm; }
    void updateAllControls(qint16 step);

    SimulationEngine& engine() { return *m_engine; }
    SimulatorDisplays& displays() { return *m_displays; }

    // Handlers, public so that the owner and tests can drive the window as the user does.
    void Timer1_Timer();
    void Toolbar1_ButtonClick(const QString& key);
    void toolbarLeft_ButtonClick(const QString& key);
    void btnStepDown_Click();
    void btnStepUp_Click();
    void sliderVelocity_Scroll();
    void sliderModTimer_Change();
    void Form_Resize();

    QAction* recorderButton(const QString& key) const;
    QAction* commandButton(const QString& key) const;

    QToolBar* toolbarLeft;
    QFrame* frameSimulator;
    QToolBar* Toolbar1;
    QLabel* lblRealTime;
    QLabel* lblTimer;
    QSlider* sliderVelocity;
    QLabel* lblModTimer;
    QSlider* sliderModTimer;
    QToolButton* btnStepUp;
    QToolButton* btnStepDown;
    QFrame* verticalSplitter;
    QFrame* horizontalSplitter;
    QTimer* Timer1;

signals:
    // After every close of the save dialog: the key of the last dive saved, "" when none.
    void simulationSaved(const QString& diveID);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildRecorder();
    void buildCommands();
    void showRecorderState();
    void showElapsedTime();
    void onDiverMovement(qint16 step);
    void onDepthChange(double depth, qint16 step);
    void afterUndo();
    void saveSimulation();
    void editParameters();
    void setDepthChange(bool on);
    void setFloating(const QString& key, bool down);

    std::unique_ptr<SimulationEngine> m_engine;
    std::unique_ptr<SimulatorDisplays> m_displays;
    QWidget* m_mainForm = nullptr;
};
