#include "frmSimulator.h"

#include "CommandFailure.h"
#include "Dive.h"
#include "FormLocalizer.h"
#include "MainModule.h"
#include "Profile.h"
#include "Seams.h"
#include "ShownProfilePrinting.h"
#include "SimulatedDive.h"
#include "SimulatorDisplays.h"
#include "SimulatorLook.h"
#include "SimulatorTexts.h"
#include "Twips.h"
#include "WindowHelpers.h"
#include "frmSimulatorSave.h"
#include "frmSimulatorSettings.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {
// The window's design, in twips.
constexpr int CLIENT_WIDTH = 11655;
constexpr int CLIENT_HEIGHT = 7545;
constexpr int FACE_WIDTH = 3975;
constexpr int FACE_HEIGHT = 4830;
constexpr int PANEL_HEIGHT = 1635;
constexpr int GAP = 100;
constexpr int TOOLBAR_HEIGHT = 26; // pixels: the 16-pixel pictures with their frame

using Button = SimulationEngine::Button;
} // namespace

frmSimulator::frmSimulator(std::shared_ptr<Dive> dive, QWidget* owner, std::unique_ptr<SimulatorDisplays> displays)
    : QWidget(owner, Qt::Window), m_displays(std::move(displays)) {
    setObjectName(QStringLiteral("frmSimulator"));
    setTag(this, QStringLiteral("1850"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    Forms::add(this);

    m_engine = std::make_unique<SimulationEngine>(std::move(dive));
    if (!m_displays)
        m_displays = SimulatorDisplays::create(this);
    m_displays->onDiverMovement = [this](qint16 step) { onDiverMovement(step); };
    m_displays->onDepthChange = [this](double depth, qint16 step) { onDepthChange(depth, step); };
    buildControls();
    localizeForm(this);

    showElapsedTime();
    showRecorderState();
    sliderVelocity_Scroll();
    m_displays->addProfile(m_engine->sharedProfile());
    m_displays->resetFace();
    sliderModTimer_Change();
    resize(Twips::pixels(CLIENT_WIDTH), Twips::pixels(CLIENT_HEIGHT));
    Form_Resize();
    centerForm(this);
    Timer1->start();
    Seams::busyPointer().setBusy(false);
}

frmSimulator::~frmSimulator() = default;

void frmSimulator::buildControls() {
    setMinimumSize(Twips::pixels(FACE_WIDTH) + 300, Twips::pixels(FACE_HEIGHT) + 120);

    verticalSplitter = new QFrame(this);
    verticalSplitter->setObjectName(QStringLiteral("verticalSplitter"));
    verticalSplitter->setFrameShape(QFrame::VLine);
    horizontalSplitter = new QFrame(this);
    horizontalSplitter->setObjectName(QStringLiteral("horizontalSplitter"));
    horizontalSplitter->setFrameShape(QFrame::HLine);

    frameSimulator = new QFrame(this);
    frameSimulator->setObjectName(QStringLiteral("frameSimulator"));
    frameSimulator->setFrameShape(QFrame::StyledPanel);
    frameSimulator->resize(Twips::pixels(7275), Twips::pixels(PANEL_HEIGHT));

    buildRecorder();
    buildCommands();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &frmSimulator::Timer1_Timer);
}

// The panel's controls stand where the design has them, widened for the nine recorder buttons and
// for the longer labels of some languages.
void frmSimulator::buildRecorder() {
    Toolbar1 = new QToolBar(frameSimulator);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(16, 16));
    Toolbar1->setGeometry(5, 14, 236, TOOLBAR_HEIGHT);
    const auto add = [this](const char* key, const char* tip) {
        QAction* action = Toolbar1->addAction(SimulatorLook::toolIcon(QLatin1String(key)), QString());
        action->setObjectName(QLatin1String(key));
        action->setToolTip(QLatin1String(tip));
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(QLatin1String(key)); });
    };
    add("play", "1864");
    add("pause", "1865");
    add("stop", "1866");
    add("undo", "1867");
    Toolbar1->addSeparator();
    add("FIRST", "1853");
    add("PREVIOUS", "1854");
    add("NEXT", "1855");
    add("LAST", "1856");

    lblRealTime = new QLabel(QStringLiteral("00:00"), frameSimulator);
    lblRealTime->setObjectName(QStringLiteral("lblRealTime"));
    QFont clock(QStringLiteral("Liberation Sans"));
    clock.setPointSizeF(20.25);
    clock.setBold(true);
    clock.setItalic(true);
    lblRealTime->setFont(clock);
    lblRealTime->setGeometry(250, 8, 120, 38);

    lblTimer = new QLabel(frameSimulator);
    lblTimer->setObjectName(QStringLiteral("lblTimer"));
    setTag(lblTimer, QStringLiteral("1859"));
    lblTimer->setGeometry(10, 52, 230, 18);

    sliderVelocity = new QSlider(Qt::Horizontal, frameSimulator);
    sliderVelocity->setObjectName(QStringLiteral("sliderVelocity"));
    sliderVelocity->setRange(SimulationEngine::SPEED_MIN, SimulationEngine::SPEED_MAX);
    sliderVelocity->setSingleStep(1);
    sliderVelocity->setPageStep(5);
    sliderVelocity->setValue(SimulationEngine::SPEED_START);
    sliderVelocity->setTickPosition(QSlider::TicksBelow);
    sliderVelocity->setTickInterval(1);
    sliderVelocity->setToolTip(QStringLiteral("1862"));
    sliderVelocity->setGeometry(5, 72, 236, 26);
    connect(sliderVelocity, &QSlider::valueChanged, this, &frmSimulator::sliderVelocity_Scroll);

    lblModTimer = new QLabel(frameSimulator);
    lblModTimer->setObjectName(QStringLiteral("lblModTimer"));
    lblModTimer->setGeometry(252, 52, 150, 18);

    sliderModTimer = new QSlider(Qt::Horizontal, frameSimulator);
    sliderModTimer->setObjectName(QStringLiteral("sliderModTimer"));
    sliderModTimer->setRange(SimulationEngine::SCALE_MIN, SimulationEngine::SCALE_MAX);
    sliderModTimer->setSingleStep(SimulationEngine::SCALE_STEP);
    sliderModTimer->setPageStep(SimulationEngine::SCALE_STEP);
    sliderModTimer->setValue(SimulationEngine::SCALE_MIN);
    sliderModTimer->setTickPosition(QSlider::NoTicks);
    sliderModTimer->setToolTip(QStringLiteral("1863"));
    sliderModTimer->setGeometry(248, 72, 150, 26);
    connect(sliderModTimer, &QSlider::valueChanged, this, &frmSimulator::sliderModTimer_Change);

    const auto toggle = [this](const char* name, const char* tip, bool down) {
        auto* button = new QToolButton(frameSimulator);
        button->setObjectName(QLatin1String(name));
        button->setCheckable(true);
        button->setIcon(SimulatorLook::stepIcon(down));
        button->setIconSize(QSize(28, 28));
        button->setToolTip(QLatin1String(tip));
        return button;
    };
    btnStepUp = toggle("btnStepUp", "1860", false);
    btnStepUp->setGeometry(410, 10, 42, 42);
    btnStepDown = toggle("btnStepDown", "1861", true);
    btnStepDown->setGeometry(410, 56, 42, 42);
    connect(btnStepUp, &QToolButton::clicked, this, &frmSimulator::btnStepUp_Click);
    connect(btnStepDown, &QToolButton::clicked, this, &frmSimulator::btnStepDown_Click);
}

