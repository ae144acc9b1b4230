#pragma once

#include "TestSupport.h"

#include <QByteArray>
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

// kivuna-cli as a separate process, and the corpus trees it works on.
namespace clitest {

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QStringList errorLines;
};

CliResult RunCli(const QStringList& args);
// Starts a run without waiting for it, its journals where RunCli's go.
void StartCli(QProcess& cli, const QStringList& args);

// A generated tree of `count` MP3 files with every tag situation; answers its manifest.
QJsonObject MakeCorpus(const QString& root, int count, int seed);

// Every file below the folder with its bytes, by path relative to the folder.
QMap<QString, QByteArray> TreeBytes(const QString& root);

} // namespace clitest
