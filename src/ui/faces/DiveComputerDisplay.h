#pragma once

#include "DiveComputerFace.h"
#include "FaceElements.h"
#include "ModelCodes.h"
#include "UserControl.h"

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QWidget>
#include <memory>

class Dive;
class Profile;
class ProfileReader;

// A face: an imitation of one family of dive computer displays, showing one sample step of a
// computed dive as the device showed it at that moment of the dive.
//
//   face->setIcon(false, false);
//   face->addProfile(profile);   // prepares the elements for the profile's dive
//   face->updateDisplay(step);   // at every move of the host's replay marker
//
// Every element is a named child (indexed ones carry the index after the name, "lblDigitAscTime1"),
// so that a host or a test reads what the face shows.
//
// The surface's appearance and its keyboard and mouse events are those of every own control
// (UserControl): the background colour and style fill the surface between the elements, and a
// click on an element is not one on the surface.
class DiveComputerDisplay : public UserControl, public DiveComputerFace {
    Q_OBJECT
public:
    // The area a host gives every face.
    static constexpr int WIDTH_TWIPS = 3975;
    static constexpr int HEIGHT_TWIPS = 4830;

    // What kind of dive the face shows, tested in this order.
    enum class Kind { StopFlag, Nitrox, Air, BottomTime, FreeDive, Other };

    // A face shows the dives of the model it was made for, whatever the setting says later.
    explicit DiveComputerDisplay(ModelCode model, QWidget* parent = nullptr);

    ModelCode model() const { return m_model; }

    std::shared_ptr<ProfileReader> currentProfile() const { return m_profile; }
    // Only keeps the profile: the display shows the previous one until the next reset or step.
    void setCurrentProfile(std::shared_ptr<ProfileReader> profile) { m_profile = std::move(profile); }
    // Keeps the profile (shared: a floating face may outlive its host's copy) and resets the display.
    void addProfile(std::shared_ptr<ProfileReader> cProfile);
    void addProfile(std::shared_ptr<Profile> profile) override;
    // The warning icons that the diver's previous dive left: an uncontrolled ascent, an omitted stop
    // (non-zero flags show them).
    void setIcon(qint16 ascentIcon, qint16 decoStopIcon) override;
    QWidget* widget() override { return this; }
    // Prepares every element for the dive of the current profile; nothing without a profile.
    void resetDisplay() override = 0;
    // Shows one sample step; nothing without a profile.
    void updateDisplay(qint16 step) override = 0;
    // The live depth (metres) during a simulation, written into the depth digits only.
    void updateDepth(float depth) override;

    static Kind kindOf(const Dive& dive);

protected:
    void addLabels(std::initializer_list<LabelLayout> specs);
    void addImages(std::initializer_list<ImageLayout> specs);
    void addShapes(std::initializer_list<ShapeLayout> specs);
    void addElement(QWidget* target) { m_elements.insert(target->objectName(), target); }
    // The picture list, index 1 first.
    void setPictures(const QList<QPixmap>& pictures) { m_pictures = pictures; }

    // A digit field's figures at the size the face gives them.
    void setDigitFont(QLabel* field, const QFont& font);
    // Writes a reading into a digit field, whole: figures too wide for `room` pixels (the field's
    // width when 0) at the field's size are drawn smaller until they fit, for a cut reading shows
    // another number.
    void showDigits(QLabel* field, const QString& text, int room = 0);

    QLabel* label(const char* name, int index = -1) const;
    FaceImage* image(const char* name, int index = -1) const;
    QWidget* element(const char* name, int index = -1) const;

    void showPicture(FaceImage* target, int index) const;
    static void setTip(QWidget* target, int stringId);
    static void setShown(std::initializer_list<QWidget*> targets, bool shown);

    static bool isMetric();
    // The depth text of a reading in metres, in the display unit.
    static QString depthText(float metres);
    // Arrows toward the first stop: down above it, up below it, both within half a metre.
    void setArrows(float depth, qint16 tappa) const;
    // The picture of an ascent-rate level (5 to 1 give `first` to `first` + 4); 0 for none.
    static int ascentPicture(qint16 level, int first);
    // The stop-depth mark of the current unit (item 0 of "m" or "ft").
    QWidget* stopDepthMark() const;
    // Water, depth and temperature unit marks and the altitude picture, by the dive.
    void setDiveMarks(const Dive& dive, std::initializer_list<int> depthMarkItems);

    void paintEvent(QPaintEvent* event) override;

    std::shared_ptr<ProfileReader> m_profile;

private:
    const ModelCode m_model;
    QHash<QString, QWidget*> m_elements;
    QHash<const QLabel*, QFont> m_digitFonts;
    QList<QPixmap> m_pictures;
};
