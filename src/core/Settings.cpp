#include "Settings.h"

#include "Dive.h"
#include "Internationalization.h"
#include "MainModule.h"
#include "Numeric.h"
#include "RuntimeError.h"
#include "Seams.h"
#include "SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <memory>

namespace {
std::unique_ptr<Settings> g_settings;

constexpr qint32 rgb(int r, int g, int b) {
    return r + 256 * g + 65536 * b;
}
// Entries of the standard 16-colour palette the defaults are taken from.
constexpr qint32 BLACK = rgb(0, 0, 0);
constexpr qint32 RED = rgb(128, 0, 0);
constexpr qint32 MAGENTA = rgb(128, 0, 128);
constexpr qint32 LIGHT_GREEN = rgb(0, 255, 0);
constexpr qint32 LIGHT_CYAN = rgb(0, 255, 255);
constexpr qint32 LIGHT_RED = rgb(255, 0, 0);
constexpr qint32 LIGHT_YELLOW = rgb(255, 255, 0);

const QString UNFILTERED = QStringLiteral("SELECT * FROM DIVE WHERE DIVE_ID IS NOT NULL ");

const char* const helpFiles[6] = {"help/SONA2_e.html", "help/SONA2_f.html", "help/SONA2_d.html",
                                  "help/SONA2_i.html", "help/SONA2_p.html", "help/SONA2_s.html"};

// A hand-edited or damaged store must not stop the program: a value that is not a number in range
// reads as the key's default.
qint16 readInt16(const QString& key, qint16 defaultValue) {
    try {
        return num::textToInt16(SettingsStore::value(key, QString::number(defaultValue)));
    } catch (const RuntimeError&) {
        return defaultValue;
    }
}

qint32 readInt32(const QString& key, qint32 defaultValue) {
    try {
        return num::textToInt32(SettingsStore::value(key, QString::number(defaultValue)));
    } catch (const RuntimeError&) {
        return defaultValue;
    }
}
} // namespace

const QString Settings::UNFILTERED_ORDER = QStringLiteral(" ORDER BY [DATETIME] DESC");

Settings& Settings::instance() {
    if (!g_settings)
        g_settings.reset(new Settings());
    return *g_settings;
}

bool Settings::exists() {
    return g_settings != nullptr;
}

void Settings::release() {
    g_settings.reset();
}