void frmSimulator::buildCommands() {
    toolbarLeft = new QToolBar(this);
    toolbarLeft->setObjectName(QStringLiteral("toolbarLeft"));
    toolbarLeft->setIconSize(QSize(16, 16));
    const auto add = [this](const char* key, const char* picture, const char* tip, bool checkable) {
        QAction* action = toolbarLeft->addAction(SimulatorLook::toolIcon(QLatin1String(picture)), QString());
        action->setObjectName(QLatin1String(key));
        action->setToolTip(QLatin1String(tip));
        action->setCheckable(checkable);
        connect(action, &QAction::triggered, this, [this, key] {
            // A command that fails (a printer that refuses the job, the database) is reported and the
            // window goes on.
            try {
                toolbarLeft_ButtonClick(QLatin1String(key));
            } catch (const std::exception& error) {
                CommandFailure::report(QStringLiteral("frmSimulator.toolbarLeft_ButtonClick"), QStringLiteral("Error"),
                                       error);
            }
        });
        return action;
    };
    add("DIVE_COMPUTER", "dcOFF", "1851", true);
    add("TISSUE", "tissueOFF", "1852", true);
    toolbarLeft->addSeparator();
    add("SAVE", "SAVE", "1872", false);
    toolbarLeft->addSeparator();
    add("PRINT", "PRINT", "1869", false);
    add("PREVIEW", "PREVIEW", "1870", false);
    toolbarLeft->addSeparator();
    add("DEPTH_CHANGE", "DEPTH_CHANGE", "1857", true);
    toolbarLeft->addSeparator();
    add("SETTINGS", "SETTINGS", "1858", false);
    for (const char* key : {"DIVE_COMPUTER", "TISSUE"})
        commandButton(QLatin1String(key))->setEnabled(m_displays->canFloat());
}

