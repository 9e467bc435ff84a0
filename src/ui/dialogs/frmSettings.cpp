#include "frmSettings.h"

#include "ColorBox.h"
#include "FormLocalizer.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "ModelCodes.h"
#include "Numeric.h"
#include "OptionPictures.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "Settings.h"
#include "SettingsStore.h"
#include "SettingsWrite.h"
#include "Twips.h"
#include "WindowHelpers.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

using Twips::pixels;
using Twips::twips;

namespace {
constexpr int KEY_ROLE = Qt::UserRole;
// The node's tag: true once its page has been filled.
constexpr int FILLED_ROLE = Qt::UserRole + 1;

// Design geometry, in twips.
// The tree and the pages are wider than the first design, and the window with them, so that every
// page name and every colour kind reads in full in each language.
constexpr int TREE_WIDTH = 2850;
constexpr int PAGE_LEFT = 120 + TREE_WIDTH + 120;
constexpr int PAGE_WIDTH = 6840;
constexpr int FORM_WIDTH = PAGE_LEFT + PAGE_WIDTH + 120;
constexpr int FORM_HEIGHT = 6000;
constexpr int BUTTON_WIDTH = 1350;
constexpr int SERIAL_PORTS = 30;
constexpr int DIVER_ICONS = 6;

QString keyOf(const QTreeWidgetItem* node) {
    return node->data(0, KEY_ROLE).toString();
}

// Checks the button of `id` in an exclusive group, or clears the group when no button has it.
void selectButton(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id)) {
        button->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

QRadioButton* radio(const QString& name, QWidget* parent) {
    auto* button = new QRadioButton(parent);
    button->setObjectName(name);
    return button;
}

QLabel* label(const char* name, const char* tag, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    if (tag)
        setTag(l, QLatin1String(tag));
    return l;
}

QGroupBox* frame(const char* name, const char* tag, QWidget* parent) {
    auto* box = new QGroupBox(parent);
    box->setObjectName(QLatin1String(name));
    setTag(box, QLatin1String(tag));
    return box;
}
} // namespace

frmSettings::frmSettings(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSettings"));
    setTag(this, QStringLiteral("2050"));
    Forms::add(this);
    buildControls();
    connectHandlers();

    // The working copies first: building the tree fills the General page from them.
    Settings& settings = Settings::instance();
    const qint16 measureUnit = Internationalization::instance().measureUnit();
    // Model, language and unit show what the next start will use: a choice already written for it
    // is shown, so that it can be seen and taken back, and the running value where there is none.
    newDiveComputer = storedOr(QStringLiteral("DiveComputer"), settings.currentDiveComputer(), false);
    newLanguage = qint16(storedOr(QStringLiteral("Language"), settings.currentLanguage(), true));
    newMeasureUnit = qint16(storedOr(QStringLiteral("MeasureUnit"), measureUnit, true));
    oldDiveComputer = num::toInt16(newDiveComputer);
    oldLanguage = newLanguage;
    oldMeasureUnit = newMeasureUnit;
    newComPort = settings.comPort();
    newDiverIcon = settings.currentDiverIcon();
    newStatisticsMode = settings.currentStatisticsMode();
    newProfileColors = settings.currentProfileColors();
    newPrinterColors = settings.currentPrinterColors();

    localizeForm(this);
    centerForm(this);
    buildTree();

    Seams::busyPointer().setBusy(false);
}

qint32 frmSettings::storedOr(const QString& key, qint32 running, bool sixteenBits) {
    // A damaged stored value is no choice: the running value stands.
    try {
        const QString stored = SettingsStore::value(key, QString::number(running));
        return sixteenBits ? num::textToInt16(stored) : num::textToInt32(stored);
    } catch (const RuntimeError&) {
        return running;
    }
}

