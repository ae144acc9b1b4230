// What a save that moves the audio keeps of the file besides its tag: every hard link, extended
// attributes and ACLs, owner and group (saved by root and by an ordinary user who may only write
// the file), names as long as the file system allows; and that nothing is left beside it.
#include <QDir>
#include <QProcess>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "LibraryFixture.h"

namespace tagtest {
namespace {

constexpr char kOrdinaryUser[] = "kivunatest";

class SaveKeepsFileTest : public LibraryTest {
  protected:
    QString TaggedFile(const QString& name) {
        const QString file = Path(name);
        WriteMp3(file,
                 Id3v2Tag(3, 0, Id3v2Frame(3, "TIT2", Latin1Text("Title")) + QByteArray(64, 0)),
                 Id3v1Bytes({"v1", "", "", "", "", 1, 0}));
        return file;
    }
    bool GrowTitle(const QString& file) {
        const uint32_t h = LoadV2(file);
        Lib().ID3v2_SetAsciiText(h, "TIT2", std::string(5000, 'x').c_str());
        return Lib().ID3v2_Save(h, Name(file).c_str()) & 0xFF;
    }
    // mutagen sees the grown title, the untouched audio and the ID3v1 record.
    static void ExpectGrown(const QString& file) {
        const QJsonObject dump = Dump(file);
        EXPECT_EQ(FrameText(dump, "TIT2").size(), 5000) << file.toStdString();
        EXPECT_EQ(dump["audio"].toObject()["sha256"].toString(), AudioSha256());
        EXPECT_EQ(dump["v1"].toObject()["title"].toObject()["latin1"].toString(), "v1");
    }
    QStringList Entries() const {
        return QDir(folder_.Root()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    static struct stat Status(const QString& file) {
        struct stat st {};
        EXPECT_EQ(stat(Name(file).c_str(), &st), 0);
        return st;
    }
    static QByteArray Attribute(const QString& file, const char* name) {
        QByteArray value(4096, '\0');
        const ssize_t n = getxattr(Name(file).c_str(), name, value.data(), value.size());
        return n < 0 ? QByteArray() : value.left(static_cast<int>(n));
    }
};

// An access ACL as the kernel stores it: version 2, then (tag, permissions, id) entries.
QByteArray AccessAcl(uint32_t otherUser) {
    QByteArray acl;
    const auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    put(2, 4);
    const uint32_t none = 0xFFFFFFFF;
    for (const auto& [tag, perm, id] :
         {std::tuple{0x01u, 6u, none}, std::tuple{0x02u, 4u, otherUser},
          std::tuple{0x04u, 4u, none}, std::tuple{0x10u, 6u, none}, std::tuple{0x20u, 0u, none}}) {
        put(tag, 2);
        put(perm, 2);
        put(id, 4);
    }
    return acl;
}

TEST_F(SaveKeepsFileTest, GrowingSaveKeepsHardLinksAttributesAclsAndLongNames) {
    // Two names of one file: both show the new tag, and it still has both.
    const QString linked = TaggedFile("linked.mp3");
    const QString second = Path("second name.mp3");
    ASSERT_EQ(link(Name(linked).c_str(), Name(second).c_str()), 0);
    ASSERT_TRUE(GrowTitle(linked));
    ExpectGrown(second);
    EXPECT_EQ(Status(linked).st_ino, Status(second).st_ino);
    EXPECT_EQ(Status(second).st_nlink, 2u);

    // 254 bytes: 125 Cyrillic letters and ".mp3".
    const QString longName = TaggedFile(QString(125, QChar(0x0436)) + ".mp3");
    ASSERT_EQ(QFileInfo(longName).fileName().toUtf8().size(), 254);
    ASSERT_TRUE(GrowTitle(longName));
    ExpectGrown(longName);

    EXPECT_EQ(Entries().size(), 3) << Entries().join(", ").toStdString();

    // A file with one name, a user attribute and an ACL: the new file carries both.
    const QString attributed = TaggedFile("attributed.mp3");
    const QByteArray acl = AccessAcl(4242);
    if (setxattr(Name(attributed).c_str(), "user.kivuna.rating", "5", 1, 0) != 0 ||
        setxattr(Name(attributed).c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) !=
            0)
        GTEST_SKIP() << "the test folder's file system keeps no user attributes or ACLs";
    const mode_t mode = Status(attributed).st_mode;
    ASSERT_TRUE(GrowTitle(attributed));
    ExpectGrown(attributed);
    EXPECT_EQ(Attribute(attributed, "user.kivuna.rating"), "5");
    EXPECT_EQ(Attribute(attributed, "system.posix_acl_access"), acl);
    EXPECT_EQ(Status(attributed).st_mode, mode);
    EXPECT_EQ(Entries().size(), 4) << Entries().join(", ").toStdString();
}

TEST_F(SaveKeepsFileTest, OwnerAndGroupStayWhetherRootOrAnOrdinaryUserSaves) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root: files owned by another user are made for this test";
    if (getpwnam(kOrdinaryUser) == nullptr)
        QProcess::execute("useradd", {"--system", "--no-create-home", "--shell",
                                      "/usr/sbin/nologin", kOrdinaryUser});
    const passwd* user = getpwnam(kOrdinaryUser);
    if (user == nullptr)
        GTEST_SKIP() << "the user " << kOrdinaryUser << " could not be created";
    const uid_t uid = user->pw_uid;
    const gid_t gid = user->pw_gid;

    // Root saving somebody's file hands it back to them.
    const QString theirs = TaggedFile("theirs.mp3");
    ASSERT_EQ(chown(Name(theirs).c_str(), uid, gid), 0);
    ASSERT_TRUE(GrowTitle(theirs));
    ExpectGrown(theirs);
    EXPECT_EQ(Status(theirs).st_uid, uid);
    EXPECT_EQ(Status(theirs).st_gid, gid);

    // An ordinary user may write root's group-writable file but cannot give a new one to root.
    const QString shared = TaggedFile("shared.mp3");
    ASSERT_EQ(chown(Name(shared).c_str(), 0, gid), 0);
    ASSERT_EQ(chmod(Name(shared).c_str(), 0664), 0);
    ASSERT_EQ(chmod(Name(folder_.Root()).c_str(), 0777), 0);
    const QString helper =
        QString::fromStdString(LibraryPath()).section('/', 0, -2) + "/kivuna_save_helper";
    const int exit = QProcess::execute("setpriv", {"--reuid", QString::number(uid), "--regid",
                                                   QString::number(gid), "--clear-groups", helper,
                                                   "once", shared, "TIT2", "5000"});
    EXPECT_EQ(exit, 0);
    ExpectGrown(shared);
    EXPECT_EQ(Status(shared).st_uid, 0u);
    EXPECT_EQ(Status(shared).st_gid, gid);
    EXPECT_EQ(Status(shared).st_mode & 07777, 0664u);
    EXPECT_EQ(Entries().size(), 2) << Entries().join(", ").toStdString();
}

} // namespace
} // namespace tagtest
