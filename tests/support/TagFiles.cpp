#include "TagFiles.h"

#include <QJsonDocument>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace tagfiles {
namespace {

QString Script() {
    return testsupport::SourceDir() + QStringLiteral("/tests/support/tagfile.py");
}

QByteArray RunTagFile(const QStringList& args) {
    return testsupport::RunPython(
        QStringLiteral("import runpy, sys; sys.argv = sys.argv[1:]; runpy.run_path(sys.argv[0], "
                       "run_name='__main__')"),
        QStringList{Script()} + args);
}

} // namespace

QString MakeMp3(const testsupport::TempFolder& folder, const QString& name,
                const QJsonObject& tags) {
    const QString path = folder.Path(name);
    testsupport::WriteFile(path, testsupport::SilentAudio());
    if (!tags.isEmpty())
        RunTagFile({QStringLiteral("write"), path,
                    QString::fromUtf8(QJsonDocument(tags).toJson(QJsonDocument::Compact))});
    return path;
}

QByteArray AudioOf(const QString& path) {
    QByteArray bytes = testsupport::ReadFile(path);
    if (bytes.startsWith("ID3") && bytes.size() >= 10) {
        const auto b = [&](int i) { return int(uint8_t(bytes[i])); };
        const int size = (b(6) << 21) | (b(7) << 14) | (b(8) << 7) | b(9);
        bytes.remove(0, 10 + size + ((b(5) & 0x10) != 0 ? 10 : 0));
    }
    if (bytes.size() >= 128 && bytes.mid(bytes.size() - 128, 3) == "TAG")
        bytes.chop(128);
    return bytes;
}

QJsonObject ReadTags(const QString& path) {
    return QJsonDocument::fromJson(RunTagFile({QStringLiteral("read"), path})).object();
}

QJsonArray ReadTagsOfFiles(const QStringList& paths) {
    return QJsonDocument::fromJson(RunTagFile(QStringList{QStringLiteral("readall")} + paths))
        .array();
}

bool TagLibraryIsLoaded() {
    char exe[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string path(exe, n > 0 ? size_t(n) : 0);
    path = path.substr(0, path.rfind('/') + 1) + testsupport::kLibraryName;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr)
        dlclose(handle);
    return handle != nullptr;
}

} // namespace tagfiles