void frmSettings::buildControls() {
    setFixedSize(FORM_WIDTH / TWIPS_PER_PIXEL, FORM_HEIGHT / TWIPS_PER_PIXEL);

    tvSettings = new QTreeWidget(this);
    tvSettings->setObjectName(QStringLiteral("tvSettings"));
    tvSettings->setHeaderHidden(true);
    tvSettings->setGeometry(pixels(120, 120, TREE_WIDTH, 5240));

    lbl_Setting = label("lbl_Setting", nullptr, this);
    lbl_Setting->setGeometry(pixels(PAGE_LEFT, 120, PAGE_WIDTH, 450));
    Twips::makeTitleBand(lbl_Setting);

    frameBottom = new QFrame(this);
    frameBottom->setObjectName(QStringLiteral("frameBottom"));
    frameBottom->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    cmdOK = new QPushButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    setTag(cmdOK, QStringLiteral("1010"));
    cmdOK->setGeometry(pixels(FORM_WIDTH - 2 * (BUTTON_WIDTH + 120), 5460, BUTTON_WIDTH, 405));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    setTag(cmdCancel, QStringLiteral("1012"));
    cmdCancel->setGeometry(pixels(FORM_WIDTH - BUTTON_WIDTH - 120, 5460, BUTTON_WIDTH, 405));

    for (int i = 0; i < int(picOptions.size()); ++i) {
        picOptions[i] = new QWidget(this);
        picOptions[i]->setObjectName(QStringLiteral("picOptions%1").arg(i));
        picOptions[i]->setEnabled(false);
        picOptions[i]->hide();
    }
    buildGeneralPage(picOptions[0]);
    buildMeasurementPage(picOptions[1]);
    buildDownloadPage(picOptions[2]);
    buildProfilePage(picOptions[3]);
    buildStatisticsPage(picOptions[4]);
}

void frmSettings::buildGeneralPage(QWidget* page) {
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);

    Frame1 = frame("Frame1", "2065", page);
    auto* models = new QVBoxLayout(Frame1);
    m_models = new QButtonGroup(this);
    const struct {
        QRadioButton*& button;
        const char* name;
        const char* text;
        ModelCode model;
    } modelOptions[] = {{optZento, "optZento", "Zento", ModelCode::dcZento},
                        {optLUMO, "optLUMO", "Lumo", ModelCode::dcLUMO},
                        {optZentoRGBM, "optZentoRGBM", "Zento RGBM", ModelCode::dcZentoRGBM},
                        {optTAVEX, "optTAVEX", "Tavex", ModelCode::dcTAVEX},
                        {optLUMO_AIR, "optLUMO_AIR", "Lumo Air", ModelCode::dcLumoAir},
                        {optKOBI, "optKOBI", "Kobi", ModelCode::dcKOBI}};
    for (const auto& option : modelOptions) {
        option.button = radio(QLatin1String(option.name), Frame1);
        option.button->setText(QLatin1String(option.text));
        option.button->setIcon(QIcon(modelPicture(ModelCodes::code(option.model))));
        option.button->setIconSize(QSize(28, 28));
        m_models->addButton(option.button, ModelCodes::code(option.model));
        models->addWidget(option.button);
    }
    models->addStretch();
    layout->addWidget(Frame1);

    Frame2 = frame("Frame2", "2066", page);
    auto* languages = new QVBoxLayout(Frame2);
    m_languages = new QButtonGroup(this);
    for (int i = 0; i < int(optLanguage.size()); ++i) {
        optLanguage[i] = radio(QStringLiteral("optLanguage%1").arg(i), Frame2);
        setTag(optLanguage[i], QString::number(2067 + i));
        m_languages->addButton(optLanguage[i], i);
        languages->addWidget(optLanguage[i]);
    }
    languages->addStretch();
    layout->addWidget(Frame2);
}

