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
class QToolBar;
namespace ShownProfilePrinting {
enum class Output;
}

// The main window's replay of the selected dive: its toolbar, face and tissue display on the left
// tab set, driving the graph that stands on the Profile tab of the dive tabs. A dive is shown
// anew each time the Profile tab is filled.
class ProfilePanel : public QWidget {
    Q_OBJECT
public:
    // `graph` is the Profile tab's graph, which the panel steps and follows.
    ProfilePanel(DiveGraph* graph, QWidget* parent = nullptr);
    ~ProfilePanel() override;

    // Where the face stands on the panel, in twips from the toolbar's bottom edge.
    static constexpr int FACE_LEFT = 90;
    static constexpr int FACE_GAP = 10;

    // Creates the face of the model in use; a model without a face leaves the slot empty and the
    // tissue display takes the face's place.
    void createDiveComputerDisplay();
    // Computes the dive and shows it at step 0 in graph, face and tissue display; `pDives`, may be
    // null, are the dives before it. No dive (one that could not be loaded) empties the displays;
    // a dive the model cannot compute empties them and the failure goes to the caller.
    void setProfileDive(std::shared_ptr<Dive> cDive, const QList<std::shared_ptr<Dive>>* pDives);
    void tblProfile_ButtonClick(const QString& key);

    QToolBar* tblProfile;
    DisplayTissue* DisplayTissue1;
    QHash<QString, QAction*> buttons;
    DiveGraph* DiveGraph1;

    DiveComputerFace* diveComputerDisplay() const;
    const std::shared_ptr<Profile>& diveProfile() const;
    ProfileReplay& replay();

signals:
    // The simulator button: the main window opens the simulator on the dive it shows.
    void simulatorRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutPanel();
    // A profile page of the shown dive with the diver at the graph's step; nothing before a dive.
    void printShownProfile(ShownProfilePrinting::Output output);

    std::unique_ptr<ProfileHost> m_host;
};
