#include "CliRun.h"

#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace clitest {

void StartCli(QProcess& cli, const QStringList& args) {
    // Journals of a test that names no data folder go to one of the test's own, never the user's.
    static const QTemporaryDir data;
    if (!qEnvironmentVariableIsSet("XDG_DATA_HOME")) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
        cli.setProcessEnvironment(environment);
    }
    cli.start(QStringLiteral(KIVUNA_CLI), args);
}

CliResult RunCli(const QStringList& args) {
    QProcess cli;
    StartCli(cli, args);
    EXPECT_TRUE(cli.waitForFinished(120000)) << args.join(u' ').toStdString();
    CliResult result;
    result.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    result.out = cli.readAllStandardOutput();
    result.errorLines =
        QString::fromUtf8(cli.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    return result;
}

QJsonObject MakeCorpus(const QString& root, int count, int seed) {
    testsupport::RunPython(
        QStringLiteral("import runpy, sys; sys.argv = sys.argv[1:]; runpy.run_path(sys.argv[0], "
                       "run_name='__main__')"),
        {testsupport::SourceDir() + QStringLiteral("/tests/tools/make_mp3_corpus.py"), root,
         QStringLiteral("--count"), QString::number(count), QStringLiteral("--seed"),
         QString::number(seed), QStringLiteral("--manifest"), root + QStringLiteral(".json")});
    return QJsonDocument::fromJson(testsupport::ReadFile(root + QStringLiteral(".json"))).object();
}

QMap<QString, QByteArray> TreeBytes(const QString& root) {
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path.mid(root.size() + 1), testsupport::ReadFile(path));
    }
    return files;
}

} // namespace clitest
