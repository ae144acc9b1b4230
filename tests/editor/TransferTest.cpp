#include "EditorFixture.h"

#include <QRadioButton>

namespace {

const QJsonObject kBothTags{
    {"v1", QJsonObject{{"title", "Old"}, {"artist", "Only V1"}, {"track", 2}}},
    {"v2", QJsonObject{{"frames", QJsonObject{{"TIT2", "New"}, {"TRCK", "5"}}}}}};

QJsonObject V1(const QString& path) {
    return tagfiles::ReadTags(path)[u"v1"].toObject();
}
QJsonObject V2(const QString& path) {
    return tagfiles::ReadTags(path)[u"v2"].toObject()[u"frames"].toObject();
}

TEST_F(EditorTest, GetFromOtherWithId3v1SelectedCopiesId3v2IntoIt) {
    const QString path = Mp3(kBothTags);
    Open(path);
    Click("Image12");
    EXPECT_EQ(messages.Texts(), QStringList{"Copied from ID3V2!"});
    EXPECT_EQ(Shown(), (QStringList{"New", "", "", "", "", "5", ""}));
    EXPECT_EQ(V1(path)[u"title"].toString(), "New");
}

TEST_F(EditorTest, CopyToOtherWithId3v2SelectedWritesId3v1AndShowsId3v2Unchanged) {
    const QString path = Mp3(kBothTags);
    Control<QRadioButton>("RadioButton2")->click();
    Open(path);
    Click("Label17");
    Control<QLineEdit>("Edit2")->setText("Unsaved edit");
    Click("Image13");
    EXPECT_EQ(messages.Texts(), QStringList{"Copied to ID3V1!"});
    EXPECT_EQ(Shown()[0], "New") << "unsaved edits are neither transferred nor kept";
    EXPECT_EQ(V1(path)[u"title"].toString(), "New");
    EXPECT_EQ(V1(path)[u"artist"].toString(), "");
}

TEST_F(EditorTest, TheOtherDirectionsSayWhatTheyDid) {
    const QString path = Mp3(kBothTags);
    Open(path);
    Click("Image13");
    EXPECT_EQ(V2(path)[u"TPE1"].toString(), "Only V1");
    Control<QRadioButton>("RadioButton2")->click();
    Click("Image12");
    EXPECT_EQ(messages.Texts(), (QStringList{"Copied to ID3V2!", "Copied from ID3V1!"}));
}

TEST_F(EditorTest, SyncGivesBothTagsTheMergeWhicheverIsSelected) {
    const QString path = Mp3(kBothTags);
    Control<QRadioButton>("RadioButton2")->click();
    Open(path);
    Click("Image14");
    EXPECT_EQ(messages.Texts(), QStringList{"Synchronized tags!"});
    EXPECT_EQ(Shown(), (QStringList{"New", "Only V1", "", "", "", "5", ""}));
    EXPECT_EQ(V1(path)[u"title"].toString(), "New");
    EXPECT_EQ(V1(path)[u"track"].toInt(), 5);
}

TEST_F(EditorTest, FailedTransfersReportAfterTheOperationsOwnMessage) {
    const QString bare = Mp3({}, QStringLiteral("bare.mp3"));
    Open(bare);
    Click("Label17");
    Control<QLineEdit>("Edit2")->setText("Typed");
    Click("Image12");
    Click("Image14");
    EXPECT_EQ(messages.Texts(),
              (QStringList{QStringLiteral("There is no ID3v2 tag to copy in \"%1\".").arg(bare),
                           "ERROR: Can't copy from ID3V2!", "'' is not a valid integer value",
                           "ERROR: Can't sync tags!"}));
    EXPECT_EQ(Shown()[0], "Typed") << "the fields are not reloaded after a failure";
    EXPECT_EQ(tagfiles::ReadTags(bare),
              (QJsonObject{{"v1", QJsonValue::Null}, {"v2", QJsonValue::Null}}));

    // Without a file the commands say nothing at all.
    Control<QLineEdit>("Edit1")->setText(folder.Path("missing.mp3"));
    Click("Image12");
    Click("Image13");
    Click("Image14");
    EXPECT_EQ(messages.Texts().size(), 4);
}

TEST_F(EditorTest, OnlyTheLeftButtonActsAndADoubleClickTogglesOnce) {
    const QString path = Mp3(kBothTags);
    Open(path);
    const QByteArray stored = testsupport::ReadFile(path);
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        for (const char* name : {"Image12", "Image13", "Image14", "Image2", "Label17"})
            QTest::mouseClick(Control(name), button);
    }
    EXPECT_EQ(testsupport::ReadFile(path), stored) << "no command wrote the file";
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_FALSE(form->EditMode);

    // A double click arrives as press, release, double click, release.
    for (const char* name : {"Image2", "Label17"}) {
        Click(name);
        QTest::mouseDClick(Control(name), Qt::LeftButton);
        QTest::mouseRelease(Control(name), Qt::LeftButton);
        EXPECT_TRUE(form->EditMode) << name;
        Click(name);
        EXPECT_FALSE(form->EditMode) << name;
    }
}

} // namespace