void frmSettings::buildMeasurementPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    auto* systems = new QHBoxLayout;
    optMeasureStandard = radio(QStringLiteral("optMeasureStandard"), page);
    setTag(optMeasureStandard, QStringLiteral("2051"));
    optMeasureImperial = radio(QStringLiteral("optMeasureImperial"), page);
    setTag(optMeasureImperial, QStringLiteral("2052"));
    m_units = new QButtonGroup(this);
    m_units->addButton(optMeasureStandard, Internationalization::instance().STANDARD);
    m_units->addButton(optMeasureImperial, Internationalization::instance().IMPERIAL);
    systems->addWidget(optMeasureStandard);
    systems->addWidget(optMeasureImperial);
    systems->addStretch();
    layout->addLayout(systems);

    auto* grid = new QGridLayout;
    lblDepth = label("lblDepth", "2053", page);
    lblTemperature = label("lblTemperature", "2054", page);
    lblPressure = label("lblPressure", "2055", page);
    lblVolume = label("lblVolume", "2056", page);
    lbl_Depth = label("lbl_Depth", nullptr, page);
    lbl_Temperature = label("lbl_Temperature", nullptr, page);
    lbl_Pressure = label("lbl_Pressure", nullptr, page);
    lbl_Volume = label("lbl_Volume", nullptr, page);
    QLabel* const captions[] = {lblDepth, lblTemperature, lblPressure, lblVolume};
    QLabel* const values[] = {lbl_Depth, lbl_Temperature, lbl_Pressure, lbl_Volume};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(captions[row], row, 0);
        grid->addWidget(values[row], row, 1);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addStretch();
}

void frmSettings::buildDownloadPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    frameSerialPort = frame("frameSerialPort", "2073", page);
    auto* inner = new QHBoxLayout(frameSerialPort);
    comboCOM = new QComboBox(frameSerialPort);
    comboCOM->setObjectName(QStringLiteral("comboCOM"));
    comboCOM->setEditable(false);
    for (int port = 1; port <= SERIAL_PORTS; ++port)
        comboCOM->addItem(QString::number(port));
    // A fresh list has no selection until the page sets one.
    comboCOM->setCurrentIndex(-1);
    inner->addWidget(comboCOM);
    inner->addStretch();
    layout->addWidget(frameSerialPort);
    layout->addStretch();
}

void frmSettings::buildProfilePage(QWidget* page) {
    auto* layout = new QGridLayout(page);

    listProfileColor = new QListWidget(page);
    listProfileColor->setObjectName(QStringLiteral("listProfileColor"));
    // As wide as its longest colour kind, and wider when the page has room.
    listProfileColor->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    layout->addWidget(listProfileColor, 0, 0);
    layout->setColumnStretch(0, 1);

    Frame4 = frame("Frame4", "2084", page);
    auto* colors = new QGridLayout(Frame4);
    lblProfileColor = label("lblProfileColor", "2081", Frame4);
    lblPrinterColor = label("lblPrinterColor", "2085", Frame4);
    for (int j = 0; j < int(picColor.size()); ++j) {
        picColor[j] = new ColorBox(Frame4);
        picColor[j]->setObjectName(QStringLiteral("picColor%1").arg(j));
        picColor[j]->setToolTip(QStringLiteral("2082"));
        picColor[j]->setFixedSize(48, 24);
    }
    colors->addWidget(lblProfileColor, 0, 0);
    colors->addWidget(picColor[0], 0, 1);
    colors->addWidget(lblPrinterColor, 1, 0);
    colors->addWidget(picColor[1], 1, 1);
    layout->addWidget(Frame4, 0, 1);

    frameSub = frame("frameSub", "2083", page);
    auto* divers = new QGridLayout(frameSub);
    m_divers = new QButtonGroup(this);
    imagelistSub = diverIcons();
    for (int i = 0; i < DIVER_ICONS; ++i) {
        optDiver[i] = radio(QStringLiteral("optDiver%1").arg(i), frameSub);
        imageSub[i] = new QLabel(frameSub);
        imageSub[i]->setObjectName(QStringLiteral("imageSub%1").arg(i));
        imageSub[i]->setFixedSize(32, 32);
        m_divers->addButton(optDiver[i], i);
        auto* pair = new QHBoxLayout;
        pair->addWidget(optDiver[i]);
        pair->addWidget(imageSub[i]);
        pair->addStretch();
        divers->addLayout(pair, i / 3, i % 3);
    }
    layout->addWidget(frameSub, 1, 0, 1, 2);
}

