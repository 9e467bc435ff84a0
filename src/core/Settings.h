#pragma once

#include <QList>
#include <QString>
#include <array>

// The user's persisted settings, the database and help locations, the main window's selection
// state, the dive filter statements and the model predicates. One process-wide object, created on
// first use (reading the settings store once) and released at shutdown.
class Settings {
public:
    static Settings& instance();
    static bool exists();
    static void release();

    static constexpr qint16 LANG_ENGLISH = 0;
    static constexpr qint16 LANG_FRANCAIS = 1;
    static constexpr qint16 LANG_GERMAN = 2;
    static constexpr qint16 LANG_ITALIAN = 3;
    static constexpr qint16 LANG_PORTUGUESE = 4;
    static constexpr qint16 LANG_SPANISH = 5;

    // The save groups.
    static constexpr qint32 SAVE_DIVE_COMPUTER = 1;
    static constexpr qint32 SAVE_LANGUAGE = 2;
    static constexpr qint32 SAVE_MEASURE_UNIT = 4;
    static constexpr qint32 SAVE_SERIAL_PORT = 8;
    static constexpr qint32 SAVE_DIVER_ICON = 16;
    static constexpr qint32 SAVE_COLORS = 32;
    static constexpr qint32 SAVE_STATISTICS = 64;

    static const QString UNFILTERED_ORDER; // " ORDER BY [DATETIME] DESC"

    qint16 currentStatisticsMode() const { return m_statisticsMode; }
    void setCurrentStatisticsMode(qint16 mode) { m_statisticsMode = mode; }

    qint32 getMaxProfileColor() const { return 6; }
    // Error 9 for an entry outside 0 to 5.
    qint32 getProfileColor(qint32 color) const;
    qint32 getPrinterColor(qint32 color) const;
    QList<qint32> currentProfileColors() const;
    QList<qint32> currentPrinterColors() const;
    // Copies entries 0 to 5; a shorter list copies what it has and reports the failure itself.
    void setCurrentProfileColors(const QList<qint32>& colors);
    void setCurrentPrinterColors(const QList<qint32>& colors);

    qint16 currentDiverIcon() const { return m_diverIcon; }
    void setCurrentDiverIcon(qint16 icon) { m_diverIcon = icon; }

    // Error 9 for a language code outside 0 to 5.
    qint32 languageResourceOffset() const;
    bool isLanguageAvailable(quint8 language) const;
    QString getHelpPathName(qint16 helpID) const;
    bool isFilterOn() const;

    qint32 currentLogbookID() const { return m_currentLogbookID; }
    void setCurrentLogbookID(qint32 id) { m_currentLogbookID = id; }
    qint32 currentDiveID() const { return m_currentDiveID; }
    void setCurrentDiveID(qint32 id) { m_currentDiveID = id; }

    qint16 currentLanguage() const { return m_language; }
    void setCurrentLanguage(qint16 language) { m_language = language; }

    QString databaseName() const;
    QString dbPath() const { return m_dbPath.trimmed(); }
    void setDbPath(const QString& path) { m_dbPath = path; }
    QString dbFileName() const { return m_dbFileName.trimmed(); }
    void setDbFileName(const QString& name) { m_dbFileName = name; }

    void setDebugMode(bool debug) { m_debug = debug; }
    bool isDebugMode() const { return m_debug; }

    qint16 comPort() const { return m_comPort; }
    void setComPort(qint16 port) { m_comPort = port; }

    qint32 currentDiveComputer() const { return m_diveComputer; }
    void setCurrentDiveComputer(qint32 code) { m_diveComputer = code; }
    bool isCurrentDiveComputerRGBM() const;
    bool isCurrentDiveComputerAir() const;
    qint16 getBottomTimeCode() const;
    qint16 getFreeDiveCode() const;

    QString measureUnit() const { return m_unitText.trimmed(); }
    void setMeasureUnit(const QString& text) { m_unitText = text; }
    QString currentFile() const { return m_currentFile.trimmed(); }
    void setCurrentFile(const QString& file) { m_currentFile = file; }
    QString currentFilter() const { return m_currentFilter.trimmed(); }
    void setCurrentFilter(const QString& filter) { m_currentFilter = filter; }
    QString defaultFilter() const { return m_defaultFilter.trimmed(); }
    void setDefaultFilter(const QString& filter) { m_defaultFilter = filter; }

    // Writes the groups whose bits are set in mode (0: all of them) to the settings store.
    void save(qint32 mode);

    // The folder of the program: the executable's, or $SONA_HOME when set; ends in "/".
    static QString programFolder();

private:
    Settings();
    void setColors(std::array<qint32, 6>& table, const QList<qint32>& colors, const char* member);

    std::array<qint32, 6> m_profileColors{};
    std::array<qint32, 6> m_printerColors{};
    std::array<qint32, 6> m_languageOffsets{};
    qint16 m_statisticsMode = 3;
    QString m_defaultFilter;
    QString m_currentFilter;
    QString m_currentFile;
    QString m_unitText;
    qint16 m_comPort = 1;
    QString m_dbFileName;
    QString m_dbPath;
    qint16 m_language = 3;
    qint32 m_diveComputer = 1;
    qint32 m_currentLogbookID = -1;
    qint32 m_currentDiveID = -1;
    qint16 m_diverIcon = 1;
    bool m_debug = false;
};