QString Settings::programFolder() {
    QString folder = qEnvironmentVariable("SONA_HOME");
    if (folder.isEmpty())
        folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

Settings::Settings() {
    m_languageOffsets = {10000, 20000, 30000, 0, 40000, 50000};
    m_profileColors = {LIGHT_CYAN, LIGHT_YELLOW, LIGHT_RED, MAGENTA, RED, LIGHT_GREEN};
    m_printerColors = {BLACK, LIGHT_YELLOW, LIGHT_RED, MAGENTA, RED, LIGHT_GREEN};
    m_dbFileName = QStringLiteral("dives.mdb");
    m_dbPath = programFolder();
    m_currentFile.clear();
    m_defaultFilter = UNFILTERED;
    m_currentFilter = UNFILTERED.trimmed() + UNFILTERED_ORDER;
    m_currentDiveID = -1;
    m_currentLogbookID = -1;

    m_diverIcon = readInt16(QStringLiteral("DiverIcon"), 1);
    m_diveComputer = readInt16(QStringLiteral("DiveComputer"), ModelCodes::code(ModelCode::dcZento));
    m_comPort = readInt16(QStringLiteral("SerialPort"), 1);
    m_language = readInt16(QStringLiteral("Language"), 3);
    m_statisticsMode = readInt16(QStringLiteral("Statistics"), 3);
    for (int i = 0; i < getMaxProfileColor(); ++i) {
        m_profileColors[i] = readInt32(QStringLiteral("proColor%1").arg(i), m_profileColors[i]);
        m_printerColors[i] = readInt32(QStringLiteral("ptrColor%1").arg(i), m_printerColors[i]);
    }
    setApplicationHelpFile(getHelpPathName(m_language));
    m_debug = false;
}

qint32 Settings::getProfileColor(qint32 color) const {
    if (color < 0 || color > 5)
        throw RuntimeError::subscript(QStringLiteral("Settings.getProfileColor"));
    return m_profileColors[color];
}

qint32 Settings::getPrinterColor(qint32 color) const {
    if (color < 0 || color > 5)
        throw RuntimeError::subscript(QStringLiteral("Settings.getPrinterColor"));
    return m_printerColors[color];
}

QList<qint32> Settings::currentProfileColors() const {
    return {m_profileColors.begin(), m_profileColors.end()};
}

QList<qint32> Settings::currentPrinterColors() const {
    return {m_printerColors.begin(), m_printerColors.end()};
}

void Settings::setCurrentProfileColors(const QList<qint32>& colors) {
    setColors(m_profileColors, colors, "currentProfileColors");
}

void Settings::setCurrentPrinterColors(const QList<qint32>& colors) {
    setColors(m_printerColors, colors, "currentPrinterColors");
}

void Settings::setColors(std::array<qint32, 6>& table, const QList<qint32>& colors, const char* member) {
    for (qsizetype i = 0; i < qsizetype(table.size()); ++i) {
        if (i >= colors.size()) {
            const RuntimeError error = RuntimeError::subscript();
            Seams::message().show(QStringLiteral("[Settings.%1]: Error setting the array values. Array lengths not "
                                                 "match. \n [%2] - %3")
                                      .arg(QLatin1String(member))
                                      .arg(error.number())
                                      .arg(error.description()),
                                  Msg::OkOnly, QString());
            return;
        }
        table[i] = colors[i];
    }
}

qint32 Settings::languageResourceOffset() const {
    if (m_language < 0 || m_language > 5)
        throw RuntimeError::subscript(QStringLiteral("Settings.languageResourceOffset"));
    return m_languageOffsets[m_language];
}

bool Settings::isLanguageAvailable(quint8 language) const {
    if (language > 5)
        return false;
    return !stringTableText(m_languageOffsets[language] + 1000).isEmpty();
}

QString Settings::getHelpPathName(qint16 helpID) const {
    if (helpID < 0 || helpID > 5)
        return QString();
    return dbPath() + QLatin1String(helpFiles[helpID]);
}

bool Settings::isFilterOn() const {
    return currentFilter() != defaultFilter() + UNFILTERED_ORDER;
}

QString Settings::databaseName() const {
    return (dbPath() + dbFileName()).trimmed();
}

bool Settings::isCurrentDiveComputerRGBM() const {
    return ModelCodes::isRGBM(m_diveComputer);
}

bool Settings::isCurrentDiveComputerAir() const {
    return ModelCodes::isAirIntegrated(m_diveComputer);
}

qint16 Settings::getBottomTimeCode() const {
    return ModelCodes::model(m_diveComputer) == ModelCode::dcKOBI ? Dive::KOBI_BOTTOM_TIME_MODE
                                                                  : Dive::BOTTOM_TIME_MODE;
}

qint16 Settings::getFreeDiveCode() const {
    return ModelCodes::model(m_diveComputer) == ModelCode::dcKOBI ? Dive::FREE_DIVE_MODE : Dive::NO_FREE_DIVE_MODE;
}

void Settings::save(qint32 mode) {
    const auto wanted = [mode](qint32 bit) { return mode == 0 || (mode & bit) != 0; };
    if (wanted(SAVE_DIVE_COMPUTER))
        SettingsStore::setValue(QStringLiteral("DiveComputer"), QString::number(m_diveComputer));
    if (wanted(SAVE_LANGUAGE))
        SettingsStore::setValue(QStringLiteral("Language"), QString::number(m_language));
    if (wanted(SAVE_MEASURE_UNIT))
        SettingsStore::setValue(QStringLiteral("MeasureUnit"),
                                QString::number(Internationalization::instance().measureUnit()));
    if (wanted(SAVE_SERIAL_PORT))
        SettingsStore::setValue(QStringLiteral("SerialPort"), QString::number(m_comPort));
    if (wanted(SAVE_DIVER_ICON))
        SettingsStore::setValue(QStringLiteral("DiverIcon"), QString::number(m_diverIcon));
    if (wanted(SAVE_COLORS)) {
        for (int i = 0; i < getMaxProfileColor(); ++i) {
            SettingsStore::setValue(QStringLiteral("proColor%1").arg(i), QString::number(m_profileColors[i]));
            SettingsStore::setValue(QStringLiteral("ptrColor%1").arg(i), QString::number(m_printerColors[i]));
        }
    }
    if (wanted(SAVE_STATISTICS))
        SettingsStore::setValue(QStringLiteral("Statistics"), QString::number(m_statisticsMode));
}
