// picture: export a picture of a file, import one as the front cover of files, remove pictures.
#include "Commands.h"
#include "FileBatch.h"
#include "tagjobs/RunKinds.h"
#include "tagjobs/TagsRun.h"

#include <QFile>

namespace cli {
namespace {

QString TypeText(int type) {
    return type == 3   ? QStringLiteral("front cover")
           : type == 4 ? QStringLiteral("back cover")
                       : QStringLiteral("type %1").arg(type);
}

int Export(const Options& options, tagaccess::ID3& id3) {
    BatchReport report;
    const QString& path = options.paths.front();
    report.Begin(path);
    const QString reason = tagjobs::UnusableReason(path);
    if (!reason.isEmpty()) {
        report.Fail(reason);
        report.End();
        return report.ExitCode();
    }
    const std::vector<tagaccess::TagPicture> pictures = id3.ReadPictures(path, true);
    const auto found =
        std::find_if(pictures.begin(), pictures.end(), [&](const tagaccess::TagPicture& picture) {
            return picture.type == options.pictureType;
        });
    QFile out(options.pictureFile);
    if (report.Failed()) {
        // The tags could not be read: said already.
    } else if (found == pictures.end()) {
        report.Fail(QStringLiteral("has no %1 picture").arg(TypeText(options.pictureType)));
    } else if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        // Never over another file.
        report.Fail(QStringLiteral("the picture was not written to \"%1\": %2")
                        .arg(options.pictureFile,
                             out.exists() ? QStringLiteral("it exists, nothing is overwritten")
                                          : out.errorString()));
    } else if (out.write(found->data) != found->data.size() || !out.flush()) {
        report.Fail(QStringLiteral("the picture could not be written to \"%1\": %2")
                        .arg(options.pictureFile, out.errorString()));
        out.remove();
    } else {
        PrintNote(QStringLiteral("%1 (%2, %3 bytes) -> %4\n")
                      .arg(TypeText(found->type), found->mimeType)
                      .arg(found->data.size())
                      .arg(options.pictureFile));
    }
    report.End();
    return report.ExitCode();
}

// Why the picture file cannot be a cover: only JPEG and PNG, as their bytes tell, are taken.
QString PictureRefusal(const QString& picture) {
    QFile file(picture);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("\"%1\" cannot be read: %2").arg(picture, file.errorString());
    if (file.size() > tagaccess::kLargestPicture)
        return QStringLiteral("\"%1\" is larger than 16 MB: no cover picture").arg(picture);
    const QByteArray start = file.read(8);
    if (!start.startsWith("\xFF\xD8\xFF") && !start.startsWith("\x89PNG\r\n\x1A\n"))
        return QStringLiteral("\"%1\" is not a JPEG or PNG picture").arg(picture);
    return QString();
}

} // namespace

int RunPicture(const Options& options, tagaccess::ID3& id3) {
    if (options.pictureAction == PictureAction::Export)
        return Export(options, id3);
    if (options.pictureAction == PictureAction::Import) {
        const QString refusal = PictureRefusal(options.pictureFile);
        if (!refusal.isEmpty()) {
            BatchReport report;
            report.FailRun(refusal);
            return report.ExitCode();
        }
    }
    return RunTagCommand(id3, FilesOf(options), tagjobs::kPicturesCommand,
                         tagjobs::PicturesPlanner(options.pictureType, options.pictureFile),
                         options);
}

} // namespace cli