void frmSettings::buildStatisticsPage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    chkAskForStats = new QCheckBox(page);
    chkAskForStats->setObjectName(QStringLiteral("chkAskForStats"));
    setTag(chkAskForStats, QStringLiteral("2089"));
    layout->addWidget(chkAskForStats);

    frameStatsMode = frame("frameStatsMode", "2090", page);
    auto* scope = new QVBoxLayout(frameStatsMode);
    optAllStatsArchive = radio(QStringLiteral("optAllStatsArchive"), frameStatsMode);
    setTag(optAllStatsArchive, QStringLiteral("2091"));
    optOnlyStatsLogbook = radio(QStringLiteral("optOnlyStatsLogbook"), frameStatsMode);
    setTag(optOnlyStatsLogbook, QStringLiteral("2092"));
    scope->addWidget(optAllStatsArchive);
    scope->addWidget(optOnlyStatsLogbook);
    layout->addWidget(frameStatsMode);
    layout->addStretch();
}

void frmSettings::buildTree() {
    tvSettings->clear();
    m_root = new QTreeWidgetItem(tvSettings, {getString(2050)});
    m_root->setData(0, KEY_ROLE, QStringLiteral("settings"));
    const struct {
        const char* key;
        qint32 text;
    } pages[] = {{"A0", 2074}, {"A1", 2075}, {"A2", 2076}, {"A3", 2086}, {"A4", 2087}};
    for (const auto& page : pages) {
        auto* child = new QTreeWidgetItem(m_root, {getString(page.text)});
        child->setData(0, KEY_ROLE, QLatin1String(page.key));
        child->setData(0, FILLED_ROLE, false);
    }
    m_root->setExpanded(true);
    tvSettings_NodeClick(node(QStringLiteral("A0")));
}

void frmSettings::connectHandlers() {
    connect(tvSettings, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem*) { tvSettings_NodeClick(current); });

    connect(m_models, &QButtonGroup::idToggled, this, [this](int code, bool checked) {
        if (!checked)
            return;
        newDiveComputer = code;
    });
    connect(m_languages, &QButtonGroup::idToggled, this, [this](int language, bool checked) {
        if (!checked)
            return;
        newLanguage = qint16(language);
    });
    connect(m_units, &QButtonGroup::idToggled, this, [this](int system, bool checked) {
        if (!checked)
            return;
        measureUnitChanged(qint16(system));
    });
    connect(comboCOM, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            newComPort = qint16(index + 1);
    });
    connect(m_divers, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            newDiverIcon = qint16(index + 1);
    });
    connect(listProfileColor, &QListWidget::currentRowChanged, this, [this] { listProfileColor_Click(); });
    for (int j = 0; j < int(picColor.size()); ++j)
        picColor[j]->onDoubleClick = [this, j] { picColor_DblClick(j); };
    connect(chkAskForStats, &QCheckBox::toggled, this, [this](bool ticked) { chkAskForStats_Click(ticked); });
    connect(optAllStatsArchive, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            newStatisticsMode = qint16(newStatisticsMode | STATS_ALL_LOGBOOKS);
    });
    connect(optOnlyStatsLogbook, &QRadioButton::toggled, this, [this](bool checked) {
        if (checked)
            newStatisticsMode = qint16(newStatisticsMode & STATS_ASK_EACH_TIME);
    });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

QTreeWidgetItem* frmSettings::node(const QString& key) const {
    if (!m_root)
        return nullptr;
    if (keyOf(m_root) == key)
        return m_root;
    for (int i = 0; i < m_root->childCount(); ++i) {
        if (keyOf(m_root->child(i)) == key)
            return m_root->child(i);
    }
    return nullptr;
}