QAction* frmSimulator::recorderButton(const QString& key) const {
    return Toolbar1->findChild<QAction*>(key);
}

QAction* frmSimulator::commandButton(const QString& key) const {
    return toolbarLeft->findChild<QAction*>(key);
}

void frmSimulator::showRecorderState() {
    recorderButton(QStringLiteral("play"))->setEnabled(m_engine->isEnabled(Button::Play));
    recorderButton(QStringLiteral("pause"))->setEnabled(m_engine->isEnabled(Button::Pause));
    recorderButton(QStringLiteral("stop"))->setEnabled(m_engine->isEnabled(Button::Stop));
    recorderButton(QStringLiteral("undo"))->setEnabled(m_engine->isEnabled(Button::Undo));
    commandButton(QStringLiteral("SAVE"))->setEnabled(m_engine->isEnabled(Button::Save));
}

void frmSimulator::showElapsedTime() {
    lblRealTime->setText(m_engine->elapsedTimeText());
}

void frmSimulator::Timer1_Timer() {
    const SimulationEngine::TickResult result = m_engine->tick();
    switch (result) {
    case SimulationEngine::TickResult::Idle:
        return;
    case SimulationEngine::TickResult::LimitReached:
        showRecorderState();
        Seams::message().show(SimulatorTexts::text(SimulatorTexts::Text::LimitReached), Msg::OkOnly | Msg::Information,
                              QString());
        return;
    case SimulationEngine::TickResult::DepthMoved:
        showElapsedTime();
        m_displays->updateDepth(m_engine->liveDepth());
        break;
    case SimulationEngine::TickResult::SampleAdded: {
        showElapsedTime();
        m_displays->updateGraph();
        const qint16 n = qint16(m_engine->samples());
        m_displays->updateDisplay(n);
        m_displays->moveDiver(n);
        break;
    }
    }
    showRecorderState();
}

void frmSimulator::Toolbar1_ButtonClick(const QString& key) {
    if (key == QLatin1String("play")) {
        m_engine->play();
    } else if (key == QLatin1String("pause")) {
        m_engine->pause();
    } else if (key == QLatin1String("stop")) {
        m_engine->stop();
    } else if (key == QLatin1String("undo")) {
        if (m_engine->undo())
            afterUndo();
    } else if (key == QLatin1String("FIRST")) {
        m_displays->moveDiver(0);
    } else if (key == QLatin1String("PREVIOUS")) {
        m_displays->moveDiverPrevious();
    } else if (key == QLatin1String("NEXT")) {
        m_displays->moveDiverNext();
    } else if (key == QLatin1String("LAST")) {
        m_displays->moveDiver(qint16(m_engine->samples()));
    }
    showRecorderState();
}

void frmSimulator::afterUndo() {
    showElapsedTime();
    m_displays->updateGraph();
    const qint16 m = qint16(m_engine->samples());
    if (m == 0) {
        m_displays->refreshGraph();
        m_displays->setDiverOn(false);
        m_displays->resetFace();
        m_displays->refreshTissue();
    } else {
        m_displays->updateDisplay(m);
        m_displays->moveDiver(m_displays->diverPosition());
    }
}

void frmSimulator::btnStepDown_Click() {
    m_engine->setDescending(btnStepDown->isChecked());
    if (btnStepDown->isChecked())
        btnStepUp->setChecked(false);
}

void frmSimulator::btnStepUp_Click() {
    m_engine->setAscending(btnStepUp->isChecked());
    if (btnStepUp->isChecked())
        btnStepDown->setChecked(false);
}

void frmSimulator::sliderVelocity_Scroll() {
    m_engine->setSpeed(sliderVelocity->value());
    lblTimer->setText(m_engine->speedLabel());
}

void frmSimulator::sliderModTimer_Change() {
    m_engine->setTimeScale(sliderModTimer->value());
    lblModTimer->setText(m_engine->timeScaleLabel());
    Timer1->setInterval(m_engine->timerInterval());
}

void frmSimulator::updateAllControls(qint16 step) {
    m_engine->profile().compute();
    m_displays->updateGraph();
    m_displays->updateDisplay(step);
}

void frmSimulator::onDiverMovement(qint16 step) {
    m_displays->updateDisplay(step);
}

void frmSimulator::onDepthChange(double depth, qint16 step) {
    if (m_engine->replaceSample(step, depth))
        updateAllControls(step);
}

