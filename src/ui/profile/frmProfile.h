#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>
#include <memory>

class DisplayTissue;
class Dive;
class DiveComputerFace;
class DiveGraph;
class Profile;
class ProfileHost;
class ProfileReplay;
class QAction;
class QFrame;
class QToolBar;

// The profile window: one dive replayed in a modeless window of its own, with the graph, the face
// of the model in use and the tissue display, stepped from the toolbar or the keyboard. It lays
// itself out again after every resize and every toolbar command. One exists at a time; its dive
// never changes while it is open.
class frmProfile : public QWidget {
    Q_OBJECT
public:
    // Loads the window, owned by `owner` (the main window), centred on the screen.
    explicit frmProfile(QWidget* owner = nullptr);
    ~frmProfile() override;

    // Designed size, in twips.
    static constexpr int DESIGN_WIDTH = 12000;
    static constexpr int DESIGN_HEIGHT = 7800;
    static constexpr int SPLITTER_SIZE = 60;

    // Shows the dive; `pDives`, may be null, are the dives before it for the model. Called once,
    // before the window is shown. A dive the model cannot compute fails here, the window empty.
    void addDive(std::shared_ptr<Dive> cDive, const QList<std::shared_ptr<Dive>>* pDives);
    void toolbarLeft_ButtonClick(const QString& key);
    // Lays the window out; a step that fails is skipped.
    void Form_Resize();

    DiveGraph* DiveGraph1;
    DisplayTissue* DisplayTissue1;
    QToolBar* toolbarLeft;
    QFrame* verticalSplitter;
    QFrame* horizontalSplitter;
    // The toolbar's buttons by key.
    QHash<QString, QAction*> buttons;

    const std::shared_ptr<Dive>& currentDive() const;
    const std::shared_ptr<Profile>& diveProfile() const;
    // The window's face; null while the model has none.
    DiveComputerFace* diveComputerDisplay() const;
    ProfileReplay& replay();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool isFaceShown() const;

    std::unique_ptr<ProfileHost> m_host;
};