void frmSettings::tvSettings_NodeClick(QTreeWidgetItem* node) {
    if (!node || node == m_root || node->treeWidget() != tvSettings)
        return;

    const QRect band = twips(lbl_Setting->geometry());
    const QRect ok = twips(cmdOK->geometry());
    frameBottom->setGeometry(pixels(band.left(), band.top() + band.height() + 50,
                                    width() * TWIPS_PER_PIXEL - band.left() - 200, ok.top() - band.top() - 600));
    frameBottom->lower();
    lbl_Setting->setText(QLatin1Char(' ') + node->text(0));

    const QString key = keyOf(node);
    const int shown = key.right(1).toInt();
    const QRect area = twips(frameBottom->geometry());
    for (int i = 0; i < m_root->childCount() && i < int(picOptions.size()); ++i) {
        QWidget* page = picOptions[i];
        if (i == shown) {
            if (!node->data(0, FILLED_ROLE).toBool()) {
                initOptionsPage(key);
                node->setData(0, FILLED_ROLE, true);
            }
            page->setGeometry(pixels(area.left() + 80, area.top() + 200, area.width() - 160, area.height() - 420));
            page->setEnabled(true);
            page->show();
            page->raise();
        } else {
            page->move(-20000 / TWIPS_PER_PIXEL, page->y());
            page->setEnabled(false);
            page->hide();
        }
    }

    const QSignalBlocker quiet(tvSettings);
    tvSettings->setCurrentItem(node);
}

void frmSettings::setEnabledOnlyA0() {
    for (const char* key : {"A1", "A2", "A3", "A4"})
        delete node(QLatin1String(key));
    tvSettings->setEnabled(false);
    tvSettings_NodeClick(node(QStringLiteral("A0")));
}

void frmSettings::initOptionsPage(const QString& key) {
    Settings& settings = Settings::instance();
    Internationalization& units = Internationalization::instance();

    if (key == QLatin1String("A0")) {
        selectButton(m_models, newDiveComputer);
        for (int i = 0; i < int(optLanguage.size()); ++i)
            optLanguage[i]->setEnabled(settings.isLanguageAvailable(quint8(i)));
        // A language code the store should never hold selects nothing rather than failing.
        selectButton(m_languages, newLanguage);
    } else if (key == QLatin1String("A1")) {
        const bool known = newMeasureUnit == units.STANDARD || newMeasureUnit == units.IMPERIAL;
        selectButton(m_units, known ? newMeasureUnit : -1);
    } else if (key == QLatin1String("A2")) {
        // A port the list cannot show (0, negative, above the last) shows no selection and is kept.
        const int port = settings.comPort();
        if (port >= 1 && port <= comboCOM->count())
            comboCOM->setCurrentIndex(port - 1);
    } else if (key == QLatin1String("A3")) {
        for (int i = 0; i < DIVER_ICONS; ++i)
            imageSub[i]->setPixmap(imagelistSub.value(i));
        // An icon number above the last shows no selection and is kept.
        const qint16 icon = settings.currentDiverIcon();
        selectButton(m_divers, icon < 1 ? 0 : (icon <= DIVER_ICONS ? icon - 1 : -1));
        listProfileColor->clear();
        for (qint32 kind = 1210; kind <= 1213; ++kind)
            listProfileColor->addItem(getString(kind));
        listProfileColor->setCurrentRow(PROFILE_COLOR_NORMAL);
    } else if (key == QLatin1String("A4")) {
        const qint16 mode = settings.currentStatisticsMode();
        if (mode & STATS_ASK_EACH_TIME) {
            chkAskForStats->setChecked(true);
            enableStatsScope(false);
        } else {
            chkAskForStats->setChecked(false);
            enableStatsScope(true);
        }
        if (mode & STATS_ALL_LOGBOOKS)
            optAllStatsArchive->setChecked(true);
        else
            optOnlyStatsLogbook->setChecked(true);
    }
}