void frmSimulator::toolbarLeft_ButtonClick(const QString& key) {
    QAction* button = commandButton(key);
    if (key == QLatin1String("SAVE") && button && button->isEnabled() && !m_engine->isPlaying())
        saveSimulation();
    else if (const auto output = ShownProfilePrinting::outputOf(key))
        ShownProfilePrinting::print(m_engine->sharedProfile(), -1, -1, *output, this);
    else if (key == QLatin1String("SETTINGS"))
        editParameters();
    else if (key == QLatin1String("DEPTH_CHANGE") && button)
        setDepthChange(button->isChecked());
    else if ((key == QLatin1String("DIVE_COMPUTER") || key == QLatin1String("TISSUE")) && button)
        setFloating(key, button->isChecked());
    Form_Resize();
}

void frmSimulator::saveSimulation() {
    SimulatedDive::prepareForSave(*m_engine->dive(), m_engine->profile());
    {
        frmSimulatorSave dialog(this);
        dialog.setCurrentDive(m_engine->dive());
        dialog.exec();
        if (dialog.bOk) {
            bSimulationSaved = true;
            diveID = dialog.diveID;
            logbookID = dialog.logbookID;
            diveLabel = dialog.diveLabel;
        }
    }
    emit simulationSaved(diveID);
}

void frmSimulator::editParameters() {
    frmSimulatorSettings dialog(this);
    dialog.addDive(m_engine->dive());
    dialog.exec();
    if (dialog.isOk) {
        m_displays->resetFace();
        updateAllControls(m_displays->diverPosition());
    }
}

void frmSimulator::setDepthChange(bool on) {
    m_displays->setDepthChange(on);
    for (const char* key : {"FIRST", "PREVIOUS", "NEXT", "LAST"})
        recorderButton(QLatin1String(key))->setEnabled(!on);
    m_displays->updateGraph();
}

void frmSimulator::setFloating(const QString& key, bool down) {
    const bool face = key == QLatin1String("DIVE_COMPUTER");
    if (down) {
        BusyGuard busy;
        face ? m_displays->floatFace(true) : m_displays->floatTissue(true);
    } else {
        face ? m_displays->floatFace(false) : m_displays->floatTissue(false);
    }
    const QString picture = face ? (down ? QStringLiteral("dcON") : QStringLiteral("dcOFF"))
                                 : (down ? QStringLiteral("tissueON") : QStringLiteral("tissueOFF"));
    commandButton(key)->setIcon(SimulatorLook::toolIcon(picture));
}

void frmSimulator::Form_Resize() {
    QWidget* face = m_displays->face();
    QWidget* tissue = m_displays->tissue();
    QWidget* graph = m_displays->graph();
    const int width = this->width();
    const int height = this->height();
    const bool ownDisplays = (face && face->isVisibleTo(this)) || (tissue && tissue->isVisibleTo(this));

    int splitLeft = 0;
    if (!ownDisplays) {
        toolbarLeft->setOrientation(Qt::Vertical);
        toolbarLeft->setGeometry(0, 0, TOOLBAR_HEIGHT + 4, height);
        splitLeft = toolbarLeft->width();
    } else {
        splitLeft = Twips::pixels(FACE_WIDTH);
        toolbarLeft->setOrientation(Qt::Horizontal);
        toolbarLeft->setGeometry(0, 0, splitLeft, TOOLBAR_HEIGHT);
    }
    verticalSplitter->setGeometry(splitLeft, 0, 2, height);
    const int panelHeight = Twips::pixels(PANEL_HEIGHT);
    horizontalSplitter->setGeometry(splitLeft, height - panelHeight, std::max(width - splitLeft, 0), 2);

    const int faceTop = ownDisplays ? toolbarLeft->y() + toolbarLeft->height() : 0;
    if (face)
        face->setGeometry(0, faceTop, Twips::pixels(FACE_WIDTH), Twips::pixels(FACE_HEIGHT));
    const int faceBottom = faceTop + Twips::pixels(FACE_HEIGHT);
    if (tissue)
        tissue->setGeometry(0, faceBottom, std::max(splitLeft - Twips::pixels(GAP), 0),
                            std::max(height - faceBottom, 0));
    frameSimulator->setGeometry(splitLeft, horizontalSplitter->y(), horizontalSplitter->width(), panelHeight);
    if (graph)
        graph->setGeometry(splitLeft + Twips::pixels(GAP), 0,
                           std::max(horizontalSplitter->width() - Twips::pixels(2 * GAP), 0),
                           std::max(horizontalSplitter->y(), 0));
    m_displays->refreshGraph();
    m_displays->moveDiver(m_displays->diverPosition());
}

void frmSimulator::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmSimulator::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        bSimulationSaved = false;
    QWidget::changeEvent(event);
}

void frmSimulator::closeEvent(QCloseEvent* event) {
    Timer1->stop();
    m_displays->closeFloating();
    QWidget::closeEvent(event);
}
