#pragma once

#include "UserControl.h"

#include <QFont>
#include <QImage>
#include <memory>

class Profile;

// The tissue loads of one sample step of a computed dive as a bar chart: one bar per compartment,
// green up to 100 %, dark red above, a grey line at the 100 % level. Hosts give it the dive's
// profile and ask for a step each time the replay marker moves; a resize redraws the last step.
// Dives whose loads the model does not show (bottom-time, free and stop dives) leave the control
// blank. Lengths are twips, 15 to a pixel.
//
// A step is worked out whole before the old chart is erased: a step the profile refuses leaves the
// previous chart, and the error goes to the caller.
//
// The background colour is also the colour the chart is erased with; the foreground colour draws
// the outline. The surface passes its keyboard and mouse events on to the host.
class DisplayTissue : public UserControl {
    Q_OBJECT
public:
    explicit DisplayTissue(QWidget* parent = nullptr);
    ~DisplayTissue() override;

    const std::shared_ptr<Profile>& currentProfile() const { return m_profile; }
    // Only keeps the profile, as a face's does: the chart stays until the next step is drawn, with
    // the compartment count that addProfile read.
    void setCurrentProfile(std::shared_ptr<Profile> profile) { m_profile = std::move(profile); }
    // Stored only.
    qint16 textBase() const { return m_textBase; }
    void setTextBase(qint16 v);
    // Gap between bars.
    qint16 xInterval() const { return m_xInterval; }
    void setXInterval(qint16 v);
    // Stored only.
    qint16 textDown() const { return m_textDown; }
    void setTextDown(qint16 v);
    // Distance of the bars' base line above the bottom edge.
    qint16 lineBase() const { return m_lineBase; }
    void setLineBase(qint16 v);
    // Keeps the profile and reads its compartment count; draws nothing.
    void addProfile(std::shared_ptr<Profile> cProfile);
    // Draws the chart of a sample step; nothing while there is no profile.
    void updateDisplay(qint16 step);
    // Erases the chart to the background.
    void clearDisplay();

    qint16 tissueCount() const { return m_count; }
    qint16 lastStep() const { return m_lastStep; }
    QImage image() const { return m_image; }

    // The stored properties a host saved, keys in any letter case; missing ones take the defaults.
    void readProperties(const PropertyBag& bag) override;
    PropertyBag writeProperties() const override;

signals:
    void Resize();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void erase();
    void markChanged(const QString& key);

    std::shared_ptr<Profile> m_profile;
    qint16 m_textBase = 0;
    qint16 m_xInterval = 50;
    qint16 m_textDown = 0;
    qint16 m_lineBase = 400;
    qint16 m_count = 11;
    qint16 m_lastStep = 0;
    QImage m_image;
};