void frmSettings::measureUnitChanged(qint16 system) {
    // The unit texts follow the running unit system: switch it for as long as the labels take.
    Internationalization& units = Internationalization::instance();
    const qint16 running = units.measureUnit();
    units.setMeasureUnit(system);
    const bool imperial = system == units.IMPERIAL;
    const QString open = QStringLiteral(" (");
    const QString close = QStringLiteral(")");
    lbl_Depth->setText(getString(imperial ? 2058 : 2057) + open + units.getDepthString() + close);
    lbl_Temperature->setText(getString(imperial ? 2060 : 2059) + open + units.getTemperatureString() + close);
    lbl_Pressure->setText(getString(imperial ? 2062 : 2061));
    lbl_Volume->setText(getString(imperial ? 2064 : 2063) + open + units.getVolumeString() + close);
    units.setMeasureUnit(running);
    newMeasureUnit = system;
}

void frmSettings::listProfileColor_Click() {
    const int k = listProfileColor->currentRow();
    if (k < 0 || k >= newProfileColors.size() || k >= newPrinterColors.size())
        return;
    picColor[0]->setColor(colorFromValue(newProfileColors[k]));
    picColor[1]->setColor(colorFromValue(newPrinterColors[k]));
}

void frmSettings::picColor_DblClick(int index) {
    QColor color = picColor[index]->color();
    if (!Seams::fileDialogs().chooseColor(color))
        return;
    picColor[index]->setColor(color);
    QList<qint32>& table = index == 0 ? newProfileColors : newPrinterColors;
    const int k = listProfileColor->currentRow();
    if (k >= 0 && k < table.size())
        table[k] = valueFromColor(color);
}

void frmSettings::chkAskForStats_Click(bool ticked) {
    if (ticked) {
        newStatisticsMode = qint16(newStatisticsMode | STATS_ASK_EACH_TIME);
        enableStatsScope(false);
    } else {
        newStatisticsMode = qint16(newStatisticsMode & STATS_ALL_LOGBOOKS);
        enableStatsScope(true);
    }
}

void frmSettings::enableStatsScope(bool enabled) {
    frameStatsMode->setEnabled(enabled);
    optAllStatsArchive->setEnabled(enabled);
    optOnlyStatsLogbook->setEnabled(enabled);
}

void frmSettings::cmdOk_Click() {
    const auto notice = [](qint32 text) {
        Seams::message().show(getString(text), Msg::OkOnly | Msg::Information, getString(1004));
    };
    const bool unitChanged = newMeasureUnit != oldMeasureUnit;
    const bool languageChanged = newLanguage != oldLanguage;
    if (unitChanged && languageChanged)
        notice(2079);
    else if (unitChanged)
        notice(2078);
    else if (languageChanged)
        notice(2077);
    if (newDiveComputer != oldDiveComputer)
        notice(2080);

    Settings& settings = Settings::instance();
    settings.setCurrentDiverIcon(newDiverIcon);
    settings.setComPort(newComPort);
    settings.setCurrentStatisticsMode(newStatisticsMode);
    settings.setCurrentProfileColors(newProfileColors);
    settings.setCurrentPrinterColors(newPrinterColors);
    // The running program has the new values, but the next start would not: the user must know.
    SettingsWrite::reported(QStringLiteral("frmSettings.cmdOk_Click"), [&] {
        settings.save(Settings::SAVE_SERIAL_PORT | Settings::SAVE_DIVER_ICON | Settings::SAVE_COLORS |
                      Settings::SAVE_STATISTICS);
        // For the next start; the running program keeps the model, language and units it started with.
        SettingsStore::setValue(QStringLiteral("DiveComputer"), QString::number(newDiveComputer));
        SettingsStore::setValue(QStringLiteral("Language"), QString::number(newLanguage));
        SettingsStore::setValue(QStringLiteral("MeasureUnit"), QString::number(newMeasureUnit));
    });

    accept();
}

void frmSettings::cmdCancel_Click() {
    reject();
}
