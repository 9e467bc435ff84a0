#pragma once

#include <QDialog>
#include <QList>
#include <QPixmap>
#include <array>

class ColorBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// The options dialog: model, language, unit system, serial port, diver icon, colours and the
// statistics mode, on five pages chosen from a tree. Edits go to working copies: OK applies them,
// Cancel drops them. Serial port, icon, colours and statistics take effect at once; model,
// language and unit system are stored for the next start only.
//
// Each showing uses a fresh dialog: the opener creates it, may pick a page or reduce it, runs
// exec() and deletes it afterwards.
class frmSettings : public QDialog {
    Q_OBJECT
public:
    explicit frmSettings(QWidget* parent = nullptr);

    static constexpr qint16 STATS_ASK_EACH_TIME = 1;
    static constexpr qint16 STATS_ALL_LOGBOOKS = 2;

    static constexpr int PROFILE_COLOR_NORMAL = 0;
    static constexpr int PROFILE_COLOR_ASCENT = 1;
    static constexpr int PROFILE_COLOR_DECO = 2;
    static constexpr int PROFILE_COLOR_DECO_ASCENT = 3;

    // Shows the page of a node of `tvSettings`, filling it on its first showing; the root and a
    // null node do nothing.
    void tvSettings_NodeClick(QTreeWidgetItem* node);
    // Keeps only the General page and locks the tree on it.
    void setEnabledOnlyA0();
    // The node of `tvSettings` with this key ("settings", "A0" to "A4"); null when there is none.
    QTreeWidgetItem* node(const QString& key) const;

    void cmdOk_Click();
    void cmdCancel_Click();

    QTreeWidget* tvSettings;
    QLabel* lbl_Setting;
    QFrame* frameBottom;
    std::array<QWidget*, 5> picOptions{};
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    // General
    QGroupBox* Frame1;
    QRadioButton* optZento;
    QRadioButton* optLUMO;
    QRadioButton* optZentoRGBM;
    QRadioButton* optTAVEX;
    QRadioButton* optLUMO_AIR;
    QRadioButton* optKOBI;
    QGroupBox* Frame2;
    std::array<QRadioButton*, 6> optLanguage{};

    // Measurement
    QRadioButton* optMeasureStandard;
    QRadioButton* optMeasureImperial;
    QLabel* lblDepth;
    QLabel* lblTemperature;
    QLabel* lblPressure;
    QLabel* lblVolume;
    QLabel* lbl_Depth;
    QLabel* lbl_Temperature;
    QLabel* lbl_Pressure;
    QLabel* lbl_Volume;

    // Data Download
    QGroupBox* frameSerialPort;
    QComboBox* comboCOM;

    // Profile
    QListWidget* listProfileColor;
    QGroupBox* Frame4;
    std::array<ColorBox*, 2> picColor{};
    QLabel* lblProfileColor;
    QLabel* lblPrinterColor;
    QGroupBox* frameSub;
    std::array<QRadioButton*, 6> optDiver{};
    std::array<QLabel*, 6> imageSub{};
    QList<QPixmap> imagelistSub;

    // Statistics
    QCheckBox* chkAskForStats;
    QGroupBox* frameStatsMode;
    QRadioButton* optAllStatsArchive;
    QRadioButton* optOnlyStatsLogbook;

private:
    // The value stored for the next start, or `running` when there is none or it is damaged.
    static qint32 storedOr(const QString& key, qint32 running, bool sixteenBits);
    void buildControls();
    void buildGeneralPage(QWidget* page);
    void buildMeasurementPage(QWidget* page);
    void buildDownloadPage(QWidget* page);
    void buildProfilePage(QWidget* page);
    void buildStatisticsPage(QWidget* page);
    void buildTree();
    void connectHandlers();

    void initOptionsPage(const QString& key);
    void measureUnitChanged(qint16 system);
    void listProfileColor_Click();
    void picColor_DblClick(int index);
    void chkAskForStats_Click(bool ticked);
    void enableStatsScope(bool enabled);

    QButtonGroup* m_models;
    QButtonGroup* m_languages;
    QButtonGroup* m_units;
    QButtonGroup* m_divers;
    QTreeWidgetItem* m_root = nullptr;

    qint32 newDiveComputer = 0;
    qint16 newLanguage = 0;
    qint16 newMeasureUnit = 0;
    qint16 newComPort = 0;
    qint16 newDiverIcon = 0;
    qint16 newStatisticsMode = 0;
    QList<qint32> newProfileColors;
    QList<qint32> newPrinterColors;
    qint16 oldDiveComputer = 0;
    qint16 oldLanguage = 0;
    qint16 oldMeasureUnit = 0;
};
