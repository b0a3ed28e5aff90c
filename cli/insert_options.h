#pragma once

#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace picrows {
struct RunOptions;
struct SelectedRunSettings;
} // namespace picrows

namespace cli {

// The options of `picrows insert` that override the stored settings for one run.
class InsertOverrides
{
public:
    // Adds the options to the parser.
    void addTo(QCommandLineParser& parser);
    // Reads them from a parsed command line; false, with `error` set, when a value is bad.
    bool read(const QCommandLineParser& parser, QString& error);
    // Applies what was given on top of the stored values.
    void applyTo(picrows::RunOptions& options, picrows::SelectedRunSettings& settings) const;

    bool overwriteInfo() const { return m_overwriteInfo; }
    bool excelMode() const { return m_excelMode; }

private:
    QStringList m_set; // names of the options given
    bool m_excelMode = false;
    bool m_overwriteInfo = false;
    int m_size = 0;
    int m_point = 0;
    QString m_info;
    int m_infoX = 0;
    int m_infoY = 0;
    int m_infoPoint = 0;
    int m_excludeWidth = 0;
    int m_excludeHeight = 0;
    int m_reduce = 0;
};

} // namespace cli
