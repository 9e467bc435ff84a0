#pragma once

#include <QGroupBox>

class Dive;
class QBoxLayout;

// What the Settings and Technical tabs of the dive tabs share: read-only fields filled from the dive
// each time the tab is shown, and three switches that offer the fields the dive's mode and the model
// in use allow.
//
// Fields come in pairs, a caption label `lbl_X` and a value label `lblX`: a field switched off greys
// its caption and hides its value.
class DiveInfoTab : public QGroupBox {
    Q_OBJECT
public:
    // Shows the dive; nothing without one. Reads the model in use and the unit system.
    void fill(const Dive* dive);

    // The three switches, run by fill in this order; the window's refresh runs the tank one too.
    virtual void enableNitroxControls(bool flag) = 0;
    // Off on every model without tank data, whatever `flag` says.
    void enableAirControls(bool flag);
    // `flag` is true for a free-dive series, whose deco and ascent boxes are greyed; they are live on
    // the Kobi only.
    void enableDecoFlags(bool flag);

protected:
    // The frame `name`, captioned by string `title`.
    DiveInfoTab(const char* name, int title, QWidget* parent);

    virtual void showDive(const Dive& dive) = 0;
    virtual void showAirFields(bool on) = 0;
    virtual void enableDecoBoxes(bool enabled) = 0;
    // Runs the three switches for the dive's mode and answers the mode's text.
    QString switchFor(const Dive& dive);

    // A frame of fields inside the tab.
    QGroupBox* addFrame(const char* name, const QString& caption);
    // The two columns side by side; then the captions take the current language.
    void arrange(QBoxLayout* left, QBoxLayout* right);

private:
    const int m_title;
};
